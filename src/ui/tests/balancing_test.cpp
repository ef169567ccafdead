// The hydraulic balancing window: a legacy project with a side file written
// by hand, opened with Ctrl+H from the display screen; its inputs, a row's
// valve, the CSV and the setting sheet, saving and leaving.

#include "support/gui_fixture.h"
#include "support/poppler.h"
#include "support/screen_test_case.h"
#include "support/screen_walk.h"

#include "ui/balancing_window.h"
#include "ui/display_screen.h"

#include <QFile>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace hk;
using namespace hk::ui;
using namespace hk::ui::test;

namespace {

QString Cell(frmAbgleich* w, int row, BalancingColumn column) {
    return w->model()->index(row, static_cast<int>(column)).data().toString();
}

} // namespace

// A legacy project's side file written by hand: the check's typed output of
// entry 2 and the balancing's inputs.
const char* const kSideFile = R"json({"format": "hkberech-check", "version": 1,
 "supply": 55, "return": 45, "project": {"LfNr": 2, "QRaum": [1000, 1000]},
 "installed": [{"entry": 2, "output": 5000}],
 "balancing": {"supply": 55, "spread": 10, "dp_mbar": 100, "outdoor": -12, "length_m": 30,
               "valve": "Thermostatventil DN 15, 8 Stufen (Beispielwerte)"}})json";

class BalancingTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    // Two radiators of 1000 W at 70/40/20, n 1,3, DIN: Q-Norm 2200; entry 2
    // typed 5000 W in the side file. At 55 °C entry 1 needs 59,44 ×
    // (1000/2200)^(1/1,3) = 32,41 K: return 49,95 °C, spread 5,05 K,
    // 170 l/h, kv 0,539 -> setting 8 (0,73), 54 mbar. Entry 2 needs 17,24 K:
    // return 26,83 °C, 31 l/h, kv 0,097 -> setting 3, 65 mbar.
    void legacyProjectWithSideFileGivesTheNumbersByHand() {
        QTemporaryDir config; // no user file of the tester's
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        const ProgramState saved = SaveTwoRadiators(path("zwei.TXT"));
        QCOMPARE(saved.LfNr, 2);
        {
            QFile side(path("zwei.check.json"));
            QVERIFY(side.open(QIODevice::WriteOnly));
            side.write(kSideFile);
        }
        Harness h;
        QVERIFY(WalkToForm2(h));
        h.dialogs.answers = {path("zwei.TXT").toStdString()};
        QTest::keyClick(h.shell.form2(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(h.messages.shown.empty());
        QVERIFY(h.shell.form4());
        QVERIFY(QTest::qWaitForWindowActive(h.shell.form4()));
        QTest::keyClick(h.shell.form4(), Qt::Key_H, Qt::ControlModifier);
        auto* w = qobject_cast<frmAbgleich*>(h.shell.balancing());
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->objectName(), QStringLiteral("frmAbgleich"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Hydraulischer Abgleich"));
        QVERIFY(h.messages.shown.empty()); // the shipped valve table read whole
        QCOMPARE(Child<QSpinBox>(w, "spnLaenge")->value(), 30);
        QCOMPARE(w->model()->rowCount(), 2);
        QCOMPARE(Cell(w, 0, BalancingColumn::Return), QStringLiteral("50,0"));
        QCOMPARE(Cell(w, 0, BalancingColumn::Flow), QStringLiteral("170"));
        QCOMPARE(Cell(w, 0, BalancingColumn::Setting), QStringLiteral("8"));
        QCOMPARE(Cell(w, 1, BalancingColumn::Installed), QStringLiteral("eingegeben"));
        QVERIFY(Child<QLabel>(w, "lblSummen")
                    ->text()
                    .contains(QStringLiteral("Summe Volumenstrom: 201 l/h = 0,201 m³/h")));
        auto* curve = Child<QTableWidget>(w, "tblHeizkurve");
        QCOMPARE(curve->item(0, 1)->text(), QStringLiteral("55"));
        QCOMPARE(curve->item(6, 1)->text(), QStringLiteral("28"));

        h.dialogs.answers = {path("zwei.csv").toStdString()};
        QTest::mouseClick(Child<QPushButton>(w, "cmdCsv"), Qt::LeftButton);
        QCOMPARE(
            FileBytes(path("zwei.csv")).split('\n').mid(1),
            (QList<QByteArray>{"1;1;Küche;20;1000;ausgelegt;2200;1,3;50,0;5,0;170;"
                               "Thermostatventil DN 15, 8 Stufen (Beispielwerte);0,539;8;54;\r",
                               "2;2;Bad, oben;20;1000;eingegeben;5000;1,3;26,8;28,2;31;"
                               "Thermostatventil DN 15, 8 Stufen (Beispielwerte);0,097;3;65;\r",
                               ""}));

        h.dialogs.answers = {path("zwei.pdf").toStdString()};
        QTest::mouseClick(Child<QPushButton>(w, "cmdPdf"), Qt::LeftButton);
        QVERIFY(h.messages.shown.empty());
        const QString sheet = PdfText(path("zwei.pdf"));
        QVERIFY2(sheet.contains(QStringLiteral("Einstellprotokoll hydraulischer Abgleich")),
                 qPrintable(sheet));
        QVERIFY(sheet.contains(QStringLiteral("Unterschrift des Installateurs")));
        QVERIFY(sheet.contains(QStringLiteral("Steilheit der Heizkurve: 1,09")));

        // A refused value keeps the last valid one with the note.
        Child<QSpinBox>(w, "spnSpreizung")->setValue(31);
        QCOMPARE(Child<QLabel>(w, "lblEingabeHinweis")->text(),
                 QStringLiteral("Spreizung: 2 bis 30 K. Es gilt weiter 10 K."));
        QCOMPARE(h.state.Balancing->system.spread, 10);

        // Only the table's valves are taken; less pressure opens row 1 fully.
        const QModelIndex valve = w->model()->index(1, int(BalancingColumn::Valve));
        QVERIFY(!w->model()->setData(valve, QStringLiteral("Fremd"), Qt::EditRole));
        Child<QSpinBox>(w, "spnDifferenzdruck")->setValue(50);
        QVERIFY(Child<QLabel>(w, "lblEingabeHinweis")->text().isEmpty());
        QCOMPARE(Cell(w, 0, BalancingColumn::Note),
                 QStringLiteral("Ventil voll offen – Differenzdruck erhöhen"));

        // Saved beside the project; then Escape closes without a question.
        QTest::mouseClick(Child<QPushButton>(w, "cmdSpeichern"), Qt::LeftButton);
        QVERIFY(FileBytes(path("zwei.TXT.check.json")).contains(R"("dp_mbar": 50)"));
        QCOMPARE(Child<QLabel>(w, "lblGespeichert")->text(),
                 QStringLiteral("Gespeichert: zwei.TXT.check.json"));
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QVERIFY(h.messages.asked.empty());
        QVERIFY(h.messages.shown.empty());
    }
};

QTEST_MAIN(BalancingTest)
#include "balancing_test.moc"
