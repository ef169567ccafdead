#include "calc/conversion.h"
#include "common/errors.h"
#include "common/numbers.h"
#include "support/samples.h"

#include <gtest/gtest.h>

#include <string>

namespace hk {
namespace {

struct Worked {
    const char* name;
    int dNorm;
    float vorl, rueckl, raum, qRaum, exponent;
    bool logarithmic;
    const char* dMittel;
    const char* faktor;
    const char* qNeu;
};

class WorkedExample : public ::testing::TestWithParam<Worked> {};

TEST_P(WorkedExample, GivesTheShownTexts) {
    const Worked& w = GetParam();
    RadiatorEntry e;
    e.dVorl = w.vorl;
    e.dRueckl = w.rueckl;
    e.dRaum = w.raum;
    e.QRaum = w.qRaum;
    e.Exponent = w.exponent;
    const ConversionResult r = Convert(e, static_cast<std::int16_t>(w.dNorm));
    EXPECT_EQ(r.logarithmic, w.logarithmic);
    EXPECT_EQ(NumberText(r.dMittel), w.dMittel);
    EXPECT_EQ(NumberText(r.Faktor), w.faktor);
    EXPECT_EQ(NumberText(r.QHKNeu), w.qNeu);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WorkedExample,
    ::testing::Values(
        Worked{"Din75_65", 60, 75, 65, 20, 1000, 1.3f, false, "50", "1,28", "1280"},
        Worked{"Din70_40", 60, 70, 40, 20, 1000, 1.3f, true, "32,7", "2,2", "2200"},
        Worked{"Din70_40Exponent126", 60, 70, 40, 20, 1000, 1.26f, true, "32,7", "2,15", "2150"},
        Worked{"Din70_40Exponent135", 60, 70, 40, 20, 1000, 1.35f, true, "32,7", "2,27", "2270"},
        Worked{"Din60_35", 60, 60, 35, 20, 1000, 1.3f, true, "25,5", "3,04", "3040"},
        Worked{"En65_45", 50, 65, 45, 20, 1200, 1.3f, true, "34", "1,65", "1980"},
        Worked{"DinAtNorm", 60, 90, 70, 20, 1000, 1.26f, false, "60", "1", "1000"},
        Worked{"EnAtNorm", 50, 75, 65, 20, 1000, 1.35f, false, "50", "1", "1000"},
        Worked{"RatioExactly07", 60, 70, 55, 20, 800, 1.3f, false, "42,5", "1,58", "1264"},
        // 41/59 = 0.695: just below the switch, so still the logarithmic mean
        // (arithmetic would give 50, 1,28 and 1280).
        Worked{"Ratio0695StillLogarithmic", 60, 79, 61, 20, 1000, 1.26f, true, "49,5", "1,27",
               "1270"},
        Worked{"ArithmeticKeepsDigits", 60, 70, 55, 20.25f, 800, 1.3f, false, "42,25", "1,6",
               "1280"},
        Worked{"HalvesToEvenDown", 60, 71, 41, 20.5f, 1000, 1.3f, true, "32,7", "2,2", "2200"},
        Worked{"HalvesToEvenUp", 60, 70, 50, 20.5f, 1000, 1.3f, true, "39,2", "1,74", "1740"}),
    [](const auto& info) { return std::string(info.param.name); });

using test::RadiatorInputs;

TEST(Convert, RatioJustBelowLimitIsLogarithmic) {
    // 34/50 = 0.68 < 0.7: logarithmic, one decimal.
    const auto r = Convert(RadiatorInputs(70, 54, 20), 60);
    EXPECT_TRUE(r.logarithmic);
    EXPECT_EQ(NumberText(r.dMittel), "41,5"); // 16 / ln(50/34) = 41.49
}

TEST(Convert, ExponentOnlyMattersInLogarithmicBranch) {
    EXPECT_EQ(Convert(RadiatorInputs(70, 55, 20, 800, 1.26f), 60),
              Convert(RadiatorInputs(70, 55, 20, 800, 1.35f), 60));
    EXPECT_LT(Convert(RadiatorInputs(70, 40, 20, 1000, 1.26f), 60).Faktor,
              Convert(RadiatorInputs(70, 40, 20, 1000, 1.35f), 60).Faktor);
}

TEST(Convert, SupplyEqualsReturnIsArithmetic) {
    const auto r = Convert(RadiatorInputs(70, 70, 20), 60);
    EXPECT_FALSE(r.logarithmic);
    EXPECT_EQ(r.dMittel, 50.0f);
}

TEST(Convert, StoresAreSinglePrecision) {
    const auto r = Convert(RadiatorInputs(70, 40, 20), 60);
    EXPECT_EQ(r.dMittel, 32.7f);
    EXPECT_EQ(r.Faktor, 2.2f);
    EXPECT_EQ(r.QHKNeu, 2200.0f);
}

struct Failure {
    const char* name;
    float vorl, rueckl, raum;
    int dNorm;
    enum Kind { DivZero, Invalid, Overflow } kind;
};

class ConvertFailure : public ::testing::TestWithParam<Failure> {};

TEST_P(ConvertFailure, Raises) {
    const Failure& f = GetParam();
    const RadiatorEntry e = RadiatorInputs(f.vorl, f.rueckl, f.raum);
    switch (f.kind) {
    case Failure::DivZero:
        EXPECT_THROW(Convert(e, static_cast<std::int16_t>(f.dNorm)), DivisionByZeroError);
        break;
    case Failure::Invalid:
        EXPECT_THROW(Convert(e, static_cast<std::int16_t>(f.dNorm)), InvalidArgumentError);
        break;
    case Failure::Overflow:
        EXPECT_THROW(Convert(e, static_cast<std::int16_t>(f.dNorm)), OverflowError);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ConvertFailure,
    ::testing::Values(Failure{"NoReferenceMode", 70, 40, 20, 0, Failure::DivZero},
                      Failure{"SupplyAtRoomTemperature", 20, 20, 20, 60, Failure::DivZero},
                      Failure{"SupplyExcessZeroReturnBelow", 20, 10, 20, 60, Failure::DivZero},
                      Failure{"ReturnExcessZero", 70, 20, 20, 60, Failure::DivZero},
                      Failure{"OppositeSigns", 70, 10, 20, 60, Failure::Invalid},
                      // 25.000 typed in the room field under German settings: 25000 °C.
                      Failure{"RoomFarAboveSupply", 70, 60, 25000, 60, Failure::Invalid},
                      Failure{"ExcessBeyondInt16", 70, 60, -40000, 60, Failure::Overflow},
                      Failure{"DifferenceBeyondInt16", 32000, -32000, 0, 60, Failure::Overflow}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace hk
