// The way through the screens: the timed title screen, "Lesen", the
// instructions, the project data check, and the ways the program ends.

#include "support/gui_fixture.h"
#include "support/screen_test_case.h"
#include "support/screen_walk.h"

#include "ui/display_screen.h"

#include <QAction>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace hk;
using namespace hk::ui;
using namespace hk::ui::test;

class FlowTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void titleScreenGivesWayToProjectDataAfter2700ms() {
        Harness h(kProgramTitle);
        QSignalSpy left(&h.shell, &AppShell::titleLeft);
        QElapsedTimer clock;
        clock.start();
        h.shell.Start();
        Form1* title = h.shell.form1();
        QVERIFY(title->isVisible());
        QVERIFY(title->control(TitleControl::Lesen)->isHidden());
        QVERIFY(title->timer1().isActive());
        QVERIFY(!title->timer2().isActive());

        QTRY_VERIFY_WITH_TIMEOUT(!title->control(TitleControl::Lesen)->isHidden(), 2000);
        QVERIFY2(clock.elapsed() >= 480, "Lesen showed before half a second");
        QCOMPARE(left.count(), 0);

        QTRY_VERIFY_WITH_TIMEOUT(h.shell.form2() && h.shell.form2()->isVisible(), 5000);
        QVERIFY2(clock.elapsed() >= 2650, "the title screen left before 2.7 s");
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("Form2")});
        QCOMPARE(h.shell.form1(), nullptr);
        QCOMPARE(h.shell.form2()->focusWidget(), h.shell.form2()->control<QLineEdit>(PersDat(1)));
        QCOMPARE(left.count(), 1);
    }

    // Later ticks of Timer1 find Timer2 counting and leave it running.
    void laterTicksDoNotRestartTimer2() {
        Harness h(kProgramTitle);
        h.shell.Start();
        QPointer<Form1> title = h.shell.form1();
        QTRY_VERIFY_WITH_TIMEOUT(title->timer2().isActive(), 2000);
        QTest::qWait(700); // Timer1 ticks again at 1 s
        QVERIFY(title);    // Timer2 (2.7 s) has not fired yet
        // Started at the first tick, it has 2.2 s - 0.7 s left; restarted by
        // the second tick it would have about 2 s.
        QVERIFY2(title->timer2().remainingTime() <= 1800,
                 qPrintable(QString::number(title->timer2().remainingTime())));
    }

    void lesenShowsInstructionsAndStopsTheAutomaticChange() {
        Harness h;
        QSignalSpy left(&h.shell, &AppShell::titleLeft);
        h.shell.Start();
        QPushButton* lesen = h.shell.form1()->control<QPushButton>(TitleControl::Lesen);
        QTRY_VERIFY_WITH_TIMEOUT(!lesen->isHidden(), 2000);
        QVERIFY(h.shell.form1()->timer2().isActive()); // the change was on its way
        QCOMPARE(left.count(), 0);
        QTest::mouseClick(lesen, Qt::LeftButton);
        QCOMPARE(left.count(), 1);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("frmAnzeigeLesen")});
        QCOMPARE(h.shell.form1(), nullptr);

        // Well past the moment Timer2 would have fired.
        QTest::qWait(2 * (kQuickTitle.timer1 + kQuickTitle.timer2));
        QCOMPARE(h.shell.form2(), nullptr);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("frmAnzeigeLesen")});

        QTest::mouseClick(h.shell.anzeigeLesen()->control(InstructionsControl::cdmWeiter),
                          Qt::LeftButton);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("Form2")});
        QVERIFY(h.shell.anzeigeLesen()); // hidden, not unloaded
    }

    void missingProjectDataKeepsTheTypedTexts() {
        Harness h;
        QVERIFY(WalkToForm2(h));
        Form2* f2 = h.shell.form2();
        QVERIFY(QTest::qWaitForWindowActive(f2));
        f2->control<QLineEdit>(PersDat(4))->setFocus();
        TypeText(f2->control<QLineEdit>(PersDat(4)), QStringLiteral("Müller"));
        QTest::keyClicks(f2->control<QLineEdit>(PersDat(11)), QStringLiteral("0711 1234"));
        QTest::mouseClick(f2->control(HeaderControl::cmdWeiter), Qt::LeftButton);

        QCOMPARE(h.messages.shown.size(), 1u);
        QCOMPARE(h.messages.shown[0], (Message{"", "Eingabe fehlt", MsgIcon::Exclamation}));
        QCOMPARE(h.messages.parents[0], f2);
        QCOMPARE(h.shell.form3(), nullptr);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("Form2")});
        QCOMPARE(f2->control<QLineEdit>(PersDat(4))->text(), QStringLiteral("Müller"));
        QCOMPARE(f2->control<QLineEdit>(PersDat(11))->text(), QStringLiteral("0711 1234"));
        QCOMPARE(QApplication::focusWidget(), f2->control<QLineEdit>(PersDat(1)));
        QCOMPARE(h.state.header[4], "Müller");
        QCOMPARE(h.state.header[11], "0711 1234");
    }

    void oneOfTheFirstThreeFieldsOpensTheCalculation_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("project number") << 1 << QStringLiteral("4711");
        QTest::newRow("person in charge only") << 2 << QStringLiteral("Kurz");
        QTest::newRow("date only") << 3 << QStringLiteral("1.2.2024");
        QTest::newRow("a single blank") << 1 << QStringLiteral(" ");
    }
    void oneOfTheFirstThreeFieldsOpensTheCalculation() {
        QFETCH(int, field);
        QFETCH(QString, text);
        Harness h;
        QVERIFY(WalkToForm2(h));
        Form2* f2 = h.shell.form2();
        QTest::keyClicks(f2->control<QLineEdit>(PersDat(field)), text);
        QTest::mouseClick(f2->control(HeaderControl::cmdWeiter), Qt::LeftButton);

        QVERIFY(h.messages.shown.empty());
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("Form3")});
        QCOMPARE(f2->control<QLineEdit>(PersDat(field))->text(), text); // hidden with its texts
        QCOMPARE(h.state.header[field], text.toStdString());
        QCOMPARE(h.state.LfNr, 1);
        QCOMPARE(h.state.dNorm, 60);
    }

    void exitEndsTheProgram_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("how"); // menu item name, "Ctrl+<key>" or "frame"
        QTest::newRow("project data B&eenden") << "Form2"
                                               << "mnuItemExit";
        QTest::newRow("project data Ctrl+E") << "Form2"
                                             << "Ctrl+E";
        QTest::newRow("project data frame") << "Form2"
                                            << "frame";
        QTest::newRow("calculation B&enden") << "Form3"
                                             << "mnuExitItem";
        QTest::newRow("calculation Ctrl+B") << "Form3"
                                            << "Ctrl+B";
        QTest::newRow("calculation frame") << "Form3"
                                           << "frame";
        QTest::newRow("project data Ctrl+E typed in a box") << "Form2"
                                                            << "box Ctrl+E";
        QTest::newRow("calculation Ctrl+B typed in a box") << "Form3"
                                                           << "box Ctrl+B";
        QTest::newRow("instructions frame") << "frmAnzeigeLesen"
                                            << "frame";
        QTest::newRow("title frame") << "Form1"
                                     << "frame";
        QTest::newRow("loaded data frame") << "frmForm4"
                                           << "frame";
    }
    void exitEndsTheProgram() {
        QFETCH(QString, screen);
        QFETCH(QString, how);
        Harness h;
        QWidget* target = nullptr;
        if (screen == QStringLiteral("Form1")) {
            h.shell.Start();
            target = h.shell.form1();
        } else if (screen == QStringLiteral("frmAnzeigeLesen")) {
            h.shell.Start();
            QTRY_VERIFY_WITH_TIMEOUT(
                !h.shell.form1()->control<QPushButton>(TitleControl::Lesen)->isHidden(), 2000);
            QTest::mouseClick(h.shell.form1()->control<QPushButton>(TitleControl::Lesen),
                              Qt::LeftButton);
            target = h.shell.anzeigeLesen();
        } else if (screen == QStringLiteral("frmForm4")) {
            QVERIFY(WalkToForm2(h));
            Trigger(h.shell.form2(), "mnuItemOpen"); // cancelled: an empty display
            target = h.shell.form4();
        } else if (screen == QStringLiteral("Form2")) {
            QVERIFY(WalkToForm2(h));
            target = h.shell.form2();
        } else {
            QVERIFY(WalkToForm3(h));
            target = h.shell.form3();
        }
        QVERIFY(QTest::qWaitForWindowActive(target));

        if (how == QStringLiteral("frame")) {
            target->close();
        } else if (how.startsWith(QStringLiteral("Ctrl+"))) {
            QTest::keyClick(target, how.back().toLatin1(), Qt::ControlModifier);
        } else if (how.startsWith(QStringLiteral("box Ctrl+"))) {
            // Text boxes have Ctrl keys of their own; the menu's go first.
            QLineEdit* box = target->findChild<QLineEdit*>();
            box->setFocus();
            QCOMPARE(QApplication::focusWidget(), box);
            QTest::keyClick(box, how.back().toLatin1(), Qt::ControlModifier);
        } else {
            auto* item = target->findChild<QAction*>(how);
            QVERIFY(item);
            item->trigger();
        }
        QCOMPARE(h.endCalls, 1);
        QCOMPARE(VisibleScreens(), QStringList{});
        if (h.shell.form1()) {
            QVERIFY(!h.shell.form1()->timer1().isActive());
        }
    }
};

QTEST_MAIN(FlowTest)
#include "flow_test.moc"
