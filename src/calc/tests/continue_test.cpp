// Taking up a loaded project on the calculation screen: the plan from the
// loaded state, and the screen and state after the calculation screen
// applies it.

#include "calc/calc_form.h"
#include "calc/continue_project.h"
#include "support/calc_rig.h"
#include "support/journal_listing.h"
#include "support/table_cases.h"

#include <gtest/gtest.h>

#include <string>

namespace hk {
namespace {

using C = CalcControl;

// Entries 1..calculated hold a calculation; entry n ran at supply 50 + n so
// that the plan shows which entry gave the temperatures.
ProgramState Loaded(int lfNr, int calculated, std::int16_t dNorm) {
    ProgramState s;
    s.LfNr = static_cast<std::int16_t>(lfNr);
    s.dNorm = dNorm;
    for (int n = 1; n <= calculated; ++n) {
        RadiatorEntry& e = s.table.at(n);
        e.dVorl = static_cast<float>(50 + n);
        e.dRueckl = 40;
        e.QRaum = 1000;
        e.QHKNeu = 1500;
    }
    s.ListingText = "Liste\r\n\r\n";
    return s;
}

struct PlanCase {
    const char* name;
    int lfNr;
    int calculated;
    std::int16_t dNorm;
    std::int16_t wantLfNr;
    bool wantFresh;
    std::int16_t wantDNorm;
    const char* wantVorl;
    const char* wantRueckl;
};

class PlanTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanTest, CounterModeAndTemperatures) {
    const PlanCase& c = GetParam();
    const ContinuePlan plan = PlanContinue(Loaded(c.lfNr, c.calculated, c.dNorm));
    EXPECT_EQ(plan.LfNr, c.wantLfNr);
    EXPECT_EQ(plan.freshEntry, c.wantFresh);
    EXPECT_EQ(plan.dNorm, c.wantDNorm);
    EXPECT_EQ(plan.dVorl, c.wantVorl);
    EXPECT_EQ(plan.dRueckl, c.wantRueckl);
}

INSTANTIATE_TEST_SUITE_P(
    Loaded, PlanTest,
    ::testing::Values(PlanCase{"OneCalculated", 1, 1, 60, 2, true, 60, "51", "40"},
                      PlanCase{"OneSavedBeforeAnyCalculation", 1, 0, 60, 1, false, 60, "", ""},
                      PlanCase{"FiveCalculated", 5, 5, 60, 6, true, 60, "55", "40"},
                      PlanCase{"FiveWithAnEmptyLastEntry", 5, 4, 50, 5, false, 50, "54", "40"},
                      PlanCase{"SeventyCalculatedGoesToTheRefusedSeventyFirst", 70, 70, 60, 71,
                               false, 60, "120", "40"},
                      PlanCase{"SeventyWithAnEmptyLastEntry", 70, 69, 60, 70, false, 60, "119",
                               "40"},
                      PlanCase{"SeventyFirstStays", 71, 70, 60, 71, false, 60, "120", "40"},
                      PlanCase{"NoModeStaysWithoutMode", 3, 3, 0, 4, true, 0, "53", "40"},
                      PlanCase{"UnknownModeIsNoMode", 3, 3, 55, 4, true, 0, "53", "40"},
                      PlanCase{"CounterZeroStartsAtOne", 0, 0, 60, 1, false, 60, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

using ListingCase = test::TextCase; // listing as loaded, listing taken up

class PlanListingTest : public ::testing::TestWithParam<ListingCase> {};

TEST_P(PlanListingTest, DropsOnlyTheFilesClosingLine) {
    ProgramState s = Loaded(1, 1, 60);
    s.ListingText = GetParam().in;
    EXPECT_EQ(PlanContinue(s).listing, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Loaded, PlanListingTest,
    ::testing::Values(ListingCase{"SavedListing", "a\r\nb\r\n\r\n", "a\r\nb\r\n"},
                      ListingCase{"EmptyListingSaved", "\r\n", "\r\n"},
                      ListingCase{"NothingLoaded", "", ""},
                      ListingCase{"NoClosingLine", "a\r\n", "a\r\n"},
                      ListingCase{"TwoEmptyLinesLoseOne", "a\r\n\r\n\r\n", "a\r\n\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

class ContinueFormTest : public ::testing::Test, protected test::CalcRig<test::JournalListing> {
protected:
    ContinueFormTest() : CalcRig(NotOpened{}) {}

    // Loads the project, then the calculation screen, then takes it up.
    void Continue(const ProgramState& loaded) {
        state = loaded;
        const ContinuePlan plan = PlanContinue(state);
        form.Form_Load();
        form.Form_Continue(plan);
    }
    void CalculateNext() { calculate({"70", "40", "7", "Flur", "20", "1000"}, 0); }
};

TEST_F(ContinueFormTest, DinProjectGoesOnAfterItsLastEntry) {
    ProgramState loaded = Loaded(5, 5, 60);
    loaded.table.at(6).QHKNeu = 999; // left over from an earlier project of this run
    Continue(loaded);
    EXPECT_EQ(state.LfNr, 6);
    EXPECT_EQ(state.table.at(6), RadiatorEntry{});
    EXPECT_TRUE(screen.dinSelected);
    EXPECT_FALSE(screen.isEnabled(C::optEN));
    EXPECT_EQ(screen.text(C::txtdVorl), "55");
    EXPECT_EQ(screen.text(C::txtdRueckl), "40");
    EXPECT_EQ(screen.text(C::txtAnzeige), "Liste\r\n");
    EXPECT_EQ(state.ListingText, "Liste\r\n");
    EXPECT_EQ(screen.focus, C::txtRaumNr);

    CalculateNext();
    ASSERT_TRUE(screen.messages.empty());
    EXPECT_EQ(state.table.at(6).QHKNeu, 2200.0f);
    // No second header block: the loaded listing goes on.
    EXPECT_EQ(state.ListingText, "Liste\r\nZeile 6\r\n");
    EXPECT_EQ(state.table.at(5).dVorl, 55.0f); // the loaded entries stay
}

TEST_F(ContinueFormTest, EnProjectLocksDin) {
    Continue(Loaded(2, 2, 50));
    EXPECT_TRUE(screen.enSelected);
    EXPECT_FALSE(screen.dinSelected);
    EXPECT_FALSE(screen.isEnabled(C::optDIN));
    EXPECT_EQ(state.dNorm, 50);
}

TEST_F(ContinueFormTest, WithoutModeTheCalculationGivesTheGeneralMessage) {
    Continue(Loaded(2, 2, 0));
    EXPECT_FALSE(screen.dinSelected);
    EXPECT_FALSE(screen.enSelected);
    EXPECT_TRUE(screen.isEnabled(C::optDIN));
    EXPECT_TRUE(screen.isEnabled(C::optEN));
    CalculateNext();
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, kMsgGeneralError);
    EXPECT_EQ(screen.messages[0].title, kTitleEingabefehler);
    EXPECT_EQ(state.LfNr, 3);
    EXPECT_FALSE(state.Unsaved());
}

TEST_F(ContinueFormTest, SeventyCalculatedRefusesTheSeventyFirst) {
    Continue(Loaded(70, 70, 60));
    EXPECT_EQ(state.LfNr, 71);
    CalculateNext();
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, kMsgGeneralError);
    EXPECT_EQ(state.LfNr, 71);
    EXPECT_FALSE(screen.isVisible(C::cmdNächster));
}

TEST_F(ContinueFormTest, EmptyLastEntryIsCalculatedInPlace) {
    Continue(Loaded(5, 4, 60));
    EXPECT_EQ(state.LfNr, 5);
    CalculateNext();
    ASSERT_TRUE(screen.messages.empty());
    EXPECT_EQ(state.table.at(5).QHKNeu, 2200.0f);
    EXPECT_TRUE(state.Unsaved());
}

} // namespace
} // namespace hk
