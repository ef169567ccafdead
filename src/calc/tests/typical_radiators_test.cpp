#include "calc/typical_radiators.h"

#include <gtest/gtest.h>

#include <string>

namespace hk {
namespace {

const std::string kHeader = "Bauart;Name;Bauhöhe mm;Leistung W;je;Exponent\n";
const std::string kGood = "# Typische Werte\nFlach;P 22 · 600;600;1800;m;1,3\n";

// A good file: byte order mark, CR LF, blanks around fields, blank and
// comment lines between the rows.
TEST(RadiatorCatalogueFile, GoodFileGivesEveryRowInOrder) {
    const std::string bytes = "\xEF\xBB\xBF" + kHeader.substr(0, kHeader.size() - 1) +
                              "\r\n# Kommentar\r\n\r\n Flach ; P 22 · 600 ;600; 1800 ;m;1,3\r\n"
                              "Guss;G 600;600;80;Glied;1,27\r\n";
    const auto table = ReadRadiatorCatalogue({{"heizkoerper.csv", bytes}});
    EXPECT_TRUE(table.skipped.empty());
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0], (TypicalRadiator{"Flach", "P 22 · 600", 600, 1800, true, 1.3}));
    EXPECT_EQ(table.rows[1], (TypicalRadiator{"Guss", "G 600", 600, 80, false, 1.27}));
}

// One bad line after a good row: skipped and named with its line, the good
// row used.
struct BadRow {
    const char* name;
    std::string line;
    std::string note; // after "heizkoerper.csv Zeile 4: "
};

class RadiatorCatalogueBadRow : public ::testing::TestWithParam<BadRow> {};

TEST_P(RadiatorCatalogueBadRow, IsSkippedAndNamed) {
    const auto table =
        ReadRadiatorCatalogue({{"heizkoerper.csv", kHeader + kGood + GetParam().line + "\n"}});
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0].name, "P 22 · 600");
    EXPECT_EQ(table.skipped,
              std::vector<std::string>{"heizkoerper.csv Zeile 4: " + GetParam().note});
}

INSTANTIATE_TEST_SUITE_P(
    Table, RadiatorCatalogueBadRow,
    ::testing::Values(
        BadRow{"FiveFields", "Flach;X;600;1000;m", "5 statt 6 Felder"},
        BadRow{"SevenFields", "Flach;X;600;1000;m;1,3;x", "7 statt 6 Felder"},
        BadRow{"EmptyName", "Flach;;600;1000;m;1,3", "Bauart und Name dürfen nicht leer sein"},
        BadRow{"HeightText", "Flach;X;hoch;1000;m;1,3",
               "Bauhöhe mm „hoch“ ist keine Zahl von 100 bis 3000"},
        BadRow{"HeightFraction", "Flach;X;600,5;1000;m;1,3",
               "Bauhöhe mm „600,5“ ist keine ganze Zahl"},
        BadRow{"OutputZero", "Flach;X;600;0;m;1,3",
               "Leistung W „0“ ist keine Zahl von 1 bis 99999"},
        BadRow{"OutputAboveRange", "Flach;X;600;100000;m;1,3",
               "Leistung W „100000“ ist keine Zahl von 1 bis 99999"},
        BadRow{"UnknownPer", "Flach;X;600;1000;Stück;1,3", "je „Stück“ ist weder „m“ noch „Glied“"},
        BadRow{"ExponentWithPoint", "Flach;X;600;1000;m;1.3",
               "Exponent „1.3“ ist keine Zahl von 1 bis 2"},
        BadRow{"ExponentAboveTwo", "Flach;X;600;1000;m;2,1",
               "Exponent „2,1“ ist keine Zahl von 1 bis 2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RadiatorCatalogueFile, UserFileAddsRowsAndReplacesByName) {
    const auto table = ReadRadiatorCatalogue(
        {{"mitgeliefert", kHeader + kGood + "Guss;G 600;600;80;Glied;1,3\n"},
         {"eigene", kHeader + "Flach;P 22 · 600;600;1900;m;1,32\nFlach;Neu;500;1500;m;1,3\n"}});
    EXPECT_TRUE(table.skipped.empty());
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0], (TypicalRadiator{"Flach", "P 22 · 600", 600, 1900, true, 1.32}))
        << "replaced in its place";
    EXPECT_EQ(table.rows[1].name, "G 600");
    EXPECT_EQ(table.rows[2].name, "Neu");
}

