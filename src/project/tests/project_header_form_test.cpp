#include "support/fakes.h"

#include <gtest/gtest.h>

namespace hk::test {
namespace {

using Boxes = std::array<std::string, ProjectHeader::kFieldCount>;

struct WeiterCase {
    const char* name;
    Boxes boxes;
    bool opensCalculation;
};

class WeiterTest : public ::testing::TestWithParam<WeiterCase> {};

TEST_P(WeiterTest, TakesAllBoxesOverThenChecksTheFirstThree) {
    const WeiterCase& c = GetParam();
    ProgramState state;
    for (int n = 1; n <= ProjectHeader::kFieldCount; ++n) {
        state.header[n] =
            std::string("geladen ").append(std::to_string(n)); // e.g. from a loaded file
    }
    FakeHeaderScreen screen;
    screen.boxes = c.boxes;
    HeaderForm form(state, screen);

    EXPECT_EQ(form.cmdWeiter_Click(), c.opensCalculation);

    // Every click replaces all eleven fields, whatever the check says.
    for (int n = 1; n <= ProjectHeader::kFieldCount; ++n) {
        EXPECT_EQ(state.header[n], c.boxes[static_cast<std::size_t>(n - 1)]) << "field " << n;
    }
    if (c.opensCalculation) {
        EXPECT_TRUE(screen.shown.empty());
        EXPECT_EQ(screen.focus, 0);
    } else {
        ASSERT_EQ(screen.shown.size(), 1u);
        EXPECT_EQ(screen.shown[0], (Message{"", "Eingabe fehlt", MsgIcon::Exclamation}));
        EXPECT_EQ(screen.focus, 1);
    }
    // Nothing else of the program is touched.
    EXPECT_EQ(state.LfNr, 0);
    EXPECT_EQ(state.table, RadiatorTable{});
}

INSTANTIATE_TEST_SUITE_P(Form2, WeiterTest,
                         ::testing::Values(WeiterCase{"AllElevenEmpty", {}, false},
                                           WeiterCase{"OnlyDatum", {"", "", "12.03.2024"}, true},
                                           WeiterCase{"OnlyProjektNr", {"P-17"}, true},
                                           WeiterCase{"OnlyBearbeiter", {"", "Schulz"}, true},
                                           WeiterCase{"ClientAndSiteWithoutFirstThree",
                                                      {"", "", "", "Müller", "Hans", "Hauptstr. 1",
                                                       "12345 Ort", "0123/456", "Baustr. 2",
                                                       "54321 Dorf", "0987"},
                                                      false},
                                           WeiterCase{"ProjektNrSingleBlank", {" "}, true},
                                           WeiterCase{"DatumOnlyBlanks", {"", "", "   "}, true},
                                           WeiterCase{"CommasAndQuotesStoredUnchanged",
                                                      {"1,2,3", "\"Meier\", Anna", "1.1.2024",
                                                       "a,\"b\"", "", "", "", "", "", "", "\"\""},
                                                      true},
                                           WeiterCase{"UmlautsAndEuro",
                                                      {"Ä-1", "Jürgen Groß", "", "", "", "Straße 5",
                                                       "", "", "", "", "€ 10"},
                                                      true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Form2, RepeatedFailedClicksReportEachTime) {
    ProgramState state;
    FakeHeaderScreen screen;
    HeaderForm form(state, screen);
    EXPECT_FALSE(form.cmdWeiter_Click());
    screen.focus = 5;
    EXPECT_FALSE(form.cmdWeiter_Click());
    EXPECT_EQ(screen.shown.size(), 2u);
    EXPECT_EQ(screen.focus, 1);
    screen.boxes[2] = "heute";
    EXPECT_TRUE(form.cmdWeiter_Click());
    EXPECT_EQ(state.header[ProjectHeader::Datum], "heute");
    EXPECT_EQ(screen.shown.size(), 2u);
}

} // namespace
} // namespace hk::test
