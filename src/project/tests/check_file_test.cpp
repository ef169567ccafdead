#include "support/fakes.h"
#include "support/samples.h"

#include "project/check_file.h"
#include "project/check_form.h"
#include "project/project_file.h"
#include "support/table_cases.h"

#include "calc/catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace hk::test {
namespace {

// ------------------------------------------------------------ the name

using NameCase = TextCase; // project file name, check file name

class CheckName : public ::testing::TestWithParam<NameCase> {};

TEST_P(CheckName, KeepsTheWholeName) { EXPECT_EQ(CheckFileName(GetParam().in), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(
    Table, CheckName,
    ::testing::Values(NameCase{"UpperTxt", "HAUS.TXT", "HAUS.TXT.check.json"},
                      NameCase{"DatBesideTxtHasItsOwn", "HAUS.DAT", "HAUS.DAT.check.json"},
                      NameCase{"NoExtension", "HAUS", "HAUS.check.json"},
                      NameCase{"DotInFolderOnly", "bau.alt/HAUS", "bau.alt/HAUS.check.json"}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ reading

TEST(CheckFile, RoundTrip) {
    const ProgramState p = CheckProject();
    const CheckSettings s{50, 38, TypedOutputs({{1, 1200}, {3, 99999}, {2, 1}})};
    const auto read = ReadCheckFile(CheckFileBytes(p, s), p);
    ASSERT_TRUE(read) << read.problem().message;
    EXPECT_EQ(*read, s);
}

TEST(CheckFile, FractionalRoomOutputsReadBackEqual) {
    ProgramState p = CheckProject();
    p.table.at(2).QRaum = 1234.57f; // no short decimal form in single precision
    const auto read = ReadCheckFile(CheckFileBytes(p, CheckSettings{}), p);
    EXPECT_TRUE(read);
}

// A file written by hand in the documented form, with a key a later version
// may add.
const std::string kByHand = R"({"format": "hkberech-check", "version": 1,
 "supply": 50, "return": 40, "comment": "später",
 "project": {"LfNr": 3, "QRaum": [1000, 1500, 800.0]},
 "installed": [{"entry": 1, "output": 1200}, {"entry": 3, "output": 850, "note": "x"}]})";

struct Refusal {
    const char* name;
    std::string from; // replaced in kByHand ...
    std::string to;   // ... by this
    const char* reason;
};

// The key the format ignores, holding n arrays inside each other (the whole
// file is one level more).
std::string Nested(std::size_t n) {
    return "\"comment\": " + std::string(n, '[') + std::string(n, ']');
}

using Variant = Refusal; // reason unused: these files are read

class CheckFileByHand : public ::testing::TestWithParam<Variant> {};

TEST_P(CheckFileByHand, IsRead) {
    std::string bytes = kByHand;
    const auto at = bytes.find(GetParam().from);
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, GetParam().from.size(), GetParam().to);
    const auto read = ReadCheckFile(bytes, CheckProject());
    ASSERT_TRUE(read) << read.problem().message;
    EXPECT_EQ(*read, (CheckSettings{50, 40, TypedOutputs({{1, 1200}, {3, 850}})}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckFileByHand,
    ::testing::Values(Variant{"AsDocumented", "\"comment\"", "\"comment\"", ""},
                      Variant{"SixtyFourLevels", "\"comment\": \"später\"", Nested(63), ""},
                      Variant{"BracketsInATextAreNoNesting", "\"später\"",
                              "\"" + std::string(100, '[') + "\\\"[{\"", ""},
                      Variant{"BlanksAfterTheEnd", "\"x\"}]}", "\"x\"}]}\r\n \n", ""}),
    [](const auto& info) { return std::string(info.param.name); });

class CheckFileRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(CheckFileRefusal, SaysWhy) {
    const Refusal& r = GetParam();
    std::string bytes = kByHand;
    const auto at = bytes.find(r.from);
    ASSERT_NE(at, std::string::npos) << r.from;
    bytes.replace(at, r.from.size(), r.to);
    const auto read = ReadCheckFile(bytes, CheckProject());
    ASSERT_FALSE(read);
    EXPECT_PRED2(Contains, read.problem().message, r.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckFileRefusal,
    ::testing::Values(
        Refusal{"NotJson", "{\"format\"", "{format", "keine gültige JSON"},
        Refusal{"Truncated", "850, \"note\": \"x\"}]}", "850, \"no", "keine gültige JSON"},
        Refusal{"TopLevelArray", kByHand, "[1, 2]", "keine gültige JSON"},
        Refusal{"OtherFormat", "hkberech-check", "hkberech-report", "anderes Format"},
        Refusal{"FormatMissing", "\"format\": \"hkberech-check\",", "", "anderes Format"},
        Refusal{"Version0", "\"version\": 1", "\"version\": 0", "andere Version"},
        Refusal{"Version3", "\"version\": 1", "\"version\": 3", "andere Version"},
        Refusal{"VersionAsText", "\"version\": 1", "\"version\": \"1\"", "andere Version"},
        Refusal{"ReturnEqualsSupply", "\"return\": 40", "\"return\": 50", "Zieltemperaturen"},
        Refusal{"SupplyAbove120", "\"supply\": 50", "\"supply\": 121", "Zieltemperaturen"},
        Refusal{"SupplyHuge", "\"supply\": 50", "\"supply\": 1e300", "Zieltemperaturen"},
        Refusal{"SupplyFraction", "\"supply\": 50", "\"supply\": 50.5", "Zieltemperaturen"},
        Refusal{"ReturnMissing", "\"return\": 40,", "", "Zieltemperaturen"},
        Refusal{"ProjectMissing", "\"project\"", "\"projekt\"", "anderen Projekt"},
        Refusal{"OtherLfNr", "\"LfNr\": 3", "\"LfNr\": 4", "anderen Projekt"},
        Refusal{"QRaumShort", "[1000, 1500, 800.0]", "[1000, 1500]", "anderen Projekt"},
        Refusal{"QRaumDiffers", "1500,", "1501,", "Heizkörpers 2 weicht ab"},
        Refusal{"QRaumAsText", "1500,", "\"1500\",", "Heizkörpers 2 weicht ab"},
        Refusal{"EntryZero", "\"entry\": 1,", "\"entry\": 0,", "Heizkörper-Nummer"},
        Refusal{"EntryBeyondProject", "\"entry\": 3,", "\"entry\": 4,", "Heizkörper-Nummer"},
        Refusal{"EntryTwice", "\"entry\": 3,", "\"entry\": 1,", "Heizkörper-Nummer"},
        Refusal{"OutputZero", "1200", "0", "zwischen 1 und 99999"},
        Refusal{"Output100000", "1200", "100000", "zwischen 1 und 99999"},
        Refusal{"OutputNegative", "1200", "-5", "zwischen 1 und 99999"},
        Refusal{"OutputFraction", "1200", "1200.5", "zwischen 1 und 99999"},
        Refusal{"OutputMissing", ", \"output\": 1200", "", "zwischen 1 und 99999"},
        Refusal{"SixtyFiveLevels", "\"comment\": \"später\"", Nested(64), "mehr als 64 Ebenen"},
        Refusal{"HundredThousandLevels", "\"comment\": \"später\"", Nested(100000),
                "verschachtelt"},
        Refusal{"NulAndGarbageAfterTheEnd", "\"x\"}]}", std::string("\"x\"}]}") + '\0' + "garbage",
                "Nullbyte"},
        Refusal{"SecondObjectAfterTheEnd", "\"x\"}]}", "\"x\"}]} {}", "keine gültige JSON"},
        Refusal{"TieWithoutTypes", "\"QRaum\"", "\"dRaum\": [20, 20, 20], \"QRaum\"",
                "unvollständig"},
        Refusal{"InstalledNotList", "\"installed\": [", "\"installed\": 5, \"rest\": [",
                "keine Liste"}),
    [](const auto& info) { return std::string(info.param.name); });

// The file written for CheckProject() read against a project that differs in
// one thing the check depends on: never taken for it.
class CheckTie : public ::testing::TestWithParam<SpoiltProject> {};

TEST_P(CheckTie, AnotherProjectIsNeverTakenForIt) {
    const std::string bytes =
        CheckFileBytes(CheckProject(), CheckSettings{50, 40, TypedOutputs({{1, 1200}})});
    ProgramState other = CheckProject();
    GetParam().spoil(other);
    const auto read = ReadCheckFile(bytes, other);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.problem().message, GetParam().says);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckTie,
    ::testing::Values(
        SpoiltProject{"RoomTemperature", [](ProgramState& p) { p.table.at(2).dRaum = 24; },
                      "sie gehört zu einem anderen Projekt (Raumtemperatur des Heizkörpers 2 "
                      "weicht ab)"},
        SpoiltProject{"Exponent", [](ProgramState& p) { p.table.at(3).Exponent = 1.26f; },
                      "sie gehört zu einem anderen Projekt (Heizkörpertyp des Heizkörpers 3 "
                      "weicht ab)"},
        SpoiltProject{"TypeText", [](ProgramState& p) { p.table.at(1).HkTyp = "Bad-Hk"; },
                      "sie gehört zu einem anderen Projekt (Heizkörpertyp des Heizkörpers 1 "
                      "weicht ab)"},
        SpoiltProject{"OneMoreRadiator", [](ProgramState& p) { p.LfNr = 4; },
                      "sie gehört zu einem anderen Projekt (andere Zahl der Heizkörper)"}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ version 2

// Typed, panel and sectional radiators of SampleRadiators, and a key another
// window may add.
const std::string kVersion2 = R"({"format": "hkberech-check", "version": 2,
 "supply": 45, "return": 35,
 "project": {"LfNr": 3, "QRaum": [1000, 1500, 800]},
 "installed": [{"entry": 1, "output": 1200},
               {"entry": 2, "radiator": "P 22 · 600", "length": 1000, "valve": 3},
               {"entry": 3, "radiator": "G 600", "sections": 12}]})";

ProgramState WithSampleRadiators() {
    ProgramState p = CheckProject();
    p.Radiators = SampleRadiators();
    return p;
}

const CheckSettings kVersion2Settings{45,
                                      35,
                                      {{1, InstalledChoice::Typed(1200)},
                                       {2, InstalledChoice::Chosen("P 22 · 600", 1000)},
                                       {3, InstalledChoice::Chosen("G 600", 12)}}};

TEST(CheckFileVersion2, ReadsAFileWrittenByHandAndWritesItBackAlike) {
    const ProgramState p = WithSampleRadiators();
    const auto read = ReadCheckFile(kVersion2, p);
    ASSERT_TRUE(read) << read.problem().message;
    EXPECT_EQ(*read, kVersion2Settings);
    const std::string written = CheckFileBytes(p, *read);
    EXPECT_PRED2(Contains, written, "\"version\": 2");
    EXPECT_PRED2(Contains, written, "\"sections\": 12");
    EXPECT_PRED2(Contains, written, "\"length\": 1000");
    const auto again = ReadCheckFile(written, p);
    ASSERT_TRUE(again) << again.problem().message;
    EXPECT_EQ(*again, kVersion2Settings);
}

TEST(CheckFileVersion2, AVersion1FileIsWrittenAsVersion2) {
    const ProgramState p = WithSampleRadiators();
    const auto v1 = ReadCheckFile(kByHand, p);
    ASSERT_TRUE(v1);
    const std::string written = CheckFileBytes(p, *v1);
    EXPECT_PRED2(Contains, written, "\"version\": 2");
    const auto v2 = ReadCheckFile(written, p);
    ASSERT_TRUE(v2);
    EXPECT_EQ(*v2, *v1);
}

class CheckFileVersion2Refusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(CheckFileVersion2Refusal, SaysWhy) {
    const Refusal& r = GetParam();
    std::string bytes = kVersion2;
    const auto at = bytes.find(r.from);
    ASSERT_NE(at, std::string::npos) << r.from;
    bytes.replace(at, r.from.size(), r.to);
    const auto read = ReadCheckFile(bytes, WithSampleRadiators());
    ASSERT_FALSE(read);
    EXPECT_PRED2(Contains, read.problem().message, r.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckFileVersion2Refusal,
    ::testing::Values(
        Refusal{"UnknownRadiator", "P 22 · 600", "P 22 · 601", "den der Katalog nicht enthält"},
        Refusal{"RadiatorNotText", "\"G 600\"", "600", "den der Katalog nicht enthält"},
        Refusal{"LengthBelow400", "\"length\": 1000", "\"length\": 300", "keine Länge"},
        Refusal{"LengthOffStep", "\"length\": 1000", "\"length\": 1050", "keine Länge"},
        Refusal{"LengthMissing", "\"length\": 1000", "\"sections\": 10", "keine Länge"},
        Refusal{"SectionsZero", "\"sections\": 12", "\"sections\": 0", "keine Gliederzahl"},
        Refusal{"SectionsFraction", "\"sections\": 12", "\"sections\": 12.5", "keine Gliederzahl"},
        Refusal{"OutputAndRadiator", "\"sections\": 12", "\"sections\": 12, \"output\": 900",
                "zugleich"}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ with the commands

class CheckFileCommands : public ::testing::Test, protected FileCommandRig {
protected:
    FakeBusy busy;
    FailingFileOps files;

    std::string project() { return dir / "HAUS.TXT"; }
    std::string beside() { return dir / "HAUS.TXT.check.json"; }
    std::string oldBeside() { return dir / "HAUS.check.json"; }

    // The project file on disk, as saved without any check.
    void writeProject() {
        const auto image = ProjectFileBytes(CheckProject());
        ASSERT_TRUE(image);
        Spit(project(), image->bytes);
    }

    ProgramState load() {
        ProgramState s;
        dialogs.answer = project();
        EXPECT_EQ(mnuItemOpen_Click(s, dialogs, busy, messages, files), LoadOutcome::Loaded);
        return s;
    }
};

TEST_F(CheckFileCommands, LoadReadsTheFileBeside) {
    writeProject();
    Spit(beside(), kByHand);
    const ProgramState s = load();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(s.ProjectFile, project());
    ASSERT_TRUE(s.Check);
    EXPECT_EQ(*s.Check, (CheckSettings{50, 40, TypedOutputs({{1, 1200}, {3, 850}})}));
}

TEST_F(CheckFileCommands, MissingFileIsNoMessage) {
    writeProject();
    const ProgramState s = load();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(s.Check);
}

struct UnusableCase {
    const char* name;
    std::string bytes;
    const char* reason;
};

class UnusableCheck : public CheckFileCommands,
                      public ::testing::WithParamInterface<UnusableCase> {};

TEST_P(UnusableCheck, IsNamedTheProjectLoadsAndTheFileStays) {
    writeProject();
    Spit(beside(), GetParam().bytes);
    ProgramState s;
    s.Check = CheckSettings{60, 50, {}}; // from the project before
    dialogs.answer = project();
    ASSERT_EQ(mnuItemOpen_Click(s, dialogs, busy, messages, files), LoadOutcome::Loaded);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_PRED2(Contains, messages.shown[0].text, beside());
    EXPECT_PRED2(Contains, messages.shown[0].text, GetParam().reason);
    EXPECT_FALSE(Contains(messages.shown[0].text, "Projektdatei")) << "it is the check's file";
    EXPECT_EQ(messages.shown[0].title, kTitleCheck);
    EXPECT_FALSE(s.Check) << "the check of the project before is gone";
    EXPECT_EQ(s.table, CheckProject().table) << "the project itself loaded";
    EXPECT_EQ(Slurp(beside()), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnusableCheck,
    ::testing::Values(UnusableCase{"OtherVersion", R"({"format": "hkberech-check", "version": 7})",
                                   "andere Version"},
                      UnusableCase{"LargerThanOneMegabyte",
                                   std::string(kMaxCheckFileBytes + 1, ' '),
                                   "Die Datei ist größer als 1 MB"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckFileCommands, SaveWithoutCheckWritesNoFileBeside) {
    dialogs.answer = project();
    EXPECT_EQ(mnuItemSave_Click(CheckProject(), dialogs, messages, files), project());
    EXPECT_EQ(dir.names(), std::set<std::string>{"HAUS.TXT"});
}

TEST_F(CheckFileCommands, SavedTwiceTheProjectFileStaysAsOlderReadersKnowIt) {
    writeProject();
    const std::string plain = Slurp(project());
    ProgramState p = CheckProject();
    p.Check = CheckSettings{55, 45, TypedOutputs({{2, 2000}})};
    dialogs.answer = project();
    ASSERT_EQ(mnuItemSave_Click(p, dialogs, messages, files), project());
    p.ProjectFile = project(); // as the screens note the file saved
    EXPECT_EQ(Slurp(project()), plain);
    const auto first = ReadCheckFile(Slurp(beside()), p);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, *p.Check);

    p.Check->installed[2] = InstalledChoice::Typed(2100);
    p.Check->supply = 50;
    ASSERT_EQ(mnuItemSave_Click(p, dialogs, messages, files), project());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Slurp(project()), plain);
    EXPECT_EQ(dir.names(), (std::set<std::string>{"HAUS.TXT", "HAUS.TXT.check.json"}));
    const auto second = ReadCheckFile(Slurp(beside()), p);
    ASSERT_TRUE(second);
    EXPECT_EQ(*second, *p.Check);

    const ProgramState back = load();
    EXPECT_EQ(back.Check, p.Check);
}

TEST_F(CheckFileCommands, FailingWriteBesideKeepsTheOldFileAndSaysSo) {
    Spit(beside(), kByHand);
    ProgramState p = CheckProject();
    p.Check = CheckSettings{};
    files.failAt = Step::Rename;
    EXPECT_FALSE(WriteCheckFile(p, project(), messages, files).ok());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_PRED2(Contains, messages.shown[0].text, beside());
    EXPECT_EQ(Slurp(beside()), kByHand);
}

// A file under the name older versions wrote (HAUS.check.json) is taken only
// while there is none under the new name and it fits; the next save writes
// the new name and leaves the old file alone.
struct OldNameCase {
    const char* name;
    bool oldFits;
    bool newThere;
    std::optional<CheckSettings> loaded;
};

class OldCheckName : public CheckFileCommands, public ::testing::WithParamInterface<OldNameCase> {};

TEST_P(OldCheckName, ReadOnlyWhenNewIsMissingAndItFits) {
    writeProject();
    ProgramState other = CheckProject();
    other.table.at(1).QRaum = 999; // HAUS.DAT's, say
    const std::string old = GetParam().oldFits ? kByHand : CheckFileBytes(other, {});
    Spit(oldBeside(), old);
    if (GetParam().newThere) {
        Spit(beside(),
             CheckFileBytes(CheckProject(), CheckSettings{60, 50, TypedOutputs({{2, 700}})}));
    }
    ProgramState s = load();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(s.Check, GetParam().loaded);

    s.Check = CheckSettings{};
    ASSERT_EQ(mnuItemSave_Click(s, dialogs, messages, files), project());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Slurp(oldBeside()), old);
    EXPECT_TRUE(ReadCheckFile(Slurp(beside()), s));
}

INSTANTIATE_TEST_SUITE_P(
    Table, OldCheckName,
    ::testing::Values(OldNameCase{"Fits", true, false,
                                  CheckSettings{50, 40, TypedOutputs({{1, 1200}, {3, 850}})}},
                      OldNameCase{"OfTheSiblingIsLeftSilently", false, false, std::nullopt},
                      OldNameCase{"NewNameWins", true, true,
                                  CheckSettings{60, 50, TypedOutputs({{2, 700}})}}),
    [](const auto& info) { return std::string(info.param.name); });

// Project B saved over HAUS.TXT, whose check file belongs to A: the file is
// kept under a name that says so, the user is told once, and B loads
// without A's outputs.
TEST_F(CheckFileCommands, AnotherProjectSavedOverKeepsTheOldCheckAside) {
    ProgramState a = CheckProject();
    a.Check = CheckSettings{50, 40, TypedOutputs({{1, 1200}})};
    dialogs.answer = project();
    ASSERT_EQ(mnuItemSave_Click(a, dialogs, messages, files), project());
    const std::string aCheck = Slurp(beside());

    ProgramState b = CheckProject(); // the same room loads
    b.table.at(2).dRaum = 22;
    b.table.at(2).HkTyp = std::string(RadiatorCatalogue()[5].text);
    ASSERT_EQ(mnuItemSave_Click(b, dialogs, messages, files), project());
    ASSERT_EQ(messages.shown.size(), 1u);
    const std::string aside = dir / "HAUS.TXT.check.anderes-Projekt.json";
    EXPECT_PRED2(Contains, messages.shown[0].text, aside);
    EXPECT_EQ(Slurp(aside), aCheck);
    EXPECT_EQ(dir.names(),
              (std::set<std::string>{"HAUS.TXT", "HAUS.TXT.check.anderes-Projekt.json"}));

    const ProgramState back = load();
    EXPECT_EQ(messages.shown.size(), 1u) << "told once";
    EXPECT_FALSE(back.Check);
}

// The same from the check window: a project loaded beside a check file it
// cannot take, whose own check is then saved. The file is kept under a name
// that gives the reason: another project's, or this project's naming a
// catalogue radiator the user has since removed.
struct AsideCase {
    const char* name;
    ProgramState writer;
    CheckSettings settings;
    const char* loadReason;
    const char* aside;
    const char* asideReason;
};

class CheckSetAside : public CheckFileCommands, public ::testing::WithParamInterface<AsideCase> {};

TEST_P(CheckSetAside, TheCheckSavedBesideAFileItCannotTakeKeepsThatAside) {
    writeProject();
    const std::string foreign = CheckFileBytes(GetParam().writer, GetParam().settings);
    Spit(beside(), foreign);
    ProgramState s = load();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_PRED2(Contains, messages.shown[0].text, GetParam().loadReason);

    CheckForm form(s);
    ASSERT_TRUE(form.setInstalled(0, "2000"));
    ASSERT_TRUE(form.save(dialogs, messages, files));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_PRED2(Contains, messages.shown[1].text, GetParam().asideReason);
    EXPECT_EQ(Slurp(dir / GetParam().aside), foreign);
    const auto own = ReadCheckFile(Slurp(beside()), s);
    ASSERT_TRUE(own);
    EXPECT_EQ(own->installed.at(1), InstalledChoice::Typed(2000));
}

ProgramState WarmerRoom() {
    ProgramState p = CheckProject();
    p.table.at(1).dRaum = 18;
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckSetAside,
    ::testing::Values(AsideCase{"AnotherProjects", WarmerRoom(),
                                CheckSettings{50, 40, TypedOutputs({{1, 900}})},
                                "Raumtemperatur des Heizkörpers 1 weicht ab",
                                "HAUS.TXT.check.anderes-Projekt.json", "gehörte zu dem Projekt"},
                      AsideCase{"ARemovedCatalogueRadiator", WithSampleRadiators(),
                                CheckSettings{50, 40, {{2, InstalledChoice::Chosen("G 600", 12)}}},
                                "den der Katalog nicht enthält", "HAUS.TXT.check.unlesbar.json",
                                "ist für dieses Projekt nicht lesbar: der Heizkörper 2 nennt"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace hk::test