TEST(RadiatorCatalogueFile, AFileWithAnotherFirstLineOrNoneIsSkippedWhole) {
    const auto table = ReadRadiatorCatalogue({{"mitgeliefert", kHeader + kGood},
                                              {"eigene", "Name;Leistung\nFlach;X;600;1;m;1,3\n"},
                                              {"leer", ""}});
    ASSERT_EQ(table.rows.size(), 1u);
    ASSERT_EQ(table.skipped.size(), 2u);
    EXPECT_EQ(table.skipped[0], "eigene: die erste Zeile ist nicht „" +
                                    kHeader.substr(0, kHeader.size() - 1) +
                                    "“, die Datei wird übergangen");
    EXPECT_EQ(table.skipped[1], "leer: die Datei ist leer");
    EXPECT_EQ(SkippedRowsMessage(kRadiatorTableTitle, table.skipped),
              "Heizkörperkatalog: übergangen, der Rest gilt:\n• " + table.skipped[0] + "\n• " +
                  table.skipped[1]);
    EXPECT_EQ(SkippedRowsMessage(kRadiatorTableTitle, {}), "");
}

// Outputs at the project's reference: per metre times length / 1000 or per
// section times sections, times (dNorm / 50)^n, rounded once.
struct Output {
    const char* name;
    TypicalRadiator radiator;
    int count;
    std::int16_t dNorm;
    long long watts;
    const char* text;
};

class RadiatorOutput : public ::testing::TestWithParam<Output> {};

TEST_P(RadiatorOutput, AtReference) {
    const Output& o = GetParam();
    EXPECT_EQ(OutputAtReference(o.radiator, o.count, o.dNorm), o.watts);
    EXPECT_EQ(RadiatorText(o.radiator, o.count), o.text);
}

const TypicalRadiator kPanel{"Flach", "P 22 · 600", 600, 1800, true, 1.3};
const TypicalRadiator kSection{"Guss", "G 600", 600, 80, false, 1.3};

INSTANTIATE_TEST_SUITE_P(
    Table, RadiatorOutput,
    ::testing::Values(
        Output{"PanelEn", kPanel, 1000, 50, 1800, "P 22 · 600 × 1000"},
        // 1800 * 1,2^1,3 = 2281,4.
        Output{"PanelDin", kPanel, 1000, 60, 2281, "P 22 · 600 × 1000"},
        Output{"ShortestPanelEn", kPanel, 400, 50, 720, "P 22 · 600 × 400"},
        // 1005 * 0,5 = 502,5: half a watt up, once at the end.
        Output{"HalfWattUp", {"Flach", "H", 600, 1005, true, 1.3}, 500, 50, 503, "H × 500"},
        Output{"OneSectionDin", kSection, 1, 60, 101, "G 600 · 1 Glied"},
        Output{"SixtySectionsEn", kSection, 60, 50, 4800, "G 600 · 60 Glieder"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RadiatorCount, Boundaries) {
    EXPECT_TRUE(ValidCount(kPanel, 400) && ValidCount(kPanel, 3000) && ValidCount(kPanel, 1100));
    EXPECT_FALSE(ValidCount(kPanel, 300) || ValidCount(kPanel, 3100) || ValidCount(kPanel, 1050));
    EXPECT_TRUE(ValidCount(kSection, 1) && ValidCount(kSection, 60) && ValidCount(kSection, 7));
    EXPECT_FALSE(ValidCount(kSection, 0) || ValidCount(kSection, 61));
}

} // namespace
} // namespace hk
