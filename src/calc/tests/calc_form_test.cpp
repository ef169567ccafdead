#include "calc/calc_form.h"
#include "calc/tests/fake_calc_screen.h"
#include "common/errors.h"
#include "common/numbers.h"

#include <gtest/gtest.h>

#include <string>

namespace hk {
namespace {

using C = CalcControl;

class RecordingListing : public ListingSink {
public:
    int headers = 0;
    int lines = 0;
    bool fail = false;
    void Anzeigen() override { ++headers; }
    void Ergebn() override {
        if (fail) {
            throw OverflowError();
        }
        ++lines;
    }
    void ErgebnOf(int /*n*/) override { ++lines; }
};

class CalcFormTest : public ::testing::Test {
protected:
    ProgramState state;
    test::FakeCalcScreen screen;
    RecordingListing listing;
    CalcForm form{state, screen, listing};

    void SetUp() override {
        form.Form_Load();
        screen.dinSelected = true;
        form.optDIN_Click();
    }

    void TypeRadiator(const char* vorl, const char* rueckl, const char* nr, const char* ver,
                      const char* raum, const char* q, int type) {
        screen.typeRadiator(vorl, rueckl, nr, ver, raum, q);
        if (type >= 0) {
            screen.selectedIndex = type;
            form.Expon_Click();
        }
    }
    void TypeGood() { TypeRadiator("70", "40", "0001", "Küche", "20", "1000", 0); }
};

TEST_F(CalcFormTest, LoadFillsListAndStartsAtEntryOne) {
    EXPECT_EQ(screen.listItems.size(), 44u);
    EXPECT_EQ(screen.listIndex(), -1);
    EXPECT_EQ(state.LfNr, 1);
    EXPECT_EQ(screen.text(C::txtExpon), "");
    EXPECT_EQ(screen.text(C::txtHkTyp), "");
}

TEST_F(CalcFormTest, ChoosingTypesWritesTextExponentAndEntry) {
    state.LfNr = 3;
    screen.selectedIndex = 0;
    form.Expon_Click();
    EXPECT_EQ(screen.text(C::txtHkTyp), "DIN Guss- Radiator          ");
    EXPECT_EQ(state.table.at(3).HkTyp, "DIN Guss- Radiator          ");
    EXPECT_EQ(screen.text(C::txtExpon), "1,3");
    screen.selectedIndex = 43;
    form.Expon_Click();
    EXPECT_EQ(screen.text(C::txtHkTyp), "Plan Flach-Hk BH 900 Typ 33  ");
    EXPECT_EQ(state.table.at(3).HkTyp, "Plan Flach-Hk BH 900 Typ 33  ");
    EXPECT_EQ(screen.text(C::txtExpon), "1,32");
    // Typing into the type box does not reach the entry.
    screen.type(C::txtHkTyp, "anders");
    EXPECT_EQ(state.table.at(3).HkTyp, "Plan Flach-Hk BH 900 Typ 33  ");
}

TEST_F(CalcFormTest, ChoiceWithoutSelectionLeavesExponent) {
    screen.type(C::txtExpon, "1,3");
    screen.selectedIndex = -1;
    form.Expon_Click();
    EXPECT_EQ(screen.text(C::txtExpon), "1,3");
}

TEST_F(CalcFormTest, ChoiceAfterEntrySeventyWritesNothingOutside) {
    state.LfNr = 71;
    screen.selectedIndex = 5;
    EXPECT_NO_THROW(form.Expon_Click());
    EXPECT_EQ(screen.text(C::txtExpon), "1,26");
}

TEST_F(CalcFormTest, ReferenceModeSwitchesUntilFirstPress) {
    screen.dinSelected = false;
    screen.enSelected = true;
    form.optEN_Click();
    EXPECT_EQ(state.dNorm, 50);
    screen.enSelected = false;
    screen.dinSelected = true;
    form.optDIN_Click();
    EXPECT_EQ(state.dNorm, 60);
    form.optEN_Click(); // EN is not the selected one: nothing changes
    EXPECT_EQ(state.dNorm, 60);
}

TEST_F(CalcFormTest, SuccessfulPressStoresResultsAndAppendsListing) {
    TypeGood();
    form.cmdErgebnis_Click();
    ASSERT_TRUE(screen.messages.empty());
    const RadiatorEntry& e = state.table.at(1);
    EXPECT_EQ(e.dVorl, 70.0f);
    EXPECT_EQ(e.dRueckl, 40.0f);
    EXPECT_EQ(e.RaumNr, "0001");
    EXPECT_EQ(e.RaumVer, "Küche");
    EXPECT_EQ(e.Exponent, 1.3f);
    EXPECT_EQ(e.dMittel, 32.7f);
    EXPECT_EQ(e.Faktor, 2.2f);
    EXPECT_EQ(e.QHKNeu, 2200.0f);
    EXPECT_EQ(screen.text(C::txtdMittel), "32,7");
    EXPECT_EQ(screen.text(C::txtFaktor), "2,2");
    EXPECT_EQ(screen.text(C::txtQHKNeu), "2200");
    EXPECT_TRUE(screen.isVisible(C::cmdNächster));
    EXPECT_FALSE(screen.isEnabled(C::optEN));
    EXPECT_TRUE(screen.isEnabled(C::optDIN));
    EXPECT_EQ(listing.headers, 1);
    EXPECT_EQ(listing.lines, 1);
    // Pressed again for entry 1: another header block and line.
    form.cmdErgebnis_Click();
    EXPECT_EQ(listing.headers, 2);
    EXPECT_EQ(listing.lines, 2);
}

TEST_F(CalcFormTest, NextCommandClearsRoomFieldsAndKeepsTemperatures) {
    TypeGood();
    form.cmdErgebnis_Click();
    form.cmdNächster_Click();
    EXPECT_EQ(state.LfNr, 2);
    for (C c : {C::txtRaumNr, C::txtRaumVer, C::txtdRaum, C::txtQRaum, C::txtExpon, C::txtdMittel,
                C::txtFaktor, C::txtQHKNeu, C::txtHkTyp}) {
        EXPECT_EQ(screen.text(c), "") << static_cast<int>(c);
    }
    EXPECT_EQ(screen.text(C::txtdVorl), "70");
    EXPECT_EQ(screen.text(C::txtdRueckl), "40");
    EXPECT_EQ(screen.focus, C::txtRaumNr);
    EXPECT_FALSE(screen.isVisible(C::cmdNächster));
    // The second radiator: no header block, one line.
    TypeRadiator("70", "40", "2", "", "20", "500", 4);
    form.cmdErgebnis_Click();
    EXPECT_EQ(listing.headers, 1);
    EXPECT_EQ(listing.lines, 2);
    EXPECT_EQ(state.table.at(2).RaumVer, "");
}

TEST_F(CalcFormTest, NewEntryNeedsANewTypeChoice) {
    TypeGood();
    form.cmdErgebnis_Click();
    form.cmdNächster_Click();
    TypeRadiator("70", "40", "2", "Bad", "20", "500", -1);
    form.cmdErgebnis_Click();
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, kMsgExponent);
    EXPECT_EQ(screen.focus, C::Expon);
}

struct FieldCase {
    const char* name;
    C field;
    const char* text;
    const char* message; // empty: accepted
    C focus;
};

class FieldCheckTest : public CalcFormTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(FieldCheckTest, RefusesOrAccepts) {
    const FieldCase& p = GetParam();
    TypeGood();
    screen.type(p.field, p.text);
    const RadiatorEntry before = state.table.at(1);
    form.cmdErgebnis_Click();
    if (std::string(p.message).empty()) {
        EXPECT_TRUE(screen.messages.empty()) << screen.messages[0].text;
        EXPECT_EQ(listing.lines, 1);
        return;
    }
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, p.message);
    EXPECT_EQ(screen.messages[0].title, "Eingabeberichtigung");
    EXPECT_EQ(screen.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(screen.focus, p.focus);
    EXPECT_EQ(state.table.at(1), before) << "a refused field stores nothing";
    EXPECT_EQ(state.LfNr, 1);
    EXPECT_FALSE(screen.isVisible(C::cmdNächster));
    EXPECT_EQ(screen.text(p.field), p.text) << "no field is cleared";
    EXPECT_FALSE(screen.isEnabled(C::optEN)) << "the mode locks even on a refusal";
}

constexpr const char* kVorl = "Nur Zahlen zwischen 120 und 50 eingeben";
constexpr const char* kRueckl = "Nur Zahlen zwischen 45 und 95 eingeben";
constexpr const char* kNr = "Nur Zahlen zwischen 0001 und 9999 eingeben";
constexpr const char* kRaum = "Nur Zahlen zwischen 5 und 30 eingeben";
constexpr const char* kQ = "Nur Zahlen zwischen 10 und 99999 eingeben";
constexpr const char* kExp = "Bitte Heizkörper im Feld Exponent aussuchen und anklicken";

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldCheckTest,
    ::testing::Values(
        FieldCase{"Supply120Passes", C::txtdVorl, "120", "", C::txtdVorl},
        FieldCase{"Supply121Refused", C::txtdVorl, "121", kVorl, C::txtdVorl},
        FieldCase{"Supply50Passes", C::txtdVorl, "50", "", C::txtdVorl},
        FieldCase{"SupplyCommaTestedWhole", C::txtdVorl, "49,9", kVorl, C::txtdVorl},
        FieldCase{"SupplyEmpty", C::txtdVorl, "", kVorl, C::txtdVorl},
        FieldCase{"SupplyBlank", C::txtdVorl, " ", kVorl, C::txtdVorl},
        FieldCase{"SupplyLetters", C::txtdVorl, "abc", kVorl, C::txtdVorl},
        FieldCase{"Return35Passes", C::txtdRueckl, "35", "", C::txtdRueckl},
        FieldCase{"Return34Refused", C::txtdRueckl, "34", kRueckl, C::txtdRueckl},
        FieldCase{"Return96Refused", C::txtdRueckl, "96", kRueckl, C::txtdRueckl},
        FieldCase{"RoomNumberZeroPointNine", C::txtRaumNr, "0.9", kNr, C::txtRaumNr},
        FieldCase{"RoomNumberZeroCommaNineFive", C::txtRaumNr, "0,95", kNr, C::txtRaumNr},
        FieldCase{"RoomNumberTrailingLetters", C::txtRaumNr, "12abc", kNr, C::txtRaumNr},
        FieldCase{"RoomNumber9999Passes", C::txtRaumNr, "9999", "", C::txtRaumNr},
        FieldCase{"RoomNumberEmpty", C::txtRaumNr, "", kNr, C::txtRaumNr},
        FieldCase{"RoomTemp4Refused", C::txtdRaum, "4", kRaum, C::txtdRaum},
        FieldCase{"RoomTemp5Passes", C::txtdRaum, "5", "", C::txtdRaum},
        FieldCase{"RoomTemp31Refused", C::txtdRaum, "31", kRaum, C::txtdRaum},
        FieldCase{"Output5Passes", C::txtQRaum, "5", "", C::txtQRaum},
        FieldCase{"Output10000Passes", C::txtQRaum, "10000", "", C::txtQRaum},
        FieldCase{"Output10001Refused", C::txtQRaum, "10001", kQ, C::txtQRaum},
        FieldCase{"OutputPointReadAsGrouping", C::txtQRaum, "10.00", "", C::txtQRaum},
        FieldCase{"ExponentEmpty", C::txtExpon, "", kExp, C::Expon},
        FieldCase{"Exponent21Refused", C::txtExpon, "2,1", kExp, C::Expon},
        FieldCase{"ExponentOnePasses", C::txtExpon, "1", "", C::Expon},
        FieldCase{"ExponentUnderflowsToZero", C::txtExpon, "1,0E-400", kExp, C::Expon}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalcFormTest, StoresSupplyWithPointAndRoomWithComma) {
    TypeRadiator("120,5", "40", "0001", "", "20,5", "1000", 0);
    form.cmdErgebnis_Click();
    ASSERT_TRUE(screen.messages.empty());
    EXPECT_EQ(state.table.at(1).dVorl, 120.0f);
    EXPECT_EQ(state.table.at(1).dRaum, 20.5f);
    TypeRadiator("49.9", "40", "0001", "", "20", "1000", 0);
    form.cmdErgebnis_Click();
    ASSERT_TRUE(screen.messages.empty());
    EXPECT_EQ(state.table.at(1).dVorl, 49.9f);
}

TEST_F(CalcFormTest, SupplyBelowReturnStoresInputsButNoResults) {
    TypeRadiator("60", "70", "0001", "Flur", "20", "1000", 0);
    form.cmdErgebnis_Click();
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0],
              (Message{"Vorlauftemperetur muss grösser als Rücklauftemperatur sein", "HKberech",
                       MsgIcon::None}));
    EXPECT_EQ(screen.focus, C::txtdVorl);
    EXPECT_EQ(state.table.at(1).dVorl, 60.0f);
    EXPECT_EQ(state.table.at(1).RaumVer, "Flur");
    EXPECT_EQ(state.table.at(1).dMittel, 0.0f);
    EXPECT_FALSE(screen.isVisible(C::cmdNächster));
    EXPECT_EQ(listing.lines, 0);
}

