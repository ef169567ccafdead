#include "calc/heat_pump_check.h"
#include "common/numbers.h"
#include "support/samples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace hk {
namespace {

using test::SampleRadiators;
using test::SizedEntry;

// The worked example by hand: 1000 W room at 20 °C, n 1,27, DIN (60 K), a
// typed 1486 W. At 55/45 the ratio is 25/35 = 0,714: arithmetic, dtm 30;
// required 1000 * 2^1,27 = 2411,6 W -> 2412; coverage 1486 / 2411,6 = 61,6 %
// -> 62 (the listing's rule, f = 2^(4/3) rounded to 2,52, gives 59); at the
// target 1486 / 2,4116 = 616 W. Spread 10: arithmetic from V 54 on, covered
// when dtm >= 60 / 1,486^(1/1,27) = 43,92, V >= 68,9 -> 69 (the listing's
// rule: 70).
TEST(HeatPumpCheck, WorkedExampleByHandWithOwnExponent) {
    RadiatorTable table;
    table.at(1) = SizedEntry(70, 55, 20, 1000, 1.27f);
    CheckSettings settings{55, 45, {{1, InstalledChoice::Typed(1486)}}};
    const CheckResult r = RunCheck(table, 1, 60, settings);
    ASSERT_EQ(r.rows.size(), 1u);
    const CheckRow& row = r.rows[0];
    EXPECT_EQ(row.entry, 1);
    EXPECT_EQ(row.installed.kind, InstalledKind::Typed);
    EXPECT_EQ(row.installed.text, "eingegeben");
    EXPECT_EQ(row.installed.output, 1486.0);
    EXPECT_FALSE(row.covered);
    EXPECT_EQ(row.required, 2412);
    EXPECT_EQ(row.qAtTarget, 616);
    EXPECT_EQ(row.coverage, 62);
    EXPECT_EQ(row.minSupply, 69);
    EXPECT_EQ(r.lowestSupply, 69);
    EXPECT_EQ(r.critical, std::vector<int>{0});
    EXPECT_EQ(r.underSupplied, 1);
}

// The conversion at one pair: mean excess and required norm output for
// 1000 W, n 1,27, in both references.
struct Pair {
    const char* name;
    double supply, ret, room;
    std::optional<double> mean;       // K
    std::optional<long long> din, en; // W, rounded
};

class Conversion : public ::testing::TestWithParam<Pair> {};

TEST_P(Conversion, MeanAndRequired) {
    const Pair& p = GetParam();
    const auto mean = MeanExcess(p.supply, p.ret, p.room);
    ASSERT_EQ(mean.has_value(), p.mean.has_value());
    if (mean) {
        EXPECT_NEAR(*mean, *p.mean, 1e-9);
    }
    const auto round = [](std::optional<double> x) -> std::optional<long long> {
        if (!x) {
            return std::nullopt;
        }
        return static_cast<long long>(std::floor(*x + 0.5));
    };
    EXPECT_EQ(round(RequiredNormOutput(1000, 1.27, p.supply, p.ret, p.room, 60)), p.din);
    EXPECT_EQ(round(RequiredNormOutput(1000, 1.27, p.supply, p.ret, p.room, 50)), p.en);
}

INSTANTIATE_TEST_SUITE_P(Table, Conversion,
                         ::testing::Values(
                             // 35 / 50 = 0,7 exactly: still arithmetic.
                             Pair{"RatioExactly07Arithmetic", 70, 55, 20, 42.5, 1550, 1229},
                             // 41 / 60 = 0,683: logarithmic, 19 / ln(60/41) = 49,8986 K.
                             Pair{"RatioBelow07Logarithmic", 80, 61, 20, 49.898562064370964, 1264,
                                  1003},
                             Pair{"Target55_45", 55, 45, 20, 30, 2412, 1913},
                             // Supply and return alike: no spread, the excess itself.
                             Pair{"SpreadZero", 45, 45, 20, 25, 3040, 2412},
                             Pair{"ReturnAtRoom", 55, 20, 20, {}, {}, {}},
                             Pair{"ReturnBelowRoom", 55, 19, 20, {}, {}, {}}),
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
        s.installed[1] = InstalledChoice::Typed(*b.typed);
    }
    const CheckResult r = RunCheck(table, 1, 60, s);
    ASSERT_EQ(r.rows.size(), 1u);
    const CheckRow& row = r.rows[0];
    EXPECT_EQ(row.installed.kind, b.typed ? InstalledKind::Typed : InstalledKind::Designed);
    EXPECT_EQ(row.required.has_value(), b.converts);
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
        Boundary{"InstalledMaximum", 20, 99999, 55, 45, true, true, 4061, 31},
        // With the room at 15 even 30/20 converts: the lower end of the range.
        Boundary{"InstalledMaximumCoolRoom", 15, 99999, 55, 45, true, true, 4962, 30},
        // Required 1000 * 2^1,3 = 2462,29 W: 2463 covers, 2462 does not, and
        // both show 100 %.
        Boundary{"InstalledAboveRequired", 20, 2463, 55, 45, true, true, 100, 55},
        Boundary{"InstalledJustBelowRequired", 20, 2462, 55, 45, true, false, 100, 56},
        // Spread 1 at the top of the range.
        Boundary{"TopOfRange", 20, {}, 120, 119, true, true, 305, 63}),
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
            const auto r = RequiredNormOutput(e.QRaum, w.n, u, u - w.spread, e.dRaum, w.dNorm);
            all = all && r && w.installed >= *r;
        }
        if (all) {
            expected = v;
        }
    }
    EXPECT_EQ(MinSupply(e, w.installed, w.n, w.spread, w.dNorm), expected);
}

