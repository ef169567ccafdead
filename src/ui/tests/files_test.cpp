// Saving and loading through the screens with a fake file dialog, the
// display screen of a loaded project and the way back from it, printing the
// loaded project, and the filters of the real file dialog.

#include "support/gui_fixture.h"
#include "support/screen_test_case.h"
#include "support/screen_walk.h"

#include "ui/display_screen.h"
#include "ui/qt_services.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>

using namespace hk;
using namespace hk::ui;
using namespace hk::ui::test;

class FilesTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void saveAsksWithTheSaveFiltersAndWritesTheFile() {
        Harness h;
        QVERIFY(WalkToOneRadiator(h));
        h.dialogs.answers = {path("one.TXT").toStdString()};
        Trigger(h.shell.form3(), "mnuItemSave");

        QCOMPARE(h.dialogs.requests.size(), 1u);
        QVERIFY(h.dialogs.requests[0].kind == FakeFileDialogs::Kind::Save);
        QCOMPARE(h.dialogs.requests[0].filters, SaveFilters());
        QVERIFY(h.messages.shown.empty());
        QFile file(path("one.TXT"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("P-1\r\n"));
        QVERIFY(bytes.contains("\r\n1,60\r\n1,70,40,\"1\",\"Flur\",20,1000,1.3,32.7,2.2,2200,"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("Form3")});
    }

    void cancelledSaveWritesNothing() {
        Harness h;
        QVERIFY(WalkToForm3(h));
        const ProgramState before = h.state;
        QTest::keyClick(h.shell.form3(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(h.dialogs.requests.size(), 1u);
        QVERIFY(h.messages.shown.empty());
        QVERIFY(h.state == before);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("Form3")});
    }

