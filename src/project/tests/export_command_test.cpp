#include "support/fakes.h"

#include "common/text.h"
#include "project/export_command.h"

#include <gtest/gtest.h>

namespace hk::test {
namespace {

// The text s n times over.
std::string Repeat(std::string_view s, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        out += s;
    }
    return out;
}

const FileFilter kPdf{"PDF-Dateien (*.pdf)", "*.pdf"};

ExportContent Bytes(std::string bytes, int* calls = nullptr) {
    return [bytes = std::move(bytes), calls]() -> Result<std::string> {
        if (calls != nullptr) {
            ++*calls;
        }
        return bytes;
    };
}

class ExportCommand : public ::testing::Test, protected FileCommandRig {};

TEST_F(ExportCommand, AsksWithTheProposedNameAndTheOneFilter) {
    dialogs.answer = dir / "bericht.pdf";

    EXPECT_EQ(ExportFile(dialogs, messages, "Projekt 7.pdf", kPdf, Bytes("%PDF-1.4 body")),
              ExportOutcome::Written);

    EXPECT_EQ(dialogs.calls(FakeFileDialogs::Kind::Export), 1);
    EXPECT_EQ(
        dialogs.calls(FakeFileDialogs::Kind::Save) + dialogs.calls(FakeFileDialogs::Kind::Open), 0);
    EXPECT_EQ(dialogs.last().title, "Projekt 7.pdf");
    EXPECT_EQ(dialogs.last().filters, std::vector<FileFilter>{kPdf});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Slurp(dir / "bericht.pdf"), "%PDF-1.4 body");
    EXPECT_EQ(dir.names(), std::set<std::string>{"bericht.pdf"});
}

TEST_F(ExportCommand, CancelMakesAndWritesNothing) {
    // no answer: the user cancels
    int made = 0;

    EXPECT_EQ(ExportFile(dialogs, messages, "Projekt.csv", kPdf, Bytes("x", &made)),
              ExportOutcome::Cancelled);

    EXPECT_EQ(made, 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(dir.names().empty());
}

TEST_F(ExportCommand, ReplacesAnOlderFileWhole) {
    Spit(dir / "t.csv", std::string(5000, 'a'));
    dialogs.answer = dir / "t.csv";

    EXPECT_EQ(ExportFile(dialogs, messages, "Projekt.csv", kPdf, Bytes("kurz")),
              ExportOutcome::Written);
    EXPECT_EQ(Slurp(dir / "t.csv"), "kurz");
}

TEST_F(ExportCommand, ContentThatCannotBeMadeWritesNothingAndSaysWhy) {
    Spit(dir / "alt.pdf", "alter Bericht");
    dialogs.answer = dir / "alt.pdf";
    const ExportContent broken = []() -> Result<std::string> {
        return Problem{"Der Bericht konnte nicht erstellt werden"};
    };

    EXPECT_EQ(ExportFile(dialogs, messages, "Projekt.pdf", kPdf, broken), ExportOutcome::Failed);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Datei nicht gespeichert");
    EXPECT_TRUE(Contains(messages.shown[0].text, dir / "alt.pdf"));
    EXPECT_TRUE(Contains(messages.shown[0].text, "Der Bericht konnte nicht erstellt werden."));
    EXPECT_EQ(Slurp(dir / "alt.pdf"), "alter Bericht");
    EXPECT_EQ(dir.names(), std::set<std::string>{"alt.pdf"});
}

struct FailureCase {
    const char* name;
    Step step;
    int err;
    const char* reason;
};

class ExportFailure : public ::testing::TestWithParam<FailureCase>, protected FileCommandRig {};

TEST_P(ExportFailure, NamesTheFileAndLeavesNoPartOfIt) {
    Spit(dir / "bericht.pdf", "alter Bericht");
    dialogs.answer = dir / "bericht.pdf";
    FailingFileOps files;
    files.failAt = GetParam().step;
    files.err = GetParam().err;

    EXPECT_EQ(
        ExportFile(dialogs, messages, "Projekt.pdf", kPdf, Bytes(std::string(100000, 'x')), files),
        ExportOutcome::Failed);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(Contains(messages.shown[0].text, "Die Datei\n" + (dir / "bericht.pdf") + "\n"));
    EXPECT_TRUE(Contains(messages.shown[0].text, GetParam().reason));
    EXPECT_EQ(Slurp(dir / "bericht.pdf"), "alter Bericht");
    EXPECT_EQ(dir.names(), std::set<std::string>{"bericht.pdf"});
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ExportFailure,
    ::testing::Values(
        FailureCase{"FolderNotWritable", Step::Create, EACCES,
                    "Keine Schreibberechtigung für diesen Ordner"},
        FailureCase{"DiskFullWhileWriting", Step::Write, ENOSPC, "Der Datenträger ist voll"},
        FailureCase{"NothingWritten", Step::WriteNothing, 0,
                    "Fehler beim Schreiben auf den Datenträger"},
        FailureCase{"FlushFails", Step::Flush, EIO, "Fehler beim Schreiben auf den Datenträger"},
        FailureCase{"RenameFails", Step::Rename, EROFS, "Der Datenträger ist schreibgeschützt"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExportCommand, MissingFolderIsReported) {
    dialogs.answer = dir / "fehlt/bericht.pdf";

    EXPECT_EQ(ExportFile(dialogs, messages, "Projekt.pdf", kPdf, Bytes("x")),
              ExportOutcome::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(Contains(messages.shown[0].text, "Der Ordner ist nicht vorhanden"));
    EXPECT_TRUE(dir.names().empty());
}

struct NameCase {
    const char* name;
    std::string projektNr;
    std::string extension;
    std::string proposed;
};

class ProposedName : public ::testing::TestWithParam<NameCase> {};

TEST_P(ProposedName, FollowsTheProjectNumber) {
    EXPECT_EQ(ProposedFileName(GetParam().projektNr, GetParam().extension), GetParam().proposed);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ProposedName,
    ::testing::Values(
        NameCase{"Plain", "2024-117", "pdf", "Projekt 2024-117.pdf"},
        NameCase{"Csv", "2024-117", "csv", "Projekt 2024-117.csv"},
        NameCase{"EmptyNumber", "", "pdf", "Projekt.pdf"},
        NameCase{"BlanksOnly", "   ", "csv", "Projekt.csv"},
        NameCase{"BlanksAroundDropped", "  P 7  ", "pdf", "Projekt P 7.pdf"},
        NameCase{"InnerBlanksKept", "A  B", "pdf", "Projekt A  B.pdf"},
        NameCase{"Slash", "2024/117", "pdf", "Projekt 2024_117.pdf"},
        NameCase{"Backslash", "a\\b", "pdf", "Projekt a_b.pdf"},
        NameCase{"EveryRefusedCharacter", "/\\:*?\"<>|", "pdf", "Projekt _________.pdf"},
        NameCase{"ControlCharacters",
                 "a\tb\x7F"
                 "c",
                 "pdf", "Projekt a_b_c.pdf"},
        NameCase{"UmlautsKept", "Müller-Straße", "pdf", "Projekt Müller-Straße.pdf"},
        NameCase{"DotsKept", "1.2.", "pdf", "Projekt 1.2..pdf"},
        NameCase{"LongNumberCut", std::string(150, '9'), "pdf",
                 "Projekt " + std::string(100, '9') + ".pdf"},
        NameCase{"CutCountsCharactersNotBytes", std::string(60, 'a') + Repeat("ä", 60), "pdf",
                 "Projekt " + std::string(60, 'a') + Repeat("ä", 40) + ".pdf"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace hk::test
