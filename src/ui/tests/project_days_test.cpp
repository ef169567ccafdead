// A project over days through the screens: a saved project loaded, taken up
// on the calculation screen, corrected, continued and saved again; the
// question before ending with unsaved radiators; the save dialog's suffix;
// the copy of unsaved work a killed program leaves, offered at the next start.

#include "support/gui_fixture.h"
#include "support/samples.h"
#include "support/screen_test_case.h"
#include "support/screen_walk.h"

#include "ui/correction_window.h"
#include "ui/display_screen.h"
#include "ui/qt_services.h"
#include "ui/termination_watch.h"

#include "project/recovery.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>

#include <csignal>

using namespace hk;
using namespace hk::ui;
using namespace hk::ui::test;

namespace {

QString Box(Form3* f, CalcControl c) { return QString::fromStdString(f->text(c)); }

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) {
        ++n;
    }
    return n;
}

// Loads path on the project data screen; the display screen shows it.
bool Load(Harness& h, const QString& path) {
    if (!WalkToForm2(h)) {
        return false;
    }
    h.dialogs.answers = {path.toStdString()};
    QTest::keyClick(h.shell.form2(), Qt::Key_L, Qt::ControlModifier);
    return h.shell.form4() && h.shell.form4()->isVisible() && h.messages.shown.empty();
}

// Types text into the cell's editor and commits it with Enter.
void EditCell(frmKorrigieren* w, int row, int column, const QString& text) {
    QTableView* t = w->control<QTableView>(CorrectionControl::grdKorrektur);
    const QModelIndex index = w->model()->index(row, column);
    t->setCurrentIndex(index);
    t->edit(index);
    auto* editor = t->findChild<QLineEdit*>(QStringLiteral("txtKorrektur"));
    QVERIFY(editor);
    editor->clear();
    TypeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits the editor's text in a queued call.
    QCoreApplication::processEvents();
}

QString Cell(frmKorrigieren* w, int row, int column) {
    return w->model()->index(row, column).data().toString();
}

} // namespace

class ProjectDaysTest : public ScreenTestCase {
    Q_OBJECT

    // Ctrl+K on the calculation screen; the window it opens.
    frmKorrigieren* OpenCorrection(Harness& h) {
        watch_.allow(QStringLiteral("frmKorrigieren"));
        QTest::keyClick(h.shell.form3(), Qt::Key_K, Qt::ControlModifier);
        auto* w = h.shell.form3()->findChild<frmKorrigieren*>();
        return w && QTest::qWaitForWindowExposed(w) ? w : nullptr;
    }

private slots:
    void extrasItemsSitOnTheirScreens() {
        SaveTwoRadiators(path("menu.TXT"));
        Harness h;
        QVERIFY(Load(h, path("menu.TXT")));
        auto* fortsetzen = Child<QAction>(h.shell.form4(), "mnuItemFortsetzen");
        QVERIFY(fortsetzen);
        QCOMPARE(fortsetzen->text(), QStringLiteral("Projekt &fortsetzen"));
        QVERIFY(fortsetzen->shortcut().isEmpty());
        QVERIFY(!Child<QAction>(h.shell.form4(), "mnuItemKorrigieren"));

        Trigger(h.shell.form4(), "mnuItemFortsetzen");
        auto* korrigieren = Child<QAction>(h.shell.form3(), "mnuItemKorrigieren");
        QVERIFY(korrigieren);
        QCOMPARE(korrigieren->text(), QStringLiteral("Heizkörper &korrigieren…"));
        QCOMPARE(korrigieren->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
        QVERIFY(!Child<QAction>(h.shell.form3(), "mnuItemFortsetzen"));
    }

    void continueCalculateSaveAndLoadEveryEntry() {
        const ProgramState day1 = SaveTwoRadiators(path("day1.TXT"));
        QCOMPARE(day1.LfNr, 2);

        Harness h;
        QVERIFY(Load(h, path("day1.TXT")));
        Trigger(h.shell.form4(), "mnuItemFortsetzen");
        Form3* f = h.shell.form3();
        QVERIFY(f && QTest::qWaitForWindowActive(f));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("Form3")});
        QCOMPARE(h.state.LfNr, 3);
        QCOMPARE(Box(f, CalcControl::txtAnzeige), QString::fromStdString(day1.ListingText));
        QCOMPARE(h.state.ListingText, day1.ListingText);
        QVERIFY(qobject_cast<QRadioButton*>(f->control(CalcControl::optDIN))->isChecked());
        QVERIFY(!f->control(CalcControl::optEN)->isEnabled());
        QCOMPARE(Box(f, CalcControl::txtdVorl), QStringLiteral("70"));
        QCOMPARE(Box(f, CalcControl::txtdRueckl), QStringLiteral("40"));
        for (int n = 1; n <= ProjectHeader::kFieldCount; ++n) {
            QCOMPARE(h.shell.form2()->control<QLineEdit>(PersDat(n))->text().toStdString(),
                     day1.header[n]);
        }