    void loadedProjectIsShownOnTheDisplayScreen() {
        const ProgramState saved = SaveTwoRadiators(path("two.TXT"));
        QCOMPARE(saved.LfNr, 2);
        QCOMPARE(saved.header[2], "Kurz, \"Hans\"");
        QCOMPARE(saved.table.at(2).RaumVer, "Bad, oben");

        Harness h;
        QVERIFY(WalkToForm2(h));
        h.shell.form2()->control<QLineEdit>(PersDat(5))->setText(QStringLiteral("typed before"));
        h.dialogs.answers = {path("two.TXT").toStdString()};
        QTest::keyClick(h.shell.form2(), Qt::Key_L, Qt::ControlModifier);

        QCOMPARE(h.dialogs.requests.size(), 1u);
        QVERIFY(h.dialogs.requests[0].kind == FakeFileDialogs::Kind::Open);
        QCOMPARE(h.dialogs.requests[0].title, "Datei wird geöffnet");
        QCOMPARE(h.dialogs.requests[0].filters, OpenFilters());
        QVERIFY(h.messages.shown.empty());
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("frmForm4")});
        QVERIFY(h.shell.form2()->cursor().shape() != Qt::WaitCursor);

        QCOMPARE(h.state.header, saved.header);
        QCOMPARE(h.state.LfNr, 2);
        QCOMPARE(h.state.dNorm, 60);
        for (int n = 1; n <= 2; ++n) {
            QVERIFY2(h.state.table.at(n) == saved.table.at(n), qPrintable(QString::number(n)));
        }
        QCOMPARE(h.state.ListingText, saved.ListingText + "\r\n");
        QCOMPARE(h.shell.form4()->listing(), h.state.ListingText);
        QCOMPARE(
            h.shell.form4()->control<QPlainTextEdit>(DisplayControl::txtHKFlaechen)->toPlainText(),
            QString::fromStdString(h.state.ListingText).replace("\r\n", "\n"));
        // The boxes of the project data screen are not touched by a load.
        QCOMPARE(h.shell.form2()->control<QLineEdit>(PersDat(5))->text(),
                 QStringLiteral("typed before"));
        QCOMPARE(h.shell.form2()->control<QLineEdit>(PersDat(2))->text(), QString());
    }

    void cancelledLoadShowsAnEmptyDisplay() {
        Harness h;
        QVERIFY(WalkToForm2(h));
        const ProgramState before = h.state;
        Trigger(h.shell.form2(), "mnuItemOpen");
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("frmForm4")});
        QCOMPARE(
            h.shell.form4()->control<QPlainTextEdit>(DisplayControl::txtHKFlaechen)->toPlainText(),
            QString());
        QVERIFY(h.state == before);
    }

    void refusedFileKeepsTheProjectAndTheScreen_data() {
        QTest::addColumn<QByteArray>("content"); // empty: no such file
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("counter line not numbers")
            << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\nx,y\r\n");
        QTest::newRow("ends after the header") << QByteArray("a\r\nb\r\nc\r\n");
    }
    void refusedFileKeepsTheProjectAndTheScreen() {
        QFETCH(QByteArray, content);
        const QString name = path("bad.TXT");
        QFile::remove(name);
        if (!content.isEmpty()) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        Harness h;
        QVERIFY(WalkToForm2(h));
        h.state.header[1] = "kept";
        const ProgramState before = h.state;
        h.dialogs.answers = {name.toStdString()};
        Trigger(h.shell.form2(), "mnuItemOpen");

        QCOMPARE(h.messages.shown.size(), 1u);
        QCOMPARE(h.messages.shown[0].title, "Datei nicht geladen");
        QCOMPARE(h.messages.parents[0], h.shell.form2());
        QVERIFY(h.state == before);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("Form2")});
        QCOMPARE(h.shell.form4(), nullptr);
        QVERIFY(h.shell.form2()->cursor().shape() != Qt::WaitCursor);
    }

    // "Be&enden" leaves no window for 2.7 s, then the project data screen
    // comes back with its texts.
    // "Beenden" loads the title screen again, hidden, with the timers the
    // program started with; the project data come back when both have run.
    void beendenReturnsToTheProjectDataAfterBothTimers() {
        Harness h(kFifthTitle);
        QVERIFY(WalkToForm2(h));
        Form2* f2 = h.shell.form2();
        f2->control<QLineEdit>(PersDat(1))->setText(QStringLiteral("4711"));
        f2->control<QLineEdit>(PersDat(9))->setText(QStringLiteral("Baustraße 1"));
        Trigger(f2, "mnuItemOpen");
        QVERIFY(QTest::qWaitForWindowActive(h.shell.form4()));

        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(h.shell.form4(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(VisibleScreens(), QStringList{});
        QVERIFY(h.shell.form1()); // loaded again, hidden, with its timers
        QVERIFY(h.shell.form1()->timer1().isActive());
        QCOMPARE(h.shell.form1()->timer1().interval(), kFifthTitle.timer1);
        QCOMPARE(h.shell.form1()->timer2().interval(), kFifthTitle.timer2);
        QCOMPARE(h.shell.form4(), nullptr);
        QCOMPARE(h.endCalls, 0);

        const int both = kFifthTitle.timer1 + kFifthTitle.timer2;
        QTest::qWait(both / 2);
        QCOMPARE(VisibleScreens(), QStringList{});
        QTRY_VERIFY_WITH_TIMEOUT(f2->isVisible(), 5000);
        QVERIFY2(clock.elapsed() >= both - 10, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("Form2")});
        QCOMPARE(h.shell.form2(), f2);
        QCOMPARE(f2->control<QLineEdit>(PersDat(1))->text(), QStringLiteral("4711"));
        QCOMPARE(f2->control<QLineEdit>(PersDat(9))->text(), QStringLiteral("Baustraße 1"));
        QCOMPARE(f2->focusWidget(), f2->control<QLineEdit>(PersDat(1)));
        QCOMPARE(h.shell.form1(), nullptr);
    }

    void secondLoadShowsBothListings() {
        const ProgramState saved = SaveTwoRadiators(path("again.TXT"));
        Harness h;
        QVERIFY(WalkToForm2(h));
        h.dialogs.answers = {path("again.TXT").toStdString(), path("again.TXT").toStdString()};
        Trigger(h.shell.form2(), "mnuItemOpen");
        Trigger(h.shell.form4(), "mnuItemExit");
        QTRY_VERIFY_WITH_TIMEOUT(h.shell.form2()->isVisible(), 5000);
        Trigger(h.shell.form2(), "mnuItemOpen");
        const std::string once = saved.ListingText + "\r\n";
        QCOMPARE(h.shell.form4()->listing(), once + once);
    }

    void displayScreenPrintsTheLoadedProject_data() {
        QTest::addColumn<bool>("byShortcut");
        QTest::newRow("menu item &Drucken") << false;
        QTest::newRow("Ctrl+D") << true;
    }
    void displayScreenPrintsTheLoadedProject() {
        QFETCH(bool, byShortcut);
        const ProgramState saved = SaveTwoRadiators(path("print.TXT"));
        Harness h;
        QVERIFY(WalkToForm2(h));
        h.dialogs.answers = {path("print.TXT").toStdString()};
        Trigger(h.shell.form2(), "mnuItemOpen");
        frmForm4* f4 = h.shell.form4();
        QVERIFY(QTest::qWaitForWindowActive(f4));
        if (byShortcut) {
            QTest::keyClick(f4, Qt::Key_D, Qt::ControlModifier);
        } else {
            Trigger(f4, "mnuItemPrinter");
        }
        QCOMPARE(h.printer.printed.size(), 1u);
        QCOMPARE(h.printer.parents[0], f4);
        // The loaded count of rows, not the 1 a fresh calculation screen sets.
        QCOMPARE(h.printer.printed[0].LfNr, 2);
        QCOMPARE(h.printer.printed[0].header, saved.header);
        QCOMPARE(h.shell.form3(), nullptr);
    }

    void qtFiltersOfferCapitalsAndSmallLetters() {
        QCOMPARE(QtNameFilters(SaveFilters()),
                 QStringLiteral("Textdateien(*.Txt) (*.TXT *.txt);;Dateien(*.DAT) (*.DAT *.dat)"));
        QCOMPARE(QtNameFilters(OpenFilters()),
                 QStringLiteral("Textdateien(*.TXT) (*.TXT *.txt);;Dateien(*.Dat) (*.DAT *.dat)"));
    }

    // The real dialog lists a.txt and B.TXT under "*.TXT", and no other file.
    void qtDialogFindsTextFilesOfEitherCase() {
        QTemporaryDir folder;
        for (const char* name : {"a.txt", "B.TXT", "c.DAT", "d.doc"}) {
            QFile f(folder.filePath(QString::fromUtf8(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QFileDialog dialog(nullptr, QString(), folder.path(), QtNameFilters(OpenFilters()));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.show();
        auto* model = dialog.findChild<QFileSystemModel*>();
        auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
        QVERIFY(model && view);
        QStringList listed;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                listed.clear();
                const QModelIndex root = view->rootIndex();
                for (int r = 0; r < view->model()->rowCount(root); ++r) {
                    listed << view->model()->index(r, 0, root).data().toString();
                }
                listed.sort();
                return listed.size() >= 2;
            }(),
            5000);
        QCOMPARE(listed, (QStringList{"B.TXT", "a.txt"}));
        dialog.hide();
    }
};

QTEST_MAIN(FilesTest)
#include "files_test.moc"
