#include "common/text.h"
#include "support/table_cases.h"

#include <gtest/gtest.h>

namespace hk {
namespace {

TEST(CharCount, CountsCodePointsNotBytes) {
    EXPECT_EQ(CharCount(""), 0u);
    EXPECT_EQ(CharCount("abc"), 3u);
    EXPECT_EQ(CharCount("Röhren"), 6u);
    EXPECT_EQ(CharCount("€"), 1u);
    EXPECT_EQ(CharCount("\xF0\x9F\x94\xA5"), 1u); // a four-byte character
    EXPECT_EQ(CharCount("\xFF\xFE"), 2u);         // broken bytes count one each
    EXPECT_EQ(CharCount("\xC3"), 1u);             // cut sequence
}

using CodePageCase = test::TextCase; // UTF-8 text, its Windows-1252 bytes

class CodePageTest : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(CodePageTest, RoundTrip) {
    const auto& p = GetParam();
    const auto bytes = Utf8ToCp1252(p.in);
    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(*bytes, p.out);
    EXPECT_EQ(Cp1252ToUtf8(*bytes), p.in);
}

INSTANTIATE_TEST_SUITE_P(Texts, CodePageTest,
                         ::testing::Values(CodePageCase{"Ascii", "Bad 12", "Bad 12"},
                                           CodePageCase{"Umlaut", "ä", "\xE4"},
                                           CodePageCase{"Sharp", "grösser", "gr\xF6sser"},
                                           CodePageCase{"Euro", "€", "\x80"},
                                           CodePageCase{"Quotes", "„x“", "\x84x\x93"},
                                           CodePageCase{"Degree", "°C",
                                                        "\xB0"
                                                        "C"},
                                           CodePageCase{"UndefinedByteKept", "\xC2\x81", "\x81"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CodePage, RefusesWhatItCannotHold) {
    EXPECT_FALSE(Utf8ToCp1252("Ω").ok());
    EXPECT_FALSE(Utf8ToCp1252("\xF0\x9F\x94\xA5").ok());
    EXPECT_FALSE(Utf8ToCp1252("\xFF").ok()); // broken UTF-8
    EXPECT_FALSE(IsCp1252Text("a\xE2\x82")); // cut sequence
    EXPECT_TRUE(IsCp1252Text("Küche, 2. OG"));
    EXPECT_FALSE(IsCp1252Char(0x0080)); // its byte means the euro sign
    EXPECT_TRUE(IsCp1252Char(0x20AC));
}

TEST(CodePage, EveryByteSurvives) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const auto back = Utf8ToCp1252(Cp1252ToUtf8(all));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, all);
}

struct BoxCase {
    const char* name;
    const char* typed;
    const char* kept;
    const char* leftOut;
};

class OneLineBoxTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(OneLineBoxTest, LineBreaksBecomeBlanksAndForeignCharactersAreListed) {
    const OneLineText t = ForOneLineBox(GetParam().typed);
    EXPECT_EQ(t.text, GetParam().kept);
    EXPECT_EQ(t.leftOut, GetParam().leftOut);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OneLineBoxTest,
    ::testing::Values(BoxCase{"PlainKept", "P-17 Küche €", "P-17 Küche €", ""},
                      BoxCase{"CrLfFromAMailIsOneBlank", "P-17\r\n", "P-17 ", ""},
                      BoxCase{"CrLfInsideIsOneBlank", "a\r\nb", "a b", ""},
                      BoxCase{"LoneLfAndLoneCr", "a\nb\rc", "a b c", ""},
                      BoxCase{"TwoBreaksTwoBlanks", "a\r\n\r\nb", "a  b", ""},
                      BoxCase{"CrCrLfIsTwoBlanks", "a\r\r\nb", "a  b", ""},
                      BoxCase{"TabIsOneBlank", "a\tb\t", "a b ", ""},
                      BoxCase{"EmojiLeftOut", "Bad \xF0\x9F\x9B\x81", "Bad ", "\xF0\x9F\x9B\x81"},
                      BoxCase{"HebrewLeftOutEachOnce", "\xD7\x90\xD7\x91\xD7\x90x", "x",
                              "\xD7\x90\xD7\x91"},
                      BoxCase{"FullWidthDigitsLeftOut",
                              "\xEF\xBC\x91\xEF\xBC\x92"
                              "3",
                              "3", "\xEF\xBC\x91\xEF\xBC\x92"},
                      BoxCase{"EmptyStaysEmpty", "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct Utf8Case {
    const char* name;
    std::string bytes;
    bool utf8;
};

class MultiByteUtf8Test : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(MultiByteUtf8Test, TellsUtf8FromWindows1252) {
    EXPECT_EQ(IsMultiByteUtf8(GetParam().bytes), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(Texts, MultiByteUtf8Test,
                         ::testing::Values(Utf8Case{"AsciiIsNeither", "Bad 12", false},
                                           Utf8Case{"Utf8Umlaut",
                                                    "K\xC3\xBC"
                                                    "che",
                                                    true},
                                           Utf8Case{"Utf8Euro", "\xE2\x82\xAC", true},
                                           Utf8Case{"Utf8Emoji", "\xF0\x9F\x9B\x81", true},
                                           Utf8Case{"Cp1252Umlauts",
                                                    "K\xFC"
                                                    "che, Gr\xF6\xDF"
                                                    "e, \xC4"
                                                    "rger",
                                                    false},
                                           Utf8Case{"Cp1252UmlautAtTheEnd", "Stra\xDF", false},
                                           Utf8Case{"Utf8ThenOneCp1252Byte",
                                                    "K\xC3\xBC"
                                                    "che \xE4",
                                                    false},
                                           Utf8Case{"OverlongIsNoUtf8", "\xC0\xAF", false},
                                           Utf8Case{"SurrogateIsNoUtf8", "\xED\xA0\x80", false}),
                         [](const auto& info) { return info.param.name; });

TEST(TextHelpers, Blanks) {
    EXPECT_EQ(Blanks(3), "   ");
    EXPECT_EQ(Blanks(0), "");
}

struct DecodeCase {
    const char* name;
    const char* bytes;
    char32_t expected; // a character, or BrokenByte(first byte)
    std::size_t advance;
};

class DecodeUtf8Test : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeUtf8Test, GivesCharacterOrMarksTheFirstByte) {
    const DecodeCase& c = GetParam();
    const std::string_view s(c.bytes);
    std::size_t pos = 0;
    const char32_t got = DecodeUtf8(s, pos);
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(pos, c.advance);
    const bool broken = c.expected == BrokenByte(static_cast<unsigned char>(s[0]));
    EXPECT_EQ(IsBrokenByte(got), broken);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, DecodeUtf8Test,
    ::testing::Values(DecodeCase{"Ascii", "A", U'A', 1},
                      DecodeCase{"TwoBytes", "\xC3\xA4", U'ä', 2},
                      DecodeCase{"ThreeBytes", "\xE2\x82\xAC", U'€', 3},
                      DecodeCase{"FourBytes", "\xF0\x9F\x94\xA5", 0x1F525, 4},
                      DecodeCase{"HighestCharacter", "\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
                      DecodeCase{"StrayContinuation", "\x80", BrokenByte(0x80), 1},
                      DecodeCase{"ByteFF", "\xFF", BrokenByte(0xFF), 1},
                      DecodeCase{"CutSequence", "\xE2\x82", BrokenByte(0xE2), 1},
                      DecodeCase{"NoContinuation",
                                 "\xC3"
                                 "A",
                                 BrokenByte(0xC3), 1},
                      DecodeCase{"OverlongSlash", "\xC0\xAF", BrokenByte(0xC0), 1},
                      DecodeCase{"Surrogate", "\xED\xA0\x80", BrokenByte(0xED), 1},
                      DecodeCase{"BeyondU10FFFF", "\xF4\x90\x80\x80", BrokenByte(0xF4), 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecodeUtf8, NoCharacterLooksLikeABrokenByte) {
    for (char32_t c : {char32_t{0}, char32_t{0xFF}, char32_t{0xFFFD}, char32_t{0x10FFFF}}) {
        EXPECT_FALSE(IsBrokenByte(c)) << static_cast<unsigned>(c);
    }
    EXPECT_TRUE(IsBrokenByte(BrokenByte(0)));
    EXPECT_TRUE(IsBrokenByte(BrokenByte(0xFF)));
}

} // namespace
} // namespace hk
