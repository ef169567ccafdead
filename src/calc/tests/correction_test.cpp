// Correcting an earlier radiator: every input field accepted and refused
// with the calculation command's own checks and messages, the recalculation
// compared with a fresh calculation of the corrected inputs, the journal
// line, undo and the unsaved mark.

#include "calc/calc_form.h"
#include "calc/catalogue.h"
#include "calc/correction.h"
#include "common/numbers.h"
#include "support/calc_rig.h"
#include "support/journal_listing.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace hk {
namespace {

using C = CalcControl;
using F = CorrectionField;

// The inputs of one radiator as typed on the calculation screen.
struct Inputs {
    const char* vorl = "70";
    const char* rueckl = "40";
    const char* nr = "0002";
    const char* ver = "Bad";
    const char* raum = "20";
    const char* q = "1000";
    int type = 0;
};

// A project calculated through the calculation command, one entry a radiator.
struct Project : test::CalcRig<test::JournalListing> {
    void Calculate(const Inputs& in) {
        calculate({in.vorl, in.rueckl, in.nr, in.ver, in.raum, in.q}, in.type);
    }
    void CalculateAndNext(const Inputs& in) {
        Calculate(in);
        pressNaechster();
    }
};

// Entry 1 of a fresh project calculated from in: what a correction must give.
RadiatorEntry FreshlyCalculated(const Inputs& in) {
    Project p;
    p.Calculate(in);
    EXPECT_TRUE(p.screen.messages.empty());
    return p.state.table.at(1);
}

class CorrectionTest : public ::testing::Test {
protected:
    Project p;
    RadiatorCorrection correction{p.state, p.screen, p.listing};

    void SetUp() override {
        p.CalculateAndNext({.nr = "1"});
        p.CalculateAndNext({.nr = "0002"});
        p.CalculateAndNext({.nr = "3"});
        ASSERT_TRUE(p.screen.messages.empty());
        ASSERT_EQ(p.state.LfNr, 4);
        p.state.Saved(); // as after a save
    }
};

struct FieldCase {
    const char* name;
    F field;
    std::string text;
    bool accepted;
    Inputs corrected;    // entry 2's inputs after an accepted correction
    std::string message; // of a refusal
    std::string title;   // of a refusal
};

std::string TypeText(int index) { return std::string(RadiatorCatalogue()[index].text); }

const std::string kBerichtigung(kTitleEingabeberichtigung);
const std::string kFehler(kTitleEingabefehler);
const std::string kSupplyMsg = "Nur Zahlen zwischen 120 und 50 eingeben";
const std::string kReturnMsg = "Nur Zahlen zwischen 45 und 95 eingeben";
const std::string kRoomNrMsg = "Nur Zahlen zwischen 0001 und 9999 eingeben";
const std::string kRoomMsg = "Nur Zahlen zwischen 5 und 30 eingeben";
const std::string kOutputMsg = "Nur Zahlen zwischen 10 und 99999 eingeben";

FieldCase Accept(const char* name, F field, std::string text, Inputs corrected) {
    return {name, field, std::move(text), true, corrected, {}, {}};
}
FieldCase Refuse(const char* name, F field, std::string text, std::string message,
                 std::string title = kBerichtigung) {
    return {name, field, std::move(text), false, {}, std::move(message), std::move(title)};
}

class CorrectFieldTest : public CorrectionTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(CorrectFieldTest, AcceptsAsTheCalculationOrRefusesWithItsMessage) {
    const FieldCase& c = GetParam();
    const ProgramState before = p.state;
    const std::string boxBefore = p.screen.text(C::txtAnzeige);

    const auto corrected = correction.Correct(2, c.field, c.text);

