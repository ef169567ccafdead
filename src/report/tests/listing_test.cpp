#include "calc/calc_form.h"
#include "common/errors.h"
#include "common/text.h"
#include "report/listing.h"
#include "support/calc_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hk {
namespace {

using C = CalcControl;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

struct MaskCase {
    const char* name;
    const char* mask;
    const char* text;
    const char* out;
};

class MaskTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskTest, RightAlignsInPlaceholders) {
    EXPECT_EQ(FormatMask(GetParam().mask, GetParam().text), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskTest,
    ::testing::Values(MaskCase{"EntryNumber", " @@ ", "2", "  2 "},
                      MaskCase{"TwoDigits", " @@ ", "70", " 70 "},
                      MaskCase{"Exact", "@@@@", "0001", "0001"},
                      MaskCase{"EmptyText", "@@@@", "", "    "},
                      MaskCase{"RoomUseEmpty", " @@@@@@@@@ ", "", "           "},
                      MaskCase{"Umlaut", " @@@@@@@@@ ", "Küche", "     Küche "},
                      MaskCase{"LongerPushesRight", "@@@@", "12345", "12345"},
                      MaskCase{"LongerKeepsTrailingLiterals", " @@@@ ", "123456", " 123456 "},
                      MaskCase{"ElevenCharacters", " @@@@@@@@@ ", "Wohnzimmer1", " Wohnzimmer1 "},
                      MaskCase{"FactorTenOrMore", " @@@@", "10,25", " 10,25"},
                      MaskCase{"OutputWithTrailingBlanks", "@@@@@  ", "1275", " 1275  "},
                      MaskCase{"Reference", " @@", "60", " 60"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeaderBlock, SixLinesWithExactTexts) {
    const auto lines = Lines(HeaderBlock(60));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "     H e i z f l ä c h e n b e r e c h n u n g");
    EXPECT_EQ(CharCount(lines[0]), 46u);
    EXPECT_EQ(lines[1], "            für Temperaturen <> der Norm      ");
    EXPECT_EQ(CharCount(lines[1]), 46u);
    EXPECT_EQ(lines[2], "            Referenz-Temperatur: 60");
    EXPECT_EQ(CharCount(lines[2]), 35u);
    EXPECT_EQ(lines[3], std::string(68, ' '));
    EXPECT_EQ(CharCount(lines[4]), 85u);
    EXPECT_EQ(CharCount(lines[5]), 85u);
    EXPECT_EQ(Lines(HeaderBlock(50))[2], "            Referenz-Temperatur: 50");
}

TEST(HeaderBlock, SeparatorsStandAtTheirPositions) {
    for (std::string_view row : {kColumnHeader, kColumnRule}) {
        std::vector<std::size_t> bars;
        std::size_t column = 0;
        for (std::size_t pos = 0; pos < row.size();) {
            ++column;
            if (DecodeUtf8(row, pos) == U'|') {
                bars.push_back(column);
            }
        }
        EXPECT_EQ(bars, (std::vector<std::size_t>{5, 9, 13, 18, 28, 31, 37, 42, 47, 52, 58}));
    }
}

// The calculation screen opened with DIN, with the real listing.
class ListingTest : public ::testing::Test, protected test::CalcDriver {
protected:
    void Calculate(const char* vorl, const char* rueckl, const char* nr, const char* ver,
                   const char* raum, const char* q, int typeIndex) {
        calculate({vorl, rueckl, nr, ver, raum, q}, typeIndex);
        ASSERT_TRUE(screen.messages.empty()) << screen.messages[0].text;
    }
};

TEST_F(ListingTest, FirstCalculationGivesSevenLines) {
    Calculate("90", "70", "1", "Wohnen", "20", "1500", 0);
    const std::string& box = screen.texts[C::txtAnzeige];
    const auto lines = Lines(box);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[6], "  1   90  70   1    Wohnen  20  1500  1,3   60    1 1500  "
                        "DIN Guss- Radiator          ");
    EXPECT_EQ(state.ListingText, box);
    EXPECT_EQ(box, HeaderBlock(60) + lines[6] + "\r\n");
}

TEST_F(ListingTest, SecondEntryAddsOneLineNumberedTwo) {
    Calculate("70", "40", "0001", "Küche", "20", "1000", 0);
    form.cmdNächster_Click();
    Calculate("70", "40", "12", "", "20", "800", 5);
    const auto lines = Lines(screen.texts[C::txtAnzeige]);
    ASSERT_EQ(lines.size(), 8u);
    const std::string& l = lines[7];
    EXPECT_EQ(l.substr(0, 4), "  2 ");
    EXPECT_EQ(l.substr(12, 4), "  12");
    EXPECT_EQ(l.substr(16, 11), std::string(11, ' ')) << "empty room use";
    EXPECT_EQ(l.substr(0, 58), "  2   70  40  12            20   800 1,26 32,7 2,15 1720  ");
    EXPECT_EQ(state.ListingText, screen.texts[C::txtAnzeige]);
}

TEST_F(ListingTest, ColumnsOfTheFixedPart) {
    Calculate("75", "65", "9999", "Bad", "20", "1000", 4);
    const std::string line = Lines(screen.texts[C::txtAnzeige])[6];
    struct Field {
        std::size_t from, to; // positions counted from 1
        const char* text;
    };
    for (const Field& f :
         {Field{1, 4, "  1 "}, Field{5, 8, "  75"}, Field{9, 12, "  65"}, Field{13, 16, "9999"},
          Field{17, 27, "       Bad "}, Field{28, 30, " 20"}, Field{31, 36, "  1000"},
          Field{37, 42, " 1,28 "}, Field{43, 46, "  50"}, Field{47, 51, " 1,28"},
          Field{52, 58, " 1280  "}}) {
        EXPECT_EQ(line.substr(f.from - 1, f.to - f.from + 1), f.text) << f.from;
    }
    EXPECT_EQ(line.substr(58), "Prfl Flach-Hk BH 350 Typ 10 ");
}

TEST_F(ListingTest, ElevenCharacterRoomUsePushesLaterColumns) {
    Calculate("90", "70", "1", "Wohnzimmer1", "20", "1500", 0);
    const std::string line = Lines(screen.texts[C::txtAnzeige])[6];
    EXPECT_EQ(CharCount(line), 58u + 2u + 28u);
    EXPECT_EQ(line.substr(16, 13), " Wohnzimmer1 ");
    EXPECT_EQ(line.substr(29, 3), " 20");
}

TEST_F(ListingTest, FactorOfTenOrMoreOverflowsByOne) {
    RadiatorEntry& e = state.table.at(1);
    e.Faktor = 10.25f;
    const std::string line = ListingLine(state.table, 1);
    EXPECT_EQ(CharCount(line), 58u + 1u + 2u); // no type text, CR LF
    EXPECT_EQ(line.substr(46, 6), " 10,25");
}

TEST_F(ListingTest, HeaderOnlyForEntryOneEvenAfterFailure) {
    // The conversion of entry 1 fails: no header, no line.
    screen.type(C::txtdVorl, "70");
    screen.type(C::txtdRueckl, "40");
    screen.type(C::txtRaumNr, "1");
    screen.type(C::txtdRaum, "25.000");
    screen.type(C::txtQRaum, "1000");
    screen.selectedIndex = 0;
    form.Expon_Click();
    form.cmdErgebnis_Click();
    ASSERT_EQ(screen.messages.size(), 1u);
    screen.messages.clear();
    form.cmdNächster_Click();
    Calculate("70", "40", "2", "", "20", "1000", 0);
    const auto lines = Lines(screen.texts[C::txtAnzeige]);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, 4), "  2 ");
}