TEST_F(CalcFormTest, EqualTemperaturesPass) {
    TypeRadiator("70", "70", "0001", "", "20", "1000", 0);
    form.cmdErgebnis_Click();
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(state.table.at(1).dMittel, 50.0f);
}

void ExpectGeneralError(const test::FakeCalcScreen& screen) {
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text,
              " Überprüfen Sie Ihre Eingaben. Dezimalzeichen ist das Komma. Umschaltung aktiv ? "
              "Nur ganze Zahlen!");
    EXPECT_EQ(screen.messages[0].title, "Eingabefehler:");
    EXPECT_EQ(screen.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(screen.focus, C::txtdVorl);
}

TEST_F(CalcFormTest, MixedFormatsFailInConversionAndKeepOldResults) {
    TypeGood();
    form.cmdErgebnis_Click();
    screen.type(C::txtdRaum, "25.000"); // tested as 25, stored as 25000
    form.cmdErgebnis_Click();
    ExpectGeneralError(screen);
    EXPECT_EQ(state.table.at(1).dRaum, 25000.0f);
    EXPECT_EQ(state.table.at(1).dMittel, 32.7f) << "results of the earlier press stay";
    EXPECT_EQ(screen.text(C::txtFaktor), "2,2");
    EXPECT_TRUE(screen.isVisible(C::cmdNächster));
    EXPECT_EQ(listing.lines, 1);
}

