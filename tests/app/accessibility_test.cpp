// SPDX-License-Identifier: GPL-3.0-or-later
// The real window as assistive technology sees it: every control it can act
// on has a name and an action, nothing decorative or empty is in its way, and
// moving through a list moves its focus row by row.
#include "app_harness.h"

#include <QAccessible>
#include <QQuickItem>
#include <QQuickWindow>
#include <QQuickStyle>
#include <QtQml/qqmlextensionplugin.h>
#include <QtTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

Q_IMPORT_QML_PLUGIN(KavoPlugin)

using kavo::testing::TestApp;

namespace {

QStringList focusEvents;

void recordFocus(QAccessibleEvent* event)
{
    if (event->type() != QAccessible::Focus) return;
    if (QAccessibleInterface* focused = event->accessibleInterface()) focusEvents << focused->text(QAccessible::Name);
}

// What assistive technology would stumble on, as "role 'name': why", for the visible tree under `node`.
void audit(QAccessibleInterface* node, QStringList& problems)
{
    if (node == nullptr || node->state().invisible) return;
    const QAccessible::Role role = node->role();
    const QString name = node->text(QAccessible::Name);
    const QStringList actions = node->actionInterface() ? node->actionInterface()->actionNames() : QStringList();
    const QString where = QStringLiteral("%1 '%2'").arg(role, 0, 16).arg(name);
    switch (role) {
    case QAccessible::Button:
    case QAccessible::ListItem:
    case QAccessible::MenuItem:
    case QAccessible::Link:
        if (name.trimmed().isEmpty()) problems << where + QStringLiteral(": no name");
        if (!actions.contains(QAccessibleActionInterface::pressAction())) problems << where + QStringLiteral(": no press action");
        break;
    case QAccessible::EditableText:
    case QAccessible::PopupMenu:
    case QAccessible::Dialog:
    case QAccessible::List:
        if (name.trimmed().isEmpty()) problems << where + QStringLiteral(": no name");
        break;
    case QAccessible::StaticText:
        if (name.trimmed().isEmpty()) problems << where + QStringLiteral(": empty text in the tree");
        break;
    case QAccessible::ScrollBar:
    case QAccessible::Indicator:
        problems << where + QStringLiteral(": decoration in the tree");
        break;
    default:
        break;
    }
    for (int child = 0; child < node->childCount(); ++child) audit(node->child(child), problems);
}

// An item anywhere in the window's visual tree (list rows are not QObject children of the window).
QQuickItem* findItem(QQuickItem* item, const QString& name)
{
    if (item->objectName() == name) return item;
    for (QQuickItem* child : item->childItems()) {
        if (QQuickItem* found = findItem(child, name)) return found;
    }
    return nullptr;
}

} // namespace

#define EXPECT_NOTHING_IN_THE_WAY(window)                                                              \
    do {                                                                                                \
        const QStringList found = problems(window);                                                     \
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));                        \
    } while (false)

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyScreenNamesWhatCanBeDone();
    void movingTheCurrentRowMovesTheFocus();

private:
    struct Started {
        std::unique_ptr<TestApp> app;
        std::unique_ptr<QQmlApplicationEngine> engine;
        QQuickWindow* window = nullptr;
    };
    Started start(int width);
    QStringList problems(QQuickWindow* window) const;
};

void AccessibilityTest::initTestCase()
{
    // As when a screen reader runs: the platform's accessibility is on.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    QAccessible::installUpdateHandler(recordFocus);
    QVERIFY(QAccessible::isActive());
}

AccessibilityTest::Started AccessibilityTest::start(int width)
{
    Started started;
    started.app = std::make_unique<TestApp>(QStringLiteral("packaged"));
    started.engine = std::make_unique<QQmlApplicationEngine>();
    started.app->root().show(*started.engine);
    started.window = qobject_cast<QQuickWindow*>(started.engine->rootObjects().value(0));
    if (started.window == nullptr) qFatal("no window");
    started.window->resize(width, 820);
    if (!QTest::qWaitForWindowExposed(started.window)) qFatal("the window never showed");
    if (!started.app->waitUntilLoaded()) qFatal("no catalogue");
    started.app->addHistory("Alpha Films", "https://alpha.example.org/");
    started.app->addFavorite("Delta Sounds", "https://delta.example.org/");
    QTest::qWait(50);
    return started;
}

