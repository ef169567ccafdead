#include "calc/heat_pump_check.h"
#include "common/numbers.h"
#include "support/samples.h"

#include <gtest/gtest.h>

#include <string>

namespace hk {
namespace {

using test::SizedEntry;

// The worked example by hand: 70/55/20, 1000 W, n 1,3, DIN. At 70/55 the
// ratio is 35/50 = 0,7 (arithmetic): dtm 42,5, f 1,58, Q-Norm 1580. At 55/45
// the ratio is 25/35 (arithmetic): dtm 30, f = 2^(4/3) = 2,52, required 2520;
// coverage 1580/2520 = 62,7 % -> 63; at the target the radiator gives
// 1580/2,52 = 627 W. With spread 10 the arithmetic mean is V - 25; f <= 1,58
// needs V >= 68 (V 67: dtm 42, f 1,61 -> 1610 > 1580).
TEST(HeatPumpCheck, WorkedExampleByHand) {
    RadiatorTable table;
    table.at(1) = SizedEntry(70, 55, 20, 1000, 1.3f);
    EXPECT_EQ(NumberText(table.at(1).QHKNeu), "1580");

    const CheckResult r = RunCheck(table, 1, 60, CheckSettings{55, 45, {}});
    ASSERT_EQ(r.rows.size(), 1u);
    const CheckRow& row = r.rows[0];
    EXPECT_EQ(row.entry, 1);
    EXPECT_FALSE(row.typed);
    EXPECT_EQ(row.installed, 1580.0);
    EXPECT_FALSE(row.covered);
    EXPECT_EQ(row.qAtTarget, 627);
    EXPECT_EQ(row.coverage, 63);
    EXPECT_EQ(row.minSupply, 68);
    EXPECT_EQ(r.lowestSupply, 68);
    EXPECT_EQ(r.critical, std::vector<int>{0});
    EXPECT_EQ(r.underSupplied, 1);

    const auto at55 = ConvertAt(table.at(1), 55, 45, 60);
    ASSERT_TRUE(at55);
    EXPECT_EQ(NumberText(at55->Faktor), "2,52");
    EXPECT_EQ(NumberText(at55->QHKNeu), "2520");
}

// At the project's own temperatures the check asks for exactly the output the
// listing shows, so every sized radiator is covered there with 100 %.
struct OwnTemps {
    const char* name;
    float vorl, rueckl, raum, qRaum, n;
    std::int16_t dNorm;
};

class AtOwnTemperatures : public ::testing::TestWithParam<OwnTemps> {};

TEST_P(AtOwnTemperatures, RequiresTheListingsOutput) {
    const OwnTemps& t = GetParam();
    RadiatorTable table;
    table.at(1) = SizedEntry(t.vorl, t.rueckl, t.raum, t.qRaum, t.n, t.dNorm);
    const auto at =
        ConvertAt(table.at(1), static_cast<int>(t.vorl), static_cast<int>(t.rueckl), t.dNorm);
    ASSERT_TRUE(at);
    EXPECT_EQ(at->QHKNeu, table.at(1).QHKNeu);
    const CheckSettings own{static_cast<int>(t.vorl), static_cast<int>(t.rueckl), {}};
    const CheckResult r = RunCheck(table, 1, t.dNorm, own);
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_TRUE(r.rows[0].covered);
    EXPECT_EQ(r.rows[0].coverage, 100);
    ASSERT_TRUE(r.rows[0].minSupply);
    EXPECT_LE(*r.rows[0].minSupply, static_cast<int>(t.vorl));
}

INSTANTIATE_TEST_SUITE_P(
    Table, AtOwnTemperatures,
    ::testing::Values(OwnTemps{"Din70_55Ratio07", 70, 55, 20, 1000, 1.3f, 60},
                      OwnTemps{"Din70_40Logarithmic", 70, 40, 20, 1000, 1.3f, 60},
                      OwnTemps{"En65_45", 65, 45, 20, 1200, 1.3f, 50},
                      OwnTemps{"HalfDegreeRoom", 70, 50, 20.5f, 1000, 1.3f, 60},
                      OwnTemps{"DinAtNorm", 90, 70, 20, 800, 1.26f, 60}),
    [](const auto& info) { return std::string(info.param.name); });

// Boundaries of one entry at one target.
struct Boundary {
    const char* name;
    float raum;
    std::optional<int> typed; // installed output typed, W
    int supply, ret;
    bool converts; // the target converts: the two numbers are not "–"
    bool covered;
    std::optional<long long> coverage;
    std::optional<int> minSupply;
};

class TargetBoundary : public ::testing::TestWithParam<Boundary> {};

TEST_P(TargetBoundary, Row) {
    const Boundary& b = GetParam();
    RadiatorTable table;
    table.at(1) = SizedEntry(70, 55, b.raum, 1000, 1.3f); // Q-Norm 1580 at room 20
    CheckSettings s{b.supply, b.ret, {}};
    if (b.typed) {
        s.installed[1] = *b.typed;
    }
    const CheckResult r = RunCheck(table, 1, 60, s);
    ASSERT_EQ(r.rows.size(), 1u);
    const CheckRow& row = r.rows[0];
    EXPECT_EQ(row.typed, b.typed.has_value());
    EXPECT_EQ(row.qAtTarget.has_value(), b.converts);
    EXPECT_EQ(row.coverage.has_value(), b.converts);
    EXPECT_EQ(row.covered, b.covered);
    if (b.coverage) {
        EXPECT_EQ(row.coverage, b.coverage);
    }
    EXPECT_EQ(row.minSupply, b.minSupply);
    EXPECT_EQ(r.underSupplied, b.covered ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TargetBoundary,
    ::testing::Values(
        // Return at the room temperature: division by zero, not covered.
        // Spread 35 keeps every supply up to 120 logarithmic; 83 is the first
        // whose mean gives f <= 1,58.
        Boundary{"ReturnEqualsRoom", 20, {}, 55, 20, false, false, {}, 83},
        // Return below the room: logarithm of a negative value.
        Boundary{"ReturnBelowRoom", 20, {}, 55, 19, false, false, {}, 83},
        // Room 25 (Q-Norm 1870), target 30/20: excesses 5 and -5.
        Boundary{"ReturnBelowWarmRoom", 25, {}, 30, 20, false, false, {}, 68},
        // 1 W covers nothing up to 120 °C.
        Boundary{"InstalledOne", 20, 1, 55, 45, true, false, 0, {}},
        // 99999 W cover down to the lowest temperature that converts:
        // V 30 gives a return of 20 = room.
        Boundary{"InstalledMaximum", 20, 99999, 55, 45, true, true, 3968, 31},
        // With the room at 15 even 30/20 converts: the lower end of the range.
        Boundary{"InstalledMaximumCoolRoom", 15, 99999, 55, 45, true, true, 4878, 30},
        // Exactly the required output: covered, 100 %.
        Boundary{"InstalledEqualsRequired", 20, 2520, 55, 45, true, true, 100, 55},
        Boundary{"InstalledOneBelowRequired", 20, 2519, 55, 45, true, false, 100, 56},
        // Spread 1 at the top of the range.
        Boundary{"TopOfRange", 20, {}, 120, 119, true, true, 310, 63}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeatPumpCheck, ValidTargets) {
    EXPECT_TRUE(ValidTargets(55, 45));
    EXPECT_TRUE(ValidTargets(30, 20));
    EXPECT_TRUE(ValidTargets(120, 119));
    EXPECT_FALSE(ValidTargets(55, 55)) << "spread 0";
    EXPECT_FALSE(ValidTargets(45, 55)) << "return above supply";
    EXPECT_FALSE(ValidTargets(29, 20));
    EXPECT_FALSE(ValidTargets(121, 60));
    EXPECT_FALSE(ValidTargets(50, 19));
}

// Which entries are checked: 1 to min(LfNr, 70), all three values above 0.
struct Checked {
    const char* name;
    std::int16_t lfNr;
    std::vector<int> expected;
};

class WhichEntries : public ::testing::TestWithParam<Checked> {};

TEST_P(WhichEntries, AreChecked) {
    RadiatorTable table;
    for (int n = 1; n <= 70; ++n) {
        table.at(n) = SizedEntry(70, 55, 20, 500 + n, 1.3f);
    }
    table.at(2).QHKNeu = 0;
    table.at(3).QRaum = 0;
    table.at(4).Exponent = 0;
    table.at(5).QRaum = -100;
    EXPECT_EQ(CheckedEntries(table, GetParam().lfNr), GetParam().expected);
}

std::vector<int> FromTo(std::vector<int> head, int from, int to) {
    for (int n = from; n <= to; ++n) {
        head.push_back(n);
    }
    return head;
}

INSTANTIATE_TEST_SUITE_P(Table, WhichEntries,
                         ::testing::Values(Checked{"NoEntry", 0, {}},
                                           Checked{"NegativeCounter", -3, {}},
                                           Checked{"OnlyFirst", 1, {1}},
                                           Checked{"SkipsZeroAndNegative", 7, {1, 6, 7}},
                                           Checked{"AllSeventy", 70, FromTo({1}, 6, 70)},
                                           Checked{"CounterAfterTheLast", 71, FromTo({1}, 6, 70)}),
                         [](const auto& info) { return std::string(info.param.name); });

// MinSupply against its definition, walked the slow way, for entries whose
// required output crosses the switch between logarithmic and arithmetic mean.
struct Sweep {
    const char* name;
    float raum, n;
    int spread;
    double installed;
    std::int16_t dNorm;
};

class MinSupplySweep : public ::testing::TestWithParam<Sweep> {};

TEST_P(MinSupplySweep, MatchesDefinition) {
    const Sweep& w = GetParam();
    const RadiatorEntry e = SizedEntry(70, 55, w.raum, 1000, w.n, w.dNorm);
    std::optional<int> expected;
    for (int v = kCheckSupplyMin; v <= kCheckSupplyMax && !expected; ++v) {
        bool all = true;
        for (int u = v; u <= kCheckSupplyMax; ++u) {
            const auto r = ConvertAt(e, u, u - w.spread, w.dNorm);
            all = all && r && w.installed >= double{r->QHKNeu};
        }
        if (all) {
            expected = v;
        }
    }
    EXPECT_EQ(MinSupply(e, w.installed, w.spread, w.dNorm), expected);
}

TEST_P(MinSupplySweep, RequiredOutputFallsAsSupplyRises) {
    // The required output never rises with the supply, across the switch too.
    const Sweep& w = GetParam();
    const RadiatorEntry e = SizedEntry(70, 55, w.raum, 1000, w.n, w.dNorm);
    bool sawLog = false;
    bool sawArithmetic = false;
    std::optional<float> previous;
    for (int v = kCheckSupplyMin; v <= kCheckSupplyMax; ++v) {
        const auto r = ConvertAt(e, v, v - w.spread, w.dNorm);
        if (!r) {
            continue;
        }
        (r->logarithmic ? sawLog : sawArithmetic) = true;
        if (previous) {
            EXPECT_LE(r->QHKNeu, *previous) << "at " << v;
        }
        previous = r->QHKNeu;
    }
    EXPECT_TRUE(sawLog && sawArithmetic) << "the sweep must cross the switch";
}

INSTANTIATE_TEST_SUITE_P(Table, MinSupplySweep,
                         ::testing::Values(Sweep{"Spread10Exp130", 20, 1.3f, 10, 1580, 60},
                                           Sweep{"Spread10Exp126", 20, 1.26f, 10, 1580, 60},
                                           Sweep{"Spread10Exp135", 20, 1.35f, 10, 1200, 60},
                                           Sweep{"Spread20Exp126", 20, 1.26f, 20, 2000, 60},
                                           Sweep{"Spread5Exp135", 22.5f, 1.35f, 5, 1700, 60},
                                           Sweep{"Spread15En", 20, 1.3f, 15, 1400, 50},
                                           Sweep{"Spread30HalfRoom", 20.5f, 1.33f, 30, 2500, 60}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HeatPumpCheck, LowestSupplyIsTheHighestMinimumAndNamesAllCriticalRooms) {
    RadiatorTable table;
    table.at(1) = SizedEntry(70, 55, 20, 1000, 1.3f); // needs 68 at spread 10
    table.at(2) = SizedEntry(90, 70, 20, 1000, 1.3f); // oversized for 55/45
    table.at(3) = SizedEntry(70, 55, 20, 1000, 1.3f); // the same as entry 1
    const CheckResult r = RunCheck(table, 3, 60, CheckSettings{55, 45, {{2, 99999}}});
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.lowestSupply, 68);
    EXPECT_EQ(r.critical, (std::vector<int>{0, 2}));
    EXPECT_EQ(r.underSupplied, 2);
    EXPECT_TRUE(r.rows[1].covered);
}

TEST(HeatPumpCheck, NoEntryCoveredAt120) {
    RadiatorTable table;
    table.at(1) = SizedEntry(70, 55, 20, 1000, 1.3f);
    table.at(2) = SizedEntry(70, 55, 20, 2000, 1.3f);
    const CheckResult r = RunCheck(table, 2, 60, CheckSettings{55, 45, {{1, 10}, {2, 10}}});
    EXPECT_FALSE(r.lowestSupply);
    EXPECT_EQ(r.critical, (std::vector<int>{0, 1}));
    EXPECT_EQ(r.underSupplied, 2);
}

TEST(HeatPumpCheck, OneEntryAbove120MakesTheProjectAbove120) {
    RadiatorTable table;
    table.at(1) = SizedEntry(70, 55, 20, 1000, 1.3f);
    table.at(2) = SizedEntry(70, 55, 20, 1000, 1.3f);
    const CheckResult r = RunCheck(table, 2, 60, CheckSettings{55, 45, {{2, 10}}});
    EXPECT_FALSE(r.lowestSupply);
    EXPECT_EQ(r.critical, std::vector<int>{1});
}

TEST(HeatPumpCheck, NoCheckedEntryGivesNoRowsAndNoLowestSupply) {
    RadiatorTable table;
    const CheckResult r = RunCheck(table, 5, 60, CheckSettings{});
    EXPECT_TRUE(r.rows.empty());
    EXPECT_FALSE(r.lowestSupply);
    EXPECT_TRUE(r.critical.empty());
    EXPECT_EQ(r.underSupplied, 0);
}

} // namespace
} // namespace hk
