// Bad and borderline texts in every input field of the calculation screen,
// one field at a time, the others holding a good radiator (70/40/20 °C,
// 1000 W, exponent 1,3, which gives 32,7 K, factor 2,2 and 2200 W).
// Each row says what the calculation command must do with it: refuse it with
// the field's message and leave the program state exactly as it was, end in
// the general input-error message, or accept it with the stated reading.
// The rows are the calculation part of docs/faults.md.

#include "calc/calc_form.h"
#include "common/text.h"
#include "support/calc_driver.h"
#include "support/state_compare.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace hk {
namespace {

enum class Outcome {
    Refused,          // the field's message, nothing changed
    GeneralError,     // the general input-error message before anything was stored
    ConversionFailed, // the general message after the inputs were stored: no results, no line
    OrderRefused,     // supply below return: inputs stored, no results, no line
    Accepted,         // one more listing line
};

constexpr float kNoCheck = std::numeric_limits<float>::quiet_NaN();

struct FieldCase {
    const char* name;
    CalcControl field;
    const char* text;
    Outcome outcome;
    const char* message = ""; // for Refused
    // For Accepted: the number stored from the field (NaN: a text field, or
    // not checked), the text stored (text fields), and either a text of the
    // same field that must give the same results, or the expected results.
    float stored = kNoCheck;
    const char* storedText = nullptr;
    const char* sameResultsAs = nullptr;
    float dMittel = kNoCheck;
    float Faktor = kNoCheck;
    float QHKNeu = kNoCheck;
};

constexpr const char* kMsgSupply = "Nur Zahlen zwischen 120 und 50 eingeben";
constexpr const char* kMsgReturn = "Nur Zahlen zwischen 45 und 95 eingeben";
constexpr const char* kMsgRoomNr = "Nur Zahlen zwischen 0001 und 9999 eingeben";
constexpr const char* kMsgRoom = "Nur Zahlen zwischen 5 und 30 eingeben";
constexpr const char* kMsgOutput = "Nur Zahlen zwischen 10 und 99999 eingeben";
constexpr const char* kMsgExpon = "Bitte Heizkörper im Feld Exponent aussuchen und anklicken";

CalcControl FocusOf(CalcControl field) {
    return field == CalcControl::txtExpon ? CalcControl::Expon : field;
}

float StoredNumber(const RadiatorEntry& e, CalcControl field) {
    switch (field) {
    case CalcControl::txtdVorl:
        return e.dVorl;
    case CalcControl::txtdRueckl:
        return e.dRueckl;
    case CalcControl::txtdRaum:
        return e.dRaum;
    case CalcControl::txtQRaum:
        return e.QRaum;
    case CalcControl::txtExpon:
        return e.Exponent;
    default:
        return kNoCheck;
    }
}

std::string StoredText(const RadiatorEntry& e, CalcControl field) {
    return field == CalcControl::txtRaumNr ? e.RaumNr : e.RaumVer;
}

// A calculation screen with the good radiator typed and type 0 chosen, then
// the field under test set to text.
struct Prepared {
    test::CalcDriver calc;
    Prepared(CalcControl field, const std::string& text) {
        calc.type(test::RadiatorTexts{});
        calc.chooseType(0);
        calc.screen.type(field, text);
    }
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name << " \"" << c.text << "\""; }

class CalcFieldFault : public ::testing::TestWithParam<FieldCase> {};

TEST_P(CalcFieldFault, EndsAsStated) {
    const FieldCase& c = GetParam();
    Prepared p(c.field, c.text);
    test::CalcDriver& calc = p.calc;
    const ProgramState before = calc.state;
    const std::string boxBefore = calc.screen.text(CalcControl::txtAnzeige);

    calc.pressErgebnis();

    const RadiatorEntry& e = calc.state.table.at(1);
    const RadiatorEntry& old = before.table.at(1);
    EXPECT_EQ(calc.state.LfNr, before.LfNr);
    switch (c.outcome) {
    case Outcome::Refused:
        ASSERT_EQ(calc.screen.messages.size(), 1u);
        EXPECT_EQ(calc.screen.messages[0],
                  (Message{c.message, "Eingabeberichtigung", MsgIcon::Information}));
        EXPECT_EQ(calc.screen.focus, FocusOf(c.field));
        EXPECT_TRUE(test::SameState(calc.state, before));
        EXPECT_EQ(calc.screen.text(CalcControl::txtAnzeige), boxBefore);
        EXPECT_FALSE(calc.screen.isVisible(CalcControl::cmdNächster));
        EXPECT_EQ(calc.screen.text(c.field), c.text) << "no field is cleared";
        EXPECT_FALSE(calc.screen.isEnabled(CalcControl::optEN))
            << "the mode locks even on a refusal";
        break;
    case Outcome::GeneralError:
        ASSERT_EQ(calc.screen.messages.size(), 1u);
        EXPECT_EQ(calc.screen.messages[0],
                  (Message{std::string(kMsgGeneralError), "Eingabefehler:", MsgIcon::Information}));
        EXPECT_EQ(calc.screen.focus, CalcControl::txtdVorl);
        EXPECT_TRUE(test::SameState(calc.state, before));
        EXPECT_EQ(calc.screen.text(CalcControl::txtAnzeige), boxBefore);
        EXPECT_FALSE(calc.screen.isVisible(CalcControl::cmdNächster));
        break;
    case Outcome::ConversionFailed:
    case Outcome::OrderRefused: {
        ASSERT_EQ(calc.screen.messages.size(), 1u);
        const Message expected =
            c.outcome == Outcome::OrderRefused
                ? Message{std::string(kMsgOrder), std::string(kAppTitle), MsgIcon::None}
                : Message{std::string(kMsgGeneralError), "Eingabefehler:", MsgIcon::Information};
        EXPECT_EQ(calc.screen.messages[0], expected);
        EXPECT_EQ(calc.screen.focus, CalcControl::txtdVorl);
        // The inputs are in the entry; its results and the listing are not touched.
        EXPECT_EQ(e.dMittel, old.dMittel);
        EXPECT_EQ(e.Faktor, old.Faktor);
        EXPECT_EQ(e.QHKNeu, old.QHKNeu);
        EXPECT_EQ(calc.state.ListingText, before.ListingText);
        EXPECT_EQ(calc.screen.text(CalcControl::txtAnzeige), boxBefore);
        // "Nächster HK" is offered once the order check has passed.
        EXPECT_EQ(calc.screen.isVisible(CalcControl::cmdNächster),
                  c.outcome == Outcome::ConversionFailed);
        if (!std::isnan(c.stored)) {
            EXPECT_EQ(StoredNumber(e, c.field), c.stored);
        }
        break;
    }
    case Outcome::Accepted: {
        ASSERT_TRUE(calc.screen.messages.empty()) << calc.screen.messages[0].text;
        EXPECT_TRUE(calc.screen.isVisible(CalcControl::cmdNächster));
        // Header block and the line of entry 1.
        const std::string box = calc.screen.text(CalcControl::txtAnzeige);
        EXPECT_EQ(box.substr(0, boxBefore.size()), boxBefore);
        EXPECT_EQ(calc.state.ListingText, box);
        EXPECT_EQ(box.size() - boxBefore.size(),
                  HeaderBlock(calc.state.dNorm).size() + ListingLine(calc.state.table, 1).size());
        if (!std::isnan(c.stored)) {
            EXPECT_EQ(StoredNumber(e, c.field), c.stored);
        }
        if (c.storedText != nullptr) {
            EXPECT_EQ(StoredText(e, c.field), c.storedText);
        }
        if (c.sameResultsAs != nullptr) {
            Prepared q(c.field, c.sameResultsAs);
            q.calc.pressErgebnis();
            ASSERT_TRUE(q.calc.screen.messages.empty());
            const RadiatorEntry& r = q.calc.state.table.at(1);
            EXPECT_EQ(e.dMittel, r.dMittel);
            EXPECT_EQ(e.Faktor, r.Faktor);
            EXPECT_EQ(e.QHKNeu, r.QHKNeu);
        }
        if (!std::isnan(c.dMittel)) {
            EXPECT_EQ(e.dMittel, c.dMittel);
            EXPECT_EQ(e.Faktor, c.Faktor);
            EXPECT_EQ(e.QHKNeu, c.QHKNeu);
        }
        break;
    }
    }
}

using C = CalcControl;
using O = Outcome;

// Four hundred digits: a leading number beyond the double range.
const std::string kHugeDigits(400, '9');
// Built by append: GCC 12 at -O2 warns falsely (-Wrestrict) on "1" + std::string(...).
const std::string kHugeNumber = std::string("1").append(399, '0');

INSTANTIATE_TEST_SUITE_P(
    Supply, CalcFieldFault,
    ::testing::Values(
        FieldCase{"Empty", C::txtdVorl, "", O::Refused, kMsgSupply},
        FieldCase{"Blank", C::txtdVorl, "   ", O::Refused, kMsgSupply},
        FieldCase{"Letters", C::txtdVorl, "abc", O::Refused, kMsgSupply},
        FieldCase{"DigitsThenLetters", C::txtdVorl, "75a", O::Refused, kMsgSupply},
        FieldCase{"Overflow1E400", C::txtdVorl, "1E400", O::GeneralError},
        FieldCase{"FourHundredDigits", C::txtdVorl, kHugeNumber.c_str(), O::GeneralError},
        FieldCase{"CommaFormReadUpToTheComma", C::txtdVorl, "75,5", O::Accepted, "", 75.0f, nullptr,
                  "75"},
        FieldCase{"PointFormKeepsTheHalf", C::txtdVorl, "75.5", O::Accepted, "", 75.5f, nullptr,
                  "76"}, // 55.5 K above the room rounds to 56 like 76 does
        FieldCase{"CommaBelowRange", C::txtdVorl, "49,9", O::Refused, kMsgSupply},
        FieldCase{"PointBelowRangePasses", C::txtdVorl, "49.9", O::Accepted, "", 49.9f, nullptr,
                  "50"}, // 29.9 K above the room rounds to 30 like 50 does
        FieldCase{"MaxLengthHighest", C::txtdVorl, "120", O::Accepted, "", 120.0f},
        FieldCase{"MaxLengthAboveRange", C::txtdVorl, "999", O::Refused, kMsgSupply},
        FieldCase{"JustAboveRange", C::txtdVorl, "121", O::Refused, kMsgSupply},
        FieldCase{"Negative", C::txtdVorl, "-70", O::Refused, kMsgSupply},
        FieldCase{"Supply50Passes", C::txtdVorl, "50", O::Accepted, "", 50.0f},
        FieldCase{"SupplyBlank", C::txtdVorl, " ", O::Refused, kMsgSupply},
        FieldCase{"Supply49Refused", C::txtdVorl, "49", O::Refused, kMsgSupply},
        FieldCase{"Supply50CommaNineStoredAs50", C::txtdVorl, "50,9", O::Accepted, "", 50.0f},
        FieldCase{"Supply120CommaFiveStoredAs120", C::txtdVorl, "120,5", O::Accepted, "", 120.0f},
        FieldCase{"Supply121CommaZeroTestedAs121", C::txtdVorl, "121,0", O::Refused, kMsgSupply}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Return, CalcFieldFault,
    ::testing::Values(
        FieldCase{"Empty", C::txtdRueckl, "", O::Refused, kMsgReturn},
        FieldCase{"Blank", C::txtdRueckl, "  ", O::Refused, kMsgReturn},
        FieldCase{"Letters", C::txtdRueckl, "vier", O::Refused, kMsgReturn},
        FieldCase{"Overflow1E400", C::txtdRueckl, "1E400", O::GeneralError},
        FieldCase{"CommaFormReadUpToTheComma", C::txtdRueckl, "40,5", O::Accepted, "", 40.0f,
                  nullptr, "40"},
        FieldCase{"PointFormKeepsTheHalf", C::txtdRueckl, "40.5", O::Accepted, "", 40.5f, nullptr,
                  "40"}, // 20.5 K rounds to 20, halves to even
        FieldCase{"LowestPassesThoughMessageSays45", C::txtdRueckl, "35", O::Accepted, "", 35.0f},
        FieldCase{"EqualToSupply", C::txtdRueckl, "70", O::Accepted, "", 70.0f, nullptr, nullptr,
                  50.0f, 1.28f, 1280.0f}, // arithmetic mean
        FieldCase{"MaxLengthAboveSupply", C::txtdRueckl, "95", O::OrderRefused, "", 95.0f},
        FieldCase{"JustAboveRange", C::txtdRueckl, "96", O::Refused, kMsgReturn},
        FieldCase{"Return34Refused", C::txtdRueckl, "34", O::Refused, kMsgReturn},
        FieldCase{"Return34CommaNineTestedAs34", C::txtdRueckl, "34,9", O::Refused, kMsgReturn},
        FieldCase{"Return35CommaFiveStoredAs35", C::txtdRueckl, "35,5", O::Accepted, "", 35.0f}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    RoomNumber, CalcFieldFault,
    ::testing::Values(
        FieldCase{"Empty", C::txtRaumNr, "", O::Refused, kMsgRoomNr},
        FieldCase{"Blank", C::txtRaumNr, "    ", O::Refused, kMsgRoomNr},
        FieldCase{"Letters", C::txtRaumNr, "Bad", O::Refused, kMsgRoomNr},
        FieldCase{"DigitsThenLetters", C::txtRaumNr, "12ab", O::Refused, kMsgRoomNr},
        FieldCase{"Overflow1E400", C::txtRaumNr, "1E400", O::GeneralError},
        FieldCase{"LeadingZerosKeptAsTyped", C::txtRaumNr, "0001", O::Accepted, "", kNoCheck,
                  "0001", "1"},
        FieldCase{"CommaFormKeptAsTyped", C::txtRaumNr, "1,5", O::Accepted, "", kNoCheck, "1,5",
                  "0001"},
        FieldCase{"PointFormKeptAsTyped", C::txtRaumNr, "1.5", O::Accepted, "", kNoCheck, "1.5",
                  "0001"},
        FieldCase{"CommaBelowOne", C::txtRaumNr, "0,95", O::Refused, kMsgRoomNr},
        FieldCase{"MaxLengthHighest", C::txtRaumNr, "9999", O::Accepted, "", kNoCheck, "9999"},
        FieldCase{"AboveRange", C::txtRaumNr, "10000", O::Refused, kMsgRoomNr},
        FieldCase{"RoomNumberZeroPointNine", C::txtRaumNr, "0.9", O::Refused, kMsgRoomNr},
        FieldCase{"RoomNumberTrailingLetters", C::txtRaumNr, "12abc", O::Refused, kMsgRoomNr},
        FieldCase{"RoomNumberZeroRefused", C::txtRaumNr, "0", O::Refused, kMsgRoomNr},
        FieldCase{"RoomNumberOnePasses", C::txtRaumNr, "1", O::Accepted, "", kNoCheck, "1"},
        FieldCase{"RoomNumberBelowTenThousandKeptAsTyped", C::txtRaumNr, "9999,9", O::Accepted, "",
                  kNoCheck, "9999,9"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    RoomUse, CalcFieldFault,
    ::testing::Values(
        FieldCase{"EmptyStoredEmpty", C::txtRaumVer, "", O::Accepted, "", kNoCheck, "", "Wohnen"},
        FieldCase{"BlankStoredAsTyped", C::txtRaumVer, "   ", O::Accepted, "", kNoCheck, "   "},
        FieldCase{"NumberTextStoredAsText", C::txtRaumVer, "1E400", O::Accepted, "", kNoCheck,
                  "1E400"},
        FieldCase{"CommaAndQuoteStoredAsTyped", C::txtRaumVer, "Bad, \"WC\"", O::Accepted, "",
                  kNoCheck, "Bad, \"WC\""},
        FieldCase{"MaxLengthElevenWithUmlauts", C::txtRaumVer, "Küche/Flurä", O::Accepted, "",
                  kNoCheck, "Küche/Flurä", "Wohnen"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    RoomTemperature, CalcFieldFault,
    ::testing::Values(
        FieldCase{"Empty", C::txtdRaum, "", O::Refused, kMsgRoom},
        FieldCase{"Blank", C::txtdRaum, "  ", O::Refused, kMsgRoom},
        FieldCase{"Letters", C::txtdRaum, "zw", O::Refused, kMsgRoom},
        FieldCase{"Overflow1E400", C::txtdRaum, "1E400", O::GeneralError},
        FieldCase{"CommaFormKeepsTheHalf", C::txtdRaum, "20,5", O::Accepted, "", 20.5f, nullptr,
                  nullptr, 32.7f, 2.2f, 2200.0f},
        // 20.5 is 205 in German grouping: stored, then the mean difference
        // is negative and the conversion fails.
        FieldCase{"PointFormIsGrouping", C::txtdRaum, "20.5", O::ConversionFailed, "", 205.0f},
        FieldCase{"MaxLengthHighest", C::txtdRaum, "30", O::Accepted, "", 30.0f},
        FieldCase{"JustAboveRange", C::txtdRaum, "31", O::Refused, kMsgRoom},
        FieldCase{"JustBelowRange", C::txtdRaum, "4", O::Refused, kMsgRoom},
        FieldCase{"RoomTemp5Passes", C::txtdRaum, "5", O::Accepted, "", 5.0f},
        FieldCase{"RoomTemp4CommaNineTestedAs4", C::txtdRaum, "4,9", O::Refused, kMsgRoom},
        FieldCase{"RoomTemp30CommaFiveStored", C::txtdRaum, "30,5", O::Accepted, "", 30.5f}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    RoomOutput, CalcFieldFault,
    ::testing::Values(
        FieldCase{"Empty", C::txtQRaum, "", O::Refused, kMsgOutput},
        FieldCase{"Blank", C::txtQRaum, "     ", O::Refused, kMsgOutput},
        FieldCase{"Letters", C::txtQRaum, "tausd", O::Refused, kMsgOutput},
        FieldCase{"Overflow1E400", C::txtQRaum, "1E400", O::GeneralError},
        FieldCase{"FourHundredNines", C::txtQRaum, kHugeDigits.c_str(), O::GeneralError},
        FieldCase{"CommaFormKeepsTheDecimal", C::txtQRaum, "1000,5", O::Accepted, "", 1000.5f,
                  nullptr, nullptr, 32.7f, 2.2f, 2201.0f},
        FieldCase{"PointFormSmallLeadingNumber", C::txtQRaum, "1.000", O::Refused, kMsgOutput},
        FieldCase{"PointFormGroupingAccepted", C::txtQRaum, "10.000", O::Accepted, "", 10000.0f,
                  nullptr, "10000"},
        FieldCase{"LowestPassesThoughMessageSays10", C::txtQRaum, "5", O::Accepted, "", 5.0f},
        FieldCase{"MaxLengthHighestAccepted", C::txtQRaum, "10000", O::Accepted, "", 10000.0f},
        FieldCase{"MaxLengthRefusedThoughMessageSays99999", C::txtQRaum, "99999", O::Refused,
                  kMsgOutput},
        FieldCase{"Output10001Refused", C::txtQRaum, "10001", O::Refused, kMsgOutput},
        FieldCase{"Output4Refused", C::txtQRaum, "4", O::Refused, kMsgOutput},
        FieldCase{"Output4CommaNineTestedAs4", C::txtQRaum, "4,9", O::Refused, kMsgOutput},
        FieldCase{"Output9PassesThoughMessageSays10", C::txtQRaum, "9", O::Accepted, "", 9.0f},
        FieldCase{"Output10000CommaFiveStored", C::txtQRaum, "10000,5", O::Accepted, "", 10000.5f},
        FieldCase{"OutputPointReadAsGrouping", C::txtQRaum, "10.00", O::Accepted}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Exponent, CalcFieldFault,
    ::testing::Values(
        FieldCase{"Empty", C::txtExpon, "", O::Refused, kMsgExpon},
        FieldCase{"Blank", C::txtExpon, "     ", O::Refused, kMsgExpon},
        FieldCase{"Letters", C::txtExpon, "n", O::Refused, kMsgExpon},
        FieldCase{"Overflow1E400", C::txtExpon, "1E400", O::GeneralError},
        FieldCase{"CommaFormAsTheListWritesIt", C::txtExpon, "1,3", O::Accepted, "", 1.3f, nullptr,
                  nullptr, 32.7f, 2.2f, 2200.0f},
        // German grouping: the point makes 13, and the leading number 1.3
        // passes the range check.
        FieldCase{"PointFormIsGrouping", C::txtExpon, "1.3", O::Accepted, "", 13.0f},
        FieldCase{"MaxLengthFiveCharacters", C::txtExpon, "1,345", O::Accepted, "", 1.345f, nullptr,
                  nullptr, 32.7f, 2.26f, 2260.0f},
        // Leading number 1 passes the range check; the value underflows to 0.
        FieldCase{"ValueZeroAfterTheRangeCheck", C::txtExpon, "1,0E-400", O::Refused, kMsgExpon},
        // Not 0 in double precision, but 0 in the single the entry holds.
        FieldCase{"ValueZeroAsSingle", C::txtExpon, "1,0E-50", O::Refused, kMsgExpon},
        FieldCase{"LeadingNumberTwo", C::txtExpon, "2,1", O::Refused, kMsgExpon},
        FieldCase{"BelowOne", C::txtExpon, "0,9", O::Refused, kMsgExpon},
        FieldCase{"ExponentOnePasses", C::txtExpon, "1", O::Accepted, "", 1.0f},
        FieldCase{"ExponentTwoRefused", C::txtExpon, "2", O::Refused, kMsgExpon},
        FieldCase{"ExponentJustBelowTwoPasses", C::txtExpon, "1,99", O::Accepted, "", 1.99f}),
    [](const auto& info) { return std::string(info.param.name); });

// After the 70th entry "Nächster HK" moves to 71, which names no entry: the
// command ends in the general message and nothing at all changes.
TEST(CalcTableFull, Entry71IsRefusedAndNothingChanges) {
    test::CalcDriver calc;
    for (int n = 1; n <= RadiatorTable::kCapacity; ++n) {
        calc.calculate(test::RadiatorTexts{});
        ASSERT_TRUE(calc.screen.messages.empty()) << "entry " << n;
        calc.pressNaechster();
    }
    ASSERT_EQ(calc.state.LfNr, 71);
    calc.type(test::RadiatorTexts{});
    calc.chooseType(0);
    const ProgramState before = calc.state;
    const std::string box = calc.screen.text(CalcControl::txtAnzeige);

    calc.pressErgebnis();

    ASSERT_EQ(calc.screen.messages.size(), 1u);
    EXPECT_EQ(calc.screen.messages[0].text, kMsgGeneralError);
    EXPECT_EQ(calc.screen.messages[0].title, "Eingabefehler:");
    EXPECT_TRUE(test::SameState(calc.state, before));
    EXPECT_EQ(calc.screen.text(CalcControl::txtAnzeige), box);
    EXPECT_FALSE(calc.screen.isVisible(CalcControl::cmdNächster));

    // And the counter cannot be pushed past 71.
    calc.pressNaechster();
    EXPECT_EQ(calc.state.LfNr, 71);
}

} // namespace
} // namespace hk