QStringList AccessibilityTest::problems(QQuickWindow* window) const
{
    QStringList found;
    audit(QAccessible::queryAccessibleInterface(window), found);
    return found;
}

void AccessibilityTest::everyScreenNamesWhatCanBeDone()
{
    const Started started = start(1280); // both panes in one tree
    QObject* view = started.window->findChild<QObject*>("mainPage");
    QObject* navigator = started.window->findChild<QObject*>("navigator");
    QVERIFY(view && navigator);
    EXPECT_NOTHING_IN_THE_WAY(started.window);

    // A category beside the list, then each popup over it.
    QMetaObject::invokeMethod(navigator, "open", Q_ARG(int, 7)); // "Streaming Video", after three headers and two rows
    QTRY_VERIFY(navigator->property("isOpen").toBool());
    EXPECT_NOTHING_IN_THE_WAY(started.window);
    QObject* entry = findItem(started.window->contentItem(), QStringLiteral("entry_Beta Archive"));
    QVERIFY(entry);
    for (const char* open : {"showContextMenu", "openRelatedLinks"}) {
        QMetaObject::invokeMethod(entry, open, Q_ARG(QVariant, true));
        QTest::qWait(300);
        EXPECT_NOTHING_IN_THE_WAY(started.window);
        QTest::keyClick(started.window, Qt::Key_Escape);
        QTest::qWait(300);
    }
    QMetaObject::invokeMethod(started.window->findChild<QObject*>("popups"), "share", Q_ARG(QVariant, "Beta Archive"),
                              Q_ARG(QVariant, "https://beta.example.org/"));
    QObject* share = started.window->findChild<QObject*>("shareSheet");
    QTRY_VERIFY(share->property("opened").toBool());
    EXPECT_NOTHING_IN_THE_WAY(started.window);
    QTest::keyClick(started.window, Qt::Key_Escape);
    QTRY_VERIFY(!share->property("visible").toBool());

    view->setProperty("showSettings", true);
    QObject* settings = nullptr;
    QTRY_VERIFY((settings = started.window->findChild<QObject*>("settingsSheet")) && settings->property("opened").toBool());
    EXPECT_NOTHING_IN_THE_WAY(started.window);
    settings->setProperty("showClearCacheAlert", true);
    QTRY_VERIFY(started.window->findChild<QObject*>("clearCacheAlert")->property("opened").toBool());
    EXPECT_NOTHING_IN_THE_WAY(started.window);
}

void AccessibilityTest::movingTheCurrentRowMovesTheFocus()
{
    const Started started = start(480);
    QObject* field = started.window->findChild<QObject*>("searchField");
    QVERIFY(field);
    QMetaObject::invokeMethod(field, "forceActiveFocus");
    focusEvents.clear();
    // Recently Viewed, Favorites, then the categories: each arrow announces its row.
    for (int step = 0; step < 4; ++step) QTest::keyClick(started.window, Qt::Key_Down);
    QVERIFY2(focusEvents == (QStringList{"Alpha Films", "Delta Sounds", "Empty Category", "Music"}),
             qPrintable(focusEvents.join(QStringLiteral(", "))));

    // A category opened with the keyboard announces its first entry.
    QTest::keyClick(started.window, Qt::Key_Down);
    focusEvents.clear();
    QTest::keyClick(started.window, Qt::Key_Return);
    QTRY_COMPARE(focusEvents.value(focusEvents.size() - 1), QStringLiteral("Alpha Films"));
    // Its menu, by the Menu key, starts on its first item.
    focusEvents.clear();
    QTest::keyClick(started.window, Qt::Key_Menu);
    QTRY_COMPARE(focusEvents.value(focusEvents.size() - 1), QStringLiteral("Open"));
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Material"));
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "accessibility_test.moc"
