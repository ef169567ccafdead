#include "report/report_rows.h"
#include "support/table_cases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace hk {
namespace {

RadiatorEntry Radiator(float qRaum, float qNorm) {
    RadiatorEntry e;
    e.dVorl = 90;
    e.dRueckl = 70;
    e.RaumNr = "0101";
    e.RaumVer = "Wohnen";
    e.dRaum = 20;
    e.QRaum = qRaum;
    e.Exponent = 1.3f;
    e.dMittel = 59.4f;
    e.Faktor = 1.02f;
    e.QHKNeu = qNorm;
    e.HkTyp = "DIN Guss- Radiator          ";
    return e;
}

// ------------------------------------------------------------- selection

struct SelectionCase {
    const char* name;
    int lfNr;
    std::vector<int> calculated; // entries with a room output
    std::vector<std::string> numbers;
};

class RowSelection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(RowSelection, TakesCalculatedEntriesUpToTheCounter) {
    ProgramState s;
    s.LfNr = static_cast<std::int16_t>(GetParam().lfNr);
    for (int n : GetParam().calculated) {
        s.table.at(n) = Radiator(1500, 1530);
    }
    std::vector<std::string> numbers;
    for (const ReportRow& row : ReportRows(s)) {
        numbers.push_back(row[ColNr]);
    }
    EXPECT_EQ(numbers, GetParam().numbers);
    EXPECT_EQ(Totals(s).radiators, static_cast<int>(GetParam().numbers.size()));
}

std::vector<int> Range(int from, int to) {
    std::vector<int> v;
    for (int n = from; n <= to; ++n) {
        v.push_back(n);
    }
    return v;
}

std::vector<std::string> Texts(int from, int to) {
    std::vector<std::string> v;
    for (int n = from; n <= to; ++n) {
        v.push_back(std::to_string(n));
    }
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    Counters, RowSelection,
    ::testing::Values(SelectionCase{"NothingCalculated", 1, {}, {}},
                      SelectionCase{"CounterZeroShowsNothing", 0, {1}, {}},
                      SelectionCase{"NegativeCounterShowsNothing", -3, {1}, {}},
                      SelectionCase{"OneEntry", 1, {1}, {"1"}},
                      SelectionCase{"NextEntryNotYetCalculatedLeftOut", 3, {1, 2}, {"1", "2"}},
                      SelectionCase{"GapInTheMiddleLeftOut", 4, {1, 3, 4}, {"1", "3", "4"}},
                      SelectionCase{"EntriesAboveTheCounterLeftOut", 2, {1, 2, 3, 70}, {"1", "2"}},
                      SelectionCase{"SeventyEntries", 70, Range(1, 70), Texts(1, 70)},
                      SelectionCase{"CounterSeventyOneStopsAtSeventy", 71, Range(1, 70),
                                    Texts(1, 70)},
                      SelectionCase{"CounterFarBeyondTheTable", 32767, {70}, {"70"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct OutputCase {
    const char* name;
    float qRaum;
    bool shown;
};

class RoomOutput : public ::testing::TestWithParam<OutputCase> {};

TEST_P(RoomOutput, OnlyAnOutputAboveZeroMakesARow) {
    ProgramState s;
    s.LfNr = 1;
    s.table.at(1) = Radiator(GetParam().qRaum, 100);
    EXPECT_EQ(ReportRows(s).size(), GetParam().shown ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, RoomOutput,
    ::testing::Values(OutputCase{"Zero", 0.0f, false}, OutputCase{"NegativeZero", -0.0f, false},
                      OutputCase{"Negative", -10.0f, false},
                      OutputCase{"NotANumber", std::numeric_limits<float>::quiet_NaN(), false},
                      OutputCase{"SmallestAboveZero", std::numeric_limits<float>::denorm_min(),
                                 true},
                      OutputCase{"LowestInputBound", 10.0f, true},
                      OutputCase{"HighestInputBound", 99999.0f, true}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------- cell texts

TEST(RowTexts, NumbersAsTheListingWritesThemAndTypeWithoutPadding) {
    ProgramState s;
    s.LfNr = 1;
    RadiatorEntry e = Radiator(10000, 12345);
    e.dRaum = 20.5f;
    e.Exponent = 1.33f;
    e.dMittel = 52.5f;
    e.Faktor = 0.85f;
    e.RaumVer = "Schlafzimmer";
    e.RaumNr = " 12 ";
    s.table.at(1) = e;
    const ReportRow expected = {"1",    " 12 ", "Schlafzimmer", "90",
                                "70",   "20,5", "10000",        "1,33",
                                "52,5", "0,85", "12345",        "DIN Guss- Radiator"};
    EXPECT_EQ(ReportRows(s).at(0), expected);
}

using TypeCase = test::TextCase; // type as stored, as shown

class TypeText : public ::testing::TestWithParam<TypeCase> {};

TEST_P(TypeText, LosesOnlyItsTrailingBlanks) {
    EXPECT_EQ(WithoutTrailingBlanks(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Types, TypeText,
                         ::testing::Values(TypeCase{"Empty", "", ""},
                                           TypeCase{"BlanksOnly", "     ", ""},
                                           TypeCase{"NoPadding", "Typ 22", "Typ 22"},
                                           TypeCase{"CataloguePadding",
                                                    "Typ 22  500/1000            ",
                                                    "Typ 22  500/1000"},
                                           TypeCase{"LeadingBlanksKept", "  Typ", "  Typ"},
                                           TypeCase{"TabIsNotABlank", "Typ\t", "Typ\t"}),
                         [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------- totals

struct SumCase {
    const char* name;
    double sum;
    std::string text;
};

class Sum : public ::testing::TestWithParam<SumCase> {};

TEST_P(Sum, WrittenAsTheListingWritesNumbers) {
    EXPECT_EQ(SumText(GetParam().sum), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Sums, Sum,
                         ::testing::Values(SumCase{"Zero", 0, "0"},
                                           SumCase{"Whole", 105000, "105000"},
                                           SumCase{"NoGrouping", 6999930, "6999930"},
                                           SumCase{"DecimalComma", 31.5, "31,5"},
                                           SumCase{"JustBelowTenMillion", 9999999, "9999999"},
                                           SumCase{"TenMillionNotInExponentForm", 1e7, "10000000"},
                                           SumCase{"RoundsUpToTenMillion", 9999999.7, "10000000"},
                                           SumCase{"LargeWhole", 69999930, "69999930"},
                                           SumCase{"Negative", -12.5, "-12,5"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Totals, SumOnlyTheRowsShown) {
    ProgramState s;
    s.LfNr = 4;
    s.table.at(1) = Radiator(1500, 1530);
    s.table.at(2) = Radiator(0, 999); // never calculated: its output does not count
    s.table.at(3) = Radiator(2500.5f, 2600);
    s.table.at(4) = Radiator(99999, 110000);
    s.table.at(5) = Radiator(777, 777); // above the counter
    EXPECT_EQ(Totals(s), (ReportTotals{3, "103999,5", "114130"}));
}

TEST(Totals, SeventyLargestOutputs) {
    ProgramState s;
    s.LfNr = 70;
    for (int n = 1; n <= 70; ++n) {
        s.table.at(n) = Radiator(99999, 999990);
    }
    EXPECT_EQ(Totals(s), (ReportTotals{70, "6999930", "69999300"}));
}

TEST(Totals, EmptyProject) {
    ProgramState s;
    s.LfNr = 1;
    EXPECT_EQ(Totals(s), (ReportTotals{0, "0", "0"}));
}

// ------------------------------------------------------------- reference

struct ReferenceCase {
    const char* name;
    std::int16_t dNorm;
    std::string text;
};

class Reference : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(Reference, NamesTheNorm) { EXPECT_EQ(ReferenceText(GetParam().dNorm), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Norms, Reference,
    ::testing::Values(
        ReferenceCase{"Din", 60, "Bezug: DIN 90/70/20 (mittlere Übertemperatur 60 K)"},
        ReferenceCase{"En442", 50, "Bezug: DIN EN 442 75/65/20 (mittlere Übertemperatur 50 K)"},
        ReferenceCase{"NoneChosen", 0, "Bezug: keine Norm gewählt"},
        ReferenceCase{"OtherValueFromAFile", 55, "Bezug: mittlere Übertemperatur 55 K"},
        ReferenceCase{"NegativeFromAFile", -1, "Bezug: mittlere Übertemperatur -1 K"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace hk
