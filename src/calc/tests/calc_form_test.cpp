#include "calc/calc_form.h"
#include "calc/catalogue.h"
#include "common/errors.h"
#include "common/numbers.h"
#include "support/calc_rig.h"

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

// The calculation screen opened with DIN.
class CalcFormTest : public ::testing::Test, protected test::CalcRig<RecordingListing> {
protected:
    void TypeRadiator(const char* vorl, const char* rueckl, const char* nr, const char* ver,
                      const char* raum, const char* q, int typeIndex) {
        type({vorl, rueckl, nr, ver, raum, q});
        if (typeIndex >= 0) {
            chooseType(typeIndex);
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

// Each input field's checks, row by row, are the table CalcFieldFault of the
// fault tests (tests/property/fault_calc_test.cpp).

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

// A second "Ergebnis" on an entry that holds a calculation (room 0003 Küche,
// type 0 with n = 1,3): another room is a slip that must not replace it
// silently; a type chosen in between goes into the entry only with its
// exponent.
struct SecondPressCase {
    const char* name;
    const char* raumNr;
    const char* raumVer;
    int typeBetween; // -1: no new type chosen
    bool confirms;   // the answer to the question, if one is asked
    bool asked;
    const char* storedNr; // the entry's room number afterwards
};

class SecondPressTest : public CalcFormTest,
                        public ::testing::WithParamInterface<SecondPressCase> {};

TEST_P(SecondPressTest, ReplacesOnlyTheSameRoomOrWhenConfirmed) {
    const SecondPressCase& c = GetParam();
    state.LfNr = 3;
    TypeRadiator("70", "40", "0003", "Küche", "20", "1000", 0);
    form.cmdErgebnis_Click();
    const RadiatorEntry first = state.table.at(3);
    ASSERT_EQ(first.Exponent, CatalogueExponent(0));
    if (c.typeBetween >= 0) {
        chooseType(c.typeBetween);
        EXPECT_EQ(state.table.at(3), first) << "the type waits for the next Ergebnis";
    }
    screen.confirms = c.confirms;
    type({"70", "40", c.raumNr, c.raumVer, "20", "1200"});
    form.cmdErgebnis_Click();

    ASSERT_EQ(screen.asked.size(), c.asked ? 1u : 0u);
    if (c.asked) {
        EXPECT_EQ(screen.asked[0],
                  (Question{"Heizkörper 3 (Raum 0003 Küche) ist schon berechnet. Ersetzen? Für "
                            "einen neuen Heizkörper zuerst „Nächster HK“ drücken.",
                            "HKberech", "Ersetzen", "Abbrechen", ""}));
    }
    const RadiatorEntry& now = state.table.at(3);
    EXPECT_EQ(now.RaumNr, c.storedNr);
    if (now.RaumNr == first.RaumNr && !c.confirms && c.asked) {
        EXPECT_EQ(now, first);
        EXPECT_EQ(listing.lines, 1);
    }
    // Whatever happened, the entry's type and exponent belong together.
    const int index = c.typeBetween >= 0 && now != first ? c.typeBetween : 0;
    EXPECT_EQ(now.HkTyp, RadiatorCatalogue()[static_cast<std::size_t>(index)].text);
    EXPECT_EQ(now.Exponent, CatalogueExponent(index));
    EXPECT_TRUE(screen.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    CalcForm, SecondPressTest,
    ::testing::Values(SecondPressCase{"SameRoomRecalculatedWithoutQuestion", "0003", "Küche", -1,
                                      false, false, "0003"},
                      SecondPressCase{"SameRoomTakesTheNewTypeWithItsExponent", "0003", "Küche", 5,
                                      false, false, "0003"},
                      SecondPressCase{"OtherRoomNumberCancelledChangesNothing", "0004", "Küche", -1,
                                      false, true, "0003"},
                      SecondPressCase{"OtherRoomUseCancelledKeepsTheOldType", "0003", "Bad", 5,
                                      false, true, "0003"},
                      SecondPressCase{"OtherRoomConfirmedReplacesWithTypeAndExponent", "0004",
                                      "Bad", 5, true, true, "0004"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace hk
