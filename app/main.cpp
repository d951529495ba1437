// SPDX-License-Identifier: GPL-3.0-or-later
// KAVO: a browsable, searchable catalogue of free media resources.
#include "app/kavo_application.h"
#include "app/translations.h"
#include "platform/memory_policy.h"
#include "screens/qt/enter_presses_buttons.h"

#include <QGuiApplication>
#include <QIcon>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(KavoPlugin)

int main(int argc, char** argv)
{
    kavo::returnLargeFreedBlocksToSystem();
    // First of all: this starts reading the catalogue cache on a worker, so
    // the read overlaps connecting to the window system and loading the QML.
    kavo::ApplicationSetup setup = kavo::KavoApplication::applicationSetup();
    QGuiApplication application(argc, argv);
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
    kavo::KavoApplication root(std::move(setup), opener, clipboard);
    QQmlApplicationEngine engine;
    QObject::connect(&engine, &QQmlApplicationEngine::objectCreationFailed, &application,
                     [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
    root.show(engine);
    return QGuiApplication::exec();
}
