// The helpers the other tests stand on: a helper that replaced the wrong
// line or handed out the wrong answer would let those tests pass without
// testing what they name.

#include "support/calc_driver.h"
#include "support/file_dialogs.h"
#include "support/file_lines.h"
#include "support/journal_listing.h"
#include "support/samples.h"
#include "support/state_compare.h"

#include <gtest/gtest.h>

#include <string>

namespace hk::test {
namespace {

const std::string kFile = "eins\r\n\r\ndrei\r\nvier\r\n";

struct LineCase {
    const char* name;
    int n;
    const char* line;     // line n as read
    const char* replaced; // the file with line n replaced by "X"
};

class FileLinesTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(FileLinesTest, ReadsAndReplacesExactlyLineN) {
    EXPECT_EQ(Line(kFile, GetParam().n), GetParam().line);
    EXPECT_EQ(WithLine(kFile, GetParam().n, "X"), GetParam().replaced);
}

INSTANTIATE_TEST_SUITE_P(
    CrLf, FileLinesTest,
    ::testing::Values(LineCase{"First", 1, "eins", "X\r\n\r\ndrei\r\nvier\r\n"},
                      LineCase{"EmptyLine", 2, "", "eins\r\nX\r\ndrei\r\nvier\r\n"},
                      LineCase{"Middle", 3, "drei", "eins\r\n\r\nX\r\nvier\r\n"},
                      LineCase{"LastKeepsItsEnd", 4, "vier", "eins\r\n\r\ndrei\r\nX\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileLines, CrlfEndsEveryLine) {
    EXPECT_EQ(Crlf({"eins", "", "drei", "vier"}), kFile);
    EXPECT_EQ(Crlf({}), "");
    EXPECT_EQ(LineStart(kFile, 1), 0u);
    EXPECT_EQ(LineStart(kFile, 3), 8u);
}

struct GrowCase {
    const char* name;
    const char* file;
    std::size_t size;
    const char* grown;
};

class ListingGrowTest : public ::testing::TestWithParam<GrowCase> {};

// The listing line goes before the closing CR LF, never after it, and the
// file stops growing at the first size at or above the one asked for.
TEST_P(ListingGrowTest, AddsWholeLinesBeforeTheClosingLine) {
    EXPECT_EQ(WithListingGrown(GetParam().file, "ab\r\n", GetParam().size), GetParam().grown);
}

INSTANTIATE_TEST_SUITE_P(
    CrLf, ListingGrowTest,
    ::testing::Values(GrowCase{"LongEnoughStaysAsItIs", "H\r\nx\r\n\r\n", 5, "H\r\nx\r\n\r\n"},
                      GrowCase{"OneLineReachesTheSize", "H\r\n\r\n", 7, "H\r\nab\r\n\r\n"},
                      GrowCase{"OneByteMoreTakesAnotherLine", "H\r\n\r\n", 8,
                               "H\r\nab\r\nab\r\n\r\n"},
                      GrowCase{"EmptyListingGrows", "\r\n", 4, "ab\r\n\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FakeFileDialogs, QueueFirstThenTheStandingAnswer) {
    FakeFileDialogs d;
    d.answers = {"a.txt", "b.txt"};
    d.answer = "immer.txt";
    EXPECT_EQ(d.saveFileName({{"Text", "*.TXT"}}, ""), "a.txt");
    EXPECT_EQ(d.openFileName("Öffnen", {}), "b.txt");
    EXPECT_EQ(d.exportFileName("Projekt 7.pdf", {"PDF", "*.pdf"}), "immer.txt");
    EXPECT_EQ(d.saveFileName({}, ""), "immer.txt");
    EXPECT_TRUE(d.answers.empty());
    EXPECT_EQ(d.calls(FakeFileDialogs::Kind::Save), 2);
    EXPECT_EQ(d.calls(FakeFileDialogs::Kind::Open), 1);
    EXPECT_EQ(d.calls(FakeFileDialogs::Kind::Export), 1);
    ASSERT_EQ(d.requests.size(), 4u);
    EXPECT_EQ(d.requests[0].filters, (std::vector<FileFilter>{{"Text", "*.TXT"}}));
    EXPECT_EQ(d.requests[1].title, "Öffnen");
    EXPECT_EQ(d.requests[2].title, "Projekt 7.pdf");
    EXPECT_EQ(d.requests[2].filters, (std::vector<FileFilter>{{"PDF", "*.pdf"}}));
    EXPECT_EQ(d.last().kind, FakeFileDialogs::Kind::Save);
}

TEST(FakeFileDialogs, WithoutAnswersTheUserCancels) {
    FakeFileDialogs d;
    EXPECT_EQ(d.openFileName("Öffnen", {}), "");
    EXPECT_EQ(d.calls(FakeFileDialogs::Kind::Open), 1);
}

TEST(Samples, SizedEntriesCarryTheConversionsResults) {
    const RadiatorEntry in = RadiatorInputs(70, 40, 20);
    EXPECT_EQ(in.QRaum, 1000.0f);
    EXPECT_EQ(in.Exponent, 1.3f);
    EXPECT_EQ(in.QHKNeu, 0.0f);
    const RadiatorEntry e = SizedEntry(70, 40, 20, 1000);
    EXPECT_EQ(e.dMittel, 32.7f);
    EXPECT_EQ(e.Faktor, 2.2f);
    EXPECT_EQ(e.QHKNeu, 2200.0f);
    const RadiatorEntry t = CatalogueEntry(70, 40, 20, 1000, 0, 60);
    EXPECT_EQ(t.HkTyp, kGussText);
    EXPECT_EQ(t.QHKNeu, 2200.0f);
}

TEST(Samples, HeaderFieldsInTheirOrder) {
    ProgramState s;
    SetHeader(s, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"});
    for (int f = 1; f <= ProjectHeader::kFieldCount; ++f) {
        EXPECT_EQ(s.header[f], std::to_string(f));
    }
}

TEST(Samples, LongProjectFillsExactlyItsEntries) {
    const ProgramState s = LongProject(3);
    EXPECT_EQ(s.LfNr, 3);
    EXPECT_EQ(s.table.at(3).RaumNr, "1003");
    EXPECT_EQ(s.table.at(4), RadiatorEntry{});
}

// The rig with the real listing gives what typing on a fresh screen gives;
// with the journal it writes one short line per entry.
TEST(CalcRig, CalculatesAsTheUserDoes) {
    CalcDriver calc;
    calc.calculate(RadiatorTexts{});
    ASSERT_TRUE(calc.screen.messages.empty());
    EXPECT_TRUE(SameEntry(calc.state.table.at(1), [] {
        RadiatorEntry e = CatalogueEntry(70, 40, 20, 1000, 0, 60);
        e.RaumNr = "0001";
        e.RaumVer = "Wohnen";
        return e;
    }()));
    EXPECT_EQ(calc.state.dNorm, 60);

    CalcRig<JournalListing> en(false);
    en.calculate(RadiatorTexts{});
    en.pressNaechster();
    en.calculate(RadiatorTexts{});
    EXPECT_EQ(en.state.dNorm, 50);
    EXPECT_EQ(en.screen.text(CalcControl::txtAnzeige), "Kopf\r\nZeile 1\r\nZeile 2\r\n");
}

TEST(CalcRig, NotOpenedLeavesTheScreenToTheTest) {
    CalcRig<JournalListing> rig{CalcRig<JournalListing>::NotOpened{}};
    EXPECT_TRUE(rig.screen.listItems.empty());
    EXPECT_FALSE(rig.screen.dinSelected);
    rig.open(true);
    EXPECT_EQ(rig.screen.listItems.size(), 44u);
    EXPECT_EQ(rig.state.dNorm, 60);
}

} // namespace
} // namespace hk::test
