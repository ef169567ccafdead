#include "support/fakes.h"
#include "support/saved_bytes.h"
#include "support/system_calls.h"
#include "support/table_cases.h"

#include "project/project_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace hk::test {
namespace {

namespace fs = std::filesystem;

ProgramState SomeProject(std::string name, std::string listing) {
    ProgramState s;
    s.header[ProjectHeader::ProjektNr] = std::move(name);
    s.header[ProjectHeader::BauherrName] = "Jäger, \"Sen.\"";
    s.LfNr = 2;
    s.dNorm = 60;
    s.table.at(1) = {90,
                     70,
                     "1.01",
                     "Wohnen, groß",
                     20,
                     1500,
                     1.3f,
                     60,
                     1,
                     1500,
                     "Bank- Radiator              "};
    s.table.at(2).dVorl = 90;
    s.ListingText = std::move(listing);
    return s;
}

ProgramState Old() { return SomeProject("altes Projekt", "alte Liste\r\n"); }

// Open files of this process: Linux lists them in /proc, Windows counts the
// process's handles.
std::size_t OpenFiles() {
#ifdef _WIN32
    DWORD count = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &count);
    return count;
#else
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
#endif
}

constexpr const char* kNoNotDirOnWindows =
    "Windows has no error of its own for a file standing where a folder should";
constexpr const char* kNoDevicesOnWindows = "/dev/zero and named pipes in folders are Linux's";

// ---------------------------------------------------------------- saving

class SaveCommand : public ::testing::Test, protected FileCommandRig {};

TEST_F(SaveCommand, WritesTheWholeFileThroughTheSaveDialog) {
    dialogs.answer = dir / "projekt.txt";
    const ProgramState project = SomeProject("P1", "Liste\r\n");
    const ProgramState copy = project;

    mnuItemSave_Click(project, dialogs, messages);

    EXPECT_EQ(dialogs.calls(FakeFileDialogs::Kind::Save), 1);
    EXPECT_EQ(dialogs.last().filters, (std::vector<FileFilter>{{"Textdateien(*.Txt)", "*.TXT"},
                                                               {"Dateien(*.DAT)", "*.DAT"}}));
    EXPECT_EQ(dialogs.last().title, "") << "a project never saved has no file to propose";
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Slurp(dir / "projekt.txt"), SavedBytes(project));
    EXPECT_EQ(dir.names(), std::set<std::string>{"projekt.txt"});
    EXPECT_EQ(project, copy);
}

