// SPDX-License-Identifier: GPL-3.0-or-later
// KAVO: a browsable, searchable catalogue of free media resources.
#include "app/command_line.h"
#include "app/kavo_application.h"
#include "app/translations.h"
#include "platform/memory_policy.h"
#include "screens/qt/enter_presses_buttons.h"

#include <QGuiApplication>
#include <QIcon>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QtQml/qqmlextensionplugin.h>

#include <cstdio>
#include <cstring>

Q_IMPORT_QML_PLUGIN(KavoPlugin)

namespace {

// Prints what the command line asks for instead of a start.
int exitAsAsked(const kavo::CommandLine& commandLine)
{
    std::fputs(commandLine.message.toLocal8Bit().constData(), *commandLine.exitCode == 0 ? stdout : stderr);
    return *commandLine.exitCode;
}

} // namespace

int main(int argc, char** argv)
{
    kavo::returnLargeFreedBlocksToSystem();
    // Help and the version need no window system: answered before it is asked for.
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--page") == 0) {
            ++i; // its value is a file's name, whatever it reads like
            continue;
        }
        for (const char* option : {"-h", "--help", "--version"}) {
            if (std::strcmp(argv[i], option) == 0) return exitAsAsked(kavo::parseCommandLine({argv[0], argv[i]}));
        }
    }
    // The usual start, without arguments: first of all, this starts reading
    // the catalogue cache on a worker, so the read overlaps connecting to the
    // window system and loading the QML. Arguments are read once the toolkit
    // has taken its own; one may name a page to preview, which never touches
    // the cache.
    std::optional<kavo::ApplicationSetup> setup;
    if (argc <= 1) setup = kavo::KavoApplication::applicationSetup();
    QGuiApplication application(argc, argv);
    const kavo::CommandLine commandLine = kavo::parseCommandLine(QCoreApplication::arguments());
    if (commandLine.exitCode) return exitAsAsked(commandLine);
    if (commandLine.page) setup = kavo::KavoApplication::previewSetup(*commandLine.page);
    else if (!setup) setup = kavo::KavoApplication::applicationSetup();
    QGuiApplication::setApplicationName(QStringLiteral("kavo"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("KAVO"));
    // The application id: the names of the installed desktop entry, icon and metainfo.
    QGuiApplication::setDesktopFileName(QStringLiteral("app.kavo.Kavo"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/kavo/icons/app.kavo.Kavo.svg")));
    // The screens in the system's language when the application has it; dates follow the locale through ICU.
    const kavo::Translations translations(QLocale::system());
    kavo::EnterPressesButtons enterPressesButtons;
    application.installEventFilter(&enterPressesButtons);
    QQuickStyle::setStyle(QStringLiteral("Material"));
    // Light or dark as the system is at start; QT_QUICK_CONTROLS_MATERIAL_THEME may pin it.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_CONTROLS_MATERIAL_THEME")) {
        qputenv("QT_QUICK_CONTROLS_MATERIAL_THEME", "System");
    }

    kavo::DesktopUrlOpener opener;
    kavo::SystemClipboard clipboard;
    kavo::KavoApplication root(std::move(*setup), opener, clipboard);
    QQmlApplicationEngine engine;
    QObject::connect(&engine, &QQmlApplicationEngine::objectCreationFailed, &application,
                     [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
    root.show(engine);
    return QGuiApplication::exec();
}
