#include "report/listing.h"
#include "report/print_report.h"
#include "support/print_fake_device.h"
#include "support/samples.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace hk {
namespace {

using test::FakePrintDevice;
using test::Line;
using test::PrintedProject;

// Lines of the document in the monospaced fake: the page header takes lines
// 0 to 13, the list starts with its empty line 14, the rows follow the rule.
constexpr std::size_t kFirstRowLine = 21;

const char* const kGuss = test::kGussText;
const char* const kPlan = "Plan Flach-Hk BH 900 Typ 33  "; // 29 characters

// The fields of entry n's printed row, in their order: every value under its
// label of the print header.
enum Field : std::size_t {
    kLfNr,
    kVorl,
    kRueckl,
    kRaumNr,
    kRaumVer,
    kRaumTemp,
    kQRaum,
    kExpon,
    kMittel,
    kFaktor,
    kQNeu,
    kTyp,
    kFieldCount
};

using Fields = std::vector<std::pair<int, std::string>>; // column, text

Fields EntryFields(int n) {
    return {{8, std::to_string(n)}, {13, "90"},   {17, "70"},   {20, std::to_string(100 + n)},
            {25, "Wohnen"},         {35, "20"},   {39, "1500"}, {45, "1,3"},
            {51, "59,4"},           {57, "1,02"}, {63, "1530"}, {69, "DIN Guss- Radiator"}};
}

std::string EntryRow(int n) { return Line(EntryFields(n)); }

// A field of entry 1's row printed elsewhere or as another text.
struct Change {
    Field field;
    int column;
    std::string text;
};

// Entry 1's printed row with the changes, and broken onto a second line
// before the field breakBefore (kFieldCount: one line).
std::vector<std::string> Entry1Rows(std::initializer_list<Change> changes,
                                    Field breakBefore = kFieldCount) {
    Fields f = EntryFields(1);
    for (const Change& c : changes) {
        f.at(c.field) = {c.column, c.text};
    }
    const auto split = f.begin() + static_cast<std::ptrdiff_t>(breakBefore);
    if (split == f.end()) {
        return {Line(f)};
    }
    return {Line(Fields(f.begin(), split)), Line(Fields(split, f.end()))};
}

std::vector<std::string> Print(const ProgramState& s, FakePrintDevice& device) {
    EXPECT_TRUE(Seite1Druck(s, device));
    EXPECT_EQ(device.endCalls, 1);
    return device.lines();
}

std::vector<std::string> Rows(const std::vector<std::string>& lines) {
    return {lines.begin() + static_cast<std::ptrdiff_t>(kFirstRowLine), lines.end()};
}

TEST(Seite1Druck, ThreeEntriesWholeDocument) {
    FakePrintDevice device;
    const std::vector<std::string> expected = {
        "",
        Line({{22, "Velkor/Pro Tandrimo"}}),
        "",
        "",
        "",
        Line({{9, "Projekt Nr.: P-17"}, {31, "bearbeitet von: Meier"}, {60, "Datum: 12.03.2024"}}),
        Line({{9, "für: Schulz"}, {31, "Anna"}}),
        Line({{9, "in: Hauptstraße 5"}, {40, "12345 Bergdorf"}}),
        Line({{9, "Telefon: 0123 4567"}}),
        Line({{9, "B.V.: Am Hang 3"}, {40, "12346 Talheim"}}),
        Line({{9, "Telefon: 0987 654"}}),
        Line({{7, std::string(70, '=')}}),
        "",
        "",
        "",
        Line({{12, "H e i z f l ä c h e n b e r e c h n u n g"}}),
        Line({{19, "für Temperaturen <> der Norm"}}),
        Line({{19, "Referenz-Temperatur: 60"}}),
        Line({{7, std::string(85, '_')}}),
        Line({{7, "LfNr| dV| dR|R.Nr|Raum-Verw|dI| Q.-R.| Ex | d-M  |Fakt|Q-neu|      Heizflächen "
                  "Typ"}}),
        Line({{7, "----|---|---|----|---------|--|------|----|------|----|-----|-------------------"
                  "--------"}}),
        EntryRow(1),
        EntryRow(2),
        EntryRow(3),
    };
    EXPECT_EQ(Print(PrintedProject(3, 3), device), expected);
    EXPECT_EQ(device.pageCount(), 1);
}

// The labels of the print header stand where the row values go.
TEST(Seite1Druck, HeaderLabelsAndSeparatorsAtTheirColumns) {
    FakePrintDevice device;
    const auto lines = Print(PrintedProject(1, 1), device);
    const std::string& header = lines.at(kFirstRowLine - 2);
    const auto chars = test::Chars(header);
    for (int column : {11, 15, 19, 24, 34, 37, 44, 49, 56, 61, 67}) {
        EXPECT_EQ(chars.at(static_cast<std::size_t>(column - 1)), "|") << "column " << column;
    }
    struct Label {
        int column;
        const char* text;
    };
    for (const Label& l : {Label{7, "LfNr"}, Label{12, " dV"}, Label{16, " dR"}, Label{20, "R.Nr"},
                           Label{25, "Raum-Verw"}, Label{35, "dI"}, Label{38, " Q.-R."},
                           Label{45, " Ex "}, Label{50, " d-M  "}, Label{57, "Fakt"},
                           Label{62, "Q-neu"}, Label{74, "Heizflächen Typ"}}) {
        std::string at;
        const auto want = test::Chars(l.text);
        for (std::size_t i = 0; i < want.size(); ++i) {
            at += chars.at(static_cast<std::size_t>(l.column - 1) + i);
        }
        EXPECT_EQ(at, l.text) << "label at column " << l.column;
    }
}

struct FontCase {
    std::string name;
    std::string text; // first drawn text that starts with this
    std::string font;
    double size;
    bool bold;
};

void PrintTo(const FontCase& c, std::ostream* os) { *os << c.name; }

class ReportFonts : public ::testing::TestWithParam<FontCase> {};

TEST_P(ReportFonts, TextInItsFont) {
    FakePrintDevice device;
    ASSERT_TRUE(Seite1Druck(PrintedProject(2, 2), device));
    const FontCase& c = GetParam();
    for (const test::FakeDraw& d : device.draws) {
        if (d.text.rfind(c.text, 0) == 0) {
            EXPECT_EQ(d.font.name, c.font);
            EXPECT_DOUBLE_EQ(d.font.size, c.size);
            EXPECT_EQ(d.font.bold, c.bold);
            return;
        }
    }
    ADD_FAILURE() << "not printed: " << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Seite1Druck, ReportFonts,
    ::testing::Values(FontCase{"BrandArialBold", "Velkor", "Arial", 12, true},
                      FontCase{"ProjectLabelTimesBold", "Projekt Nr.", "Times Roman", 12, true},
                      FontCase{"ProjectValueTimesBold", "P-17", "Times Roman", 12, true},
                      FontCase{"SiteTelephoneTimesBold", "0987", "Times Roman", 12, true},
                      FontCase{"PageRuleTimesBold", "=", "Times Roman", 12, true},
                      FontCase{"TitleCourierPlain", std::string(kTitle), "Courier New", 10, false},
                      FontCase{"ReferenceNumberCourier", " 60 ", "Courier New", 10, false},
                      FontCase{"UnderlineCourier", "_", "Courier New", 10, false},
                      FontCase{"ColumnHeaderCourier", "LfNr|", "Courier New", 10, false},
                      FontCase{"RowTypeCourier", kGuss, "Courier New", 10, false}),
    [](const auto& info) { return info.param.name; });

// Rows of the table for special entries.
struct RowCase {
    std::string name;
    std::function<void(ProgramState&)> change; // on PrintedProject(1, 1)
    std::vector<std::string> rows;
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

class TableRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(TableRows, PrintsTheseRows) {
    ProgramState s = PrintedProject(1, 1);
    GetParam().change(s);
    const ProgramState before = s;
    FakePrintDevice device;
    EXPECT_EQ(Rows(Print(s, device)), GetParam().rows);
    EXPECT_EQ(s, before); // printing changes nothing of the project
}

const RowCase kRowCases[] = {
    {"OneEntry", [](ProgramState&) {}, {EntryRow(1)}},
    {"EmptyRowAfterNextCommand",
     [](ProgramState& s) { s.LfNr = 2; },
     {EntryRow(1), Line({{8, "2"},
                         {13, "0"},
                         {17, "0"},
                         {35, "0"},
                         {39, "0"},
                         {45, "0"},
                         {51, "0"},
                         {57, "0"},
                         {63, "0"}})}},
    {"NoRowsBeforeAnyEntry", [](ProgramState& s) { s.LfNr = 0; }, {}},
    {"NoRowsForNegativeCounter", [](ProgramState& s) { s.LfNr = -3; }, {}},
    {"RoomNumberOfFiveLeavesRoomUseAt25", [](ProgramState& s) { s.table.at(1).RaumNr = "12345"; },
     Entry1Rows({{kRaumNr, 20, "12345"}})},
    {"RoomNumberOfSixPushesRoomUseToNextLine",
     [](ProgramState& s) { s.table.at(1).RaumNr = "123456"; },
     Entry1Rows({{kRaumNr, 20, "123456"}}, kRaumVer)},
    {"RoomUseOfNineLeavesRoomTemperatureAt34",
     [](ProgramState& s) { s.table.at(1).RaumVer = "Schlafzim"; },
     Entry1Rows({{kRaumVer, 25, "Schlafzim"}})},
    {"RoomUseOfTenContinuesOnNextLineFrom34",
     [](ProgramState& s) { s.table.at(1).RaumVer = "Wohnzimmer"; },
     Entry1Rows({{kRaumVer, 25, "Wohnzimmer"}}, kRaumTemp)},
    {"RoomUseOfElevenContinuesOnNextLineFrom34",
     [](ProgramState& s) { s.table.at(1).RaumVer = "Kinderzimmr"; },
     Entry1Rows({{kRaumVer, 25, "Kinderzimmr"}}, kRaumTemp)},
    {"RoomUseWithUmlautsCountsCharacters",
     [](ProgramState& s) { s.table.at(1).RaumVer = "Bäder+Flur"; },
     Entry1Rows({{kRaumVer, 25, "Bäder+Flur"}}, kRaumTemp)},
    {"NegativeRoomTemperatureMinusOnSeparatorColumn",
     [](ProgramState& s) { s.table.at(1).dRaum = -5; }, Entry1Rows({{kRaumTemp, 34, "-5"}})},
    {"FactorOfFiveCharactersPushesNewOutputToNextLine",
     [](ProgramState& s) { s.table.at(1).Faktor = 10.25f; },
     Entry1Rows({{kFaktor, 57, "10,25"}}, kQNeu)},
    {"TypeOfTwentyNineCharacters", [](ProgramState& s) { s.table.at(1).HkTyp = kPlan; },
     Entry1Rows({{kTyp, 69, "Plan Flach-Hk BH 900 Typ 33"}})},
    {"DecimalTemperatures",
     [](ProgramState& s) {
         s.table.at(1).dVorl = 75.5f;
         s.table.at(1).dRueckl = 65;
     },
     // " 75,5 " runs to column 17 and pushes the return temperature along.
     Entry1Rows({{kVorl, 13, "75,5"}, {kRueckl, 17, "65"}}, kRueckl)},
};

INSTANTIATE_TEST_SUITE_P(Seite1Druck, TableRows, ::testing::ValuesIn(kRowCases),
                         [](const auto& info) { return info.param.name; });

TEST(Seite1Druck, CounterAt71StopsAfterEntry70) {
    ProgramState s = PrintedProject(70, 70);
    s.LfNr = 71;
    FakePrintDevice device;
    const auto rows = Rows(Print(s, device));
    ASSERT_EQ(rows.size(), 70u);
    for (int n = 1; n <= 70; ++n) {
        EXPECT_EQ(rows[static_cast<std::size_t>(n - 1)], EntryRow(n)) << "entry " << n;
    }
}

TEST(Seite1Druck, CounterFarBeyondTableStillStopsAt70) {
    ProgramState s = PrintedProject(70, 70);
    s.LfNr = 32767;
    FakePrintDevice device;
    EXPECT_EQ(Rows(Print(s, device)).size(), 70u);
}

struct HeaderCase {
    std::string name;
    std::function<void(ProjectHeader&)> change; // on the sample header
    std::size_t firstLine;                      // of the lines compared
    std::vector<std::string> lines;
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }

class PageHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(PageHeader, PrintsTheseLines) {
    ProgramState s = PrintedProject(1, 1);
    GetParam().change(s.header);
    FakePrintDevice device;
    const auto lines = Print(s, device);
    const auto& want = GetParam().lines;
    ASSERT_GE(lines.size(), GetParam().firstLine + want.size());
    const std::vector<std::string> got(
        lines.begin() + static_cast<std::ptrdiff_t>(GetParam().firstLine),
        lines.begin() + static_cast<std::ptrdiff_t>(GetParam().firstLine + want.size()));
    EXPECT_EQ(got, want);
}

const HeaderCase kHeaderCases[] = {
    {"ClientNameEndingBeforeColumn31",
     [](ProjectHeader& h) { h[ProjectHeader::BauherrName] = std::string(17, 'N'); },
     6,
     {Line({{9, "für: " + std::string(17, 'N')}, {31, "Anna"}}),
      Line({{9, "in: Hauptstraße 5"}, {40, "12345 Bergdorf"}})}},
    {"ClientNamePastColumn31PushesFirstName",
     [](ProjectHeader& h) { h[ProjectHeader::BauherrName] = std::string(18, 'N'); },
     6,
     {Line({{9, "für: " + std::string(18, 'N')}}), Line({{31, "Anna"}}),
      Line({{9, "in: Hauptstraße 5"}, {40, "12345 Bergdorf"}})}},
    {"LongProjectNumberPushesEditorAndDate",
     [](ProjectHeader& h) { h[ProjectHeader::ProjektNr] = "2024-00017"; },
     5,
     {Line({{9, "Projekt Nr.: 2024-00017"}}),
      Line({{31, "bearbeitet von: Meier"}, {60, "Datum: 12.03.2024"}}),
      Line({{9, "für: Schulz"}, {31, "Anna"}})}},
    {"EditorEndingBeforeColumn60",
     [](ProjectHeader& h) { h[ProjectHeader::Bearbeiter] = std::string(13, 'B'); },
     5,
     {Line({{9, "Projekt Nr.: P-17"},
            {31, "bearbeitet von: " + std::string(13, 'B')},
            {60, "Datum: 12.03.2024"}})}},
    {"EditorPastColumn60PushesDate",
     [](ProjectHeader& h) { h[ProjectHeader::Bearbeiter] = std::string(14, 'B'); },
     5,
     {Line({{9, "Projekt Nr.: P-17"}, {31, "bearbeitet von: " + std::string(14, 'B')}}),
      Line({{60, "Datum: 12.03.2024"}})}},
    {"SiteStreetPastColumn40PushesTown",
     [](ProjectHeader& h) { h[ProjectHeader::BaustelleStrasse] = std::string(26, 'S'); },
     9,
     {Line({{9, "B.V.: " + std::string(26, 'S')}}), Line({{40, "12346 Talheim"}}),
      Line({{9, "Telefon: 0987 654"}})}},
    {"AllFieldsEmptyLeavesLabels",
     [](ProjectHeader& h) { h = ProjectHeader{}; },
     5,
     {Line({{9, "Projekt Nr.:"}, {31, "bearbeitet von:"}, {60, "Datum:"}}), Line({{9, "für:"}}),
      Line({{9, "in:"}}), Line({{9, "Telefon:"}}), Line({{9, "B.V.:"}}), Line({{9, "Telefon:"}}),
      Line({{7, std::string(70, '=')}})}},
    {"FieldsWithCommasAndQuotesUnchanged",
     [](ProjectHeader& h) { h[ProjectHeader::BauherrName] = "\"M\u00fcller, K.\""; },
     6,
     {Line({{9, "für: \"Müller, K.\""}, {31, "Anna"}})}},
};

INSTANTIATE_TEST_SUITE_P(Seite1Druck, PageHeader, ::testing::ValuesIn(kHeaderCases),
                         [](const auto& info) { return info.param.name; });

struct NormCase {
    std::string name;
    std::int16_t dNorm;
    std::string line;
};

void PrintTo(const NormCase& c, std::ostream* os) { *os << c.name; }

class ReferenceLine : public ::testing::TestWithParam<NormCase> {};

TEST_P(ReferenceLine, ShowsTheNormAsWholeNumber) {
    ProgramState s = PrintedProject(1, 1);
    s.dNorm = GetParam().dNorm;
    FakePrintDevice device;
    EXPECT_EQ(Print(s, device).at(17), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    ListeDruck, ReferenceLine,
    ::testing::Values(NormCase{"Din60", 60, Line({{19, "Referenz-Temperatur: 60"}})},
                      NormCase{"En50", 50, Line({{19, "Referenz-Temperatur: 50"}})},
                      NormCase{"NoneChosen0", 0, Line({{19, "Referenz-Temperatur: 0"}})}),
    [](const auto& info) { return info.param.name; });

TEST(ListeDruck, OnItsOwnWithoutCalculationScreen) {
    ProgramState s; // nothing loaded, calculation screen never opened
    FakePrintDevice device;
    EXPECT_TRUE(ListeDruck(s, device));
    const std::vector<std::string> expected = {
        "",
        Line({{12, "H e i z f l ä c h e n b e r e c h n u n g"}}),
        Line({{19, "für Temperaturen <> der Norm"}}),
        Line({{19, "Referenz-Temperatur: 0"}}),
        Line({{7, std::string(85, '_')}}),
        Line({{7, std::string(kPrintColumnHeader)}}),
        Line({{7, std::string(kPrintColumnRule)}}),
    };
    EXPECT_EQ(device.lines(), expected);
    EXPECT_EQ(device.endCalls, 1);
}

TEST(Seite1Druck, FullPageContinuesWithoutRepeatingHeader) {
    constexpr int kPageLines = 40;
    FakePrintDevice device(kPageLines);
    ASSERT_TRUE(Seite1Druck(PrintedProject(70, 70), device));
    ASSERT_EQ(device.pageCount(), 3);
    const auto first = device.lines(0);
    ASSERT_EQ(first.size(), static_cast<std::size_t>(kPageLines));
    EXPECT_EQ(first.back(), EntryRow(kPageLines - static_cast<int>(kFirstRowLine)));
    int next = kPageLines - static_cast<int>(kFirstRowLine) + 1;
    for (int page = 1; page < device.pageCount(); ++page) {
        for (const std::string& l : device.lines(page)) {
            EXPECT_EQ(l, EntryRow(next)) << "page " << page + 1;
            ++next;
        }
    }
    EXPECT_EQ(next, 71);
}

TEST(Seite1Druck, PageThatCannotStartReportsFailure) {
    FakePrintDevice device(30);
    device.failNewPage = true;
    EXPECT_FALSE(Seite1Druck(PrintedProject(20, 20), device));
    EXPECT_EQ(device.endCalls, 1);
}

TEST(Seite1Druck, DocumentNotHandedOverReportsFailure) {
    FakePrintDevice device;
    device.failEnd = true;
    EXPECT_FALSE(Seite1Druck(PrintedProject(3, 3), device));
}

} // namespace
} // namespace hk
