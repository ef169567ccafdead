// The safe replace on the real file system: who may write a file, what the
// replaced file keeps, and what a save that is killed leaves behind.

#include "support/fakes.h"
#include "support/system_calls.h"

#include "project/file_ops.h"
#include "support/table_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace hk::test {
namespace {

namespace fs = std::filesystem;

// A process number that no system hands out: Linux stops below 2^22, and
// Windows numbers are multiples of four.
constexpr long long kNoSuchProcess = 99999999;

// ---------------------------------------------------------------- folder of a path

using FolderCase = TextCase; // path, its folder

class FolderOfTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(FolderOfTest, GivesTheFolderTheTemporaryFileGoesTo) {
    EXPECT_EQ(FolderOf(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(AnySystem, FolderOfTest,
                         ::testing::Values(FolderCase{"BareName", "projekt.txt", "."},
                                           FolderCase{"RelativeFolder", "a/projekt.txt", "a"},
                                           FolderCase{"TwoFolders", "a/b/projekt.txt", "a/b"},
                                           FolderCase{"UmlautsInFolder", "Bäder/Prüfung.txt",
                                                      "Bäder"},
                                           FolderCase{"DotFolder", "./projekt.txt", "."}),
                         [](const auto& i) { return std::string(i.param.name); });

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    Windows, FolderOfTest,
    ::testing::Values(FolderCase{"DriveFolder", "C:\\Projekte\\p.txt", "C:\\Projekte"},
                      FolderCase{"DriveRoot", "C:\\p.txt", "C:\\"},
                      FolderCase{"CurrentFolderOfDrive", "C:p.txt", "C:"},
                      FolderCase{"Backslashes", "a\\b\\p.txt", "a\\b"},
                      FolderCase{"MixedSlashes", "C:/Projekte\\p.txt", "C:/Projekte"},
                      FolderCase{"Share", "\\\\server\\teil\\p.txt", "\\\\server\\teil"}),
    [](const auto& i) { return std::string(i.param.name); });
#else
INSTANTIATE_TEST_SUITE_P(POSIX, FolderOfTest,
                         ::testing::Values(FolderCase{"Root", "/projekt.txt", "/"},
                                           FolderCase{"AbsoluteFolder", "/tmp/x/p.txt", "/tmp/x"},
                                           FolderCase{"BackslashIsAName", "a\\b.txt", "."}),
                         [](const auto& i) { return std::string(i.param.name); });
#endif

// ---------------------------------------------------------------- saving twice

// The file is written byte for byte (no CR LF becomes CR CR LF), and a second
// save replaces the first one's file, with and without unnamed files.
class SaveTwiceTest : public ::testing::TestWithParam<bool> {};

TEST_P(SaveTwiceTest, TheSecondSaveReplacesTheFirstAndBothLoad) {
    TempFolder dir;
    FailingFileOps files;
    files.unnamedFiles = GetParam();
    const std::string first = "Kopf\r\nä\x80\r\n\n\r\r\n";
    const std::string second = "zweite Fassung\r\n";
    const std::string name = dir / "Prüfung.txt";

    ASSERT_TRUE(ReplaceFileSafely(files, name, first));
    const auto read = ReadWholeFile(files, name, kMaxProjectFileBytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, first);
    ASSERT_TRUE(ReplaceFileSafely(files, name, second));
    const auto again = ReadWholeFile(files, name, kMaxProjectFileBytes);
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, second);
    EXPECT_EQ(dir.names(), std::set<std::string>{"Prüfung.txt"});
}

INSTANTIATE_TEST_SUITE_P(SafeReplace, SaveTwiceTest, ::testing::Values(true, false),
                         [](const auto& i) {
                             return std::string(i.param ? "UnnamedFile" : "NamedTemporaryFile");
                         });

struct NameLengthCase {
    const char* name;
    std::size_t length; // of the file name with ".txt"
    bool saves;
};

class NameLengthTest : public ::testing::TestWithParam<NameLengthCase> {};

// 255 is the longest name every file system in use takes; a longer one is
// refused by name, not as a missing folder.
TEST_P(NameLengthTest, TheLongestNameSavesOneMoreIsRefused) {
    TempFolder dir;
    const std::string name = std::string(GetParam().length - 4, 'n') + ".txt";
    const auto saved = ReplaceFileSafely(SystemFileOps(), dir / name, "NEU");
    if (GetParam().saves) {
        EXPECT_TRUE(saved) << saved.problem().message;
        EXPECT_EQ(Slurp(dir / name), "NEU");
    } else {
        ASSERT_FALSE(saved);
        EXPECT_EQ(saved.problem().message, "Der Dateiname ist zu lang");
        EXPECT_TRUE(dir.names().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(SafeReplace, NameLengthTest,
                         ::testing::Values(NameLengthCase{"Longest", 255, true},
                                           NameLengthCase{"OneMore", 256, false},
                                           NameLengthCase{"Short", 5, true}),
                         [](const auto& i) { return std::string(i.param.name); });

// Through the two commands, as the user does it: the second save under the
// same name replaces the first, and the load gives the second.
class SaveAndLoad : public ::testing::Test, protected FileCommandRig {};

TEST_F(SaveAndLoad, AProjectSavedTwiceUnderOneNameLoadsAsSavedLast) {
    dialogs.answer = dir / "Projekt Müller.txt";
    ProgramState first;
    first.header[ProjectHeader::ProjektNr] = "erste Fassung";
    first.LfNr = 1;
    first.dNorm = 60;
    first.table.at(1).dVorl = 90;
    first.table.at(1).RaumVer = "Küche";
    first.ListingText = "Liste eins\r\n";
    ProgramState second = first;
    second.header[ProjectHeader::ProjektNr] = "zweite Fassung, größer";
    second.table.at(1).QRaum = 1500;
    second.ListingText = "Liste zwei\r\n";

    mnuItemSave_Click(first, dialogs, messages);
    mnuItemSave_Click(second, dialogs, messages);
    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].text;

    ProgramState loaded;
    FakeBusy busy;
    ASSERT_EQ(mnuItemOpen_Click(loaded, dialogs, busy, messages), LoadOutcome::Loaded);
    EXPECT_EQ(loaded.header, second.header);
    EXPECT_EQ(loaded.LfNr, second.LfNr);
    EXPECT_EQ(loaded.dNorm, second.dNorm);
    EXPECT_EQ(loaded.table.at(1), second.table.at(1));
    EXPECT_EQ(loaded.ListingText, "Liste zwei\r\n\r\n");
    EXPECT_EQ(dir.names(), std::set<std::string>{"Projekt Müller.txt"});
}

// A hard link is a second name of the same file; the safe replace puts a new
// file under the one name, so the other name keeps the old contents.
TEST(SafeReplace, AHardLinkKeepsTheOldContents) {
    TempFolder dir;
    Spit(dir / "projekt.txt", "ALT");
    std::error_code ec;
    fs::create_hard_link(PathOf(dir / "projekt.txt"), PathOf(dir / "zweiter Name.txt"), ec);
    if (ec) {
        GTEST_SKIP() << "this file system has no hard links: " << ec.message();
    }
    ASSERT_TRUE(ReplaceFileSafely(SystemFileOps(), dir / "projekt.txt", "NEU"));
    EXPECT_EQ(Slurp(dir / "projekt.txt"), "NEU");
    EXPECT_EQ(Slurp(dir / "zweiter Name.txt"), "ALT");
    EXPECT_EQ(fs::hard_link_count(PathOf(dir / "projekt.txt")), 1u);
}

// ---------------------------------------------------------------- stale temporary files

struct StaleCase {
    const char* name;
    std::string file;
    bool removed;
};

class StaleTempTest : public ::testing::TestWithParam<StaleCase> {};

TEST_P(StaleTempTest, OnlyThoseOfEndedSavesAreRemovedAtTheNextSave) {
    const StaleCase& c = GetParam();
    TempFolder dir;
    Spit(dir / c.file, "Rest");
    FailingFileOps files;
    files.unnamedFiles = false;

    ASSERT_TRUE(ReplaceFileSafely(files, dir / "projekt.txt", "NEU"));

    EXPECT_EQ(fs::exists(PathOf(dir / c.file)), !c.removed);
    EXPECT_EQ(Slurp(dir / "projekt.txt"), "NEU");
}

std::string TempName(long long pid, const char* rest = "-0.tmp") {
    return ".hkberech-" + std::to_string(pid) + rest;
}

INSTANTIATE_TEST_SUITE_P(
    SafeReplace, StaleTempTest,
    ::testing::Values(
        StaleCase{"OfAnEndedProcess", TempName(kNoSuchProcess), true},
        StaleCase{"OfAnEndedProcessLaterCount", TempName(kNoSuchProcess, "-4711.tmp"), true},
        StaleCase{"OfThisProcess", TempName(CurrentProcessId()), false},
        StaleCase{"ProcessNumberZero", TempName(0), false},
        StaleCase{"NoCount", TempName(kNoSuchProcess, "-.tmp"), false},
        StaleCase{"NoDash", TempName(kNoSuchProcess, ".tmp"), false},
        StaleCase{"LettersInCount", TempName(kNoSuchProcess, "-1a.tmp"), false},
        StaleCase{"OtherEnding", TempName(kNoSuchProcess, "-0.tmp.bak"), false},
        StaleCase{"NotHidden", "hkberech-99999999-0.tmp", false},
        StaleCase{"NoProcessNumber", ".hkberech--0.tmp", false},
        StaleCase{"HugeProcessNumber", ".hkberech-99999999999999999999999-0.tmp", false},
        StaleCase{"AnotherProgramsFile", ".~lock.projekt.txt#", false}),
    [](const auto& i) { return std::string(i.param.name); });

// ---------------------------------------------------------------- Windows only

#ifdef _WIN32

class LongPathTest : public ::testing::TestWithParam<std::size_t> {};

// Windows cuts paths at 260 characters unless they are marked as long.
TEST_P(LongPathTest, SavesTwiceAndLoads) {
    TempFolder dir;
    const std::size_t total = GetParam();
    std::string path = dir.path();
    // Folders of 100 characters, then a file name that makes up the rest.
    while (total - path.size() > 120) {
        path += "\\" + std::string(100, 'o');
        const std::wstring w = L"\\\\?\\" + PathOf(path).wstring();
        ASSERT_TRUE(::CreateDirectoryW(w.c_str(), nullptr)) << path << ": " << ::GetLastError();
    }
    ASSERT_GT(total - path.size(), 6u);
    path += "\\" + std::string(total - path.size() - 5, 'p') + ".txt";
    ASSERT_EQ(path.size(), total) << path;

    ASSERT_TRUE(ReplaceFileSafely(SystemFileOps(), path, "ERST\r\n"));
    ASSERT_TRUE(ReplaceFileSafely(SystemFileOps(), path, "ZWEIT\r\n"));
    const auto read = ReadWholeFile(SystemFileOps(), path, kMaxProjectFileBytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, "ZWEIT\r\n");
}

INSTANTIATE_TEST_SUITE_P(Windows, LongPathTest,
                         ::testing::Values(std::size_t{259}, std::size_t{260}, std::size_t{261},
                                           std::size_t{400}, std::size_t{1000}),
                         [](const auto& i) { return "Length" + std::to_string(i.param); });

struct HeldCase {
    const char* name;
    DWORD share; // what the other program allows while it holds the file
};

class HeldOpenTest : public ::testing::TestWithParam<HeldCase>, protected FileCommandRig {};

// Another program holds the file open and does not let it be deleted: the
// save is refused and says so; the file and the folder stay as they were.
TEST_P(HeldOpenTest, TheSaveIsRefusedAndTheFileStays) {
    Spit(dir / "projekt.txt", "ALT");
    const std::wstring w = PathOf(dir / "projekt.txt").wstring();
    const HANDLE held = ::CreateFileW(w.c_str(), GENERIC_READ, GetParam().share, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    dialogs.answer = dir / "projekt.txt";
    ProgramState project;
    project.header[ProjectHeader::ProjektNr] = "neu";

    mnuItemSave_Click(project, dialogs, messages);
    ::CloseHandle(held);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(Contains(messages.shown[0].text, "von einem anderen Programm benutzt"))
        << messages.shown[0].text;
    EXPECT_EQ(Slurp(dir / "projekt.txt"), "ALT");
    EXPECT_EQ(dir.names(), std::set<std::string>{"projekt.txt"});
}

INSTANTIATE_TEST_SUITE_P(
    Windows, HeldOpenTest,
    ::testing::Values(HeldCase{"NoSharing", 0}, HeldCase{"ReadingShared", FILE_SHARE_READ},
                      HeldCase{"ReadingAndWritingShared", FILE_SHARE_READ | FILE_SHARE_WRITE}),
    [](const auto& i) { return std::string(i.param.name); });

// Names reach the system as UTF-16; broken UTF-8 has no such form.
TEST(SafeReplace, ANameThatIsNoUtf8IsRefused) {
    TempFolder dir;
    const std::string broken = dir.path() + "\\Pr\xFC"
                                            "fung.txt";
    const auto saved = ReplaceFileSafely(SystemFileOps(), broken, "NEU");
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.problem().message, "Der Dateiname ist ungültig");
    const auto read = ReadWholeFile(SystemFileOps(), broken, 100);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.problem().message, "Der Dateiname ist ungültig");
    EXPECT_TRUE(dir.names().empty());
}

struct DeviceCase {
    const char* name;
    const char* path;
};

class DeviceNameTest : public ::testing::TestWithParam<DeviceCase> {};

// "NUL", "CON" and the like are devices in every folder: never loaded,
// never replaced.
TEST_P(DeviceNameTest, IsNoFileToLoadOrReplace) {
    const auto read = ReadWholeFile(SystemFileOps(), GetParam().path, kMaxProjectFileBytes);
    ASSERT_FALSE(read);
    EXPECT_TRUE(Contains(read.problem().message, "keine gewöhnliche Datei"))
        << read.problem().message;
    const auto saved = ReplaceFileSafely(SystemFileOps(), GetParam().path, "NEU");
    ASSERT_FALSE(saved);
    EXPECT_TRUE(Contains(saved.problem().message, "keine gewöhnliche Datei"))
        << saved.problem().message;
}

INSTANTIATE_TEST_SUITE_P(Windows, DeviceNameTest,
                         ::testing::Values(DeviceCase{"Nul", "NUL"}, DeviceCase{"Con", "CON"},
                                           DeviceCase{"LowerCaseWithExtension", "con.txt"},
                                           DeviceCase{"PortInAFolder", "C:\\Projekte\\COM1.DAT"},
                                           DeviceCase{"Printer", "prn"}),
                         [](const auto& i) { return std::string(i.param.name); });

#endif

// ---------------------------------------------------------------- POSIX only

#ifndef _WIN32

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

struct ModeCase {
    const char* name;
    mode_t mode;
    bool unnamedFiles;
};

class KeepModeTest : public ::testing::TestWithParam<ModeCase> {};

// The process's file mode mask (022 here) must not narrow the replaced file.
TEST_P(KeepModeTest, TheReplacedFileKeepsItsPermissionBits) {
    const ModeCase& c = GetParam();
    TempFolder dir;
    Spit(dir / "projekt.txt", "ALT");
    ASSERT_EQ(::chmod((dir / "projekt.txt").c_str(), c.mode), 0);
    const mode_t mask = ::umask(022);
    FailingFileOps files;
    files.unnamedFiles = c.unnamedFiles;

    const auto saved = ReplaceFileSafely(files, dir / "projekt.txt", "NEU");

    ::umask(mask);
    ASSERT_TRUE(saved) << saved.problem().message;
    EXPECT_EQ(Slurp(dir / "projekt.txt"), "NEU");
    EXPECT_EQ(ModeOf(dir / "projekt.txt"), c.mode);
}

INSTANTIATE_TEST_SUITE_P(POSIX, KeepModeTest,
                         ::testing::Values(ModeCase{"WritableForAll", 0666, true},
                                           ModeCase{"WritableForAllNamedTemporary", 0666, false},
                                           ModeCase{"GroupWritable", 0664, true},
                                           ModeCase{"OwnerOnly", 0600, true},
                                           ModeCase{"OwnerOnlyNamed", 0600, false},
                                           ModeCase{"OthersButNotGroup", 0604, true},
                                           ModeCase{"Executable", 0755, true},
                                           ModeCase{"OwnerWriteOnly", 0200, true}),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(SafeReplace, ANewFileGetsTheUsualPermissions) {
    TempFolder dir;
    const mode_t mask = ::umask(027);
    const auto saved = ReplaceFileSafely(SystemFileOps(), dir / "neu.txt", "NEU");
    ::umask(mask);
    ASSERT_TRUE(saved);
    EXPECT_EQ(ModeOf(dir / "neu.txt"), 0640u);
}

// Needs the superuser to make files of another user; the user "nobody"
// (65534 on Debian) stands for that other user.
constexpr uid_t kOtherUser = 65534;
constexpr gid_t kOtherGroup = 65534;

struct OwnerCase {
    const char* name;
    uid_t owner;
    gid_t group;
};

class KeepOwnerTest : public ::testing::TestWithParam<OwnerCase> {};

TEST_P(KeepOwnerTest, TheSuperuserReplacesAFileWithoutTakingIt) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only the superuser can give a file to another user";
    }
    const OwnerCase& c = GetParam();
    TempFolder dir;
    Spit(dir / "projekt.txt", "ALT");
    ASSERT_EQ(::chown((dir / "projekt.txt").c_str(), c.owner, c.group), 0);
    ASSERT_EQ(::chmod((dir / "projekt.txt").c_str(), 0640), 0);

    ASSERT_TRUE(ReplaceFileSafely(SystemFileOps(), dir / "projekt.txt", "NEU"));

    struct stat st {};
    ASSERT_EQ(::stat((dir / "projekt.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, c.owner);
    EXPECT_EQ(st.st_gid, c.group);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Slurp(dir / "projekt.txt"), "NEU");
}

INSTANTIATE_TEST_SUITE_P(POSIX, KeepOwnerTest,
                         ::testing::Values(OwnerCase{"OtherUserAndGroup", kOtherUser, kOtherGroup},
                                           OwnerCase{"OtherGroupOnly", 0, kOtherGroup},
                                           OwnerCase{"OtherUserOnly", kOtherUser, 0}),
                         [](const auto& i) { return std::string(i.param.name); });

// The superuser takes on an ordinary user's rights for the scope.
class AsOtherUser {
public:
    AsOtherUser() { ok_ = ::setegid(kOtherGroup) == 0 && ::seteuid(kOtherUser) == 0; }
    ~AsOtherUser() {
        if (::seteuid(0) != 0 || ::setegid(0) != 0) {
            std::abort(); // the remaining tests would run with the wrong rights
        }
    }
    AsOtherUser(const AsOtherUser&) = delete;
    AsOtherUser& operator=(const AsOtherUser&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

struct ForeignCase {
    const char* name;
    mode_t mode; // of the superuser's file
    bool saves;
};

class ForeignFileTest : public ::testing::TestWithParam<ForeignCase>, protected FileCommandRig {};

// A file of another user in a folder everybody may write: the rename would
// replace it, so the save must ask the system whether the user may write it.
TEST_P(ForeignFileTest, AnOrdinaryUserMayReplaceOnlyWhatTheUserMayWrite) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only the superuser can make a file of another user";
    }
    const ForeignCase& c = GetParam();
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    Spit(dir / "projekt.txt", "ALT");
    ASSERT_EQ(::chmod((dir / "projekt.txt").c_str(), c.mode), 0);
    dialogs.answer = dir / "projekt.txt";
    ProgramState project;
    project.header[ProjectHeader::ProjektNr] = "neu";
    {
        const AsOtherUser other;
        ASSERT_TRUE(other.ok());
        mnuItemSave_Click(project, dialogs, messages);
    }
    if (c.saves) {
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_NE(Slurp(dir / "projekt.txt"), "ALT");
    } else {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(Contains(messages.shown[0].text, "ist schreibgeschützt"))
            << messages.shown[0].text;
        EXPECT_EQ(Slurp(dir / "projekt.txt"), "ALT");
    }
    EXPECT_EQ(dir.names(), std::set<std::string>{"projekt.txt"});
}

INSTANTIATE_TEST_SUITE_P(POSIX, ForeignFileTest,
                         ::testing::Values(ForeignCase{"ReadableForAll", 0644, false},
                                           ForeignCase{"GroupWritableOtherGroup", 0664, false},
                                           ForeignCase{"PrivateToItsOwner", 0600, false},
                                           ForeignCase{"WritableForAll", 0666, true}),
                         [](const auto& i) { return std::string(i.param.name); });

// The system without forwarding: the save is killed while it waits for the
// disk, as the power failing or the program being ended would end it.
class KilledAtFlush final : public FailingFileOps {
public:
    int flush(int handle) override {
        SystemFileOps().flush(handle);
        ::raise(SIGKILL);
        return 0;
    }
};

struct KillCase {
    const char* name;
    bool unnamedFiles;
    bool saveAgain;
};

class KilledSaveTest : public ::testing::TestWithParam<KillCase> {};

TEST_P(KilledSaveTest, LeavesTheOldFileAndNoTemporaryFileForGood) {
    const KillCase& c = GetParam();
    TempFolder dir;
    Spit(dir / "projekt.txt", "ALT");

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        KilledAtFlush files;
        files.unnamedFiles = c.unnamedFiles;
        (void)ReplaceFileSafely(files, dir / "projekt.txt", "NEU");
        ::_exit(0); // not reached when the kill came
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    EXPECT_EQ(Slurp(dir / "projekt.txt"), "ALT");

    if (c.saveAgain) {
        FailingFileOps files;
        files.unnamedFiles = c.unnamedFiles;
        ASSERT_TRUE(ReplaceFileSafely(files, dir / "projekt.txt", "NEU"));
        EXPECT_EQ(Slurp(dir / "projekt.txt"), "NEU");
    }
    EXPECT_EQ(dir.names(), std::set<std::string>{"projekt.txt"});
}

INSTANTIATE_TEST_SUITE_P(POSIX, KilledSaveTest,
                         ::testing::Values(KillCase{"UnnamedFileLeavesNothing", true, false},
                                           KillCase{"NamedTemporaryGoneAtTheNextSave", false, true},
                                           KillCase{"UnnamedFileThenSaved", true, true}),
                         [](const auto& i) { return std::string(i.param.name); });

#endif

} // namespace
} // namespace hk::test
