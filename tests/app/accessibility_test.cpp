// SPDX-License-Identifier: GPL-3.0-or-later
// The real window as assistive technology sees it: every control it can act
// on has a name and an action, nothing decorative or empty is in its way, and
// moving through a list moves its focus row by row.
#include "app_harness.h"

#include <QAccessible>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QtQml/qqmlextensionplugin.h>
#include <QtTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

Q_IMPORT_QML_PLUGIN(KavoPlugin)

namespace {

QStringList focusEvents;

// What assistive technology would stumble on, as "role 'name': why", in the visible tree under `node`.
void audit(QAccessibleInterface* node, QStringList& problems)
{
    if (node == nullptr || node->state().invisible) return;
    const QString name = node->text(QAccessible::Name).trimmed();
    const QString where = QStringLiteral("%1 '%2': ").arg(node->role(), 0, 16).arg(name);
    switch (node->role()) {
    case QAccessible::Button:
    case QAccessible::ListItem:
    case QAccessible::MenuItem:
    case QAccessible::Link:
        if (!node->actionInterface() || !node->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction())) {
            problems << where + "no press action";
        }
        [[fallthrough]];
    case QAccessible::EditableText:
    case QAccessible::PopupMenu:
    case QAccessible::Dialog:
    case QAccessible::List:
    case QAccessible::StaticText:
        if (name.isEmpty()) problems << where + "no name";
        break;
    case QAccessible::ScrollBar:
    case QAccessible::Indicator: problems << where + "decoration in the tree"; break;
    default: break;
    }
    for (int child = 0; child < node->childCount(); ++child) audit(node->child(child), problems);
}

// The first element named `name`, depth first, in the tree under `node`.
QAccessibleInterface* named(QAccessibleInterface* node, const QString& name)
{
    if (node->text(QAccessible::Name) == name) return node;
    for (int child = 0; child < node->childCount(); ++child) {
        if (QAccessibleInterface* found = named(node->child(child), name)) return found;
    }
    return nullptr;
}

/// The application's own window with history and a favourite, as wide as asked.
struct Started {
    explicit Started(int width)
    {
        app.root().show(engine);
        window = qobject_cast<QQuickWindow*>(engine.rootObjects().value(0));
        window->resize(width, 820);
        if (!QTest::qWaitForWindowExposed(window) || !app.waitUntilLoaded()) qFatal("no window or no catalogue");
        app.addHistory("Alpha Films", "https://alpha.example.org/");
        app.addFavorite("Delta Sounds", "https://delta.example.org/");
        QTest::qWait(50);
    }
    QObject* find(const char* name) const { return window->findChild<QObject*>(name); }
    QString problems() const
    {
        QStringList found;
        audit(QAccessible::queryAccessibleInterface(window), found);
        return found.join("; ");
    }

    kavo::testing::TestApp app{QStringLiteral("packaged")};
    QQmlApplicationEngine engine;
    QQuickWindow* window = nullptr;
};

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // As when a screen reader runs: the platform's accessibility is on.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::Focus) focusEvents << event->accessibleInterface()->text(QAccessible::Name);
        });
        QVERIFY(QAccessible::isActive());
    }

    void everyScreenNamesWhatCanBeDone()
    {
        const Started started(1280); // both panes in one tree
        QCOMPARE(started.problems(), QString());
        // A category beside the list, then each popup over it.
        QObject* navigator = started.find("navigator");
        QMetaObject::invokeMethod(navigator, "open", Q_ARG(int, 7)); // "Streaming Video", after three headers and two rows
        QTRY_VERIFY(navigator->property("isOpen").toBool());
        QCOMPARE(started.problems(), QString());
        QObject* entry = named(QAccessible::queryAccessibleInterface(started.window), QStringLiteral("Beta Archive"))->object();
        QCOMPARE(entry->objectName(), QStringLiteral("entry_Beta Archive"));
        for (const char* open : {"showContextMenu", "openRelatedLinks"}) {
            QMetaObject::invokeMethod(entry, open, Q_ARG(QVariant, true));
            QTest::qWait(300);
            QCOMPARE(started.problems(), QString());
            QTest::keyClick(started.window, Qt::Key_Escape);
            QTest::qWait(300);
        }
        QMetaObject::invokeMethod(started.find("popups"), "share", Q_ARG(QVariant, "Beta Archive"),
                                  Q_ARG(QVariant, "https://beta.example.org/"));
        QTRY_VERIFY(started.find("shareSheet")->property("opened").toBool());
        QCOMPARE(started.problems(), QString());
        QTest::keyClick(started.window, Qt::Key_Escape);
        QTRY_VERIFY(!started.find("shareSheet")->property("visible").toBool());

        started.find("mainPage")->setProperty("showSettings", true);
        QTRY_VERIFY(started.find("settingsSheet") && started.find("settingsSheet")->property("opened").toBool());
        QCOMPARE(started.problems(), QString());
        started.find("settingsSheet")->setProperty("showClearCacheAlert", true);
        QTRY_VERIFY(started.find("clearCacheAlert")->property("opened").toBool() && started.problems().isEmpty());
    }

    void movingTheCurrentRowMovesTheFocus()
    {
        Started started(480);
        // A screen reader's press does what a click does.
        QAccessibleInterface* refresh = named(QAccessible::queryAccessibleInterface(started.window), QStringLiteral("Refresh"));
        refresh->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(started.app.root().dataService().isLoading());
        QMetaObject::invokeMethod(started.find("searchField"), "forceActiveFocus");
        focusEvents.clear();
        // Recently Viewed, Favorites, then the categories: each arrow announces its row.
        for (int step = 0; step < 4; ++step) QTest::keyClick(started.window, Qt::Key_Down);
        QCOMPARE(focusEvents, (QStringList{"Alpha Films", "Delta Sounds", "Empty Category", "Music"}));
        // A category opened with the keyboard announces its first entry; its menu, by the Menu key, its first item.
        QTest::keyClick(started.window, Qt::Key_Down);
        QTest::keyClick(started.window, Qt::Key_Return);
        QTRY_COMPARE(focusEvents.value(focusEvents.size() - 1), QStringLiteral("Alpha Films"));
        QTest::keyClick(started.window, Qt::Key_Menu);
        QTRY_COMPARE(focusEvents.value(focusEvents.size() - 1), QStringLiteral("Open"));
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Material"));
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "accessibility_test.moc"
