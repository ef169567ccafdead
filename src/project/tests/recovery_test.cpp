#include "support/fakes.h"
#include "support/samples.h"

#include "calc/continue_project.h"
#include "project/recovery.h"

#include <gtest/gtest.h>

namespace hk::test {
namespace {

// The check project as a user leaves it unsaved: a file name, typed and
// catalogue outputs, the balancing's inputs.
ProgramState Unsaved() {
    ProgramState p = CheckProject();
    p.Radiators = SampleRadiators();
    p.ProjectFile = "Projekte/HAUS.TXT";
    p.ListingText = "Raum 0012\r\n";
    p.Check = CheckSettings{
        45, 35, {{1, InstalledChoice::Typed(1200)}, {3, InstalledChoice::Chosen("G 600", 12)}}};
    p.Balancing = BalancingSettings{{55, 10, 100, -12, 0}, "Beispiel", {}};
    p.Changed();
    p.CheckChanged();
    return p;
}

std::string GoodBytes() {
    auto bytes = RecoveryBytes(Unsaved(), "09.12.2026, 14:32");
    EXPECT_TRUE(bytes);
    return bytes ? *bytes : std::string();
}

TEST(Recovery, ReadsBackWhatWasUnsaved) {
    const ProgramState before = Unsaved();
    const auto read = ReadRecoveryBytes(GoodBytes(), SampleRadiators());
    ASSERT_TRUE(read) << read.problem().message;
    EXPECT_EQ(read->when, "09.12.2026, 14:32");
    const ProgramState& after = read->state;
    EXPECT_EQ(after.header, before.header);
    EXPECT_EQ(after.table, before.table);
    EXPECT_EQ(std::pair(after.LfNr, after.dNorm), std::pair(before.LfNr, before.dNorm));
    EXPECT_EQ(PlanContinue(after).listing, before.ListingText);
    EXPECT_EQ(after.ProjectFile, before.ProjectFile);
    EXPECT_EQ(after.Check, before.Check);
    EXPECT_EQ(after.Balancing, before.Balancing);
    EXPECT_TRUE(after.ProjectUnsaved() && after.CheckUnsaved()) << "still to be saved";
}

// Every way a copy can be damaged (cut off by a power cut, written over,
// edited) is refused with its reason; nothing half read is offered.
struct Damage {
    const char* name;
    std::string (*damage)(std::string);
    const char* reason;
};

class RecoveryDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(RecoveryDamage, IsRefusedWithItsReason) {
    const auto read = ReadRecoveryBytes(GetParam().damage(GoodBytes()), SampleRadiators());
    ASSERT_FALSE(read);
    EXPECT_NE(read.problem().message.find(GetParam().reason), std::string::npos)
        << read.problem().message;
}

std::string Replaced(std::string s, const std::string& from, const std::string& to) {
    return s.replace(s.find(from), from.size(), to);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RecoveryDamage,
    ::testing::Values(
        Damage{
            "OtherVersion",
            [](std::string s) { return Replaced(s, "Wiederherstellung 1", "Wiederherstellung 2"); },
            "keine Wiederherstellungsdatei"},
        Damage{"CutInTheProject",
               [](std::string s) { return s.substr(0, s.find("Projekt: ") + 40); },
               "Länge von „Projekt“"},
        Damage{"CutInTheHead", [](std::string s) { return s.substr(0, s.find("Datei:")); },
               "„Datei“ fehlt"},
        Damage{"FlagsBroken",
               [](std::string s) { return Replaced(s, "Ungesichert: 11", "Ungesichert: 12"); },
               "„Ungesichert“ ist ungültig"},
        Damage{"MoreAfterTheEnd", [](std::string s) { return s + "x"; }, "weitere Daten"},
        Damage{"ProjectBytesBroken",
               [](std::string s) { return Replaced(s, "\r\n3,60\r\n", "\r\nx,60\r\n"); },
               "das Projekt darin"},
        Damage{"CheckOfAnotherProject",
               [](std::string s) { return Replaced(s, "\"LfNr\": 3", "\"LfNr\": 2"); },
               "der Wärmepumpen-Check darin"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Recovery, CopyFollowsTheStateAndEachProgramHasItsOwn) {
    TempFolder dir;
    const std::string folder = dir / "state";
    RecoveryCopy mine(SystemFileOps(), folder, 99999991);
    RecoveryCopy other(SystemFileOps(), folder, 99999992);
    ProgramState p = Unsaved();
    ASSERT_TRUE(mine.keep(p, "09.12.2026, 14:32"));
    ASSERT_TRUE(other.keep(CheckProject(), "x")) << "nothing unsaved: no copy";
    EXPECT_EQ(mine.path(), RecoveryCopyName(folder, 99999991));
    EXPECT_EQ(Slurp(mine.path()), GoodBytes());
#ifndef _WIN32 // only the user reads the folder; Windows has its own access lists
    EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
#endif

    // A program of that number no longer runs: its copy is offered, the
    // running program's (this one's) is not, other files are no copies.
    Spit(RecoveryCopyName(folder, CurrentProcessId()), "");
    Spit(folder + "/hkberech-12x.wiederherstellung", "");
    EXPECT_EQ(OrphanedRecoveryCopies(folder), std::vector<std::string>{mine.path()});

    p.Saved();
    ASSERT_TRUE(mine.keep(p, "09.12.2026, 14:33"));
    EXPECT_FALSE(std::filesystem::exists(mine.path())) << "saved: the copy goes";
    p.Changed();
    ASSERT_TRUE(mine.keep(p, "09.12.2026, 14:34"));
    mine.remove(); // the program ends normally
    EXPECT_FALSE(std::filesystem::exists(mine.path()));
    EXPECT_TRUE(RecoveryCopy(SystemFileOps(), "").keep(p, "x")) << "no folder: no copy";
}

TEST(Recovery, DamagedCopySetAsideUnderAFreeName) {
    TempFolder dir;
    const std::string copy = dir / "hkberech-7.wiederherstellung";
    for (const char* aside : {".beschädigt", ".beschädigt-2"}) {
        Spit(copy, "kaputt");
        const auto set = SetRecoveryCopyAside(SystemFileOps(), copy);
        ASSERT_TRUE(set) << set.problem().message;
        EXPECT_EQ(*set, copy + aside);
        EXPECT_EQ(Slurp(*set), "kaputt");
    }
    EXPECT_FALSE(SetRecoveryCopyAside(SystemFileOps(), copy)) << "gone: nothing to set aside";
}

} // namespace
} // namespace hk::test
