#include "support/fakes.h"

#include "project/table_export.h"

#include <gtest/gtest.h>

namespace hk::test {
namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeading = "Nr;Raum-Nr;Raumverwendung;Vorlauf °C;Rücklauf °C;Raum °C;Q-Raum W;"
                             "Exponent;Δtm K;Faktor;Q-Norm W;Heizkörpertyp\r\n";

RadiatorEntry Radiator(std::string raumNr, std::string raumVer, std::string typ) {
    return {90,    70,   std::move(raumNr), std::move(raumVer), 20.5f, 1500, 1.3f, 52.5f,
            0.85f, 1275, std::move(typ)};
}

struct CsvCase {
    const char* name;
    RadiatorEntry entry;
    std::string line; // the line of entry 1
};

class CsvLine : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvLine, FollowsTheHeading) {
    ProgramState s;
    s.LfNr = 1;
    s.table.at(1) = GetParam().entry;
    EXPECT_EQ(TableCsv(s), kBom + kHeading + GetParam().line + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CsvLine,
    ::testing::Values(
        CsvCase{"Plain", Radiator("0101", "Wohnen", "Bank- Radiator              "),
                "1;0101;Wohnen;90;70;20,5;1500;1,3;52,5;0,85;1275;Bank- Radiator"},
        CsvCase{"EmptyTexts", Radiator("", "", ""), "1;;;90;70;20,5;1500;1,3;52,5;0,85;1275;"},
        CsvCase{"SemicolonInRoomUse", Radiator("1", "Bad;WC", "T"),
                "1;1;\"Bad;WC\";90;70;20,5;1500;1,3;52,5;0,85;1275;T"},
        CsvCase{"QuoteInRoomNumber", Radiator("1\"a", "Flur", "T"),
                "1;\"1\"\"a\";Flur;90;70;20,5;1500;1,3;52,5;0,85;1275;T"},
        CsvCase{"CommaStaysBare", Radiator("1", "Wohnen, groß", "T"),
                "1;1;Wohnen, groß;90;70;20,5;1500;1,3;52,5;0,85;1275;T"},
        CsvCase{"TypeWithInnerBlanksKeepsThem", Radiator("1", "K", "Typ 22  500/1000     "),
                "1;1;K;90;70;20,5;1500;1,3;52,5;0,85;1275;Typ 22  500/1000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableCsv, NoCalculatedEntryGivesTheHeadingAlone) {
    ProgramState s;
    s.LfNr = 1;
    EXPECT_EQ(TableCsv(s), kBom + kHeading);
}

TEST(TableCsv, SameRowsAsTheReportAndNoTotals) {
    ProgramState s;
    s.LfNr = 71;
    for (int n = 1; n <= 70; ++n) {
        s.table.at(n) = Radiator(std::to_string(n), "Raum", "T");
    }
    s.table.at(35).QRaum = 0;
    const std::string csv = TableCsv(s);
    std::size_t lines = 0;
    for (std::size_t pos = 0; (pos = csv.find("\r\n", pos)) != std::string::npos; pos += 2) {
        ++lines;
    }
    EXPECT_EQ(lines, 1u + 69u);
    EXPECT_EQ(csv.find("\r\n35;"), std::string::npos);
    EXPECT_NE(csv.find("\r\n70;70;Raum;"), std::string::npos);
    EXPECT_EQ(csv.find('\n'), csv.find("\r\n") + 1); // no bare LF anywhere before
    EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
}

class CsvCommand : public ::testing::Test, protected FileCommandRig {};

TEST_F(CsvCommand, ProposesTheProjectNumberAndWritesTheTable) {
    dialogs.answer = dir / "tabelle.csv";
    ProgramState s;
    s.header[ProjectHeader::ProjektNr] = "2024/117";
    s.LfNr = 2;
    s.table.at(1) = Radiator("1", "Bad", "T");
    const ProgramState before = s;

    EXPECT_EQ(mnuItemCsv_Click(s, dialogs, messages), ExportOutcome::Written);

    EXPECT_EQ(dialogs.last().title, "Projekt 2024_117.csv");
    EXPECT_EQ(dialogs.last().filters,
              std::vector<FileFilter>{(FileFilter{"CSV-Dateien (*.csv)", "*.csv"})});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Slurp(dir / "tabelle.csv"), TableCsv(s));
    EXPECT_EQ(s, before);
}

TEST_F(CsvCommand, FullDiskLeavesNoFile) {
    dialogs.answer = dir / "tabelle.csv";
    FailingFileOps files;
    files.failAt = Step::Write;
    files.err = ENOSPC;
    ProgramState s;
    s.LfNr = 1;
    s.table.at(1) = Radiator("1", "Bad", "T");

    EXPECT_EQ(mnuItemCsv_Click(s, dialogs, messages, files), ExportOutcome::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(dir / "tabelle.csv"), std::string::npos);
    EXPECT_TRUE(dir.names().empty());
}

} // namespace
} // namespace hk::test