        CalculateOne(f, "3", "Flur");
        QVERIFY(h.messages.shown.empty());
        QVERIFY(h.state.Unsaved());
        h.dialogs.answers = {path("day2.TXT").toStdString()};
        QTest::keyClick(f, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(h.messages.shown.empty());
        QVERIFY(!h.state.Unsaved());

        Harness next;
        QVERIFY(Load(next, path("day2.TXT")));
        QCOMPARE(next.state.header, day1.header);
        QCOMPARE(next.state.LfNr, 3);
        QCOMPARE(next.state.dNorm, 60);
        for (int n = 1; n <= 2; ++n) {
            QVERIFY2(next.state.table.at(n) == day1.table.at(n), qPrintable(QString::number(n)));
        }
        QCOMPARE(next.state.table.at(3).RaumNr, "3");
        QCOMPARE(next.state.table.at(3).QHKNeu, 2200.0f);
        // One listing: one header block, the three lines, no growing gap.
        QCOMPARE(Count(next.state.ListingText, "H e i z"), 1);
        QCOMPARE(next.state.ListingText, h.state.ListingText + "\r\n");
        QVERIFY(next.state.ListingText.find("\r\n\r\n  3 ") == std::string::npos);
    }

    void correctEntryTwoOutputAndSaveIt() {
        Harness h;
        QVERIFY(WalkToForm3(h));
        Form3* f = h.shell.form3();
        CalculateOne(f, "1", "Flur");
        QTest::mouseClick(f->control(CalcControl::cmdNächster), Qt::LeftButton);
        CalculateOne(f, "2", "Bad");
        QTest::mouseClick(f->control(CalcControl::cmdNächster), Qt::LeftButton);
        h.dialogs.answers = {path("before.TXT").toStdString()};
        QTest::keyClick(f, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!h.state.Unsaved());
        const std::string listingBefore = h.state.ListingText;

        frmKorrigieren* w = OpenCorrection(h);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Heizkörper korrigieren"));
        // Entry 3, the one being worked on, has no calculation yet.
        QCOMPARE(w->model()->rowCount(), 2);
        QCOMPARE(Cell(w, 1, CorrectionModel::LfNr), QStringLiteral("2"));
        QCOMPARE(Cell(w, 1, CorrectionModel::QHKNeu), QStringLiteral("2200"));

        EditCell(w, 1, CorrectionModel::QRaum, QStringLiteral("1500"));
        QVERIFY(h.messages.shown.empty());
        QCOMPARE(Cell(w, 1, CorrectionModel::QRaum), QStringLiteral("1500"));
        QCOMPARE(Cell(w, 1, CorrectionModel::QHKNeu), QStringLiteral("3300"));
        QCOMPARE(h.state.table.at(2).QHKNeu, 3300.0f);
        QVERIFY(h.state.Unsaved());
        // The listing gained the corrected line of entry 2.
        QVERIFY(h.state.ListingText.starts_with(listingBefore));
        const std::string added = h.state.ListingText.substr(listingBefore.size());
        QVERIFY2(added.starts_with("  2 ") && added.find(" 3300 ") != std::string::npos &&
                     Count(added, "\r\n") == 1,
                 added.c_str());
        QCOMPARE(f->text(CalcControl::txtAnzeige), h.state.ListingText);

        w->close();
        f->activateWindow(); // as the window manager does when the window closes
        QVERIFY(QTest::qWaitForWindowActive(f));
        h.dialogs.answers = {path("after.TXT").toStdString()};
        QTest::keyClick(f, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(FileBytes(path("after.TXT"))
                    .contains("\r\n2,70,40,\"2\",\"Bad\",20,1500,1.3,32.7,2.2,3300,"));
    }

    void refusedEditChangesNothing_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("supply 121") << int(CorrectionModel::dVorl) << "121"
                                    << "Nur Zahlen zwischen 120 und 50 eingeben";
        QTest::newRow("return above supply")
            << int(CorrectionModel::dRueckl) << "75"
            << "Vorlauftemperetur muss grösser als Rücklauftemperatur sein";
        QTest::newRow("room number letters") << int(CorrectionModel::RaumNr) << "12ab"
                                             << "Nur Zahlen zwischen 0001 und 9999 eingeben";
        QTest::newRow("room 31") << int(CorrectionModel::dRaum) << "31"
                                 << "Nur Zahlen zwischen 5 und 30 eingeben";
        QTest::newRow("output empty") << int(CorrectionModel::QRaum) << ""
                                      << "Nur Zahlen zwischen 10 und 99999 eingeben";
    }

