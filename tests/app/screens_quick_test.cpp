// SPDX-License-Identifier: GPL-3.0-or-later
// Qt Quick Test of the real screens with the real services on temporary
// directories. Any QML warning fails the test that caused it. The screens
// speak the system's language, as the application does: CTest pins it.
#include "app/translations.h"
#include "app_harness.h"
#include "screens/qt/enter_presses_buttons.h"
#include "screens/qt/symbol_font.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest>

#include <optional>

Q_IMPORT_QML_PLUGIN(KavoPlugin)

class Setup : public QObject {
    Q_OBJECT
public slots:
    void applicationAvailable()
    {
        QQuickStyle::setStyle(QStringLiteral("Material"));
        qputenv("QT_QUICK_CONTROLS_MATERIAL_THEME", "Light");
        kavo::Symbols::loadFont();
        translations_.emplace(QLocale::system());
        QCoreApplication::instance()->installEventFilter(&enterPressesButtons_);
    }
    void qmlEngineAvailable(QQmlEngine* engine)
    {
        engine->addImportPath(QStringLiteral("qrc:/qt/qml"));
        engine->rootContext()->setContextProperty(QStringLiteral("harness"), &harness_);
    }

private:
    kavo::testing::AppHarness harness_;
    kavo::EnterPressesButtons enterPressesButtons_;
    std::optional<kavo::Translations> translations_;
};

QUICK_TEST_MAIN_WITH_SETUP(screens, Setup)
#include "screens_quick_test.moc"