TEST_F(ListingTest, EnModeHeaderEndsInFifty) {
    screen.dinSelected = false;
    screen.enSelected = true;
    form.optEN_Click();
    Calculate("75", "65", "1", "", "20", "1000", 0);
    EXPECT_EQ(Lines(screen.texts[C::txtAnzeige])[2], "            Referenz-Temperatur: 50");
}

// A correction journals the line of the entry it corrected, not of LfNr.
TEST_F(ListingTest, LineOfAnEarlierEntryIsAppendedWithoutHeader) {
    Calculate("70", "40", "0001", "Küche", "20", "1000", 0);
    form.cmdNächster_Click();
    Calculate("70", "40", "12", "", "20", "800", 5);
    const std::string before = screen.texts[C::txtAnzeige];
    const std::string line1 = Lines(before)[6];

    listing.ErgebnOf(1);

    EXPECT_EQ(screen.texts[C::txtAnzeige], before + line1 + "\r\n");
    EXPECT_EQ(state.ListingText, screen.texts[C::txtAnzeige]);
}

TEST_F(ListingTest, LineOfNoEntryChangesNothing) {
    Calculate("70", "40", "0001", "Küche", "20", "1000", 0);
    const std::string before = screen.texts[C::txtAnzeige];
    EXPECT_THROW(listing.ErgebnOf(71), SubscriptError);
    EXPECT_THROW(listing.ErgebnOf(0), SubscriptError);
    EXPECT_EQ(screen.texts[C::txtAnzeige], before);
    EXPECT_EQ(state.ListingText, before);
}

TEST(ListingLine, OutsideTheTableIsSubscriptError) {
    RadiatorTable t;
    EXPECT_THROW(ListingLine(t, 0), SubscriptError);
    EXPECT_THROW(ListingLine(t, 71), SubscriptError);
}

TEST(ListingLine, EmptyEntry) {
    RadiatorTable t;
    EXPECT_EQ(ListingLine(t, 3),
              "  3    0   0" + std::string(4 + 11, ' ') + "  0     0    0    0    0    0  \r\n");
}

} // namespace
} // namespace hk