    void refusedEditChangesNothing() {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Harness h;
        QVERIFY(WalkToOneRadiator(h));
        const ProgramState before = h.state;
        frmKorrigieren* w = OpenCorrection(h);
        QVERIFY(w);

        EditCell(w, 0, column, text);

        QCOMPARE(h.messages.shown.size(), 1u);
        QCOMPARE(QString::fromStdString(h.messages.shown[0].text), message);
        QCOMPARE(h.messages.shown[0].title, "Eingabeberichtigung");
        QVERIFY(h.state == before);
        QCOMPARE(h.shell.form3()->text(CalcControl::txtAnzeige), before.ListingText);
        w->close();
    }

    void typeFromTheDropDownAndUndoWithCtrlZ() {
        Harness h;
        QVERIFY(WalkToOneRadiator(h));
        const ProgramState before = h.state;
        frmKorrigieren* w = OpenCorrection(h);
        QVERIFY(w);

        const QModelIndex index = w->model()->index(0, CorrectionModel::HkTyp);
        w->control<QTableView>(CorrectionControl::grdKorrektur)->setCurrentIndex(index);
        w->control<QTableView>(CorrectionControl::grdKorrektur)->edit(index);
        auto* combo = w->control<QTableView>(CorrectionControl::grdKorrektur)
                          ->findChild<QComboBox*>(QStringLiteral("cboHkTyp"));
        QVERIFY(combo);
        QCOMPARE(combo->count(), 44);
        QCOMPARE(combo->currentIndex(), 2); // the type chosen on the calculation screen
        combo->setCurrentIndex(43);
        QTest::keyClick(combo, Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(h.messages.shown.empty());
        QCOMPARE(h.state.table.at(1).HkTyp, "Plan Flach-Hk BH 900 Typ 33  ");
        QCOMPARE(h.state.table.at(1).Exponent, 1.32f);
        QVERIFY(h.state.ListingText.size() > before.ListingText.size());

        QTest::keyClick(w->control<QTableView>(CorrectionControl::grdKorrektur), Qt::Key_Z,
                        Qt::ControlModifier);
        QVERIFY(h.state == before);
        QCOMPARE(h.shell.form3()->text(CalcControl::txtAnzeige), before.ListingText);
        QCOMPARE(Cell(w, 0, CorrectionModel::HkTyp),
                 QString::fromStdString(before.table.at(1).HkTyp));
        w->close();
    }

    // Qt's own model checks watch the table through an edit, its undo and a
    // reopening with one entry more.
    void correctionModelStaysConsistentWhileRowsChange() {
        Harness h;
        QVERIFY(WalkToOneRadiator(h));
        Form3* f = h.shell.form3();
        QPointer<frmKorrigieren> w = OpenCorrection(h);
        QVERIFY(w);
        {
            QAbstractItemModelTester tester(w->model(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
            EditCell(w, 0, CorrectionModel::QRaum, QStringLiteral("1500"));
            QCOMPARE(Cell(w, 0, CorrectionModel::QRaum), QStringLiteral("1500"));
            w->model()->undo();
            QCOMPARE(Cell(w, 0, CorrectionModel::QRaum), QStringLiteral("1000"));
        }
        w->close();
        QVERIFY(QTest::qWaitFor([&] { return w.isNull(); }));
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));

        QTest::mouseClick(f->control(CalcControl::cmdNächster), Qt::LeftButton);
        CalculateOne(f, "2", "Bad");
        w = OpenCorrection(h);
        QVERIFY(w);
        QAbstractItemModelTester tester(w->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(w->model()->rowCount(), 2);
        EditCell(w, 1, CorrectionModel::QRaum, QStringLiteral("1500"));
        QCOMPARE(Cell(w, 1, CorrectionModel::QHKNeu), QStringLiteral("3300"));
        w->close();
    }

    void endingAsksOnlyWithUnsavedWork_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("calculate");
        QTest::addColumn<bool>("save");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("ends");
        using L = QList<bool>;
        QTest::newRow("Ctrl+B unsaved, Abbrechen keeps running")
            << "Form3"
            << "Ctrl+B" << true << false << L{false} << 1 << 0;
        QTest::newRow("Ctrl+B unsaved, Beenden ends")
            << "Form3"
            << "Ctrl+B" << true << false << L{true} << 1 << 1;
        QTest::newRow("frame unsaved, Abbrechen keeps running")
            << "Form3"
            << "frame" << true << false << L{false} << 1 << 0;
        QTest::newRow("frame unsaved, Beenden ends")
            << "Form3"
            << "frame" << true << false << L{true} << 1 << 1;
        QTest::newRow("Ctrl+B after saving ends at once")
            << "Form3"
            << "Ctrl+B" << true << true << L{} << 0 << 1;
        QTest::newRow("Ctrl+B nothing calculated ends at once")
            << "Form3"
            << "Ctrl+B" << false << false << L{} << 0 << 1;
        QTest::newRow("Form2 Ctrl+E ends at once") << "Form2"
                                                   << "Ctrl+E" << false << false << L{} << 0 << 1;
    }

    void endingAsksOnlyWithUnsavedWork() {
        QFETCH(QString, screen);
        QFETCH(QString, how);
        QFETCH(bool, calculate);
        QFETCH(bool, save);
        QFETCH(QList<bool>, answers);
        QFETCH(int, questions);
        QFETCH(int, ends);
        Harness h;
        QWidget* target = nullptr;
        if (screen == QStringLiteral("Form2")) {
            QVERIFY(WalkToForm2(h));
            target = h.shell.form2();
        } else {
            QVERIFY(WalkToForm3(h));
            target = h.shell.form3();
            if (calculate) {
                CalculateOne(h.shell.form3(), "1", "Flur");
            }
            if (save) {
                h.dialogs.answers = {path("saved.TXT").toStdString()};
                QTest::keyClick(target, Qt::Key_S, Qt::ControlModifier);
            }
        }
        h.messages.answers.assign(answers.cbegin(), answers.cend());

        if (how == QStringLiteral("frame")) {
            target->close();
        } else {
            QTest::keyClick(target, how.back().toLatin1(), Qt::ControlModifier);
        }

        QCOMPARE(int(h.messages.asked.size()), questions);
        if (questions > 0) {
            const Question& q = h.messages.asked[0];
            QCOMPARE(q.text, "Das Projekt enthält ungespeicherte Heizkörper. Trotzdem beenden?");
            QCOMPARE(q.confirm, "Beenden");
            QCOMPARE(q.cancel, "Abbrechen");
        }
        QCOMPARE(h.endCalls, ends);
        QCOMPARE(target->isVisible(), ends == 0);
    }

    // The real question box: "Abbrechen" is the default and Escape's.
    void questionBoxDefaultsToAbbrechen_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("Enter") << "Enter" << false;
        QTest::newRow("Escape") << "Escape" << false;
        QTest::newRow("click Abbrechen") << "Abbrechen" << false;
        QTest::newRow("click Beenden") << "Beenden" << true;
    }

