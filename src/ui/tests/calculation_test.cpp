// The calculation screen driven through its real widgets: opening state,
// tab order, box limits, the road of a radiator to its listing line, the
// next radiator, refused inputs, and the choice of a radiator type.

#include "support/gui_fixture.h"
#include "support/screen_test_case.h"
#include "support/screen_walk.h"

#include "ui/expon_list.h"
#ifndef Q_MOC_RUN // moc reads ASCII names only
#include "report/listing.h"
#endif

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace hk;
using namespace hk::ui;
using namespace hk::ui::test;

namespace {

const std::string kCrLf = "\r\n";

QLineEdit* Box(Form3* f, CalcControl c) { return qobject_cast<QLineEdit*>(f->control(c)); }
ExponList* List(Form3* f) { return qobject_cast<ExponList*>(f->control(CalcControl::Expon)); }

// Types one radiator's inputs, box by box, as the user would.
void TypeRadiator(Form3* f, const QString& vorl, const QString& rueckl, const QString& raumNr,
                  const QString& raumVer, const QString& dRaum, const QString& qRaum) {
    const std::pair<CalcControl, QString> inputs[] = {
        {CalcControl::txtdVorl, vorl},    {CalcControl::txtdRueckl, rueckl},
        {CalcControl::txtRaumNr, raumNr}, {CalcControl::txtRaumVer, raumVer},
        {CalcControl::txtdRaum, dRaum},   {CalcControl::txtQRaum, qRaum},
    };
    for (const auto& [control, text] : inputs) {
        QLineEdit* box = Box(f, control);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        TypeText(box, text);
    }
}

QString Shown(QPlainTextEdit* box) { return box->toPlainText(); }

} // namespace

class CalculationTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void opensInDinModeWithEveryBoxEmpty() {
        Harness h;
        QVERIFY(WalkToForm3(h));
        Form3* f = h.shell.form3();
        auto* din = qobject_cast<QRadioButton*>(f->control(CalcControl::optDIN));
        auto* en = qobject_cast<QRadioButton*>(f->control(CalcControl::optEN));
        QVERIFY(din->isChecked());
        QVERIFY(!en->isChecked());
        QVERIFY(en->isEnabled());
        QCOMPARE(h.state.dNorm, 60);
        QCOMPARE(h.state.LfNr, 1);
        QCOMPARE(QApplication::focusWidget(), din);
        QVERIFY(f->control(CalcControl::cmdNächster)->isHidden());
        for (QLineEdit* box : f->findChildren<QLineEdit*>()) {
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        }
        QCOMPARE(f->text(CalcControl::txtAnzeige), "");
        QCOMPARE(List(f)->count(), 44);
        QCOMPARE(f->listIndex(), -1);
    }

    void tabVisitsTheControlsInOrder() {
        Harness h;
        QVERIFY(WalkToForm3(h));
        Form3* f = h.shell.form3();
        // Ergebnis once, so that "Nächster HK" is visible and in the chain.
        TypeRadiator(f, "75", "65", "1", "Bad", "20", "1000");
        ClickRow(List(f), 0);
        QTest::mouseClick(f->control(CalcControl::cmdErgebnis), Qt::LeftButton);
        QVERIFY(!f->control(CalcControl::cmdNächster)->isHidden());

        f->control(CalcControl::optDIN)->setFocus();
        const QStringList expected = {
            "txtdVorl",   "txtdRueckl",  "txtRaumNr",   "txtRaumVer", "txtdRaum", "txtQRaum",
            "txtExpon",   "txtdMittel",  "txtFaktor",   "txtQHKNeu",  "txtHkTyp", "Expon",
            "txtAnzeige", "cmdErgebnis", "cmdNächster", "optDIN",
        };
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void boxLimitsAndToolTips_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("maxLength"); // 0: no limit of its own
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("supply stops at 3")
            << "txtdVorl" << 3 << "Zahlen zwischen 120 und 50 eingeben";
        QTest::newRow("return stops at 3")
            << "txtdRueckl" << 3 << "Zahlen zwischen 100 und 35 eingeben";
        QTest::newRow("room number stops at 4")
            << "txtRaumNr" << 4 << "Zahlen zwischen 0001 und 9999 eingeben";
        QTest::newRow("room use stops at 11")
            << "txtRaumVer" << 11 << "Raumverwndung in Gross, Klein Buchstaben eingeben";
        QTest::newRow("room temperature stops at 2")
            << "txtdRaum" << 2 << "Zahlen zwischen 5 und 30 eingeben";
        QTest::newRow("room output stops at 5")
            << "txtQRaum" << 5 << "Zahlen zwischen 10 und 99999 eingeben";
        QTest::newRow("exponent stops at 5")
            << "txtExpon" << 5 << "Heizkörper Exponent aus listenfeld";
        QTest::newRow("mean difference unlimited")
            << "txtdMittel" << 0 << "Mittlere Heizkörpertemperatur";
        QTest::newRow("factor unlimited") << "txtFaktor" << 0 << "Heizkörper-Faktor";
        QTest::newRow("new output unlimited") << "txtQHKNeu" << 0 << "Neue Heizkörperleistung";
        QTest::newRow("type text unlimited, no tooltip") << "txtHkTyp" << 0 << "";
    }
    void boxLimitsAndToolTips() {
        QFETCH(QString, name);
        QFETCH(int, maxLength);
        QFETCH(QString, toolTip);
        Harness h;
        QVERIFY(WalkToForm3(h));
        auto* box = h.shell.form3()->findChild<QLineEdit*>(name);
        QVERIFY(box);
        box->setFocus();
        const QString typed = QStringLiteral("1234567890123456");
        QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), maxLength ? typed.left(maxLength) : typed);
        QCOMPARE(box->toolTip(), toolTip);
    }

    void otherToolTips_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("type list") << "Expon"
                                   << "Heizkörper aussuchen und anklicken";
        QTest::newRow("Ergebnis") << "cmdErgebnis"
                                  << "Setzt Berechnung in gang";
        QTest::newRow("Nächster HK") << "cmdNächster"
                                     << "Wechselt zum nächsten Heizkörper";
        QTest::newRow("listing has none") << "txtAnzeige"
                                          << "";
    }
    void otherToolTips() {
        QFETCH(QString, name);
        QFETCH(QString, toolTip);
        Harness h;
        QVERIFY(WalkToForm3(h));
        QWidget* w = h.shell.form3()->findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(w->toolTip(), toolTip);
    }

    // The boxes take what the project file can hold and nothing else.
    void boxesTakeOnlyWindows1252Characters_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("umlauts and sharp s") << "Küche ß"
                                             << "Küche ß";
        QTest::newRow("euro sign") << "Flur €"
                                   << "Flur €";
        QTest::newRow("greek omega refused") << "WCΩ"
                                             << "WC";
        QTest::newRow("cyrillic refused") << "Bжad"
                                          << "Bad";
    }
    void boxesTakeOnlyWindows1252Characters() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Harness h;
        QVERIFY(WalkToForm3(h));
        QLineEdit* box = Box(h.shell.form3(), CalcControl::txtRaumVer);
        box->setFocus();
        TypeText(box, typed);
        QCOMPARE(box->text(), kept);
    }

    void roadOfTwoRadiatorsToTheirListingLines() {
        Harness h;
        QVERIFY(WalkToForm3(h));
        Form3* f = h.shell.form3();
        TypeRadiator(f, "75", "65", "0001", "Wohnen", "20", "1000");
        ClickRow(List(f), 0);
        QCOMPARE(Box(f, CalcControl::txtHkTyp)->text(),
                 QStringLiteral("DIN Guss- Radiator          "));
        QCOMPARE(Box(f, CalcControl::txtExpon)->text(), QStringLiteral("1,3"));
        QCOMPARE(h.state.table.at(1).HkTyp, "DIN Guss- Radiator          ");

        QTest::mouseClick(f->control(CalcControl::cmdErgebnis), Qt::LeftButton);
        QVERIFY(h.messages.shown.empty());
        QCOMPARE(Box(f, CalcControl::txtdMittel)->text(), QStringLiteral("50"));
        QCOMPARE(Box(f, CalcControl::txtFaktor)->text(), QStringLiteral("1,28"));
        QCOMPARE(Box(f, CalcControl::txtQHKNeu)->text(), QStringLiteral("1280"));
        QVERIFY(!f->control(CalcControl::cmdNächster)->isHidden());
        QVERIFY(!f->control(CalcControl::optEN)->isEnabled());

        const std::string header = std::string(kTitle) + kCrLf + std::string(kSubtitle) + kCrLf +
                                   std::string(kReferenceLabel) + " 60" + kCrLf +
                                   std::string(68, ' ') + kCrLf + std::string(kColumnHeader) +
                                   kCrLf + std::string(kColumnRule) + kCrLf;
        const std::string line1 = "  1   75  650001    Wohnen  20  1000  1,3   50 1,28 1280  "
                                  "DIN Guss- Radiator          \r\n";
        QCOMPARE(f->text(CalcControl::txtAnzeige), header + line1);
        QCOMPARE(h.state.ListingText, header + line1);
        QCOMPARE(Shown(qobject_cast<QPlainTextEdit*>(f->control(CalcControl::txtAnzeige))),
                 QString::fromStdString(header + line1).replace("\r\n", "\n"));

        QTest::mouseClick(f->control(CalcControl::cmdNächster), Qt::LeftButton);
        QCOMPARE(h.state.LfNr, 2);
        QVERIFY(f->control(CalcControl::cmdNächster)->isHidden());
        QCOMPARE(QApplication::focusWidget(), f->control(CalcControl::txtRaumNr));
        QCOMPARE(Box(f, CalcControl::txtdVorl)->text(), QStringLiteral("75"));
        QCOMPARE(Box(f, CalcControl::txtdRueckl)->text(), QStringLiteral("65"));
        for (CalcControl c :
             {CalcControl::txtRaumNr, CalcControl::txtRaumVer, CalcControl::txtdRaum,
              CalcControl::txtQRaum, CalcControl::txtExpon, CalcControl::txtdMittel,
              CalcControl::txtFaktor, CalcControl::txtQHKNeu, CalcControl::txtHkTyp}) {
            QVERIFY2(Box(f, c)->text().isEmpty(), qPrintable(f->control(c)->objectName()));
        }

        // The second radiator: its type chosen by keyboard in the list.
        TypeRadiator(f, "70", "40", "12", "Küche", "20", "1000");
        List(f)->setFocus();
        QTest::keyClick(List(f), Qt::Key_Down);
        QCOMPARE(f->listIndex(), 1);
        QCOMPARE(Box(f, CalcControl::txtExpon)->text(), QStringLiteral("1,3"));
        QTest::mouseClick(f->control(CalcControl::cmdErgebnis), Qt::LeftButton);
        QVERIFY(h.messages.shown.empty());
        const std::string line2 = "  2   70  40  12     Küche  20  1000  1,3 32,7  2,2 2200  "
                                  "DIN Stahl- Radiator         \r\n";
        QCOMPARE(f->text(CalcControl::txtAnzeige), header + line1 + line2);
        QCOMPARE(h.state.ListingText, header + line1 + line2);
    }

    void refusedInputIsReportedWithItsFocus_data() {
        QTest::addColumn<QStringList>(
            "inputs"); // supply, return, room no., use, room temp., output[, exponent]
        QTest::addColumn<int>("typeRow"); // -1: no type chosen
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("focus");
        const QString fix = QStringLiteral("Eingabeberichtigung");
        const int info = int(MsgIcon::Information);
        QTest::newRow("supply 121")
            << QStringList{"121", "65", "1", "", "20", "1000"} << 0
            << "Nur Zahlen zwischen 120 und 50 eingeben" << fix << info << "txtdVorl";
        QTest::newRow("return empty")
            << QStringList{"75", "", "1", "", "20", "1000"} << 0
            << "Nur Zahlen zwischen 45 und 95 eingeben" << fix << info << "txtdRueckl";
        QTest::newRow("room number 12ab")
            << QStringList{"75", "65", "12ab", "", "20", "1000"} << 0
            << "Nur Zahlen zwischen 0001 und 9999 eingeben" << fix << info << "txtRaumNr";
        QTest::newRow("room temperature 31")
            << QStringList{"75", "65", "1", "", "31", "1000"} << 0
            << "Nur Zahlen zwischen 5 und 30 eingeben" << fix << info << "txtdRaum";
        QTest::newRow("room output 10001")
            << QStringList{"75", "65", "1", "", "20", "10001"} << 0
            << "Nur Zahlen zwischen 10 und 99999 eingeben" << fix << info << "txtQRaum";
        QTest::newRow("supply below return")
            << QStringList{"60", "70", "1", "", "20", "1000"} << 0
            << "Vorlauftemperetur muss grösser als Rücklauftemperatur sein"
            << "HKberech" << int(MsgIcon::None) << "txtdVorl";
        QTest::newRow("exponent typed 2,1")
            << QStringList{"75", "65", "1", "", "20", "1000", "2,1"} << -1
            << "Bitte Heizkörper im Feld Exponent aussuchen und anklicken" << fix << info
            << "Expon";
    }
    void refusedInputIsReportedWithItsFocus() {
        QFETCH(QStringList, inputs);
        QFETCH(int, typeRow);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QFETCH(QString, focus);
        Harness h;
        QVERIFY(WalkToForm3(h));
        Form3* f = h.shell.form3();
        TypeRadiator(f, inputs[0], inputs[1], inputs[2], inputs[3], inputs[4], inputs[5]);
        if (typeRow >= 0) {
            ClickRow(List(f), typeRow);
        }
        if (inputs.size() > 6) { // an exponent typed by hand
            Box(f, CalcControl::txtExpon)->setFocus();
            TypeText(Box(f, CalcControl::txtExpon), inputs[6]);
        }
        QTest::mouseClick(f->control(CalcControl::cmdErgebnis), Qt::LeftButton);

        QCOMPARE(h.messages.shown.size(), 1u);
        QCOMPARE(h.messages.parents[0], f);
        QCOMPARE(QString::fromStdString(h.messages.shown[0].text), text);
        QCOMPARE(QString::fromStdString(h.messages.shown[0].title), title);
        QCOMPARE(int(h.messages.shown[0].icon), icon);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(h.state.LfNr, 1);
        QVERIFY(f->control(CalcControl::cmdNächster)->isHidden());
        QCOMPARE(f->text(CalcControl::txtAnzeige), "");
    }

    // After the exponent message the focus goes into the type list; that
    // alone must not choose a type.
    void exponentMessageLeavesFocusInTheListWithoutChoosing() {
        Harness h;
        QVERIFY(WalkToForm3(h));
        Form3* f = h.shell.form3();
        TypeRadiator(f, "75", "65", "1", "Bad", "20", "1000");
        QTest::mouseClick(f->control(CalcControl::cmdErgebnis), Qt::LeftButton);

        QCOMPARE(h.messages.shown.size(), 1u);
        QCOMPARE(h.messages.shown[0].text,
                 "Bitte Heizkörper im Feld Exponent aussuchen und anklicken");
        QCOMPARE(QApplication::focusWidget(), f->control(CalcControl::Expon));
        QCOMPARE(f->listIndex(), -1);
        QCOMPARE(Box(f, CalcControl::txtExpon)->text(), QString());
        QCOMPARE(Box(f, CalcControl::txtHkTyp)->text(), QString());
        QCOMPARE(h.state.table.at(1).HkTyp, "");

        // The first key then chooses the first type.
        QTest::keyClick(List(f), Qt::Key_Down);
        QCOMPARE(f->listIndex(), 0);
        QCOMPARE(Box(f, CalcControl::txtExpon)->text(), QStringLiteral("1,3"));
    }

    void choosingATypeFillsItsBoxes_data() {
        QTest::addColumn<QString>("how"); // "mouse" or "keys"
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("exponent");
        QTest::newRow("mouse, first row") << "mouse" << 0 << "DIN Guss- Radiator          "
                                          << "1,3";
        QTest::newRow("mouse, Prfl 350 Typ 10") << "mouse" << 4 << "Prfl Flach-Hk BH 350 Typ 10 "
                                                << "1,28";
        QTest::newRow("mouse, last row of 29 characters")
            << "mouse" << 43 << "Plan Flach-Hk BH 900 Typ 33  "
            << "1,32";
        QTest::newRow("keys, Prfl 350 Typ 11") << "keys" << 5 << "Prfl Flach-Hk BH 350 Typ 11 "
                                               << "1,26";
        QTest::newRow("keys, Prfl 900 Typ 33") << "keys" << 23 << "Prfl Flach-Hk BH 900 Typ 33 "
                                               << "1,35";
    }
    void choosingATypeFillsItsBoxes() {
        QFETCH(QString, how);
        QFETCH(int, row);
        QFETCH(QString, type);
        QFETCH(QString, exponent);
        Harness h;
        QVERIFY(WalkToForm3(h));
        Form3* f = h.shell.form3();
        if (how == QStringLiteral("mouse")) {
            ClickRow(List(f), row);
        } else {
            List(f)->setFocus();
            for (int i = 0; i <= row; ++i) {
                QTest::keyClick(List(f), Qt::Key_Down);
            }
        }
        QCOMPARE(f->listIndex(), row);
        QCOMPARE(Box(f, CalcControl::txtHkTyp)->text(), type);
        QCOMPARE(Box(f, CalcControl::txtExpon)->text(), exponent);
        QCOMPARE(QString::fromStdString(h.state.table.at(1).HkTyp), type);
    }

    // The next radiator starts with empty type boxes; clicking the type that
    // is still selected in the list chooses it again.
    void clickingTheSelectedTypeAgainChoosesIt() {
        Harness h;
        QVERIFY(WalkToForm3(h));
        Form3* f = h.shell.form3();
        TypeRadiator(f, "75", "65", "1", "Bad", "20", "1000");
        ClickRow(List(f), 7);
        QTest::mouseClick(f->control(CalcControl::cmdErgebnis), Qt::LeftButton);
        QTest::mouseClick(f->control(CalcControl::cmdNächster), Qt::LeftButton);
        QCOMPARE(Box(f, CalcControl::txtExpon)->text(), QString());
        QCOMPARE(f->listIndex(), 7);

        ClickRow(List(f), 7);
        QCOMPARE(Box(f, CalcControl::txtExpon)->text(), QStringLiteral("1,32"));
        QCOMPARE(h.state.table.at(2).HkTyp, "Prfl Flach-Hk BH 350 Typ 22 ");
    }

    void referenceModeSwitchesUntilTheFirstCalculation() {
        Harness h;
        QVERIFY(WalkToForm3(h));
        Form3* f = h.shell.form3();
        auto* din = qobject_cast<QRadioButton*>(f->control(CalcControl::optDIN));
        auto* en = qobject_cast<QRadioButton*>(f->control(CalcControl::optEN));
        QTest::mouseClick(en, Qt::LeftButton);
        QCOMPARE(h.state.dNorm, 50);
        QTest::mouseClick(din, Qt::LeftButton);
        QCOMPARE(h.state.dNorm, 60);
        QTest::mouseClick(en, Qt::LeftButton);
        QCOMPARE(h.state.dNorm, 50);

        // A refused first press locks the mode all the same.
        QTest::mouseClick(f->control(CalcControl::cmdErgebnis), Qt::LeftButton);
        QCOMPARE(h.messages.shown.size(), 1u);
        QVERIFY(!din->isEnabled());
        QVERIFY(en->isEnabled());
        QCOMPARE(h.state.dNorm, 50);
    }

    // Seventy radiators fill the table; the seventy-first ends in the
    // general input-error message with the focus on the supply box.
    void seventyFirstRadiatorIsRefused() {
        Harness h;
        QVERIFY(WalkToForm3(h));
        Form3* f = h.shell.form3();
        QPushButton* ergebnis = qobject_cast<QPushButton*>(f->control(CalcControl::cmdErgebnis));
        QPushButton* naechster = qobject_cast<QPushButton*>(f->control(CalcControl::cmdNächster));
        for (int n = 1; n <= 70; ++n) {
            TypeRadiator(f, "75", "65", QString::number(n), "", "20", "1000");
            ClickRow(List(f), 0);
            QTest::mouseClick(ergebnis, Qt::LeftButton);
            QVERIFY2(h.messages.shown.empty(), qPrintable(QString::number(n)));
            QTest::mouseClick(naechster, Qt::LeftButton);
        }
        QCOMPARE(h.state.LfNr, 71);
        TypeRadiator(f, "75", "65", "71", "", "20", "1000");
        ClickRow(List(f), 0);
        QTest::mouseClick(ergebnis, Qt::LeftButton);

        QCOMPARE(h.messages.shown.size(), 1u);
        QCOMPARE(h.messages.shown[0],
                 (Message{" Überprüfen Sie Ihre Eingaben. Dezimalzeichen ist das Komma. "
                          "Umschaltung aktiv ? Nur ganze Zahlen!",
                          "Eingabefehler:", MsgIcon::Information}));
        QCOMPARE(QApplication::focusWidget(), f->control(CalcControl::txtdVorl));
        QVERIFY(naechster->isHidden());
        QCOMPARE(h.state.LfNr, 71);
        const QString shown =
            qobject_cast<QPlainTextEdit*>(f->control(CalcControl::txtAnzeige))->toPlainText();
        QCOMPARE(shown.count(QLatin1Char('\n')), 6 + 70);
    }

    void printMenuPrintsTheProjectAsItStands_data() {
        QTest::addColumn<bool>("byShortcut");
        QTest::newRow("menu item &Drucken") << false;
        QTest::newRow("Ctrl+D") << true;
    }
    void printMenuPrintsTheProjectAsItStands() {
        QFETCH(bool, byShortcut);
        Harness h;
        QVERIFY(WalkToForm3(h));
        Form3* f = h.shell.form3();
        TypeRadiator(f, "75", "65", "1", "Bad", "20", "1000");
        ClickRow(List(f), 0);
        QTest::mouseClick(f->control(CalcControl::cmdErgebnis), Qt::LeftButton);
        if (byShortcut) {
            QTest::keyClick(f, Qt::Key_D, Qt::ControlModifier);
        } else {
            f->findChild<QAction*>(QStringLiteral("mnuPrinterItem"))->trigger();
        }
        QCOMPARE(h.printer.printed.size(), 1u);
        QVERIFY(h.printer.printed[0] == h.state);
        QCOMPARE(h.printer.parents[0], f);
    }
};

QTEST_MAIN(CalculationTest)
#include "calculation_test.moc"
