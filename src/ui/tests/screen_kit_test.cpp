// The parts every screen is built from: placements in twips, the menu
// helper and the controls by id.

#include "support/screen_test_case.h"

#include "ui/fonts.h"
#include "ui/screen_kit.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <stdexcept>

using namespace hk;
using namespace hk::ui;
using namespace hk::ui::test;

namespace {

enum class TestControl { Box, Button, NeverKept };

// A screen with two menus of the helper and two controls kept by id.
class MenuScreen : public Screen, public ControlMap<TestControl> {
public:
    MenuScreen() : Screen(QStringLiteral("MenuScreen"), QStringLiteral("Menüs"), 3000, 1500, 0, 0) {
        keep(TestControl::Box,
             addTextBox(QStringLiteral("box"), {150, 150, 1500, 288}, DefaultFont()));
        keep(TestControl::Button, addButton(QStringLiteral("button"), QStringLiteral("Los"),
                                            {150, 600, 1500, 372}, DefaultFont()));
        addMenu<MenuScreen>(QStringLiteral("mnuEins"), QStringLiteral("&Eins"),
                            {{"mnuA", "&Alpha", Qt::Key_L, &MenuScreen::alpha},
                             {"mnuB", "&Beta", Qt::Key_unknown, &MenuScreen::beta}});
        addMenu<MenuScreen>(QStringLiteral("mnuZwei"), QStringLiteral("&Zwei"),
                            {{"mnuC", "Ga&mma", Qt::Key_G, &MenuScreen::gamma}});
    }
    void alpha() { chosen += 'a'; }
    void beta() { chosen += 'b'; }
    void gamma() { chosen += 'c'; }

    QString chosen; // the items chosen, in order
};

} // namespace

class ScreenKitTest : public ScreenTestCase {
    Q_OBJECT
private slots:
    // Each value is rounded on its own to whole pixels (15 twips each).
    void twipsRoundEachValueOnItsOwn_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("nothing") << 0 << 0 << 0 << 0 << QRect(0, 0, 0, 0);
        QTest::newRow("7 twips down, 8 up") << 7 << 8 << 7 << 8 << QRect(0, 1, 0, 1);
        QTest::newRow("22 twips down, 23 up") << 22 << 23 << 22 << 23 << QRect(1, 2, 1, 2);
        QTest::newRow("whole pixels, every field apart")
            << 15 << 30 << 45 << 60 << QRect(1, 2, 3, 4);
        QTest::newRow("the calculation screen's frame")
            << 795 << 915 << 14835 << 8415 << QRect(53, 61, 989, 561);
        QTest::newRow("a text box of 288 twips")
            << 1290 << 2625 << 732 << 288 << QRect(86, 175, 49, 19);
    }
    void twipsRoundEachValueOnItsOwn() {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QRect, pixels);
        QCOMPARE(Twips({left, top, width, height}), pixels);
    }

    void menuHelperBuildsMenusAndItemsInOrder() {
        MenuScreen screen;
        const QList<QAction*> menus = screen.menuBar()->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QStringLiteral("&Eins"));
        QCOMPARE(menus[0]->menu()->objectName(), QStringLiteral("mnuEins"));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Zwei"));
        QCOMPARE(menus[1]->menu()->objectName(), QStringLiteral("mnuZwei"));

        const QList<QAction*> items = menus[0]->menu()->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0]->objectName(), QStringLiteral("mnuA"));
        QCOMPARE(items[0]->text(), QStringLiteral("&Alpha"));
        QCOMPARE(items[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
        QCOMPARE(items[1]->objectName(), QStringLiteral("mnuB"));
        QCOMPARE(items[1]->text(), QStringLiteral("&Beta"));
        QVERIFY(items[1]->shortcut().isEmpty());
        QCOMPARE(menus[1]->menu()->actions().front()->text(), QStringLiteral("Ga&mma"));
    }

    // Each item runs its own member, by choice and by its Ctrl key.
    void menuItemsRunTheirMembers() {
        MenuScreen screen;
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        screen.findChild<QAction*>(QStringLiteral("mnuB"))->trigger();
        screen.findChild<QAction*>(QStringLiteral("mnuA"))->trigger();
        QCOMPARE(screen.chosen, QStringLiteral("ba"));
        screen.control(TestControl::Box)->setFocus();
        QTest::keyClick(screen.control(TestControl::Box), Qt::Key_G, Qt::ControlModifier);
        QTest::keyClick(screen.control(TestControl::Box), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(screen.chosen, QStringLiteral("baca"));
        QCOMPARE(screen.control<QLineEdit>(TestControl::Box)->text(), QString());
    }

    void controlsByIdAsTheirType() {
        MenuScreen screen;
        auto* box = screen.findChild<QLineEdit*>(QStringLiteral("box"));
        auto* button = screen.findChild<QPushButton*>(QStringLiteral("button"));
        QVERIFY(box && button);
        QCOMPARE(screen.control(TestControl::Box), box);
        QCOMPARE(screen.control<QLineEdit>(TestControl::Box), box);
        QCOMPARE(screen.control<QPushButton>(TestControl::Button), button);
        // Asked as a type it is not: no widget rather than a wrong one.
        QCOMPARE(screen.control<QPushButton>(TestControl::Box), nullptr);
        QCOMPARE(screen.control<QLineEdit>(TestControl::Button), nullptr);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, screen.control(TestControl::NeverKept));
    }
};

QTEST_MAIN(ScreenKitTest)
#include "screen_kit_test.moc"
