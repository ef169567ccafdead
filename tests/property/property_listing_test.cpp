// The fixed part of a listing line (everything before the radiator type) is
// 58 characters whenever no field overflows its placeholders, and grows by
// exactly the overflow otherwise; checked on random entries and on the lines
// that real calculations with random accepted inputs append.

#include "calc/catalogue.h"
#include "common/numbers.h"
#include "common/text.h"
#include "report/listing.h"
#include "support/calc_driver.h"
#include "support/random_inputs.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

namespace hk {
namespace {

// Characters by which the entry's fields overflow their placeholders.
std::size_t Overflow(const RadiatorEntry& e, int n) {
    const std::array<std::pair<std::string, std::size_t>, 11> fields = {{
        {WholeText(n), 2},
        {NumberText(e.dVorl), 3},
        {NumberText(e.dRueckl), 3},
        {e.RaumNr, 4},
        {e.RaumVer, 9},
        {NumberText(e.dRaum), 2},
        {NumberText(e.QRaum), 6},
        {NumberText(e.Exponent), 4},
        {NumberText(e.dMittel), 4},
        {NumberText(e.Faktor), 4},
        {NumberText(e.QHKNeu), 5},
    }};
    std::size_t over = 0;
    for (const auto& [text, places] : fields) {
        const std::size_t chars = CharCount(text);
        over += chars > places ? chars - places : 0;
    }
    return over;
}

// The line without the type text and its CR LF; fails the test when the
// line does not end with them.
std::string FixedPart(const std::string& line, const RadiatorEntry& e) {
    const std::string tail = e.HkTyp + std::string(kCrLf);
    EXPECT_GE(line.size(), tail.size());
    EXPECT_EQ(line.substr(line.size() - tail.size()), tail);
    return line.substr(0, line.size() - tail.size());
}

// Any value: whole, one or two decimals, or any finite single.
float RandomValue(test::Random& rnd, long long maxWhole) {
    switch (rnd.between(0, 3)) {
    case 0:
        return static_cast<float>(rnd.between(0, maxWhole));
    case 1:
        return StoreSingle(static_cast<double>(rnd.between(0, maxWhole * 10)) / 10.0);
    case 2:
        return StoreSingle(static_cast<double>(rnd.between(0, maxWhole * 100)) / 100.0);
    default:
        return rnd.finiteSingle();
    }
}

TEST(ListingLineProperty, FixedPartIs58CharactersPlusTheOverflow) {
    test::Random rnd(0x4C697374696E6721ull);
    int withoutOverflow = 0;
    int withOverflow = 0;
    for (int i = 0; i < 5000; ++i) {
        const int n = static_cast<int>(rnd.between(1, RadiatorTable::kCapacity));
        RadiatorTable table;
        RadiatorEntry& e = table.at(n);
        // Half the entries hold what the input checks and the rounding let
        // through (whole temperatures and outputs), where most lines fit;
        // the other half anything at all.
        if (rnd.chance(50)) {
            e.dVorl = static_cast<float>(rnd.between(50, 120));
            e.dRueckl = static_cast<float>(rnd.between(35, 95));
            e.RaumNr = rnd.text(test::kTextChars, 4);
            e.RaumVer = rnd.text(test::kTextChars, 9);
            e.dRaum = static_cast<float>(rnd.between(5, 30));
            e.QRaum = static_cast<float>(rnd.between(5, 10000));
            e.Exponent = CatalogueExponent(static_cast<int>(rnd.between(0, kCatalogueSize - 1)));
            e.dMittel = StoreSingle(static_cast<double>(rnd.between(50, 999)) / 10.0);
            e.Faktor = StoreSingle(static_cast<double>(rnd.between(1, 999)) / 100.0);
            e.QHKNeu = static_cast<float>(rnd.between(0, 99999));
        } else {
            e.dVorl = RandomValue(rnd, 1200);
            e.dRueckl = RandomValue(rnd, 950);
            e.RaumNr = rnd.text(test::kTextChars, 6);
            e.RaumVer = rnd.text(test::kTextChars, 11);
            e.dRaum = RandomValue(rnd, 300);
            e.QRaum = RandomValue(rnd, 100000);
            e.Exponent = RandomValue(rnd, 20);
            e.dMittel = RandomValue(rnd, 1100);
            e.Faktor = RandomValue(rnd, 120);
            e.QHKNeu = RandomValue(rnd, 999999);
        }
        e.HkTyp = rnd.chance(80)
                      ? std::string(RadiatorCatalogue()[static_cast<std::size_t>(
                                                            rnd.between(0, kCatalogueSize - 1))]
                                        .text)
                      : rnd.text(test::kTextChars, 40);

        const std::string fixed = FixedPart(ListingLine(table, n), e);
        const std::size_t over = Overflow(e, n);
        ASSERT_EQ(CharCount(fixed), 58 + over) << "entry " << n << ": [" << fixed << "]";
        (over == 0 ? withoutOverflow : withOverflow)++;
    }
    // Both kinds of line must have been met for the property to mean much.
    EXPECT_GT(withoutOverflow, 500);
    EXPECT_GT(withOverflow, 500);
}

TEST(ListingLineProperty, CalculatedLinesKeepTheirColumns) {
    test::Random rnd(0x45726765626E6973ull);
    int lines = 0;
    int withoutOverflow = 0;
    while (lines < 3000) {
        test::CalcDriver calc(rnd.chance(50));
        for (int entry = 1; entry <= RadiatorTable::kCapacity && lines < 3000; ++entry) {
            test::RadiatorTexts t;
            const long long supply = rnd.between(50, 120);
            t.dVorl = std::to_string(supply);
            t.dRueckl = std::to_string(rnd.between(35, std::min<long long>(95, supply)));
            t.RaumNr = std::to_string(rnd.between(1, 9999));
            t.RaumVer = rnd.text(test::kTextChars, 11);
            t.dRaum = std::to_string(rnd.between(5, 30));
            if (rnd.chance(30)) {
                t.dRaum += ",5";
            }
            t.QRaum = std::to_string(rnd.between(5, 10000));
            const std::size_t before = calc.screen.text(CalcControl::txtAnzeige).size();
            calc.calculate(t, static_cast<int>(rnd.between(0, kCatalogueSize - 1)));
            ASSERT_TRUE(calc.screen.messages.empty())
                << t.dVorl << "/" << t.dRueckl << "/" << t.dRaum << ": "
                << calc.screen.messages.front().text;

            const std::string box = calc.screen.text(CalcControl::txtAnzeige);
            ASSERT_EQ(calc.state.ListingText, box);
            std::string line = box.substr(before);
            if (entry == 1) {
                line = line.substr(HeaderBlock(calc.state.dNorm).size());
            }
            const RadiatorEntry& e = calc.state.table.at(entry);
            const std::string fixed = FixedPart(line, e);
            const std::size_t over = Overflow(e, entry);
            ASSERT_EQ(CharCount(fixed), 58 + over) << "[" << fixed << "]";
            withoutOverflow += (over == 0);
            ++lines;
            calc.pressNaechster();
        }
    }
    EXPECT_GT(withoutOverflow, 1000);
}

} // namespace
} // namespace hk
