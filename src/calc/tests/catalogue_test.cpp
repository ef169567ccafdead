#include "calc/catalogue.h"
#include "common/numbers.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace hk {
namespace {

TEST(Catalogue, FortyFourEntriesWithTheirWidths) {
    const auto& c = RadiatorCatalogue();
    ASSERT_EQ(c.size(), 44u);
    std::set<std::string_view> distinct;
    for (int i = 0; i < kCatalogueSize; ++i) {
        const auto& e = c[static_cast<std::size_t>(i)];
        EXPECT_EQ(CharCount(e.text), i < 38 ? 28u : 29u) << "entry " << i;
        EXPECT_GE(e.hundredths, 126) << "entry " << i;
        EXPECT_LE(e.hundredths, 135) << "entry " << i;
        distinct.insert(e.text);
    }
    EXPECT_EQ(distinct.size(), 44u);
}

struct Pick {
    int index;
    const char* text;
    const char* exponent;
};

class CatalogueEntryTest : public ::testing::TestWithParam<Pick> {};

TEST_P(CatalogueEntryTest, TextAndExponent) {
    const auto& e = RadiatorCatalogue()[static_cast<std::size_t>(GetParam().index)];
    EXPECT_EQ(e.text, GetParam().text);
    EXPECT_EQ(NumberText(CatalogueExponent(GetParam().index)), GetParam().exponent);
    // The text read back gives the same single.
    EXPECT_EQ(RegionalSingle(NumberText(CatalogueExponent(GetParam().index))),
              CatalogueExponent(GetParam().index));
}

INSTANTIATE_TEST_SUITE_P(Entries, CatalogueEntryTest,
                         ::testing::Values(Pick{0, "DIN Guss- Radiator          ", "1,3"},
                                           Pick{2, "Röhren- Radiator            ", "1,3"},
                                           Pick{3, "Bank- Radiator              ", "1,3"},
                                           Pick{4, "Prfl Flach-Hk BH 350 Typ 10 ", "1,28"},
                                           Pick{5, "Prfl Flach-Hk BH 350 Typ 11 ", "1,26"},
                                           Pick{23, "Prfl Flach-Hk BH 900 Typ 33 ", "1,35"},
                                           Pick{24, "Plan Flach-Hk BH 350 Typ 10 ", "1,33"},
                                           Pick{37, "Plan Flach-Hk BH 600 Typ 22 ", "1,31"},
                                           Pick{38, "Plan Flach-Hk BH 600 Typ 33  ", "1,34"},
                                           Pick{43, "Plan Flach-Hk BH 900 Typ 33  ", "1,32"}),
                         [](const auto& info) {
                             return std::string("Index").append(std::to_string(info.param.index));
                         });

TEST(Catalogue, EveryExponentTextReadsBack) {
    for (int i = 0; i < kCatalogueSize; ++i) {
        const std::string t = NumberText(CatalogueExponent(i));
        EXPECT_EQ(RegionalSingle(t), CatalogueExponent(i)) << t;
        EXPECT_LE(t.size(), 5u) << "the exponent box holds five characters";
    }
}

} // namespace
} // namespace hk
