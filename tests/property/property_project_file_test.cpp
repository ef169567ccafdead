// Save then load, over thousands of radiators calculated from random
// accepted inputs: what the project file must give back, and how exactly.
//
// The file keeps a single with seven significant digits. Every value that
// was read from a text of at most seven digits, and every result the
// conversion rounds (factor to two decimals, output to whole units, the
// logarithmic mean to one decimal), comes back bit for bit. The arithmetic
// mean (supply + return) / 2 - room is not rounded: with a room temperature
// of several decimals it can need more digits than the file keeps; it then
// comes back within half a unit of its seventh digit, and a second save and
// load changes nothing more.

#include "calc/catalogue.h"
#include "calc/conversion.h"
#include "project/project_file.h"
#include "support/calc_driver.h"
#include "support/random_inputs.h"
#include "support/saved_bytes.h"
#include "support/state_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace hk {
namespace {

using test::SavedBytes;

// The texts of a header field or a room use may hold anything that the
// code page holds, double quotes and commas included.
constexpr std::string_view kFreeChars[] = {
    "a", "K", "z", "1", "9", " ", ",", "\"", ";", "ä", "Ö", "ß", "€", "é", "'", "°", "µ", "§",
};

// Loads bytes into a fresh state, as in a new run of the program.
ProgramState Loaded(const std::string& bytes) {
    ProgramState s;
    const auto read = ReadProjectFile(bytes, s);
    EXPECT_TRUE(read) << "line " << read.problem().line << ": " << read.problem().message;
    return s;
}

void RandomHeader(test::Random& rnd, ProgramState& s) {
    for (int f = 1; f <= ProjectHeader::kFieldCount; ++f) {
        s.header[f] = rnd.chance(20) ? std::string() : rnd.text(kFreeChars, 30);
    }
}

// What the state must be after the save and a load in a new run: the same,
// with the counter stopped at the table's end and the listing followed by the
// empty line that closes the listing section.
ProgramState ExpectedAfterLoad(const ProgramState& saved) {
    ProgramState e = saved;
    e.LfNr = static_cast<std::int16_t>(std::clamp<int>(saved.LfNr, 1, RadiatorTable::kCapacity));
    e.ListingText += "\r\n";
    // Entries above the saved counter are not in the file.
    for (int n = e.LfNr + 1; n <= RadiatorTable::kCapacity; ++n) {
        e.table.at(n) = RadiatorEntry{};
    }
    return e;
}

TEST(ProjectFileProperty, TypicalProjectsComeBackBitForBit) {
    test::Random rnd(0x50726F6A656B7431ull);
    int radiators = 0;
    for (int project = 0; project < 400; ++project) {
        test::CalcDriver calc(rnd.chance(50));
        RandomHeader(rnd, calc.state);
        const int count = static_cast<int>(rnd.between(1, RadiatorTable::kCapacity));
        for (int n = 1; n <= count; ++n) {
            test::RadiatorTexts t;
            const long long supply = rnd.between(50, 120);
            t.dVorl = std::to_string(supply);
            t.dRueckl = std::to_string(rnd.between(35, std::min<long long>(95, supply)));
            t.RaumNr = std::to_string(rnd.between(1, 9999));
            if (rnd.chance(30)) {
                t.RaumNr.insert(0, 4 - t.RaumNr.size(), '0'); // "0012"
            }
            t.RaumVer = rnd.text(kFreeChars, 11);
            t.dRaum = std::to_string(rnd.between(5, 29)) + (rnd.chance(30) ? ",5" : "");
            t.QRaum = std::to_string(rnd.between(5, 10000)) + (rnd.chance(20) ? ",5" : "");
            calc.calculate(t, static_cast<int>(rnd.between(0, kCatalogueSize - 1)));
            ASSERT_TRUE(calc.screen.messages.empty()) << calc.screen.messages[0].text;
            ++radiators;
            if (n < count || rnd.chance(30)) {
                calc.pressNaechster(); // the last one may leave an empty next entry
            }
        }
        const std::string bytes = SavedBytes(calc.state);
        ASSERT_TRUE(test::SameState(Loaded(bytes), ExpectedAfterLoad(calc.state)))
            << "project " << project << " with " << count << " radiators";
    }
    EXPECT_GT(radiators, 10000);
}

// A text of up to seven significant digits for a value in (lo, hi), with
// the decimal separator given, or a whole number now and then.
std::string SevenDigits(test::Random& rnd, long long lo, long long hi, char separator) {
    const long long whole = rnd.between(lo, hi - 1);
    const std::string digits = std::to_string(whole);
    if (rnd.chance(20) || digits.size() >= 7) {
        return digits;
    }
    const auto decimals =
        static_cast<std::size_t>(rnd.between(1, 7 - static_cast<long long>(digits.size())));
    std::string frac;
    for (std::size_t i = 0; i < decimals; ++i) {
        frac += static_cast<char>('0' + rnd.between(0, 9));
    }
    return digits + separator + frac;
}

TEST(ProjectFileProperty, SevenDigitInputsComeBackAndTheUnroundedMeanSettles) {
    test::Random rnd(0x53696562656E5A21ull);
    int radiators = 0;
    int arithmetic = 0;
    int meansThatMoved = 0;
    for (int project = 0; project < 300; ++project) {
        test::CalcDriver calc(rnd.chance(50));
        RandomHeader(rnd, calc.state);
        const int count = static_cast<int>(rnd.between(1, 20));
        for (int n = 1; n <= count; ++n) {
            test::RadiatorTexts t;
            // Supply and return are read with the decimal point, the others
            // in German form with the decimal comma.
            t.dVorl = SevenDigits(rnd, 75, 121, '.');
            t.dRueckl = SevenDigits(rnd, 35, 75, '.');
            t.RaumNr = std::to_string(rnd.between(1, 9999));
            t.RaumVer = rnd.text(kFreeChars, 11);
            t.dRaum = SevenDigits(rnd, 5, 31, ',');
            t.QRaum = SevenDigits(rnd, 5, 10001, ',');
            calc.calculate(t, static_cast<int>(rnd.between(0, kCatalogueSize - 1)));
            ASSERT_TRUE(calc.screen.messages.empty())
                << t.dVorl << "/" << t.dRueckl << "/" << t.dRaum << ": "
                << calc.screen.messages[0].text;
            ++radiators;
            if (n < count) {
                calc.pressNaechster();
            }
        }
        const std::string first = SavedBytes(calc.state);
        const ProgramState back = Loaded(first);
        const ProgramState expected = ExpectedAfterLoad(calc.state);
        for (int n = 1; n <= count; ++n) {
            const RadiatorEntry& want = expected.table.at(n);
            RadiatorEntry got = back.table.at(n);
            const float mean = got.dMittel;
            got.dMittel = want.dMittel; // compared on its own below
            ASSERT_TRUE(test::SameEntry(got, want))
                << "entry " << n << ": " << ::testing::PrintToString(back.table.at(n))
                << " instead of " << ::testing::PrintToString(want);
            const bool logarithmic = Convert(want, calc.state.dNorm).logarithmic;
            arithmetic += !logarithmic;
            if (logarithmic) {
                EXPECT_TRUE(test::SameBits(mean, want.dMittel)) << "entry " << n;
            } else if (!test::SameBits(mean, want.dMittel)) {
                ++meansThatMoved;
                EXPECT_LE(std::fabs(double{mean} - double{want.dMittel}),
                          6e-7 * std::fabs(double{want.dMittel}))
                    << "entry " << n;
            }
        }
        EXPECT_EQ(back.header, expected.header);
        EXPECT_EQ(back.LfNr, expected.LfNr);
        EXPECT_EQ(back.dNorm, expected.dNorm);
        EXPECT_EQ(back.ListingText, expected.ListingText);

        // From the first load on nothing moves: saving the loaded project
        // writes the same file, with the listing's closing line once more,
        // and loading that gives the same table bit for bit.
        const std::string second = SavedBytes(back);
        EXPECT_EQ(second, first + "\r\n");
        EXPECT_TRUE(test::SameState(Loaded(second), [&] {
            ProgramState b = back;
            b.ListingText += "\r\n";
            return b;
        }()));
    }
    EXPECT_GT(radiators, 2500);
    EXPECT_GT(arithmetic, 100);
    std::printf("%d radiators, %d with the arithmetic mean, %d means moved by the file\n",
                radiators, arithmetic, meansThatMoved);
}

} // namespace
} // namespace hk