    void questionBoxDefaultsToAbbrechen() {
        QFETCH(QString, action);
        QFETCH(bool, confirmed);
        watch_.allow(QStringLiteral("msgFrage"));
        QString shown;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) {
                return;
            }
            poll.stop();
            shown = box->text() + QLatin1Char('|') + box->defaultButton()->text();
            if (action == QStringLiteral("Enter")) {
                QTest::keyClick(box, Qt::Key_Return);
            } else if (action == QStringLiteral("Escape")) {
                QTest::keyClick(box, Qt::Key_Escape);
            }
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == action) {
                    QTest::mouseClick(b, Qt::LeftButton);
                }
            }
        });
        poll.start(20);
        QtMessageBoxes boxes;
        const bool answer =
            boxes.ask(nullptr, {"Trotzdem beenden?", "", "Beenden", "Abbrechen", ""});
        QCOMPARE(shown, QStringLiteral("Trotzdem beenden?|Abbrechen"));
        QCOMPARE(answer, confirmed);
    }

    void saveDialogAddsTheFiltersSuffix_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("no extension") << "projekt" << 0 << "projekt.TXT";
        QTest::newRow("no extension, DAT filter") << "projekt" << 1 << "projekt.DAT";
        QTest::newRow("small txt kept") << "projekt.txt" << 0 << "projekt.txt";
        QTest::newRow("other extension kept") << "projekt.bak" << 0 << "projekt.bak";
        QTest::newRow("DAT kept under TXT filter") << "alt.DAT" << 0 << "alt.DAT";
    }

    void saveDialogAddsTheFiltersSuffix() {
        QFETCH(QString, typed);
        QFETCH(int, filter);
        QFETCH(QString, chosen);
        const auto dialog = MakeSaveDialog(nullptr, SaveFilters());
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setDirectory(dir_.path());
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        const QString wanted = dialog->nameFilters().at(filter);
        dialog->selectNameFilter(wanted);
        emit dialog->filterSelected(wanted);
        dialog->selectFile(typed);
        QCOMPARE(dialog->selectedFiles(), QStringList{dir_.filePath(chosen)});
    }

    // A program that ended on a signal left its copy; the next start asks.
    // Enter restores (the project goes on unsaved on the calculation
    // screen, under this program's copy); "Verwerfen" removes the copy; a
    // damaged copy is told once and set aside. Either way the start goes on.
    void startOffersTheCopyOfAProgramThatWasEnded() {
        QTemporaryDir folder;
        const std::string copy = RecoveryCopyName(folder.path().toStdString(), 99999991);
        ProgramState left = hk::test::CheckProject();
        left.ProjectFile = path("HAUS.TXT").toStdString();
        left.Changed();
        const auto bytes = RecoveryBytes(left, "09.12.2026, 14:32");
        QVERIFY(bytes);
        const std::string mine = RecoveryCopyName(folder.path().toStdString(), CurrentProcessId());
        struct Case {
            const char* name;
            std::string bytes;
            std::deque<bool> answers;
            bool restored;
        };
        for (const Case& c :
             {Case{"Wiederherstellen", *bytes, {}, true}, Case{"Verwerfen", *bytes, {true}, false},
              Case{"beschädigt", bytes->substr(0, 100), {}, false}}) {
            hk::test::Spit(copy, c.bytes);
            Harness h(nullptr, kQuickTitle, folder.path().toStdString());
            h.messages.answers = c.answers;
            h.shell.Start();
            QVERIFY2(!QFile::exists(QString::fromStdString(copy)), c.name);
            QCOMPARE(h.shell.form3() != nullptr, c.restored);
            QCOMPARE(h.shell.form1() != nullptr, !c.restored);
            QCOMPARE(QFile::exists(QString::fromStdString(mine)), c.restored);
            if (c.restored) {
                QCOMPARE(h.messages.asked.size(), 1u);
                QCOMPARE(h.messages.asked[0].text,
                         std::string("Ungesicherte Heizkörper vom 09.12.2026, 14:32 "
                                     "wiederherstellen?"));
                QCOMPARE(h.state.LfNr, 4); // the next radiator after the three
                QCOMPARE(h.state.ProjectFile, left.ProjectFile);
                QVERIFY(h.state.ProjectUnsaved());
                h.messages.answers = {true}; // "Beenden": the user gives it up
                emit h.shell.form3()->mnuExitItemTriggered();
                QCOMPARE(h.endCalls, 1);
                QVERIFY(!QFile::exists(QString::fromStdString(mine)));
            } else if (c.answers.empty()) {
                QCOMPARE(h.messages.shown.size(), 1u);
                QVERIFY(QFile::exists(QString::fromStdString(copy + ".beschädigt")));
            }
        }
    }

    // SIGTERM (a logout) reaches the event loop, where the copy is written.
    void terminationWritesTheCopyOnceMore() {
        QTemporaryDir folder;
        Harness h(nullptr, kQuickTitle, folder.path().toStdString());
        h.state = hk::test::CheckProject();
        h.state.Changed();
        int arrived = 0;
        TerminationWatch watch([&](int signal) {
            arrived = signal;
            h.shell.KeepRecoveryCopy(false);
        });
        std::raise(SIGTERM);
        QTRY_COMPARE(arrived, SIGTERM);
        QVERIFY(QFile::exists(QString::fromStdString(
            RecoveryCopyName(folder.path().toStdString(), CurrentProcessId()))));
    }
};

QTEST_MAIN(ProjectDaysTest)
#include "project_days_test.moc"