TEST_P(MinSupplySweep, RequiredOutputFallsAsSupplyRises) {
    // The required output never rises with the supply, across the switch too.
    const Sweep& w = GetParam();
    const RadiatorEntry e = SizedEntry(70, 55, w.raum, 1000, w.n, w.dNorm);
    bool sawLog = false;
    bool sawArithmetic = false;
    std::optional<double> previous;
    for (int v = kCheckSupplyMin; v <= kCheckSupplyMax; ++v) {
        const auto r = RequiredNormOutput(e.QRaum, w.n, v, v - w.spread, e.dRaum, w.dNorm);
        if (!r) {
            continue;
        }
        const double dV = v - e.dRaum;
        ((dV - w.spread) / dV < 0.7 ? sawLog : sawArithmetic) = true;
        if (previous) {
            EXPECT_LE(*r, *previous) << "at " << v;
        }
        previous = r;
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
                                           Sweep{"Spread29HalfRoom", 20.5f, 1.33f, 29, 2500, 60}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HeatPumpCheck, LowestSupplyIsTheHighestMinimumAndNamesAllCriticalRooms) {
    RadiatorTable table;
    table.at(1) = SizedEntry(70, 55, 20, 1000, 1.3f); // needs 68 at spread 10
    table.at(2) = SizedEntry(90, 70, 20, 1000, 1.3f); // oversized for 55/45
    table.at(3) = SizedEntry(70, 55, 20, 1000, 1.3f); // the same as entry 1
    const CheckResult r =
        RunCheck(table, 3, 60, CheckSettings{55, 45, {{2, InstalledChoice::Typed(99999)}}});
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
    const CheckResult r = RunCheck(
        table, 2, 60,
        CheckSettings{55, 45, {{1, InstalledChoice::Typed(10)}, {2, InstalledChoice::Typed(10)}}});
    EXPECT_FALSE(r.lowestSupply);
    EXPECT_EQ(r.critical, (std::vector<int>{0, 1}));
    EXPECT_EQ(r.underSupplied, 2);
}

TEST(HeatPumpCheck, OneEntryAbove120MakesTheProjectAbove120) {
    RadiatorTable table;
    table.at(1) = SizedEntry(70, 55, 20, 1000, 1.3f);
    table.at(2) = SizedEntry(70, 55, 20, 1000, 1.3f);
    const CheckResult r =
        RunCheck(table, 2, 60, CheckSettings{55, 45, {{2, InstalledChoice::Typed(10)}}});
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

// The installed radiator in force and the proposal, with SampleRadiators:
// a 1000 W room at 20 °C sized at 70/55 (n 1,3, 1580 W), target 55/45, DIN.
// Panel outputs at DIN: per metre times 1,2^n (P 22 · 300 × 400: 507 W;
// G 600 × 12: 1217 W). The proposal at 600: P 33 needs 1000 * 2^1,33 =
// 2514 W and gives 2753 W at 900 mm (2447 W at 800); P 22 and P 11 need
// longer. At 300 only P 22 · 300: 2535 W at 2000 mm against 2462 W.
struct Installed {
    const char* name;
    std::optional<InstalledChoice> choice;
    float qRaum;
    int ret; // target return, supply 55
    InstalledKind kind;
    std::string text;
    double output;
    std::optional<long long> coverage;
    bool wantsProposal;
    std::optional<std::pair<std::string, int>> proposal;
};

class InstalledAndProposal : public ::testing::TestWithParam<Installed> {};

TEST_P(InstalledAndProposal, Row) {
    const Installed& t = GetParam();
    RadiatorTable table;
    table.at(1) = SizedEntry(70, 55, 20, t.qRaum, 1.3f);
    CheckSettings settings{55, t.ret, {}};
    if (t.choice) {
        settings.installed[1] = *t.choice;
    }
    const CheckResult r = RunCheck(table, 1, 60, settings, SampleRadiators());
    ASSERT_EQ(r.rows.size(), 1u);
    const CheckRow& row = r.rows[0];
    EXPECT_EQ(row.installed, InstalledOf(table, 1, 60, settings, SampleRadiators()));
    EXPECT_EQ(row.installed.kind, t.kind);
    EXPECT_EQ(row.installed.text, t.text);
    EXPECT_EQ(row.installed.output, t.output);
    EXPECT_EQ(row.coverage, t.coverage);
    EXPECT_EQ(row.wantsProposal, t.wantsProposal);
    ASSERT_EQ(row.proposal.has_value(), t.proposal.has_value());
    if (row.proposal) {
        EXPECT_EQ(row.proposal->radiator.name, t.proposal->first);
        EXPECT_EQ(row.proposal->length, t.proposal->second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, InstalledAndProposal,
    ::testing::Values(
        Installed{"DesignedProposesAt600",
                  {},
                  1000,
                  45,
                  InstalledKind::Designed,
                  "ausgelegt",
                  1580,
                  64,
                  true,
                  std::pair<std::string, int>{"P 33 · 600", 900}},
        Installed{"PanelKeepsItsHeight", InstalledChoice::Chosen("P 22 · 300", 400), 1000, 45,
                  InstalledKind::Catalogue, "P 22 · 300 × 400", 507, 21, true,
                  std::pair<std::string, int>{"P 22 · 300", 2000}},
        Installed{"SectionalProposesAt600", InstalledChoice::Chosen("G 600", 12), 1000, 45,
                  InstalledKind::Catalogue, "G 600 · 12 Glieder", 1217, 49, true,
                  std::pair<std::string, int>{"P 33 · 600", 900}},
        Installed{"CoveredRowHasNone",
                  InstalledChoice::Chosen("P 33 · 600", 3000),
                  1000,
                  45,
                  InstalledKind::Catalogue,
                  "P 33 · 600 × 3000",
                  9176,
                  365,
                  false,
                  {}},
        // 2462 W of 2462,29 show 100 %: no proposal although short.
        Installed{"ShowsHundredHasNone",
                  InstalledChoice::Typed(2462),
                  1000,
                  45,
                  InstalledKind::Typed,
                  "eingegeben",
                  2462,
                  100,
                  false,
                  {}},
        // 5000 W need 12571 W of P 33; 3000 mm give 9176 W.
        Installed{
            "NoneUpTo3000", {}, 5000, 45, InstalledKind::Designed, "ausgelegt", 7900, 64, true, {}},
        // Return at the room temperature: "–", and nothing covers.
        Installed{"TargetDoesNotConvert",
                  {},
                  1000,
                  20,
                  InstalledKind::Designed,
                  "ausgelegt",
                  1580,
                  {},
                  true,
                  {}},
        // A name the catalogue no longer holds: the radiator the project
        // sized.
        Installed{"UnknownNameIsDesigned", InstalledChoice::Chosen("P 44 · 600", 1000), 1000, 45,
                  InstalledKind::Designed, "ausgelegt", 1580, 64, true,
                  std::pair<std::string, int>{"P 33 · 600", 900}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeatPumpCheck, ProposalAmongEqualLengthsTakesTheFirstInTheCatalogue) {
    const RadiatorEntry e = SizedEntry(70, 55, 20, 1000, 1.3f);
    TypicalRadiators twins = {{"Flach", "A", 600, 2400, true, 1.33},
                              {"Flach", "B", 600, 2400, true, 1.33}};
    EXPECT_EQ(ProposeRadiator(twins, 600, e, 55, 45, 60)->radiator.name, "A");
    std::swap(twins[0], twins[1]);
    EXPECT_EQ(ProposeRadiator(twins, 600, e, 55, 45, 60)->radiator.name, "B");
}

} // namespace
} // namespace hk
