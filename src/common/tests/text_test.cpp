#include "common/text.h"

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

struct CodePageCase {
    const char* name;
    const char* utf8;
    const char* bytes;
};

class CodePageTest : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(CodePageTest, RoundTrip) {
    const auto& p = GetParam();
    const auto bytes = Utf8ToCp1252(p.utf8);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, std::string(p.bytes));
    EXPECT_EQ(Cp1252ToUtf8(*bytes), std::string(p.utf8));
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
    EXPECT_FALSE(Utf8ToCp1252("Ω").has_value());
    EXPECT_FALSE(Utf8ToCp1252("\xF0\x9F\x94\xA5").has_value());
    EXPECT_FALSE(Utf8ToCp1252("\xFF").has_value()); // broken UTF-8
    EXPECT_FALSE(IsCp1252Text("a\xE2\x82"));        // cut sequence
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
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(TextHelpers, BlanksAndRepeat) {
    EXPECT_EQ(Blanks(3), "   ");
    EXPECT_EQ(Repeat("=", 70).size(), 70u);
    EXPECT_EQ(Repeat("ab", 0), "");
}

} // namespace
} // namespace hk