TEST_F(CalcFormTest, NumberBeyondDoubleRangeIsGeneralError) {
    TypeGood();
    screen.type(C::txtQRaum, "1E400");
    const RadiatorEntry before = state.table.at(1);
    form.cmdErgebnis_Click();
    ExpectGeneralError(screen);
    EXPECT_EQ(state.table.at(1), before) << "nothing stored";
    EXPECT_EQ(state.table.at(1).dVorl, 0.0f);
}

TEST_F(CalcFormTest, ListingFailureReachesTheErrorTrap) {
    TypeGood();
    listing.fail = true;
    form.cmdErgebnis_Click();
    ExpectGeneralError(screen);
}

TEST_F(CalcFormTest, ConversionWithoutModeFails) {
    screen.dinSelected = false;
    state.dNorm = 0;
    TypeGood();
    form.cmdErgebnis_Click();
    ExpectGeneralError(screen);
    EXPECT_EQ(state.table.at(1).dMittel, 0.0f);
    EXPECT_TRUE(screen.isEnabled(C::optEN));
}

TEST_F(CalcFormTest, SeventyEntriesThenTheSeventyFirstIsRefused) {
    for (int n = 1; n <= 70; ++n) {
        TypeRadiator("70", "40", "1", "", "20", "1000", n % 44);
        form.cmdErgebnis_Click();
        ASSERT_TRUE(screen.messages.empty()) << "entry " << n;
        form.cmdNächster_Click();
    }
    EXPECT_EQ(state.LfNr, 71);
    EXPECT_EQ(listing.lines, 70);
    EXPECT_EQ(listing.headers, 1);
    TypeRadiator("70", "40", "1", "", "20", "1000", 0);
    form.cmdErgebnis_Click();
    ExpectGeneralError(screen);
    EXPECT_FALSE(screen.isVisible(C::cmdNächster));
    EXPECT_EQ(state.LfNr, 71);
}

TEST_F(CalcFormTest, EnModeLocksDin) {
    screen.dinSelected = false;
    screen.enSelected = true;
    form.optEN_Click();
    TypeRadiator("65", "45", "1", "", "20", "1200", 0);
    form.cmdErgebnis_Click();
    EXPECT_FALSE(screen.isEnabled(C::optDIN));
    EXPECT_EQ(state.dNorm, 50);
    EXPECT_EQ(screen.text(C::txtQHKNeu), "1980");
}

} // namespace
} // namespace hk
