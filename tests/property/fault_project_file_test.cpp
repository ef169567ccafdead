// Faults of the project file on the real file system and with the bytes the
// code page leaves to chance, beyond the reader's and writer's own tests:
// places where even the superuser cannot save, the ten-megabyte file through
// the load command, every byte 0x80 to 0x9F, and double quotes through both
// commands. The rows are the file part of docs/faults.md.

#include "common/text.h"
#include "project/file_commands.h"
#include "project/project_file.h"
#include "support/calc_driver.h"
#include "support/fakes.h"
#include "support/file_lines.h"
#include "support/saved_bytes.h"
#include "support/state_compare.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <sys/stat.h>

namespace hk {
namespace {

namespace fs = std::filesystem;

using test::Contains;
using test::SavedBytes;

// A state that a load must not touch when it refuses the file.
ProgramState Before() {
    test::CalcDriver calc;
    calc.state.header[1] = "vorher";
    calc.calculate(test::RadiatorTexts{});
    return calc.state;
}

// ---------------------------------------------------------------- saving

// What kernel folders, full devices and read-only disks answer, made by the
// injected file operations or by a special file in a folder of the test's
// own, so that no row depends on the special folders of the machine.
struct Place {
    const char* name;
    test::Step failAt; // Step::None: the target is a named pipe
    int err;
    const char* says;
};

class SaveWhereNothingCanBeWritten : public ::testing::TestWithParam<Place> {};

TEST_P(SaveWhereNothingCanBeWritten, ReportsAndCreatesNothing) {
    test::TempFolder dir;
    const std::string path = dir / "hkberech-projekt.txt";
    const bool pipe = GetParam().failAt == test::Step::None;
    if (pipe) {
#ifdef _WIN32
        GTEST_SKIP() << "named pipes in folders are Linux's";
#else
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
#endif
    }
    test::FailingFileOps files;
    files.failAt = GetParam().failAt;
    files.err = GetParam().err;
    test::FakeFileDialogs dialogs;
    dialogs.answer = path;
    test::MessageLog messages;

    mnuItemSave_Click(Before(), dialogs, messages, files);

    ASSERT_EQ(messages.shown.size(), 1u);
    const Message& m = messages.shown[0];
    EXPECT_EQ(m.title, "Datei nicht gespeichert");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_TRUE(Contains(m.text, path)) << m.text;
    EXPECT_TRUE(Contains(m.text, GetParam().says)) << m.text;
    EXPECT_TRUE(Contains(m.text, "unverändert")) << m.text;
    if (pipe) {
        EXPECT_EQ(fs::status(path).type(), fs::file_type::fifo);
        EXPECT_EQ(dir.names(), std::set<std::string>{"hkberech-projekt.txt"});
    } else {
        EXPECT_TRUE(dir.names().empty()); // neither the file nor a temporary one
    }
}

INSTANTIATE_TEST_SUITE_P(
    InjectedFileSystem, SaveWhereNothingCanBeWritten,
    ::testing::Values(
        Place{"KernelFolderRefusesNewFiles", test::Step::Create, EACCES,
              "Keine Schreibberechtigung"},
        Place{"ReadOnlyDisk", test::Step::Create, EROFS, "schreibgeschützt"},
        Place{"NoSuchFolder", test::Step::Create, ENOENT, "Der Ordner ist nicht vorhanden"},
        Place{"DeviceThatIsAlwaysFull", test::Step::Write, ENOSPC, "Der Datenträger ist voll"},
        Place{"FullWhenFlushed", test::Step::Flush, ENOSPC, "Der Datenträger ist voll"},
        Place{"NamedPipeIsNeverReplaced", test::Step::None, 0, "keine gewöhnliche Datei"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- loading

std::string TenMegabyteListing() {
    test::CalcDriver calc;
    for (int n = 1; n <= 3; ++n) {
        calc.calculate(test::RadiatorTexts{});
        calc.pressNaechster();
    }
    return test::WithListingGrown(SavedBytes(calc.state), ListingLine(calc.state.table, 1),
                                  10'000'000);
}

struct BigFile {
    const char* name;
    std::string (*make)();
    bool loads;
};

class TenMegabytesThroughTheLoadCommand : public ::testing::TestWithParam<BigFile> {};

TEST_P(TenMegabytesThroughTheLoadCommand, LoadsOrRefusesWhole) {
    test::TempFolder dir;
    const std::string file = GetParam().make();
    test::Spit(dir / "gross.txt", file);
    test::FakeFileDialogs dialogs;
    dialogs.answer = dir / "gross.txt";
    test::FakeBusy busy;
    test::MessageLog messages;
    ProgramState s = Before();

    const LoadOutcome outcome = mnuItemOpen_Click(s, dialogs, busy, messages);

    EXPECT_FALSE(busy.busy);
    if (GetParam().loads) {
        EXPECT_EQ(outcome, LoadOutcome::Loaded);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(s.LfNr, 4);
        EXPECT_GT(s.ListingText.size(), 9'900'000u);
    } else {
        EXPECT_EQ(outcome, LoadOutcome::Refused);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, "Datei nicht geladen");
        EXPECT_TRUE(Contains(messages.shown[0].text, "Es wurde nichts geladen"))
            << messages.shown[0].text;
        EXPECT_TRUE(test::SameState(s, Before()));
    }
}

INSTANTIATE_TEST_SUITE_P(RealFileSystem, TenMegabytesThroughTheLoadCommand,
                         ::testing::Values(BigFile{"LongListingLoads", TenMegabyteListing, true},
                                           BigFile{"BinaryIsRefused",
                                                   [] {
                                                       std::string f(10'000'000, '\0');
                                                       unsigned x = 4711;
                                                       for (char& c : f) {
                                                           x = x * 1103515245u + 12345u;
                                                           c = static_cast<char>(x >> 16);
                                                       }
                                                       return f;
                                                   },
                                                   false},
                                           BigFile{"OneLineWithoutEndIsRefused",
                                                   [] { return std::string(10'000'000, '7'); },
                                                   false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The writer and the reader share one size limit: a project whose file is
// exactly at the limit is saved and loads back through both commands; one
// byte more is refused before the dialog, and nothing is written.
class AtTheSizeLimit : public ::testing::TestWithParam<std::size_t> {};

TEST_P(AtTheSizeLimit, SavedOnlyWhenItLoadsBack) {
    const std::size_t size = GetParam();
    ProgramState project = Before();
    const std::size_t rest = SavedBytes(project).size();
    project.ListingText += std::string(size - rest - 2, 'x') + "\r\n";
    test::TempFolder dir;
    test::FakeFileDialogs dialogs;
    dialogs.answer = dir / "gross.txt";
    test::MessageLog messages;

    mnuItemSave_Click(project, dialogs, messages);

    if (size > kMaxProjectFileBytes) {
        EXPECT_EQ(dialogs.calls(test::FakeFileDialogs::Kind::Save), 0);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, "Datei nicht gespeichert");
        EXPECT_TRUE(dir.names().empty());
        return;
    }
    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].text;
    EXPECT_EQ(fs::file_size(dir / "gross.txt"), size);
    ProgramState loaded;
    test::FakeBusy busy;
    ASSERT_EQ(mnuItemOpen_Click(loaded, dialogs, busy, messages), LoadOutcome::Loaded)
        << messages.shown[0].text;
    EXPECT_EQ(loaded.ListingText, project.ListingText + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(RealFileSystem, AtTheSizeLimit,
                         ::testing::Values(kMaxProjectFileBytes, kMaxProjectFileBytes + 1),
                         [](const auto& info) {
                             return info.param == kMaxProjectFileBytes ? "ExactlyTheLimit"
                                                                       : "OneByteMore";
                         });

// Bytes 0x80 to 0x9F: the euro sign, curved quotes and dashes, and the five
// bytes the code page leaves undefined. Each must come back as itself.
TEST(CodePageBytes, EveryByte80To9FLoadsAndSavesAsItself) {
    std::string high;
    for (int b = 0x80; b <= 0x9F; ++b) {
        high += static_cast<char>(b);
    }
    std::string file;
    for (int f = 1; f <= ProjectHeader::kFieldCount; ++f) {
        file += (f == 1 || f == 11 ? high : "Kopf") + std::string("\r\n");
    }
    file += "1,60\r\n";
    file += "1,90,70,\"" + high + "\",\"" + high + "\",20,1500,1.3,60,1,1500,\"" + high + "\"\r\n";
    file += high + "\r\n\r\n";

    ProgramState s;
    ASSERT_TRUE(ReadProjectFile(file, s));
    EXPECT_EQ(s.header[1], Cp1252ToUtf8(high));
    EXPECT_EQ(s.table.at(1).RaumVer, Cp1252ToUtf8(high));
    EXPECT_EQ(SavedBytes(s), file + "\r\n"); // the listing's closing line once more
}

// A double quote inside a text, through the save and the load command and a
// real file: it comes back as typed.
TEST(QuotesInTexts, SurviveBothCommands) {
    test::CalcDriver calc;
    calc.state.header[1] = "Projekt \"Nord\", Teil 2";
    calc.state.header[4] = "\"";
    test::RadiatorTexts t;
    t.RaumVer = "\"Bad\", WC\"";
    calc.calculate(t);
    ASSERT_TRUE(calc.screen.messages.empty());

    test::TempFolder dir;
    test::FakeFileDialogs dialogs;
    dialogs.answer = dir / "anf.txt";
    test::MessageLog messages;
    mnuItemSave_Click(calc.state, dialogs, messages);
    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].text;

    ProgramState loaded;
    test::FakeBusy busy;
    ASSERT_EQ(mnuItemOpen_Click(loaded, dialogs, busy, messages), LoadOutcome::Loaded);
    EXPECT_EQ(loaded.header, calc.state.header);
    EXPECT_TRUE(test::SameEntry(loaded.table.at(1), calc.state.table.at(1)));
    EXPECT_EQ(loaded.ListingText, calc.state.ListingText + "\r\n");
}

} // namespace
} // namespace hk