    if (!c.accepted) {
        ASSERT_FALSE(corrected);
        EXPECT_EQ(corrected.problem().text, c.message);
        EXPECT_EQ(corrected.problem().title, c.title);
        EXPECT_TRUE(p.state == before);
        EXPECT_EQ(p.screen.text(C::txtAnzeige), boxBefore);
        EXPECT_FALSE(correction.CanUndo());
        return;
    }
    ASSERT_TRUE(corrected) << corrected.problem().text;
    EXPECT_EQ(p.state.table.at(2), FreshlyCalculated(c.corrected));
    EXPECT_EQ(p.state.table.at(1), before.table.at(1));
    EXPECT_EQ(p.state.table.at(3), before.table.at(3));
    EXPECT_EQ(p.state.LfNr, before.LfNr);
    // Journalled like a second press of "Ergebnis" for entry 2.
    EXPECT_EQ(p.screen.text(C::txtAnzeige), boxBefore + "Zeile 2\r\n");
    EXPECT_EQ(p.state.ListingText, p.screen.text(C::txtAnzeige));
    EXPECT_TRUE(p.state.Unsaved());
    EXPECT_TRUE(correction.CanUndo());
}

INSTANTIATE_TEST_SUITE_P(
    EveryField, CorrectFieldTest,
    ::testing::Values(Accept("SupplyHighest", F::dVorl, "120", {.vorl = "120"}),
                      Accept("SupplyCommaReadUpToTheComma", F::dVorl, "90,5", {.vorl = "90"}),
                      Accept("SupplyLowest", F::dVorl, "50", {.vorl = "50"}),
                      Refuse("SupplyJustAbove", F::dVorl, "121", kSupplyMsg),
                      Refuse("SupplyCommaBelow", F::dVorl, "49,9", kSupplyMsg),
                      Refuse("SupplyEmpty", F::dVorl, "", kSupplyMsg),
                      Refuse("SupplyLetters", F::dVorl, "abc", kSupplyMsg),
                      Refuse("SupplyBeyondDoubleRange", F::dVorl, "1E400",
                             std::string(kMsgGeneralError), kFehler),
                      Accept("ReturnLowestThoughMessageSays45", F::dRueckl, "35", {.rueckl = "35"}),
                      Accept("ReturnEqualToSupply", F::dRueckl, "70", {.rueckl = "70"}),
                      Refuse("ReturnAboveSupply", F::dRueckl, "75", std::string(kMsgOrder)),
                      Refuse("ReturnJustAbove", F::dRueckl, "96", kReturnMsg),
                      Refuse("ReturnBlank", F::dRueckl, "  ", kReturnMsg),
                      Accept("RoomNumberLeadingZeros", F::RaumNr, "0007", {.nr = "0007"}),
                      Refuse("RoomNumberDigitsThenLetters", F::RaumNr, "12ab", kRoomNrMsg),
                      Refuse("RoomNumberCommaBelowOne", F::RaumNr, "0,95", kRoomNrMsg),
                      Refuse("RoomNumberAbove", F::RaumNr, "10000", kRoomNrMsg),
                      Accept("RoomUseEmpty", F::RaumVer, "", {.ver = ""}),
                      Accept("RoomUseAnyText", F::RaumVer, "Bad, oben", {.ver = "Bad, oben"}),
                      Accept("RoomTemperatureLowest", F::dRaum, "5", {.raum = "5"}),
                      Accept("RoomTemperatureComma", F::dRaum, "20,5", {.raum = "20,5"}),
                      Refuse("RoomTemperatureJustAbove", F::dRaum, "31", kRoomMsg),
                      Refuse("RoomTemperatureMixedFormats", F::dRaum, "25.000",
                             std::string(kMsgGeneralError), kFehler),
                      Accept("OutputLowestThoughMessageSays10", F::QRaum, "5", {.q = "5"}),
                      Accept("OutputHighest", F::QRaum, "10000", {.q = "10000"}),
                      Refuse("OutputJustAbove", F::QRaum, "10001", kOutputMsg),
                      Refuse("OutputLetters", F::QRaum, "viel", kOutputMsg),
                      Accept("TypeFromTheCatalogue", F::HkTyp, TypeText(43), {.type = 43}),
                      Refuse("TypeNotInTheCatalogue", F::HkTyp, "Eigenbau",
                             std::string(kMsgExponent))),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CorrectionTest, EntriesAreThoseWithACalculation) {
    EXPECT_EQ(correction.Entries(), (std::vector<int>{1, 2, 3}));
    // The current entry joins once it is calculated.
    p.Calculate({.nr = "4"});
    EXPECT_EQ(correction.Entries(), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(CorrectionTest, EntriesStopAtTheTable) {
    for (int n = 4; n <= 70; ++n) {
        p.CalculateAndNext({});
    }
    ASSERT_EQ(p.state.LfNr, 71);
    EXPECT_EQ(correction.Entries().size(), 70u);
    EXPECT_EQ(correction.Entries().back(), 70);
}

TEST_F(CorrectionTest, FieldTextsAreWhatTheBoxesHeld) {
    const std::array<std::pair<F, std::string>, 7> want = {{{F::dVorl, "70"},
                                                            {F::dRueckl, "40"},
                                                            {F::RaumNr, "0002"},
                                                            {F::RaumVer, "Bad"},
                                                            {F::dRaum, "20"},
                                                            {F::QRaum, "1000"},
                                                            {F::HkTyp, TypeText(0)}}};
    for (const auto& [field, text] : want) {
        EXPECT_EQ(correction.FieldText(2, field), text) << static_cast<int>(field);
    }
}

TEST_F(CorrectionTest, EntryOutsideTheTableIsRefused) {
    const ProgramState before = p.state;
    for (int n : {0, 71, -1}) {
        const auto corrected = correction.Correct(n, F::QRaum, "1500");
        ASSERT_FALSE(corrected);
        EXPECT_EQ(corrected.problem().text, kMsgGeneralError);
    }
    EXPECT_TRUE(p.state == before);
}

TEST_F(CorrectionTest, UndoRestoresEntryListingAndMarkLastFirst) {
    const ProgramState original = p.state;
    const std::string box0 = p.screen.text(C::txtAnzeige);
    ASSERT_TRUE(correction.Correct(2, F::QRaum, "1500"));
    const ProgramState afterFirst = p.state;
    const std::string box1 = p.screen.text(C::txtAnzeige);
    ASSERT_TRUE(correction.Correct(3, F::dRaum, "24"));
    EXPECT_EQ(p.screen.text(C::txtAnzeige), box0 + "Zeile 2\r\nZeile 3\r\n");

    correction.Undo();
    EXPECT_TRUE(p.state == afterFirst);
    EXPECT_EQ(p.screen.text(C::txtAnzeige), box1);
    correction.Undo();
    EXPECT_TRUE(p.state == original);
    EXPECT_EQ(p.screen.text(C::txtAnzeige), box0);
    EXPECT_FALSE(p.state.Unsaved());
    EXPECT_FALSE(correction.CanUndo());
    correction.Undo(); // nothing left: nothing changes
    EXPECT_TRUE(p.state == original);
}

// Entry LfNr is on the calculation screen: its boxes follow a correction
// and its undo, so that pressing "Ergebnis" again keeps what was corrected.
TEST_F(CorrectionTest, CurrentEntryOnTheScreenFollows) {
    p.Calculate({.nr = "4"});
    ASSERT_EQ(p.state.LfNr, 4);
    ASSERT_TRUE(correction.Correct(4, F::QRaum, "1500"));
    ASSERT_TRUE(correction.Correct(4, F::HkTyp, TypeText(43)));
    EXPECT_EQ(p.screen.text(C::txtQRaum), "1500");
    EXPECT_EQ(p.screen.text(C::txtExpon), "1,32");
    EXPECT_EQ(p.screen.text(C::txtHkTyp), TypeText(43));
    EXPECT_EQ(p.screen.text(C::txtQHKNeu), NumberText(p.state.table.at(4).QHKNeu));
    const RadiatorEntry corrected = p.state.table.at(4);
    p.form.cmdErgebnis_Click();
    EXPECT_EQ(p.state.table.at(4), corrected);

    correction.Undo();
    EXPECT_EQ(p.screen.text(C::txtExpon), "1,3");
    EXPECT_EQ(p.screen.text(C::txtQRaum), "1500");
    correction.Undo();
    EXPECT_EQ(p.screen.text(C::txtQRaum), "1000");
    EXPECT_EQ(p.screen.text(C::txtQHKNeu), "2200");
}

TEST_F(CorrectionTest, EarlierEntryLeavesTheScreen) {
    p.Calculate({.nr = "4", .q = "800"});
    ASSERT_TRUE(correction.Correct(2, F::QRaum, "1500"));
    EXPECT_EQ(p.screen.text(C::txtQRaum), "800");
    EXPECT_EQ(p.screen.text(C::txtRaumNr), "4");
}

TEST_F(CorrectionTest, RefusedCorrectionLeavesTheUndoOfTheLastOne) {
    ASSERT_TRUE(correction.Correct(2, F::QRaum, "1500"));
    const ProgramState corrected = p.state;
    ASSERT_FALSE(correction.Correct(2, F::QRaum, "10001"));
    EXPECT_TRUE(p.state == corrected);
    correction.Undo();
    EXPECT_EQ(p.state.table.at(2).QRaum, 1000.0f);
}

// The unsaved mark: set by a calculation and by a correction; a refused
// calculation leaves it. (Save and load clear it: file command tests.)
TEST(UnsavedMark, CalculationAndCorrectionSetIt) {
    Project p;
    EXPECT_FALSE(p.state.Unsaved());
    p.Calculate({.vorl = "121"});
    EXPECT_FALSE(p.state.Unsaved());
    p.Calculate({.vorl = "60", .rueckl = "70"}); // supply below return
    EXPECT_FALSE(p.state.Unsaved());
    p.Calculate({});
    EXPECT_TRUE(p.state.Unsaved());

    p.state.Saved();
    RadiatorCorrection correction{p.state, p.screen, p.listing};
    ASSERT_FALSE(correction.Correct(1, F::dRaum, "31"));
    EXPECT_FALSE(p.state.Unsaved());
    ASSERT_TRUE(correction.Correct(1, F::dRaum, "22"));
    EXPECT_TRUE(p.state.Unsaved());
}

// Whether the project is unsaved follows from the revision in memory against
// the one last written: an undo back to what was written is saved, an undo
// past a save (the check window's "Speichern" while correcting) is not.
struct UndoSaveCase {
    const char* name;
    bool saveBetween; // saved after the correction, before the undo
    bool unsavedAfterUndo;
};

class UndoAndSave : public CorrectionTest, public ::testing::WithParamInterface<UndoSaveCase> {};

TEST_P(UndoAndSave, UnsavedFollowsWhatWasWritten) {
    ASSERT_TRUE(correction.Correct(2, F::dRaum, "24"));
    ASSERT_TRUE(p.state.Unsaved());
    if (GetParam().saveBetween) {
        p.state.Saved();
    }
    correction.Undo();
    EXPECT_EQ(p.state.Unsaved(), GetParam().unsavedAfterUndo);
    // The next change is unsaved whatever came before.
    ASSERT_TRUE(correction.Correct(2, F::dRaum, "22"));
    EXPECT_TRUE(p.state.Unsaved());
}

INSTANTIATE_TEST_SUITE_P(Revision, UndoAndSave,
                         ::testing::Values(UndoSaveCase{"BackToWhatWasWritten", false, false},
                                           UndoSaveCase{"PastASave", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace hk
