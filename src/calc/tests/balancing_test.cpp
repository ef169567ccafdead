#include "calc/balancing.h"
#include "support/samples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace hk {
namespace {

using test::ExampleValve;

TEST(Balancing, NormExcessOfTheTwoReferencesIsTheLogMeanOfTheirPairs) {
    EXPECT_NEAR(NormExcess(60), 59.44, 0.005);
    EXPECT_NEAR(NormExcess(50), 49.83, 0.005);
    // Equal excesses: the limit, not 0/0.
    EXPECT_EQ(LogMeanExcess(35, 35), 35);
    // Close to each other the log-mean tends to the arithmetic mean.
    EXPECT_NEAR(LogMeanExcess(35, 35 - 1e-9), 35 - 0.5e-9, 1e-12);
}

// One radiator worked by hand. "Exactly as large" norm outputs are
// Q × (Θn / Θ)^1,3 with Θ the log-mean excess of the wanted pair at room 20:
// 55/45 gives Θ = 10 / ln(35/25) = 29,72 K, 55/40 gives 15 / ln(35/20).
struct RowCase {
    const char* name;
    std::int16_t dNorm;
    double room, load, normOutput, exponent;
    BalancingSystem system;
    bool valve;
    double ret;
    long long flowLh;
    double kvNeeded;     // to three decimals
    const char* setting; // "" for none
    std::optional<long long> dp;
    std::vector<std::string> notes;
};

class OneRadiator : public ::testing::TestWithParam<RowCase> {};

TEST_P(OneRadiator, ByHand) {
    const RowCase& c = GetParam();
    const BalancingInput in{
        7, c.room, c.load, c.normOutput, c.exponent, c.valve ? &ExampleValve() : nullptr};
    const BalancingRow row = BalanceRow(in, NormExcess(c.dNorm), c.system);
    EXPECT_EQ(row.entry, 7);
    EXPECT_NEAR(row.ret, c.ret, 1e-6);
    EXPECT_NEAR(row.spread, c.system.supply - c.ret, 1e-6);
    EXPECT_EQ(row.flowLh, c.flowLh);
    EXPECT_EQ(std::floor(row.kvNeeded * 1000 + 0.5) / 1000, c.kvNeeded);
    EXPECT_EQ(row.setting ? ExampleValve().settings[*row.setting].label : "", c.setting);
    EXPECT_EQ(row.dpValve, c.dp);
    EXPECT_EQ(row.notes, c.notes);
    EXPECT_EQ(row.underSupplied, !c.notes.empty() && c.notes.front() == "unterversorgt");
}

const BalancingSystem k55_10{55, 10, 100, -12, 0};

INSTANTIATE_TEST_SUITE_P(Table, OneRadiator,
                         ::testing::Values(
                             // 1221 W at a spread of 15 K: 1221 / (1,163 × 15) = 69,99 -> 70 l/h.
                             RowCase{"Spread15En",
                                     50,
                                     20,
                                     1221,
                                     2734.165698048258,
                                     1.3,
                                     k55_10,
                                     true,
                                     40,
                                     70,
                                     0.221,
                                     "5",
                                     54,
                                     {}},
                             // 1000 W, exactly as large: return 45, 85,98 -> 86 l/h; kv 0,08598 /
                             // √0,1 = 0,272 -> setting 5 (0,30); 1000 × (0,08598 / 0,3)² = 82,1.
                             RowCase{"ExactlySizedEn",
                                     50,
                                     20,
                                     1000,
                                     1957.9647240338213,
                                     1.3,
                                     k55_10,
                                     true,
                                     45,
                                     86,
                                     0.272,
                                     "5",
                                     82,
                                     {}},
                             // Twice as large: needed excess 29,72 × 0,5^(1/1,3) = 17,44 K, return
                             // 27,04 °C, spread 27,96 K, 30,76 -> 31 l/h; kv 0,097 -> setting 3.
                             RowCase{"OversizedTwiceReturnFalls",
                                     50,
                                     20,
                                     1000,
                                     3915.929448067643,
                                     1.3,
                                     k55_10,
                                     true,
                                     27.04375056684913,
                                     31,
                                     0.097,
                                     "3",
                                     66,
                                     {}},
                             // The same radiator in a room of 22 °C: less excess, a higher return.
                             RowCase{"WarmerRoomRaisesReturn",
                                     50,
                                     22,
                                     1000,
                                     1957.9647240338213,
                                     1.3,
                                     k55_10,
                                     true,
                                     48.66514410,
                                     136,
                                     0.429,
                                     "7",
                                     71,
                                     {}},
                             // Qn = Q at EN: it needs 49,83 K excess, the supply offers 35.
                             RowCase{"UndersizedDesignSpread",
                                     50,
                                     20,
                                     1000,
                                     1000,
                                     1.3,
                                     k55_10,
                                     true,
                                     45,
                                     86,
                                     0.272,
                                     "5",
                                     82,
                                     {"unterversorgt"}},
                             // Room warmer than the supply: nothing to give.
                             RowCase{"RoomAboveSupply",
                                     50,
                                     60,
                                     1000,
                                     1957.9647240338213,
                                     1.3,
                                     k55_10,
                                     true,
                                     45,
                                     86,
                                     0.272,
                                     "5",
                                     82,
                                     {"unterversorgt"}},
                             // 3000 W at a design spread of 4 K: 644,9 l/h needs kv 2,039, the
                             // valve fully open (0,73) drops 1000 × (0,6449 / 0,73)² = 780 mbar.
                             RowCase{
                                 "UndersizedAndValveFullyOpen",
                                 50,
                                 20,
                                 3000,
                                 1000,
                                 1.3,
                                 {55, 4, 100, -12, 0},
                                 true,
                                 51,
                                 645,
                                 2.039,
                                 "8",
                                 780,
                                 {"unterversorgt", "Ventil voll offen – Differenzdruck erhöhen"}},
                             // Lowest differential pressure: the same flow needs kv 0,608, which
                             // the last setting still reaches (0,73) without a note.
                             RowCase{"LowestDifferentialPressure",
                                     50,
                                     20,
                                     1000,
                                     1957.9647240338213,
                                     1.3,
                                     {55, 10, 20, -12, 0},
                                     true,
                                     45,
                                     86,
                                     0.608,
                                     "8",
                                     14,
                                     {}},
                             RowCase{"NoValveNoSetting",
                                     50,
                                     20,
                                     1000,
                                     1957.9647240338213,
                                     1.3,
                                     k55_10,
                                     false,
                                     45,
                                     86,
                                     0.272,
                                     "",
                                     std::nullopt,
                                     {}}),
                         [](const auto& info) { return std::string(info.param.name); });

// The first setting whose kv reaches the need, at and just beyond a setting.
TEST(Balancing, SettingAtTheBoundaryOfAKv) {
    const BalancingSystem system{55, 10, 100, -12, 0};
    // Undersized rows take the design spread, so the flow is load / 11,63.
    const double loadAtKv030 = 0.30 * std::sqrt(0.1) * 1000 * kWaterHeat * 10;
    for (const auto& [load, label] : std::vector<std::pair<double, std::string>>{
             {loadAtKv030 * (1 - 1e-12), "5"}, {loadAtKv030 * (1 + 1e-9), "6"}}) {
        const BalancingRow row =
            BalanceRow({1, 20, load, 1, 1.3, &ExampleValve()}, NormExcess(50), system);
        ASSERT_TRUE(row.setting);
        EXPECT_EQ(ExampleValve().settings[*row.setting].label, label) << load;
    }
}

// The heating curve: at Θe,N the design pair, at 15 °C close to the room.
struct CurveCase {
    const char* name;
    BalancingSystem system;
    std::vector<int> outdoor;
    double firstSupply, firstReturn, lastSupply, lastReturn;
    double slope;
};

class Curve : public ::testing::TestWithParam<CurveCase> {};

TEST_P(Curve, Points) {
    const CurveCase& c = GetParam();
    const std::vector<CurvePoint> curve = HeatingCurve(c.system);
    std::vector<int> outdoor;
    for (const CurvePoint& p : curve) {
        outdoor.push_back(p.outdoor);
    }
    EXPECT_EQ(outdoor, c.outdoor);
    ASSERT_FALSE(curve.empty());
    EXPECT_NEAR(curve.front().supply, c.firstSupply, 1e-9);
    EXPECT_NEAR(curve.front().ret, c.firstReturn, 1e-9);
    EXPECT_NEAR(curve.back().supply, c.lastSupply, 1e-6);
    EXPECT_NEAR(curve.back().ret, c.lastReturn, 1e-6);
    EXPECT_NEAR(CurveSlope(c.system), c.slope, 1e-12);
}

// At 15 °C and -12: φ = 5/32, φ^(1/1,3) = 0,2398; θm = 20 + 30 × 0,2398 =
// 27,194; supply 27,194 + 10 × φ / 2 = 27,975, return 26,413.
INSTANTIATE_TEST_SUITE_P(Table, Curve,
                         ::testing::Values(CurveCase{"Minus12",
                                                     {55, 10, 100, -12, 0},
                                                     {-12, -10, -5, 0, 5, 10, 15},
                                                     55,
                                                     45,
                                                     27.975455070326095,
                                                     26.412955070326095,
                                                     35.0 / 32},
                                           CurveCase{"OnAMultipleOfFive",
                                                     {70, 20, 100, -15, 0},
                                                     {-15, -10, -5, 0, 5, 10, 15},
                                                     70,
                                                     50,
                                                     30.381901098874575,
                                                     27.52475824173172,
                                                     50.0 / 35},
                                           CurveCase{"LowestOutdoor",
                                                     {35, 5, 100, -30, 0},
                                                     {-30, -25, -20, -15, -10, -5, 0, 5, 10, 15},
                                                     35,
                                                     30,
                                                     22.376567849815736,
                                                     21.876567849815736,
                                                     15.0 / 50},
                                           CurveCase{"HighestOutdoor",
                                                     {55, 10, 100, 5, 0},
                                                     {5, 10, 15},
                                                     55,
                                                     45,
                                                     34.55227435897628,
                                                     31.218941025642945,
                                                     35.0 / 15}),
                         [](const auto& info) { return std::string(info.param.name); });

// The whole: sums, the largest valve drop and the pump head.
TEST(Balancing, SumsAndPumpHead) {
    const Valve* v = &ExampleValve();
    const std::vector<BalancingInput> inputs{{1, 20, 1000, 1957.9647240338213, 1.3, v},
                                             {2, 20, 1000, 3915.929448067643, 1.3, v},
                                             {3, 20, 1221, 2734.165698048258, 1.3, nullptr}};
    BalancingSystem system{55, 10, 100, -12, 30};
    const BalancingResult r = Balance(inputs, 50, system);
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.loadSum, 3221);
    EXPECT_EQ(r.flowSumLh, 86 + 31 + 70);
    EXPECT_EQ(r.maxDpValve, 82);
    // 2 × 30 m × 100 Pa/m × 2,5 = 15 kPa = 1,5 m; 82 mbar = 0,82 m.
    ASSERT_TRUE(r.pipeHead && r.pumpHead);
    EXPECT_DOUBLE_EQ(*r.pipeHead, 1.5);
    EXPECT_DOUBLE_EQ(*r.pumpHead, 2.32);
    EXPECT_EQ(r.curve, HeatingCurve(system));

    system.lengthM = 0;
    const BalancingResult none = Balance({}, 60, system);
    EXPECT_FALSE(none.pumpHead);
    EXPECT_EQ(none.flowSumLh, 0);
    EXPECT_EQ(none.maxDpValve, 0);
}

} // namespace
} // namespace hk