TEST_F(SaveCommand, CancelledDialogWritesNothing) {
    // no answer: answer stays empty
    mnuItemSave_Click(Old(), dialogs, messages);
    EXPECT_EQ(dialogs.calls(FakeFileDialogs::Kind::Save), 1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(dir.names().empty());
}

TEST_F(SaveCommand, ReplacesAnOldFileKeepingItsPermissionsAndLinks) {
    Spit(dir / "echt.txt", "ALTE DATEI");
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need extra rights on Windows, and its mode bits are only "
                    "the read-only attribute";
#endif
    ::chmod((dir / "echt.txt").c_str(), 0640);
    fs::create_symlink(dir / "echt.txt", dir / "verweis.txt");
    dialogs.answer = dir / "verweis.txt";

    mnuItemSave_Click(Old(), dialogs, messages);

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Slurp(dir / "echt.txt"), SavedBytes(Old()));
    EXPECT_TRUE(fs::is_symlink(dir / "verweis.txt"));
    EXPECT_EQ(fs::status(dir / "echt.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(dir.names(), (std::set<std::string>{"echt.txt", "verweis.txt"}));
}

using BeforeTheDialog = SpoiltProject;

class RefusedBeforeTheDialogTest : public ::testing::TestWithParam<BeforeTheDialog>,
                                   protected FileCommandRig {};

// A text the file cannot carry, or a project too large for the loader (two
// loads of a 9 MB project): said before the dialog, and nothing is written.
TEST_P(RefusedBeforeTheDialogTest, NothingIsWritten) {
    ProgramState project = Old();
    GetParam().spoil(project);
    dialogs.answer = dir / "projekt.txt";

    mnuItemSave_Click(project, dialogs, messages);

    EXPECT_EQ(dialogs.calls(FakeFileDialogs::Kind::Save), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Datei nicht gespeichert");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(Contains(messages.shown[0].text, GetParam().says)) << messages.shown[0].text;
    EXPECT_TRUE(dir.names().empty());
}

INSTANTIATE_TEST_SUITE_P(
    SaveCommand, RefusedBeforeTheDialogTest,
    ::testing::Values(BeforeTheDialog{"TextTheFileCannotCarry",
                                      [](ProgramState& p) { p.header[ProjectHeader::Datum] = "✓"; },
                                      "„Datum“ der Projektdaten enthält das Zeichen „✓“ (U+2713), "
                                      "das eine "
                                      "Projektdatei nicht aufnehmen kann.\nBitte ändern Sie den "
                                      "Text."},
                      BeforeTheDialog{"BeyondTheLoadLimit",
                                      [](ProgramState& p) {
                                          const std::string nine =
                                              std::string(9'000'000, 'x') + "\r\n";
                                          p.ListingText = nine + "\r\n" + nine + "\r\n";
                                      },
                                      "höchstens 16.777.216 Bytes (16 MB) und könnte sie nicht "
                                      "wieder laden.\nDie Ergebnisliste wächst mit jeder "
                                      "Berechnung und jedem Laden. Bitte beginnen Sie für die "
                                      "weiteren Heizkörper ein neues Projekt."}),
    [](const auto& i) { return std::string(i.param.name); });

// "Projekt Nr." pasted from a mail, then "Weiter", calculate, Ctrl+S: the
// project is saved, the line break as a blank, and a message says so.
TEST_F(SaveCommand, LineBreakIsSavedAsABlankWithANote) {
    ProgramState project = Old();
    project.header[ProjectHeader::ProjektNr] = "P-17\r\n";
    project.table.at(1).RaumVer = "Bad\r\noben";
    dialogs.answer = dir / "projekt.txt";

    mnuItemSave_Click(project, dialogs, messages);

    EXPECT_EQ(dialogs.calls(FakeFileDialogs::Kind::Save), 1);
    const std::string file = Slurp(dir / "projekt.txt");
    EXPECT_TRUE(file.starts_with("P-17 \r\n")) << file.substr(0, 20);
    EXPECT_TRUE(Contains(file, ",\"Bad oben\","));
    ASSERT_EQ(messages.shown.size(), 1u);
    const Message& m = messages.shown[0];
    EXPECT_EQ(m.title, "Datei gespeichert");
    EXPECT_EQ(m.icon, MsgIcon::Information);
    EXPECT_TRUE(Contains(m.text, dir / "projekt.txt")) << m.text;
    EXPECT_TRUE(Contains(m.text, "„Projekt-Nr.“ der Projektdaten enthielt einen Zeilenumbruch; er "
                                 "wurde als Leerzeichen gespeichert."))
        << m.text;
    EXPECT_TRUE(Contains(m.text, "Die Raum-Verwendung von Heizkörper 1 enthielt")) << m.text;
}

struct SaveFailure {
    const char* name;
    std::string target; // inside the folder unless absolute
    Step failAt;
    int err;
    std::function<void(const TempFolder&)> prepare;
    const char* says;
    const char* linuxOnly = nullptr; // why the row is skipped on Windows
};

// A table of a file command's failures; a row that names why it holds on
// Linux only is skipped elsewhere.
template <class Row>
class FailureTable : public ::testing::TestWithParam<Row>, protected FileCommandRig {
protected:
    void SetUp() override {
#ifdef _WIN32
        if (const char* why = this->GetParam().linuxOnly) {
            GTEST_SKIP() << why;
        }
#endif
    }
};

class SaveFailureTest : public FailureTable<SaveFailure> {};

// Runs as root, where permission bits do not stop writing: a folder without
// write permission is simulated by a failing create; a read-only target is a
// real file without write bits, which the save itself respects.
TEST_P(SaveFailureTest, ReportsAndLeavesTheOldFileAndNoStrayFile) {
    const SaveFailure& c = GetParam();
    Spit(dir / "projekt.txt", "ALTE DATEI");
    if (c.prepare) {
        c.prepare(dir);
    }
    const auto before = dir.names();
    const std::size_t open = OpenFiles();
    FailingFileOps files;
    files.failAt = c.failAt;
    files.err = c.err;
    dialogs.answer = c.target.starts_with('/') ? c.target : dir / c.target;

    mnuItemSave_Click(SomeProject("neu", "neue Liste\r\n"), dialogs, messages, files);

    ASSERT_EQ(messages.shown.size(), 1u);
    const Message& m = messages.shown[0];
    EXPECT_EQ(m.title, "Datei nicht gespeichert");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_TRUE(Contains(m.text, dialogs.answer)) << m.text;
    EXPECT_TRUE(Contains(m.text, c.says)) << m.text;
    EXPECT_TRUE(Contains(m.text, "unverändert")) << m.text;
    EXPECT_EQ(Slurp(dir / "projekt.txt"), "ALTE DATEI");
    EXPECT_EQ(dir.names(), before);
    EXPECT_EQ(OpenFiles(), open);
}

void Chmod(const TempFolder& d, const char* name, unsigned mode) {
    fs::permissions(PathOf(d / name), static_cast<fs::perms>(mode)); // Windows: read-only or not
}

INSTANTIATE_TEST_SUITE_P(
    SaveCommand, SaveFailureTest,
    ::testing::Values(
        SaveFailure{"MissingFolder",
                    "fehlt/projekt.txt",
                    Step::None,
                    0,
                    {},
                    "Der Ordner ist nicht vorhanden"},
        SaveFailure{"UnderARegularFile",
                    "projekt.txt/neu.txt",
                    Step::None,
                    0,
                    {},
                    "kein Ordner",
                    kNoNotDirOnWindows},
        SaveFailure{"UnderEtcPasswd",
                    "/etc/passwd/projekt.txt",
                    Step::None,
                    0,
                    {},
                    "kein Ordner",
                    kNoNotDirOnWindows},
        SaveFailure{"ReadOnlyTarget", "projekt.txt", Step::None, 0,
                    [](const TempFolder& d) { Chmod(d, "projekt.txt", 0444); }, "schreibgeschützt"},
        SaveFailure{"TargetIsAFolder", "ordner", Step::None, 0,
                    [](const TempFolder& d) { fs::create_directory(d / "ordner"); }, "Ordner"},
        SaveFailure{"NameTooLong", std::string(300, 'x') + ".txt", Step::None, 0, {}, "zu lang"},
        SaveFailure{"NameEndsWithSlash", "projekt.txt/", Step::None, 0, {}, "ungültig"},
        SaveFailure{"FolderNotWritable",
                    "projekt.txt",
                    Step::Create,
                    EACCES,
                    {},
                    "Keine Schreibberechtigung"},
        SaveFailure{"ReadOnlyDisk",
                    "projekt.txt",
                    Step::Create,
                    EROFS,
                    {},
                    "Datenträger ist schreibgeschützt"},
        SaveFailure{
            "DiskFullMidway", "projekt.txt", Step::Write, ENOSPC, {}, "Datenträger ist voll"},
        SaveFailure{"WriteMakesNoProgress",
                    "projekt.txt",
                    Step::WriteNothing,
                    0,
                    {},
                    "Fehler beim Schreiben"},
        SaveFailure{"FlushFails", "projekt.txt", Step::Flush, EIO, {}, "Fehler beim Schreiben"},
        SaveFailure{"CloseFailsQuota", "projekt.txt", Step::Close, kErrQuota, {}, "voll"},
        SaveFailure{"RenameFails", "projekt.txt", Step::Rename, EXDEV, {}, "Fehler Nr. 18"},
        SaveFailure{"RenameFailsFileInUse",
                    "projekt.txt",
                    Step::Rename,
                    EBUSY,
                    {},
                    "von einem anderen Programm benutzt"},
        SaveFailure{"InspectFails", "projekt.txt", Step::Inspect, EIO, {}, "Fehler beim"}),
    [](const auto& i) { return std::string(i.param.name); });

// ---------------------------------------------------------------- loading

class LoadCommand : public ::testing::Test, protected FileCommandRig {};

TEST_F(LoadCommand, LoadsWithTheOpenDialogUnderTheHourglass) {
    const ProgramState saved = SomeProject("gespeichert", "gespeicherte Liste\r\n");
    Spit(dir / "projekt.DAT", SavedBytes(saved));
    dialogs.answer = dir / "projekt.DAT";
    FakeBusy busy;
    FailingFileOps files;
    files.watchBusy = &busy;
    ProgramState state = Old();

    EXPECT_EQ(mnuItemOpen_Click(state, dialogs, busy, messages, files), LoadOutcome::Loaded);

    EXPECT_EQ(dialogs.last().title, "Datei wird geöffnet");
    EXPECT_EQ(dialogs.last().filters, (std::vector<FileFilter>{{"Textdateien(*.TXT)", "*.TXT"},
                                                               {"Dateien(*.Dat)", "*.DAT"}}));
    EXPECT_TRUE(files.readWhileBusy);
    EXPECT_EQ(busy.changes, (std::vector<bool>{true, false}));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(state.header, saved.header);
    EXPECT_EQ(state.table.at(1), saved.table.at(1));
    EXPECT_EQ(state.ListingText, "alte Liste\r\ngespeicherte Liste\r\n\r\n");

    // A second file in the same run: its listing follows the first one's.
    Spit(dir / "zwei.txt", SavedBytes(SomeProject("zwei", "zweite Liste\r\n")));
    dialogs.answer = dir / "zwei.txt";
    EXPECT_EQ(mnuItemOpen_Click(state, dialogs, busy, messages, files), LoadOutcome::Loaded);
    EXPECT_EQ(state.ListingText, "alte Liste\r\ngespeicherte Liste\r\n\r\nzweite Liste\r\n\r\n");
    EXPECT_EQ(state.header[1], "zwei");

    // Saving it again: the dialog proposes the file it came from.
    dialogs.answer.clear();
    EXPECT_EQ(mnuItemSave_Click(state, dialogs, messages, files), "");
    EXPECT_EQ(dialogs.last().kind, FakeFileDialogs::Kind::Save);
    EXPECT_EQ(dialogs.last().title, dir / "zwei.txt");
}

TEST_F(LoadCommand, CancelledDialogReadsNothing) {
    FakeBusy busy;
    ProgramState state = Old();
    EXPECT_EQ(mnuItemOpen_Click(state, dialogs, busy, messages), LoadOutcome::NoFileChosen);
    EXPECT_EQ(dialogs.calls(FakeFileDialogs::Kind::Open), 1);
    EXPECT_EQ(state, Old());
    EXPECT_TRUE(busy.changes.empty());
    EXPECT_TRUE(messages.shown.empty());
}

std::string NamedPipe(const TempFolder& d) {
#ifndef _WIN32
    ::mkfifo((d / "rohr").c_str(), 0600);
#endif
    return d / "rohr";
}

struct LoadFailure {
    const char* name;
    std::function<std::string(const TempFolder&)> prepare; // gives the chosen name
    MsgIcon icon;
    const char* says;
    const char* linuxOnly = nullptr; // why the row is skipped on Windows
};

class LoadFailureTest : public FailureTable<LoadFailure> {};

TEST_P(LoadFailureTest, RefusedWithTheStateAsItWasAndNoFileOpen) {
    const LoadFailure& c = GetParam();
    dialogs.answer = c.prepare(dir);
    FakeBusy busy;
    messages.watchBusy = &busy;
    ProgramState state = Old();
    const std::size_t open = OpenFiles();

    EXPECT_EQ(mnuItemOpen_Click(state, dialogs, busy, messages), LoadOutcome::Refused);

    EXPECT_EQ(state, Old());
    EXPECT_EQ(OpenFiles(), open);
    EXPECT_EQ(busy.changes, (std::vector<bool>{true, false}));
    EXPECT_FALSE(messages.busyWhileShown);
    ASSERT_EQ(messages.shown.size(), 1u);
    const Message& m = messages.shown[0];
    EXPECT_EQ(m.title, "Datei nicht geladen");
    EXPECT_EQ(m.icon, c.icon);
    EXPECT_TRUE(Contains(m.text, dialogs.answer)) << m.text;
    EXPECT_TRUE(Contains(m.text, c.says)) << m.text;
}

INSTANTIATE_TEST_SUITE_P(
    LoadCommand, LoadFailureTest,
    ::testing::Values(LoadFailure{"MissingFile",
                                  [](const TempFolder& d) { return d / "fehlt.txt"; },
                                  MsgIcon::Critical, "Die Datei ist nicht vorhanden"},
                      LoadFailure{"AFolder", [](const TempFolder& d) { return d / "."; },
                                  MsgIcon::Critical, "Ordner"},
                      LoadFailure{"DeviceThatNeverEnds",
                                  [](const TempFolder&) { return std::string("/dev/zero"); },
                                  MsgIcon::Critical, "keine gewöhnliche Datei",
                                  kNoDevicesOnWindows},
                      LoadFailure{"NamedPipe", NamedPipe, MsgIcon::Critical,
                                  "keine gewöhnliche Datei", kNoDevicesOnWindows},
                      LoadFailure{"LargerThanAnyProject",
                                  [](const TempFolder& d) {
                                      Spit(d / "gross.txt", "");
                                      fs::resize_file(d / "gross.txt", kMaxProjectFileBytes + 1);
                                      return d / "gross.txt";
                                  },
                                  MsgIcon::Critical, "größer als 16 MB"},
                      LoadFailure{"CounterZero",
                                  [](const TempFolder& d) {
                                      std::string f = SavedBytes(Old());
                                      f.replace(f.find("2,60\r\n"), 4, "0,60");
                                      Spit(d / "null.txt", f);
                                      return d / "null.txt";
                                  },
                                  MsgIcon::Exclamation, "Zeile 12: Die Zahl der Heizkörper ist 0"},
                      LoadFailure{"CutAfterFiveLines",
                                  [](const TempFolder& d) {
                                      Spit(d / "kurz.txt", "a\r\nb\r\nc\r\nd\r\ne\r\n");
                                      return d / "kurz.txt";
                                  },
                                  MsgIcon::Exclamation, "Zeile 6: Die Datei endet vorzeitig"}),
    [](const auto& i) { return std::string(i.param.name); });

} // namespace
} // namespace hk::test
