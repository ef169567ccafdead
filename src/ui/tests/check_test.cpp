// The heat-pump check window: opened from the calculation and the display
// screen, an edited output changes table, summary and chart, refused input
// leaves everything as it was, and its data is saved beside the project.

#include "support/gui_fixture.h"
#include "support/samples.h"
#include "support/screen_test_case.h"
#include "support/screen_walk.h"

#include "project/check_file.h"
#include "support/poppler.h"
#include "ui/balancing_window.h"
#include "ui/check_chart.h"
#include "ui/check_report.h"
#include "ui/check_window.h"
#include "ui/display_screen.h"
#include "ui/qt_text.h"

#include <QAbstractItemModelTester>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>

using namespace hk;
using namespace hk::ui;
using namespace hk::ui::test;

namespace {

QString SummaryOf(frmCheck* w) { return Child<QLabel>(w, "lblZusammenfassung")->text(); }

// The bars of the chart: value and whether drawn in the under-supplied colour.
QList<QPair<double, bool>> BarsOf(frmCheck* w) {
    QList<QPair<double, bool>> out;
    const auto series = w->control<QChartView>(CheckWindowControl::chtCheck)->chart()->series();
    for (QAbstractSeries* s : series) {
        if (auto* bars = qobject_cast<QBarSeries*>(s)) {
            QBarSet* set = bars->barSets().at(0);
            for (int i = 0; i < set->count(); ++i) {
                out.append({set->at(i), set->isBarSelected(i)});
            }
        }
    }
    return out;
}

QString Cell(frmCheck* w, int row, CheckColumn column) {
    return w->model()->index(row, static_cast<int>(column)).data().toString();
}

} // namespace

class CheckTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    // One radiator 70/40/20, 1000 W, n 1,3: Q-Norm 2200. At 55/45 it needs
    // 1000 * 2^1,3 = 2462 W: 89 %, and 58 °C is the lowest supply (dtm 33 K
    // needs 1000 * (60/33)^1,3 = 2175 W; 57: 2264 W).
    void opensFromTheCalculationScreenAndFollowsAnEdit() {
        Harness h;
        QVERIFY(WalkToOneRadiator(h));
        QTest::keyClick(h.shell.form3(), Qt::Key_T, Qt::ControlModifier);
        frmCheck* w = h.shell.check();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->objectName(), QStringLiteral("frmCheck"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Wärmepumpen-Check"));
        QCOMPARE(Child<QLabel>(w, "lblNorm")->text(),
                 QStringLiteral("Normleistungen bei DIN 90/70/20"));
        QCOMPARE(w->model()->rowCount(), 1);
        QCOMPARE(Cell(w, 0, CheckColumn::QNorm), QStringLiteral("2200"));
        QCOMPARE(Cell(w, 0, CheckColumn::Coverage), QStringLiteral("89 ✗"));
        QCOMPARE(Cell(w, 0, CheckColumn::MinSupply), QStringLiteral("58"));
        QCOMPARE(SummaryOf(w),
                 QStringLiteral("Niedrigste Vorlauftemperatur für alle Räume: 58 °C (kritisch: "
                                "Raum 1 Flur)\n1 von 1 Raum ist bei 55/45 °C unterversorgt.\n"
                                "Erforderliche Normleistung bei 55/45 °C gesamt: 2462 W "
                                "(vorhanden 2200 W)."));
        QCOMPARE(BarsOf(w), (QList<QPair<double, bool>>{{58, true}}));

        const QModelIndex installed = w->model()->index(0, int(CheckColumn::Installed));
        QVERIFY(w->model()->setData(installed, QStringLiteral("2.520"), Qt::EditRole));
        QCOMPARE(Cell(w, 0, CheckColumn::Installed), QStringLiteral("2520"));
        QCOMPARE(Cell(w, 0, CheckColumn::Coverage), QStringLiteral("102 ✓"));
        QCOMPARE(SummaryOf(w),
                 QStringLiteral("Niedrigste Vorlauftemperatur für alle Räume: 55 °C (kritisch: "
                                "Raum 1 Flur)\nKeiner von 1 Raum ist bei 55/45 °C unterversorgt.\n"
                                "Erforderliche Normleistung bei 55/45 °C gesamt: 2462 W "
                                "(vorhanden 2520 W)."));
        QCOMPARE(BarsOf(w), (QList<QPair<double, bool>>{{55, false}}));
        QVERIFY(h.state.Check);
        QCOMPARE(h.state.Check->installed.at(1), InstalledChoice::Typed(2520));
        QVERIFY(h.messages.shown.empty());
    }

    void refusedInputChangesNothing() {
        Harness h;
        QVERIFY(WalkToOneRadiator(h));
        Trigger(h.shell.form3(), "mnuItemCheck");
        frmCheck* w = h.shell.check();
        const QString summary = SummaryOf(w);
        const QModelIndex installed = w->model()->index(0, int(CheckColumn::Installed));
        QVERIFY(!w->model()->setData(installed, QStringLiteral("1,5"), Qt::EditRole));
        QVERIFY(Child<QLabel>(w, "lblZellHinweis")->text().contains("ganze Zahl von 1 bis 99999"));
        QCOMPARE(h.messages.shown.size(), 1u);
        QVERIFY(
            hk::test::Contains(h.messages.shown[0].text, "Heizkörper 1 (1 Flur): „1,5“ ist keine"));
        QCOMPARE(Cell(w, 0, CheckColumn::Installed), QStringLiteral("2200"));
        QCOMPARE(SummaryOf(w), summary);

        // A return not below the supply: the note, and 55/45 stays in force.
        Child<QSpinBox>(w, "spnZielRuecklauf")->setValue(55);
        QCOMPARE(Child<QLabel>(w, "lblZielHinweis")->text(),
                 QStringLiteral("Der Rücklauf muss unter dem Vorlauf liegen. Es gilt weiter "
                                "55/45 °C."));
        QCOMPARE(SummaryOf(w), summary);
        QVERIFY(!h.state.Check);

        // A valid pair again: the chart's target line and bars follow.
        Child<QSpinBox>(w, "spnZielVorlauf")->setValue(65);
        QVERIFY(Child<QLabel>(w, "lblZielHinweis")->text().isEmpty());
        QVERIFY(SummaryOf(w).contains("bei 65/55 °C"));
        QCOMPARE(BarsOf(w).size(), 1);
        QVERIFY2(!BarsOf(w)[0].second, "below the target of 65");

        // Leaving with the new pair not saved asks; "Abbrechen" stays,
        // "Verwerfen" closes and drops the pair.
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(w->isVisible());
        h.messages.choices = {Choice::Other};
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(h.messages.asked,
                 (std::vector<Question>{UnsavedCheckQuestion(), UnsavedCheckQuestion()}));
        QVERIFY(!h.state.Check);
        QVERIFY(!h.state.CheckUnsaved());
    }

    void opensFromTheDisplayScreenWithTheFileBeside() {
        const ProgramState saved = SaveTwoRadiators(path("two.TXT"));
        QCOMPARE(saved.LfNr, 2);
        {
            QFile side(path("two.check.json"));
            QVERIFY(side.open(QIODevice::WriteOnly));
            side.write(R"({"format": "hkberech-check", "version": 1, "supply": 50, "return": 40,
                 "project": {"LfNr": 2, "QRaum": [1000, 1000]},
                 "installed": [{"entry": 2, "output": 5000}]})");
        }
        Harness h;
        QVERIFY(WalkToForm2(h));
        h.dialogs.answers = {path("two.TXT").toStdString()};
        QTest::keyClick(h.shell.form2(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(h.messages.shown.empty());
        QVERIFY(h.shell.form4());
        QVERIFY(QTest::qWaitForWindowActive(h.shell.form4()));
        QTest::keyClick(h.shell.form4(), Qt::Key_T, Qt::ControlModifier);
        frmCheck* w = h.shell.check();
        QVERIFY(w && w->isVisible());
        QCOMPARE(Child<QSpinBox>(w, "spnZielVorlauf")->value(), 50);
        QCOMPARE(Child<QSpinBox>(w, "spnZielRuecklauf")->value(), 40);
        QCOMPARE(w->model()->rowCount(), 2);
        QCOMPARE(Cell(w, 1, CheckColumn::Installed), QStringLiteral("5000"));
        QCOMPARE(Cell(w, 1, CheckColumn::Coverage).right(1), QStringLiteral("✓"));
        QCOMPARE(Cell(w, 0, CheckColumn::Coverage).right(1), QStringLiteral("✗"));

        // Its CSV with the numbers worked by hand: at 50/40 the mean is
        // logarithmic (10 / ln 1,5 = 24,66 K), required 1000 * 2,4328^1,3 =
        // 3176 W; the proposal Typ 33 · 600 needs 3212 W (n 1,33) and gives
        // 1100 * 2426 / 1000 * 1,2^1,33 = 3401 W (1000 mm: 3092 W).
        h.dialogs.answers = {path("two.csv").toStdString()};
        QTest::mouseClick(Child<QPushButton>(w, "cmdCsv"), Qt::LeftButton);
        QFile csv(path("two.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll().split('\n').mid(1),
                 (QList<QByteArray>{"1;1;Küche;20;1000;1,3;2200;ausgelegt;2200;3176;693;69;58;"
                                    "Typ 33 · 600 × 1100\r",
                                    "2;2;Bad, oben;20;1000;1,3;2200;eingegeben;5000;3176;1574;157;"
                                    "43;\r",
                                    ""}));

        // Opened again: one window, refreshed.
        h.state.Check->installed.erase(2);
        Trigger(h.shell.form4(), "mnuItemCheck");
        QCOMPARE(h.shell.check(), w);
        QCOMPARE(Cell(w, 1, CheckColumn::Installed), QStringLiteral("2200"));
    }

    // The radiator of WalkToOneRadiator (1000 W, Q-Norm 2200) replaced by
    // Typ 22 · 300 × 1000 of the shipped catalogue: 1004 * 1,2^1,31 = 1275 W
    // at DIN; at 55/45 it needs 1000 * 2^1,31 = 2479 W, 51 %; the proposal
    // stays at its height: Typ 33 · 300 × 1500 (2657 W against 2514 W).
    void choosesACatalogueRadiatorSavesAndReloads() {
        QTemporaryDir config; // no user file of the tester's
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        watch_.allow(QStringLiteral("dlgHeizkoerper"));
        {
            Harness h;
            QVERIFY(WalkToOneRadiator(h));
            Trigger(h.shell.form3(), "mnuItemAbgleich"); // open beside the check
            auto* balancing = qobject_cast<frmAbgleich*>(h.shell.balancing());
            Trigger(h.shell.form3(), "mnuItemCheck");
            auto* w = qobject_cast<frmCheck*>(h.shell.check());
            QVERIFY(h.messages.shown.empty());
            QCOMPARE(Cell(w, 0, CheckColumn::Radiator), QStringLiteral("ausgelegt"));
            QCOMPARE(Cell(w, 0, CheckColumn::Proposal), QStringLiteral("Typ 33 · 600 × 900"));

            auto* table = Child<QTableView>(w, "tblCheck");
            table->setFocus();
            table->setCurrentIndex(w->model()->index(0, int(CheckColumn::Installed)));
            QTest::keyClick(table, Qt::Key_F4);
            auto* dialog = w->findChild<QDialog*>(QStringLiteral("dlgHeizkoerper"));
            QVERIFY(dialog && dialog->isVisible());
            Child<QComboBox>(dialog, "cboBauart")->setCurrentText(QStringLiteral("Flach"));
            Child<QComboBox>(dialog, "cboName")->setCurrentText(QStringLiteral("Typ 22 · 300"));
            auto* count = Child<QSpinBox>(dialog, "spnAnzahl");
            count->setValue(1100);
            QCOMPARE(Child<QLabel>(dialog, "lblLeistung")->text(),
                     QStringLiteral("1402 W bei DIN 90/70/20"));
            count->setValue(1000);
            QCOMPARE(Child<QLabel>(dialog, "lblLeistung")->text(),
                     QStringLiteral("1275 W bei DIN 90/70/20"));
            QTest::mouseClick(Child<QPushButton>(dialog, "cmdUebernehmen"), Qt::LeftButton);

            QCOMPARE(Cell(w, 0, CheckColumn::Radiator), QStringLiteral("Typ 22 · 300 × 1000"));
            QCOMPARE(Child<QPushButton>(w, "cmdHeizkoerper1")->text(),
                     QStringLiteral("Typ 22 · 300 × 1000 …"));
            QCOMPARE(Cell(w, 0, CheckColumn::Exponent), QStringLiteral("1,31"));
            QCOMPARE(Cell(w, 0, CheckColumn::Installed), QStringLiteral("1275"));
            QCOMPARE(Cell(w, 0, CheckColumn::Required), QStringLiteral("2479"));
            QCOMPARE(Cell(w, 0, CheckColumn::Coverage), QStringLiteral("51 ✗"));
            QCOMPARE(Cell(w, 0, CheckColumn::Proposal), QStringLiteral("Typ 33 · 300 × 1500"));
            const QModelIndex norm = balancing->model()->index(0, int(BalancingColumn::NormOutput));
            QCOMPARE(norm.data().toString(), QStringLiteral("1275")); // the open balancing follows
            // The cell's editor left as it opened keeps the catalogue choice.
            const QModelIndex cell = w->model()->index(0, int(CheckColumn::Installed));
            QVERIFY(w->model()->setData(cell, cell.data(Qt::EditRole), Qt::EditRole));
            QCOMPARE(Cell(w, 0, CheckColumn::Radiator), QStringLiteral("Typ 22 · 300 × 1000"));
            QVERIFY(SummaryOf(w).endsWith(QStringLiteral(
                "Erforderliche Normleistung bei 55/45 °C gesamt: 2479 W (vorhanden 1275 W).")));

            // Ending the program now asks about the check too; "Abbrechen"
            // keeps everything.
            h.messages.answers = {true}; // the radiators not saved: "Beenden"
            emit h.shell.form3()->mnuExitItemTriggered();
            QCOMPARE(h.endCalls, 0);
            QCOMPARE(h.messages.asked.size(), 2u);
            QCOMPARE(h.messages.asked[1], UnsavedCheckQuestion());
            QVERIFY(w->isVisible());

            h.dialogs.answers = {path("katalog.TXT").toStdString()};
            QTest::mouseClick(Child<QPushButton>(w, "cmdSpeichern"), Qt::LeftButton);
            QCOMPARE(Child<QLabel>(w, "lblGespeichert")->text(),
                     QStringLiteral("Gespeichert: katalog.TXT.check.json"));
            QVERIFY(!h.state.CheckUnsaved());
            QVERIFY(FileBytes(path("katalog.TXT.check.json"))
                        .contains(R"("radiator": "Typ 22 · 300",)"));
            QTest::keyClick(w, Qt::Key_Escape); // saved: no question
            QVERIFY(!w->isVisible());
            QCOMPARE(h.messages.asked.size(), 2u);
            QVERIFY(h.messages.shown.empty());
        }
        Harness h;
        QVERIFY(WalkToForm2(h));
        h.dialogs.answers = {path("katalog.TXT").toStdString()};
        QTest::keyClick(h.shell.form2(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(h.messages.shown.empty());
        QVERIFY(h.shell.form4());
        Trigger(h.shell.form4(), "mnuItemCheck");
        auto* w = qobject_cast<frmCheck*>(h.shell.check());
        QCOMPARE(Cell(w, 0, CheckColumn::Radiator), QStringLiteral("Typ 22 · 300 × 1000"));
        QCOMPARE(Cell(w, 0, CheckColumn::Coverage), QStringLiteral("51 ✗"));
        qunsetenv("XDG_CONFIG_HOME");
    }

    void withoutNormTheWindowSaysSoAndShowsNoTable() {
        Harness h;
        QVERIFY(WalkToOneRadiator(h));
        h.state.dNorm = 0;
        Trigger(h.shell.form3(), "mnuItemCheck");
        frmCheck* w = h.shell.check();
        QVERIFY(Child<QLabel>(w, "lblNichtMoeglich")->isVisible());
        QVERIFY(Child<QLabel>(w, "lblNichtMoeglich")->text().contains("nicht möglich"));
        QVERIFY(!Child<QTableView>(w, "tblCheck")->isVisible());
    }

    // A typed output is unsaved work: ending the program or closing the
    // display screen asks first ("Abbrechen" keeps everything); once the
    // check's "Speichern" wrote it, the program ends at once.
    void typedCheckDataAsksBeforeItIsLost_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("saveCheck");
        QTest::addColumn<int>("questions");
        QTest::newRow("calculation screen Beenden") << "Form3" << false << 1;
        QTest::newRow("display screen closed") << "Form4" << false << 1;
        QTest::newRow("calculation screen Beenden after Speichern") << "Form3" << true << 0;
    }

    void typedCheckDataAsksBeforeItIsLost() {
        QFETCH(QString, screen);
        QFETCH(bool, saveCheck);
        QFETCH(int, questions);
        SaveTwoRadiators(path("p.TXT"));
        Harness h;
        QVERIFY(WalkToForm2(h));
        h.dialogs.answers = {path("p.TXT").toStdString()};
        QTest::keyClick(h.shell.form2(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(h.shell.form4());
        if (screen == QStringLiteral("Form3")) {
            Trigger(h.shell.form4(), "mnuItemFortsetzen");
        }
        QWidget* target = screen == QStringLiteral("Form3") ? static_cast<QWidget*>(h.shell.form3())
                                                            : h.shell.form4();
        Trigger(target, "mnuItemCheck");
        auto* w = qobject_cast<frmCheck*>(h.shell.check());
        QVERIFY(w->model()->setData(w->model()->index(0, int(CheckColumn::Installed)),
                                    QStringLiteral("2400"), Qt::EditRole));
        if (saveCheck) {
            // The continued project has its next entry open: saved with it.
            h.dialogs.answers = {path("p.TXT").toStdString()};
            QTest::mouseClick(Child<QPushButton>(w, "cmdSpeichern"), Qt::LeftButton);
            QVERIFY(QFile::exists(path("p.TXT.check.json")));
        }
        Trigger(target, screen == QStringLiteral("Form3") ? "mnuExitItem" : "mnuItemExit");
        QCOMPARE(int(h.messages.asked.size()), questions);
        if (questions > 0) {
            QCOMPARE(h.messages.asked[0].cancel, "Abbrechen");
            QVERIFY(target->isVisible());
            QCOMPARE(h.endCalls, 0);
            QVERIFY(h.state.Check && h.state.Check->installed.count(1) == 1);
        } else {
            QCOMPARE(h.endCalls, 1);
        }
    }

    // An open check takes up every change of the project: a radiator
    // calculated while it is open is in its table, and a new project starts
    // without the check of the one before.
    void anOpenCheckFollowsTheProject() {
        Harness h;
        QVERIFY(WalkToOneRadiator(h));
        Trigger(h.shell.form3(), "mnuItemCheck");
        auto* w = qobject_cast<frmCheck*>(h.shell.check());
        QCOMPARE(w->model()->rowCount(), 1);
        QTest::mouseClick(h.shell.form3()->control(CalcControl::cmdNächster), Qt::LeftButton);
        CalculateOne(h.shell.form3(), "2", "Bad");
        QCOMPARE(w->model()->rowCount(), 2);
        QCOMPARE(Cell(w, 1, CheckColumn::RaumNr), QStringLiteral("2"));
    }

    // A loaded project with its check viewed, the display screen closed and a
    // new project started: it is saved without the old project's outputs and
    // without the old file proposed.
    void aNewProjectStartsWithoutTheCheckBefore() {
        const ProgramState old = SaveTwoRadiators(path("alt.TXT"));
        {
            QFile side(path("alt.TXT.check.json"));
            QVERIFY(side.open(QIODevice::WriteOnly));
            side.write(QByteArray::fromStdString(
                CheckFileBytes(old, CheckSettings{50, 40, hk::test::TypedOutputs({{1, 5000}})})));
        }
        Harness h;
        QVERIFY(WalkToForm2(h));
        h.dialogs.answers = {path("alt.TXT").toStdString()};
        QTest::keyClick(h.shell.form2(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(h.state.Check);
        Trigger(h.shell.form4(), "mnuItemExit");
        QVERIFY(h.messages.asked.empty());
        QTRY_VERIFY(h.shell.form2() && h.shell.form2()->isVisible());
        h.shell.form2()->control<QLineEdit>(PersDat(1))->setText(QStringLiteral("NEU"));
        QTest::mouseClick(h.shell.form2()->control(HeaderControl::cmdWeiter), Qt::LeftButton);
        QVERIFY(h.shell.form3() && QTest::qWaitForWindowActive(h.shell.form3()));
        CalculateOne(h.shell.form3(), "1", "Flur");
        h.dialogs.answers = {path("NEU.TXT").toStdString()};
        QTest::keyClick(h.shell.form3(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(h.dialogs.requests.back().title, std::string());
        QVERIFY(QFile::exists(path("NEU.TXT")));
        QVERIFY(!QFile::exists(path("NEU.TXT.check.json")));
        QVERIFY(!h.state.Check);
    }

    void saveOfANewProjectWritesBothFilesAndCtrlSKeepsTheCheck() {
        Harness h;
        QVERIFY(WalkToOneRadiator(h));
        Trigger(h.shell.form3(), "mnuItemCheck");
        frmCheck* w = h.shell.check();
        QVERIFY(w->model()->setData(w->model()->index(0, int(CheckColumn::Installed)),
                                    QStringLiteral("2400"), Qt::EditRole));
        h.dialogs.answers = {path("neu.TXT").toStdString()};
        QTest::mouseClick(Child<QPushButton>(w, "cmdSpeichern"), Qt::LeftButton);
        QCOMPARE(h.dialogs.requests.size(), 1u);
        QVERIFY(QFile::exists(path("neu.TXT")));
        QVERIFY(QFile::exists(path("neu.TXT.check.json")));
        QCOMPARE(h.state.ProjectFile, path("neu.TXT").toStdString());

        // Ctrl+S to another name writes the check beside that one too.
        h.dialogs.answers = {path("zwei.TXT").toStdString()};
        QTest::keyClick(h.shell.form3(), Qt::Key_S, Qt::ControlModifier);
        QFile side(path("zwei.TXT.check.json"));
        QVERIFY(side.open(QIODevice::ReadOnly));
        const auto read = ReadCheckFile(side.readAll().toStdString(), h.state);
        QVERIFY(read);
        QCOMPARE(read->installed.at(1), InstalledChoice::Typed(2400));
        QVERIFY(h.messages.shown.empty());
    }

    // Qt's own model checks watch the table through an accepted and a refused
    // edit, a change of the targets and a reload with one row more.
    void tableModelStaysConsistentWhileRowsChange() {
        Harness h;
        QVERIFY(WalkToOneRadiator(h));
        Trigger(h.shell.form3(), "mnuItemCheck");
        frmCheck* w = h.shell.check();
        QAbstractItemModelTester tester(w->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QModelIndex installed = w->model()->index(0, int(CheckColumn::Installed));
        QVERIFY(w->model()->setData(installed, QStringLiteral("2520"), Qt::EditRole));
        QVERIFY(!w->model()->setData(installed, QStringLiteral("zwei"), Qt::EditRole));
        Child<QSpinBox>(w, "spnZielVorlauf")->setValue(50);
        QCOMPARE(w->model()->rowCount(), 1);

        QTest::mouseClick(h.shell.form3()->control(CalcControl::cmdNächster), Qt::LeftButton);
        CalculateOne(h.shell.form3(), "2", "Bad");
        Trigger(h.shell.form3(), "mnuItemCheck");
        QCOMPARE(h.shell.check(), w);
        QCOMPARE(w->model()->rowCount(), 2);
        QVERIFY(w->model()->setData(w->model()->index(1, int(CheckColumn::Installed)),
                                    QStringLiteral("3000"), Qt::EditRole));
        QCOMPARE(Cell(w, 1, CheckColumn::Installed), QStringLiteral("3000"));
    }

    void exportsAsPdfAndCsv() {
        Harness h;
        QVERIFY(WalkToOneRadiator(h));
        QTest::mouseClick(h.shell.form3()->control(CalcControl::cmdNächster), Qt::LeftButton);
        CalculateOne(h.shell.form3(), "2", "Bad; oben");
        Trigger(h.shell.form3(), "mnuItemCheck");
        frmCheck* w = h.shell.check();
        QVERIFY(w->model()->setData(w->model()->index(1, int(CheckColumn::Installed)),
                                    QStringLiteral("2520"), Qt::EditRole));

        h.dialogs.answers = {path("check.pdf").toStdString()};
        QTest::mouseClick(Child<QPushButton>(w, "cmdPdf"), Qt::LeftButton);
        QCOMPARE(h.dialogs.requests.size(), 1u);
        QCOMPARE(h.dialogs.requests[0].title, "Projekt P-1 Check 55-45.pdf");
        QVERIFY(h.messages.shown.empty());
        const QString text = PdfText(path("check.pdf"));
        QVERIFY2(text.contains("Wärmepumpen-Check"), qPrintable(text));
        QVERIFY(text.contains("Projekt P-1"));
        QVERIFY(text.contains("Seite 1 von 1"));
        QVERIFY(text.contains("Normleistungen bei DIN 90/70/20"));
        QVERIFY(
            text.contains("Niedrigste Vorlauftemperatur für alle Räume: 58 °C (kritisch: Raum 1 "
                          "Flur)"));
        QVERIFY(text.contains("1 von 2 Räumen ist bei 55/45 °C unterversorgt."));
        QVERIFY(text.contains("Bad; oben"));
        QVERIFY(text.contains("Bauherr"));
        QVERIFY(text.contains("Bauvorhaben"));
        QVERIFY(text.contains("erf. Normleistung: bei Ziel-Vorlauf/-Rücklauf nötig"));
        QVERIFY(text.contains("Q-Norm: bei Auslegungstemperaturen bemessen"));
        QVERIFY(text.contains("bei Ziel nicht gedeckt"));
        QVERIFY(text.contains("Typ 33 · 600 × 900"));

        h.dialogs.answers = {path("check.csv").toStdString()};
        QTest::mouseClick(Child<QPushButton>(w, "cmdCsv"), Qt::LeftButton);
        QCOMPARE(h.dialogs.requests.size(), 2u);
        QCOMPARE(h.dialogs.requests[1].title, "Projekt P-1 Check 55-45.csv");
        QFile csv(path("check.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(),
                 QByteArray("\xEF\xBB\xBFNr;Raum-Nr;Raumverwendung;Raum °C;Q-Raum W;Exponent;"
                            "Q-Norm W;vorhandener Heizkörper;vorh. Normleistung W;erf. "
                            "Normleistung W;Q bei Ziel W;Deckung %;min. Vorlauf °C;Vorschlag\r\n"
                            "1;1;Flur;20;1000;1,3;2200;ausgelegt;2200;2462;893;89;58;"
                            "Typ 33 · 600 × 900\r\n"
                            "2;2;\"Bad; oben\";20;1000;1,3;2200;eingegeben;2520;2462;1023;102;55;"
                            "\r\n"));
        QVERIFY(h.messages.shown.empty());
    }

    // A project file written by hand may hold texts of 32 767 characters:
    // window and PDF cut them, the CSV keeps them whole.
    void longTextsAreCutOnScreenAndPaperOnly() {
        ProgramState s;
        s.LfNr = 70;
        s.dNorm = 60;
        for (int n = 1; n <= 70; ++n) {
            RadiatorEntry& e = s.table.at(n);
            e = hk::test::RadiatorInputs(70, 55, 20, 1000);
            e.RaumNr = std::to_string(n);
            e.RaumVer = std::string(32767, 'x');
            e.QHKNeu = 1580;
        }
        const CheckForm form(s);
        const QString shown = CheckCellText(form, 0, CheckColumn::RaumVer);
        QCOMPARE(shown.size(), 201);
        QVERIFY(shown.endsWith(QChar(0x2026)));
        QVERIFY(form.csv().find(std::string(32767, 'x')) != std::string::npos);
        const auto pdf = WriteCheckReportPdf(s, form, QDateTime::currentDateTime());
        if (!pdf) {
            QFAIL(pdf.problem().message.c_str());
        }
        QFile out(path("long.pdf"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(*pdf);
        out.close();
        QFile::copy(path("long.pdf"), QDir::temp().filePath(QStringLiteral("hk-check-long.pdf")));
        // The project data and the rows fill the first page; the heading
        // comes again on the second, with the method and the legend under
        // the table; the summary of 70 critical rooms and the chart go to
        // the third.
        QCOMPARE(PdfPages(path("long.pdf")), 3);
        const QString second = PdfText(path("long.pdf"), 2);
        QVERIFY2(second.contains("Raum-Nr."), "the table heading again on page 2");
        QVERIFY(second.contains(Q(kCheckMethodLine)));
        const QString third = PdfText(path("long.pdf"), 3);
        QVERIFY(third.contains("Niedrigste Vorlauftemperatur für alle Räume: 68 °C"));
        QVERIFY(third.contains("70 von 70 Räumen sind bei 55/45 °C unterversorgt."));
        QVERIFY(third.contains("Seite 3 von 3"));
    }
};

QTEST_MAIN(CheckTest)
#include "check_test.moc"
