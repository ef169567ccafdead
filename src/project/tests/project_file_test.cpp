#include "project/project_file.h"

#include "calc/catalogue.h"
#include "calc/conversion.h"
#include "common/errors.h"
#include "common/text.h"
#include "project/file_ops.h"
#include "support/file_lines.h"
#include "support/samples.h"
#include "support/saved_bytes.h"
#include "support/state_compare.h"
#include "support/table_cases.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>

namespace hk {
namespace {

using test::Crlf;
using test::Line;
using test::SavedBytes;
using test::WithLine;

ProgramState Project(int rows, std::int16_t dNorm) {
    ProgramState s;
    test::SetHeader(s, {"P-2024/17", "Schulz", "12.03.2024", "Müller", "Hans", "Hauptstr. 1",
                        "12345 Oberdorf", "0123/4567", "Baustr. 2", "54321 Unterdorf", "0987/65"});
    s.LfNr = static_cast<std::int16_t>(rows);
    s.dNorm = dNorm;
    s.ListingText = "Kopf der Liste\r\n";
    for (int n = 1; n <= std::min(rows, 70); ++n) {
        RadiatorEntry e = test::CatalogueEntry(
            90.0f - static_cast<float>(n % 9) * 2.5f, 60.0f - static_cast<float>(n % 7) * 3.1f,
            n % 3 == 0 ? 24.0f : 20.5f, 400.0f + 37.5f * n, (n - 1) % 44, dNorm);
        e.RaumNr = std::to_string(100 + n);
        e.RaumVer = n % 2 ? "Wohnen" : "Küche, Bad";
        s.table.at(n) = e;
        s.ListingText += std::string("Zeile ").append(std::to_string(n)) + "\r\n";
    }
    return s;
}

// A listing line that makes the file of s exactly fileSize bytes long.
std::string SizedLine(const ProgramState& s, std::size_t fileSize) {
    return std::string(fileSize - SavedBytes(s).size() - 2, 'x') + "\r\n";
}

// ---------------------------------------------------------------- layout

TEST(ProjectFileLayout, SaveBeforeAnyCalculation) {
    ProgramState s;
    s.LfNr = 1; // the calculation screen has just opened
    s.dNorm = 60;
    EXPECT_EQ(SavedBytes(s), Crlf({"", "", "", "", "", "", "", "", "", "", "", "1,60",
                                   "1,0,0,\"\",\"\",0,0,0,0,0,0,\"\"", ""}));
    s.table.at(1).HkTyp = "Bank- Radiator              "; // a type chosen, nothing calculated
    EXPECT_EQ(Line(SavedBytes(s), 13),
              "1,0,0,\"\",\"\",0,0,0,0,0,0,\"Bank- Radiator              \"");
}

TEST(ProjectFileLayout, OneDinRadiatorNinetySeventyTwenty) {
    ProgramState s = Project(1, 60);
    RadiatorEntry e = test::CatalogueEntry(90, 70, 20, 1500, 0, 60);
    e.RaumNr = "1.01";
    e.RaumVer = "Wohnzimmer";
    s.table.at(1) = e;
    s.ListingText.clear();
    const std::string file = SavedBytes(s);
    for (int n = 1; n <= 11; ++n) {
        EXPECT_EQ(Line(file, n), s.header[n] == "Müller" ? "M\xFCller" : s.header[n]);
    }
    EXPECT_EQ(Line(file, 12), "1,60");
    EXPECT_EQ(
        Line(file, 13),
        "1,90,70,\"1.01\",\"Wohnzimmer\",20,1500,1.3,60,1,1500,\"DIN Guss- Radiator          \"");
    EXPECT_TRUE(file.ends_with("\"\r\n\r\n")); // empty listing: one empty line
}

TEST(ProjectFileLayout, WindowsCodePageAndDoubledQuotes) {
    ProgramState s = Project(1, 50);
    s.header[1] = "Größe \"A\", ä€";
    s.table.at(1).RaumNr = "a\"b";
    s.table.at(1).RaumVer = "Bad, oben";
    s.table.at(1).HkTyp = "\"";
    const std::string file = SavedBytes(s);
    EXPECT_EQ(Line(file, 1), "Gr\xF6\xDF"
                             "e \"A\", \xE4\x80"); // header lines are raw
    EXPECT_NE(Line(file, 13).find(",\"a\"\"b\",\"Bad, oben\","), std::string::npos);
    EXPECT_TRUE(Line(file, 13).ends_with(",\"\"\"\""));
}

struct CounterCase {
    const char* name;
    std::int16_t lfNr;
    const char* counterLine;
    int rows;
};

class CounterTest : public ::testing::TestWithParam<CounterCase> {};

TEST_P(CounterTest, RowsStopAtTheTableEnd) {
    const CounterCase& c = GetParam();
    ProgramState s = Project(70, 60);
    s.LfNr = c.lfNr;
    const std::string file = SavedBytes(s);
    EXPECT_EQ(Line(file, 12), c.counterLine);
    EXPECT_TRUE(Line(file, 12 + c.rows).starts_with(std::to_string(c.rows) + ","));
    EXPECT_EQ(Line(file, 13 + c.rows), "Kopf der Liste");
}

INSTANTIATE_TEST_SUITE_P(ProjectFileLayout, CounterTest,
                         ::testing::Values(CounterCase{"Entry2", 2, "2,60", 2},
                                           CounterCase{"Entry70", 70, "70,60", 70},
                                           CounterCase{"AfterNextOnEntry70", 71, "70,60", 70},
                                           CounterCase{"NeverOpened", 0, "1,60", 1}),
                         [](const auto& i) { return std::string(i.param.name); });

using SaveRefusal = test::SpoiltProject;

class SaveRefusalTest : public ::testing::TestWithParam<SaveRefusal> {};

TEST_P(SaveRefusalTest, TextsTheFileCannotCarryAreRefused) {
    ProgramState s = Project(3, 60);
    GetParam().spoil(s);
    const auto image = ProjectFileBytes(s);
    ASSERT_FALSE(image);
    EXPECT_NE(image.problem().message.find(GetParam().says), std::string::npos)
        << image.problem().message;
}

INSTANTIATE_TEST_SUITE_P(
    ProjectFileLayout, SaveRefusalTest,
    ::testing::Values(
        SaveRefusal{"CheckMarkInDatum", [](ProgramState& s) { s.header[3] = "12.3. ✓"; },
                    "Das Feld „Datum“ der Projektdaten enthält das Zeichen „✓“ (U+2713)"},
        SaveRefusal{"EmojiInRoomUse", [](ProgramState& s) { s.table.at(2).RaumVer = "Bad 🛁"; },
                    "Die Raum-Verwendung von Heizkörper 2 enthält das Zeichen „🛁“ (U+1F6C1)"},
        SaveRefusal{"GreekInRoomNumber", [](ProgramState& s) { s.table.at(1).RaumNr = "Ω1"; },
                    "Die Raum-Nr. von Heizkörper 1"},
        SaveRefusal{"BrokenUtf8InType", [](ProgramState& s) { s.table.at(3).HkTyp = "Typ \xC3"; },
                    "Der Heizflächen-Typ von Heizkörper 3 enthält ein ungültiges Zeichen"},
        SaveRefusal{
            "NotANumber",
            [](ProgramState& s) { s.table.at(2).Faktor = std::numeric_limits<float>::quiet_NaN(); },
            "Heizkörper 2 enthält einen ungültigen Zahlwert"},
        SaveRefusal{"CyrillicInListing", [](ProgramState& s) { s.ListingText += "Ж\r\n"; },
                    "Die Ergebnisliste enthält das Zeichen „Ж“"},
        SaveRefusal{
            "OneByteAboveTheLoadLimit",
            [](ProgramState& s) { s.ListingText += SizedLine(s, kMaxProjectFileBytes + 1); },
            "Die Projektdatei würde 16.777.217 Bytes groß werden; das Programm lädt höchstens "
            "16.777.216 "
            "Bytes (16 MB)"},
        SaveRefusal{"TwoNineMegabyteLoads",
                    [](ProgramState& s) { s.ListingText += std::string(18'900'000, 'x') + "\r\n"; },
                    "Die Projektdatei würde 18.9"}),
    [](const auto& i) { return std::string(i.param.name); });

// A project holding a line break in a one-line text is saved all the same:
// each CR LF becomes one blank, and a note names the field.
struct BreakCase {
    const char* name;
    std::function<void(ProgramState&)> put;
    int line;
    const char* written;
    const char* note;
};

class LineBreakSavedTest : public ::testing::TestWithParam<BreakCase> {};

TEST_P(LineBreakSavedTest, WrittenAsABlankAndSaid) {
    ProgramState s = Project(3, 60);
    GetParam().put(s);
    const auto image = ProjectFileBytes(s);
    ASSERT_TRUE(image) << image.problem().message;
    const std::string& bytes = image->bytes;
    const std::vector<std::string>& notes = image->notes;
    EXPECT_EQ(Line(bytes, GetParam().line).find(GetParam().written), 0u)
        << Line(bytes, GetParam().line);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find(GetParam().note), std::string::npos) << notes[0];
    EXPECT_NE(notes[0].find("als Leerzeichen gespeichert"), std::string::npos) << notes[0];
    ProgramState loaded;
    ASSERT_TRUE(ReadProjectFile(bytes, loaded));
    EXPECT_EQ(loaded.LfNr, 3);
}

INSTANTIATE_TEST_SUITE_P(
    ProjectFileLayout, LineBreakSavedTest,
    ::testing::Values(
        BreakCase{"ProjectNumberFromAMail", [](ProgramState& s) { s.header[1] = "P-17\r\n"; }, 1,
                  "P-17 ", "„Projekt-Nr.“"},
        BreakCase{"TwoBreaksInTelephone", [](ProgramState& s) { s.header[11] = "01\r\n02\r\n"; },
                  11, "01 02 ", "„Baustelle Telefon“"},
        BreakCase{"RoomUseOfEntry2", [](ProgramState& s) { s.table.at(2).RaumVer = "Bad\r\noben"; },
                  14, "2,", "Die Raum-Verwendung von Heizkörper 2"},
        BreakCase{"RoomNumberOfEntry1", [](ProgramState& s) { s.table.at(1).RaumNr = "1\r\n"; }, 13,
                  "1,", "Die Raum-Nr. von Heizkörper 1"}),
    [](const auto& i) { return std::string(i.param.name); });

TEST(ProjectFileLayout, ABreakInATextItemIsABlankBetweenItsQuotes) {
    ProgramState s = Project(1, 60);
    s.table.at(1).RaumVer = "Bad\r\noben";
    EXPECT_NE(Line(SavedBytes(s), 13).find(",\"Bad oben\","), std::string::npos);
}

// The largest project the program can load again is saved; one byte more is not.
TEST(ProjectFileLayout, AFileAtTheLoadLimitIsWrittenAndReadBack) {
    ProgramState s = Project(70, 60);
    s.ListingText += SizedLine(s, kMaxProjectFileBytes);
    const std::string bytes = SavedBytes(s);
    ASSERT_EQ(bytes.size(), kMaxProjectFileBytes);
    ProgramState loaded;
    const auto read = ReadProjectFile(bytes, loaded);
    ASSERT_TRUE(read) << read.problem().line << ": " << read.problem().message;
    EXPECT_EQ(loaded.ListingText, s.ListingText + "\r\n");
}

// A project whose Windows-1252 bytes the reader would take for UTF-8 or
// UTF-16 ("Ã¤" typed or loaded, "ï»¿" or "ÿþ" at the start) is written as
// UTF-8 with its mark, so that it reads back as it was.
struct LookAlike {
    const char* name;
    int field;
    std::string text;
    std::string roomUse; // "Küche" keeps the rest of the file from being UTF-8
};

class LookAlikeTest : public ::testing::TestWithParam<LookAlike> {};

TEST_P(LookAlikeTest, ReadsBackUnchanged) {
    ProgramState s = Project(2, 60);
    s.header[GetParam().field] = GetParam().text;
    s.header[4] = "Mueller";
    s.table.at(2).RaumVer = GetParam().roomUse;
    const std::string bytes = SavedBytes(s);
    EXPECT_TRUE(bytes.starts_with(kUtf8Bom));
    ProgramState loaded;
    const auto read = ReadProjectFile(bytes, loaded);
    ASSERT_TRUE(read) << read.problem().line << ": " << read.problem().message;
    EXPECT_EQ(loaded.header, s.header);
    EXPECT_EQ(loaded.table.at(2).RaumVer, GetParam().roomUse);
    EXPECT_EQ(loaded.ListingText, s.ListingText + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    ProjectFileLayout, LookAlikeTest,
    ::testing::Values(LookAlike{"MojibakeOfUtf8", 5, "MÃ¼ller", "KÃ¼che"},
                      LookAlike{"MarkCharactersFirst", 1, "ï»¿P-1", "Küche"},
                      LookAlike{"ThornFirstLikeUtf16Mark", 1, "ÿþP-1", "Küche"},
                      LookAlike{"ZerosLikeUtf16", 1, std::string("ä\0x\0", 5), "Küche"}),
    [](const auto& i) { return std::string(i.param.name); });

// ---------------------------------------------------------------- reading

struct RoundTrip {
    const char* name;
    std::function<ProgramState()> make;
    std::int16_t loadedLfNr;
};

class RoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTripTest, RestoresEveryFieldBitForBit) {
    const ProgramState saved = GetParam().make();
    ProgramState loaded; // a new run
    const auto read = ReadProjectFile(SavedBytes(saved), loaded);
    ASSERT_TRUE(read) << read.problem().line << ": " << read.problem().message;
    EXPECT_EQ(loaded.header, saved.header);
    EXPECT_EQ(loaded.LfNr, GetParam().loadedLfNr);
    EXPECT_EQ(loaded.dNorm, saved.dNorm);
    for (int n = 1; n <= loaded.LfNr; ++n) {
        EXPECT_TRUE(test::SameEntry(loaded.table.at(n), saved.table.at(n))) << "entry " << n;
    }
    EXPECT_EQ(loaded.ListingText, saved.ListingText + "\r\n");
}

ProgramState Awkward() {
    ProgramState s = Project(4, 60);
    s.header[1] = "1,2,3";
    s.header[2] = "\"Meier\", Anna";
    s.header[4] = "\"";
    s.header[5] = "  führende Blanks";
    s.header[6] = "Ende mit Blanks   ";
    s.header[7] = "\r"; // a lone CR or LF is no line end
    s.header[8] = "a\nb\r";
    s.table.at(1).RaumNr = "1,2";
    s.table.at(1).RaumVer = "Bad \"klein\", oben";
    s.table.at(2).RaumNr = "\"\"";
    s.table.at(2).RaumVer = ",";
    s.table.at(3).RaumVer = " Flur ";
    s.table.at(3).RaumNr = "x\ry\n";
    s.table.at(4).HkTyp = "Typ \"22\"";
    s.ListingText = "Müller, \"Größe\"\r\n\r\n  \r\n";
    return s;
}

ProgramState Numbers() {
    ProgramState s = Project(3, 60);
    const float v[][8] = {
        {0.5f, -0.25f, 1e7f, 3e38f, 1e-7f, 123456.7f, -40.0f, 0.01f},
        {1.5e-38f, 1e-40f, 99999.99f, 0.0001234f, -1e-5f, 7.000001f, 65535.0f, 32768.5f},
        {0, 1, -1, 0.1f, 0.3f, 2.675f, 1234567.0f, 0.999999f}};
    for (int n = 1; n <= 3; ++n) {
        RadiatorEntry& e = s.table.at(n);
        const float* r = v[n - 1];
        e.dVorl = r[0], e.dRueckl = r[1], e.dRaum = r[2], e.QRaum = r[3];
        e.Exponent = r[4], e.dMittel = r[5], e.Faktor = r[6], e.QHKNeu = r[7];
    }
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    ProjectFileRead, RoundTripTest,
    ::testing::Values(RoundTrip{"FreshBeforeCalculation",
                                [] {
                                    ProgramState s;
                                    s.LfNr = 1;
                                    return s;
                                },
                                1},
                      RoundTrip{"OneDin", [] { return Project(1, 60); }, 1},
                      RoundTrip{"SeventyEn", [] { return Project(70, 50); }, 70},
                      RoundTrip{"AfterNextOnEntry70", [] { return Project(71, 60); }, 70},
                      RoundTrip{"CommasQuotesUmlauts", Awkward, 4},
                      RoundTrip{"SmallLargeNegativeNumbers", Numbers, 3},
                      RoundTrip{"HundredThousandCharacterHeaderField",
                                [] {
                                    ProgramState s = Project(2, 60);
                                    s.header[1] = std::string(100'000, 'x') + "ä";
                                    s.header[11] = std::string(32'768, '7');
                                    return s;
                                },
                                2}),
    [](const auto& i) { return std::string(i.param.name); });

struct RowCase {
    const char* name;
    std::string row;
    RadiatorEntry expected;
};

RadiatorEntry Entry(float vorl, float rueckl, std::string nr, std::string ver, float raum, float q,
                    float ex, float mittel, float faktor, float neu, std::string typ) {
    return {vorl,   rueckl, std::move(nr), std::move(ver), raum, q, ex,
            mittel, faktor, neu,           std::move(typ)};
}

class RowReadingTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(RowReadingTest, ItemsAreReadByTheirRules) {
    const std::string file =
        Crlf({"", "", "", "", "", "", "", "", "", "", "", "1,60"}) + GetParam().row + "\r\n\r\n";
    ProgramState s;
    const auto read = ReadProjectFile(file, s);
    ASSERT_TRUE(read) << read.problem().line << ": " << read.problem().message;
    EXPECT_TRUE(test::SameEntry(s.table.at(1), GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    ProjectFileRead, RowReadingTest,
    ::testing::Values(RowCase{"Plain", "1,90,70,\"1\",\"W\",20,1500,1.3,60,1,1500,\"T\"",
                              Entry(90, 70, "1", "W", 20, 1500, 1.3f, 60, 1, 1500, "T")},
                      RowCase{"BlanksAndTabsBeforeItems",
                              "1, 90,\t70,  \"1\", \"W\",20 ,1500,1.3,60,1,1500, \"T\"",
                              Entry(90, 70, "1", "W", 20, 1500, 1.3f, 60, 1, 1500, "T")},
                      RowCase{"TextTailDroppedToComma",
                              "1,90,70,\"1\"x y,\"W\"\"\" z,20,1500,1.3,60,1,1500,\"T\" ;9",
                              Entry(90, 70, "1", "W\"", 20, 1500, 1.3f, 60, 1, 1500, "T")},
                      RowCase{"BelowOneWithAndWithoutZero",
                              "1,.5,0.5,\"\",\"\",-.25,-0.25,+.75,0,0,0,\"\"",
                              Entry(0.5f, 0.5f, "", "", -0.25f, -0.25f, 0.75f, 0, 0, 0, "")},
                      RowCase{"ExponentForms", "1,1E+07,1.5D2,\"\",\"\",2e-3,1E5,3.,0,0,0,\"\"",
                              Entry(1e7f, 150, "", "", 0.002f, 1e5f, 3, 0, 0, 0, "")},
                      RowCase{"CommaInsideQuotes", "1,0,0,\"1,2\",\"a, b\",0,0,0,0,0,0,\",\"",
                              Entry(0, 0, "1,2", "a, b", 0, 0, 0, 0, 0, 0, ",")},
                      RowCase{"CodePageBytes", "1,0,0,\"\xE4\",\"\x80\x81\",0,0,0,0,0,0,\"\xDF\"",
                              Entry(0, 0, "ä", "€\u0081", 0, 0, 0, 0, 0, 0, "ß")},
                      RowCase{"RowNumberWithPoint", "1.0,0,0,\"\",\"\",0,0,0,0,0,0,\"\"",
                              Entry(0, 0, "", "", 0, 0, 0, 0, 0, 0, "")}),
    [](const auto& i) { return std::string(i.param.name); });

// A project of three entries whose listing has two lines: lines 1-11 header,
// 12 counter, 13-15 rows, 16-17 listing, 18 the closing empty line.
std::string GoodFile() {
    ProgramState s = Project(3, 60);
    s.ListingText = "Kopf\r\nZeile 1\r\n";
    return SavedBytes(s);
}

ProgramState Before() {
    ProgramState s = Project(5, 50);
    s.header[1] = "vorher";
    s.ListingText = "alte Liste\r\n";
    return s;
}

struct BadCase {
    const char* name;
    std::string file;
    int line;
    const char* says;
};

class RefusedFileTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(RefusedFileTest, NamesTheLineAndChangesNothing) {
    ProgramState s = Before();
    const auto read = ReadProjectFile(GetParam().file, s);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.problem().line, GetParam().line);
    EXPECT_NE(read.problem().message.find(GetParam().says), std::string::npos)
        << read.problem().message;
    EXPECT_EQ(s, Before());
}

std::string Replaced(std::string file, std::string_view with) {
    std::string out;
    for (std::size_t pos = 0;;) {
        const auto brk = file.find("\r\n", pos);
        out += file.substr(pos, brk - pos);
        if (brk == std::string::npos) {
            return out;
        }
        out += with;
        pos = brk + 2;
    }
}
std::string Lf(const std::string& f) { return Replaced(f, "\n"); }
std::string Cr(const std::string& f) { return Replaced(f, "\r"); }
std::string CrCrLf(const std::string& f) { return Replaced(f, "\r\r\n"); }

// The file as another editor writes it in UTF-16, from its Windows-1252 bytes.
std::string Utf16(const std::string& cp1252, bool little, bool mark) {
    std::string out = mark ? (little ? "\xFF\xFE" : "\xFE\xFF") : "";
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = DecodeUtf8(utf8, pos);
        const char hi = static_cast<char>(c >> 8);
        const char lo = static_cast<char>(c & 0xFF);
        out += little ? std::string{lo, hi} : std::string{hi, lo};
    }
    return out;
}

const std::string kGood = GoodFile();
const std::string kRow2 = Line(kGood, 14);

// The good file with line n replaced by text: refused at that line.
BadCase LineRefused(const char* name, int n, std::string_view text, const char* says) {
    return {name, WithLine(kGood, n, text), n, says};
}

INSTANTIATE_TEST_SUITE_P(
    ProjectFileRead, RefusedFileTest,
    ::testing::Values(
        BadCase{"EmptyFile", "", 1, "leer"},
        BadCase{"NoLineEnd", "Projekt", 1, "mitten in der Zeile"},
        BadCase{"LineFeedsOnly", "a\nb\nc\n", 1,
                "keine Windows-Zeilenenden (CR LF), sondern nur LF"},
        BadCase{"ProjectWithLineFeedsOnly", Lf(kGood), 1,
                "Die Datei hat keine Windows-Zeilenenden (CR LF), sondern nur LF"},
        BadCase{"ProjectWithCarriageReturnsOnly", Cr(kGood), 1,
                "Die Datei hat keine Windows-Zeilenenden (CR LF), sondern nur CR"},
        BadCase{"ProjectWithCrCrLf", CrCrLf(kGood), 1,
                "Die Datei hat keine Windows-Zeilenenden (CR LF), sondern CR CR LF"},
        BadCase{"Utf16LittleEndianWithMark", Utf16(kGood, true, true), 1, "ist UTF-16 kodiert"},
        BadCase{"Utf16BigEndianWithMark", Utf16(kGood, false, true), 1, "ist UTF-16 kodiert"},
        BadCase{"Utf16LittleEndianNoMark", Utf16(kGood, true, false), 1, "ist UTF-16 kodiert"},
        BadCase{"Utf16BigEndianNoMark", Utf16(kGood, false, false), 1, "ist UTF-16 kodiert"},
        BadCase{"GarbageAfterTheEnd", kGood + "\x8F\xA3qx7", 19,
                "Nach dem Ende der Projektdaten folgen noch 5 Bytes"},
        BadCase{"ZerosAfterTheEnd", kGood + std::string(512, '\0'), 19,
                "Nach dem Ende der Projektdaten folgen noch 512 Bytes"},
        BadCase{"CtrlZAfterTheEnd", kGood + "\x1A", 19, "folgen noch 1 Bytes"},
        BadCase{"ZerosWithLineEndsAfterTheEnd", kGood + std::string("\0\0\r\n\0", 5), 19,
                "folgen noch 5 Bytes"},
        BadCase{"Utf8EmojiIsRefusedByLine",
                WithLine(Cp1252ToUtf8(kGood), 5, "Bad \xF0\x9F\x9B\x81"), 5,
                "Die Datei (UTF-8) enthält das Zeichen „\xF0\x9F\x9B\x81“ (U+1F6C1)"},
        BadCase{"Utf8MarkThenBrokenBytes", std::string(kUtf8Bom) + WithLine(kGood, 3, "\xE4"), 3,
                "als UTF-8 gekennzeichnet"},
        LineRefused("Counter0", 12, "0,60", "Zahl der Heizkörper ist 0, möglich sind 1 bis 70"),
        LineRefused("Counter71", 12, "71,60", "ist 71"),
        LineRefused("Counter32767", 12, "32767,60", "ist 32767"),
        LineRefused("CounterNegative", 12, "-1,60", "ist -1"),
        LineRefused("Counter32768", 12, "32768,60", "Angabe 1 liegt außerhalb"),
        LineRefused("DNormBeyond16Bit", 12, "3,99999", "Angabe 2 liegt außerhalb"),
        LineRefused("CounterQuoted", 12, "\"3\",60", "Angabe 1 ist ein Text"),
        LineRefused("CounterOneItem", 12, "3", "eine Angabe statt 2 Angaben"),
        LineRefused("CounterThreeItems", 12, "3,60,0", "mehr als 2 Angaben"),
        LineRefused("CounterEmptyLine", 12, "", "leer"),
        LineRefused("CounterSemicolon", 12, "3;60", "eine Angabe statt 2"),
        LineRefused("CounterLetter", 12, "3,6O", "Angabe 2 ist keine Zahl"),
        LineRefused("CounterTrailingComma", 12, "3,60,", "mehr als 2"),
        LineRefused(
            "MoreRowsThanFile", 12, "4,60",
            "Die Zeile nennt 4 Heizkörper, es folgen aber nur 3 Zeilen mit Heizkörperdaten"),
        LineRefused("CounterPromisesSeventy", 12, "70,60",
                    "nennt 70 Heizkörper, es folgen aber nur 3"),
        LineRefused("RowNumberDiffers", 14, "3" + kRow2.substr(1),
                    "Nummer 3, an dieser Stelle steht Heizkörper 2"),
        LineRefused("RowNumberZero", 13, "0" + kRow2.substr(1), "Nummer 0"),
        LineRefused("LetterOInNumber", 14, "2,9O,70,\"\",\"\",0,0,0,0,0,0,\"\"",
                    "Angabe 2 ist keine Zahl"),
        LineRefused("NumberWhereText", 14, "2,90,70,5,\"\",0,0,0,0,0,0,\"\"",
                    "Angabe 4 ist kein Text"),
        LineRefused("TextWhereNumber", 14, "2,\"90\",70,\"\",\"\",0,0,0,0,0,0,\"\"",
                    "Angabe 2 ist ein Text"),
        LineRefused("EmptyNumber", 14, "2,,70,\"\",\"\",0,0,0,0,0,0,\"\"", "Angabe 2 fehlt"),
        LineRefused("UnclosedQuote", 14, "2,0,0,\"\",\"\",0,0,0,0,0,0,\"DIN",
                    "Angabe 12 fehlt das schließende"),
        LineRefused("ElevenItems", 14, "2,0,0,\"\",\"\",0,0,0,0,0,0", "11 Angaben statt 12"),
        LineRefused("ThirteenItems", 14, kRow2 + ",0", "mehr als 12"),
        LineRefused("GermanDecimalComma", 14, "2,90,70,\"\",\"\",20,1500,1,3,60,1,1500,\"\"",
                    "13 Angaben statt 12 Angaben: eine Zahl ist mit Dezimalkomma geschrieben"),
        LineRefused("DecimalCommaInSupply", 13, "1,75,5,70,\"\",\"\",20,1500,1.3,60,1,1500,\"\"",
                    "die Datei erwartet einen Dezimalpunkt (75.5)"),
        LineRefused("ThreeDecimalCommas", 15, "3,75,5,70,\"\",\"\",20,1500,1,3,60,1,1500,5,\"\"",
                    "15 Angaben statt 12 Angaben: eine Zahl ist mit Dezimalkomma"),
        LineRefused("BeyondSingle", 15, "3,1e39,70,\"\",\"\",0,0,0,0,0,0,\"\"",
                    "Angabe 2 liegt außerhalb"),
        LineRefused("BeyondDouble", 15, "3,1e999,70,\"\",\"\",0,0,0,0,0,0,\"\"",
                    "Angabe 2 liegt außerhalb"),
        LineRefused("RowIsEmpty", 13, "", "leer"),
        BadCase{"NoListing", kGood.substr(0, kGood.find("Kopf")), 16, "die Ergebnisliste fehlt"},
        BadCase{"ListingWithoutClosingLine", kGood.substr(0, kGood.size() - 2), 18,
                "unvollständig"},
        BadCase{"ListingCutMidLine", kGood.substr(0, kGood.size() - 5), 17, "unvollständig"}),
    [](const auto& i) { return std::string(i.param.name); });

// Umlauts in every section: the header, the three texts of a row, the listing.
ProgramState UmlautsEverywhere() {
    ProgramState s = Project(2, 50);
    for (int n = 1; n <= ProjectHeader::kFieldCount; ++n) {
        s.header[n] = "Größe Ä" + std::to_string(n) + " €";
    }
    s.table.at(1).RaumNr = "Ü1";
    s.table.at(1).RaumVer = "Küche, Bäd";
    s.table.at(2).HkTyp = "Fußleiste “ö”";
    s.ListingText = "Heizflächen für Räume\r\n  1 Küche  °C\r\n";
    return s;
}

struct EncodingCase {
    const char* name;
    std::function<std::string(const std::string& cp1252)> encode;
};

class EncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(EncodingTest, UmlautsInEverySectionReadAsSavedAndSaveAsWindows1252) {
    const ProgramState saved = UmlautsEverywhere();
    const std::string cp1252 = SavedBytes(saved);
    ASSERT_FALSE(cp1252.starts_with(kUtf8Bom));
    ProgramState loaded = Before();
    const auto read = ReadProjectFile(GetParam().encode(cp1252), loaded);
    ASSERT_TRUE(read) << read.problem().line << ": " << read.problem().message;
    EXPECT_EQ(loaded.header, saved.header);
    for (int n = 1; n <= 2; ++n) {
        EXPECT_TRUE(test::SameEntry(loaded.table.at(n), saved.table.at(n))) << "entry " << n;
    }
    EXPECT_EQ(loaded.ListingText, Before().ListingText + saved.ListingText + "\r\n");
    loaded.ListingText = saved.ListingText;
    EXPECT_EQ(SavedBytes(loaded), cp1252); // written as Windows-1252 again
}

INSTANTIATE_TEST_SUITE_P(
    ProjectFileRead, EncodingTest,
    ::testing::Values(
        EncodingCase{"Windows1252", [](const std::string& f) { return f; }},
        EncodingCase{"Utf8WithoutMark", [](const std::string& f) { return Cp1252ToUtf8(f); }},
        EncodingCase{"Utf8WithMark",
                     [](const std::string& f) { return std::string(kUtf8Bom) + Cp1252ToUtf8(f); }}),
    [](const auto& i) { return std::string(i.param.name); });

TEST(ProjectFileRead, Utf8MarkWithAsciiOnlyIsRead) {
    ProgramState s = Project(1, 60);
    s.header[4] = "Mueller";
    s.table.at(1).RaumVer = "Kueche";
    std::string bytes = SavedBytes(s);
    ASSERT_EQ(Cp1252ToUtf8(bytes), bytes);
    ProgramState loaded;
    ASSERT_TRUE(ReadProjectFile(std::string(kUtf8Bom) + bytes, loaded));
    EXPECT_EQ(loaded.header[1], s.header[1]); // no mark before the first field
    EXPECT_EQ(loaded.header, s.header);
}

TEST(ProjectFileRead, EveryShortenedFileIsRefused) {
    ProgramState whole;
    ASSERT_TRUE(ReadProjectFile(kGood, whole));
    int linesKept = 0;
    for (std::size_t cut = 0; cut < kGood.size(); ++cut) {
        ProgramState s = Before();
        const auto read = ReadProjectFile(std::string_view(kGood).substr(0, cut), s);
        ASSERT_FALSE(read) << "cut after " << cut << " bytes";
        EXPECT_EQ(s, Before()) << "cut after " << cut << " bytes";
        if (cut >= 2 && kGood.compare(cut - 2, 2, "\r\n") == 0) {
            ++linesKept;
            // Cut among the rows: the counter line promises rows that are missing.
            const bool rowsMissing = linesKept >= 12 && linesKept < 15;
            EXPECT_EQ(read.problem().line, rowsMissing ? 12 : linesKept + 1)
                << "cut after line " << linesKept;
        }
    }
    EXPECT_EQ(linesKept, 17);
}

TEST(ProjectFileRead, BinaryGarbageIsRefused) {
    std::mt19937 random(4711);
    for (int round = 0; round < 200; ++round) {
        std::string junk(static_cast<std::size_t>(random() % 4096), '\0');
        for (char& c : junk) {
            const auto r = random() % 8;
            c = r == 0 ? '\r' : r == 1 ? '\n' : r == 2 ? ',' : static_cast<char>(random());
        }
        ProgramState s = Before();
        EXPECT_FALSE(ReadProjectFile(junk, s)) << "round " << round;
        EXPECT_EQ(s, Before());
    }
}

TEST(ProjectFileRead, TwoLoadsAppendTheListings) {
    ProgramState first = Project(2, 60);
    first.ListingText = "erste Liste\r\n";
    ProgramState second = Project(1, 50);
    second.header[1] = "zweites Projekt";
    second.ListingText = "zweite Liste\r\n";

    ProgramState s = Before();
    ASSERT_TRUE(ReadProjectFile(SavedBytes(first), s));
    ASSERT_TRUE(ReadProjectFile(SavedBytes(second), s));
    EXPECT_EQ(s.ListingText, "alte Liste\r\nerste Liste\r\n\r\nzweite Liste\r\n\r\n");
    EXPECT_EQ(s.header, second.header);
    EXPECT_EQ(s.LfNr, 1);
    EXPECT_EQ(s.dNorm, 50);
    EXPECT_TRUE(test::SameEntry(s.table.at(1), second.table.at(1)));
    EXPECT_TRUE(test::SameEntry(s.table.at(2), first.table.at(2))); // above the loaded LfNr: kept
    EXPECT_TRUE(test::SameEntry(s.table.at(5), Before().table.at(5)));
}

struct LargeCase {
    const char* name;
    std::function<std::string()> make;
    bool loads;
};

class LargeFileTest : public ::testing::TestWithParam<LargeCase> {};

// Ten megabytes, read once: the benchmark of the reader times these.
TEST_P(LargeFileTest, TenMegabytes) {
    const std::string file = GetParam().make();
    ProgramState s;
    EXPECT_EQ(ReadProjectFile(file, s).ok(), GetParam().loads);
    if (GetParam().loads) {
        EXPECT_GT(s.ListingText.size(), 9'900'000u);
    }
}

constexpr std::size_t kTenMb = 10'000'000;

INSTANTIATE_TEST_SUITE_P(
    ProjectFileRead, LargeFileTest,
    ::testing::Values(
        LargeCase{
            "LongListing",
            [] {
                std::string f = SavedBytes(Project(70, 60));
                f.erase(f.size() - 2);
                f.reserve(kTenMb + 100);
                while (f.size() < kTenMb) {
                    f += "  1  90  70 1.01 Wohnzimmer 20  1500 1,3  60   1  1500  DIN Guss\r\n";
                }
                return f + "\r\n";
            },
            true},
        LargeCase{"OneLineNoBreak", [] { return std::string(kTenMb, 'x'); }, false},
        LargeCase{"CounterOfCommas",
                  [] {
                      return Crlf({"", "", "", "", "", "", "", "", "", "", ""}) +
                             std::string(kTenMb, ',');
                  },
                  false},
        LargeCase{"CounterOfDigits",
                  [] {
                      return Crlf({"", "", "", "", "", "", "", "", "", "", ""}) +
                             std::string(kTenMb, '7') + "\r\n";
                  },
                  false},
        LargeCase{"UnclosedText",
                  [] {
                      return Crlf({"", "", "", "", "", "", "", "", "", "", "", "1,60"}) +
                             "1,0,0,\"" + std::string(kTenMb, 'a') + "\r\n";
                  },
                  false},
        LargeCase{"ManyShortLines",
                  [] {
                      std::string f;
                      while (f.size() < kTenMb)
                          f += "\r\n";
                      return f;
                  },
                  false}),
    [](const auto& i) { return std::string(i.param.name); });

} // namespace
} // namespace hk
