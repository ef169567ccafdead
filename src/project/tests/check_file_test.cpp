#include "support/fakes.h"
#include "support/samples.h"

#include "project/check_file.h"
#include "project/project_file.h"
#include "support/table_cases.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace hk::test {
namespace {

// ------------------------------------------------------------ the name

using NameCase = TextCase; // project file name, check file name

class CheckName : public ::testing::TestWithParam<NameCase> {};

TEST_P(CheckName, ReplacesTheExtension) { EXPECT_EQ(CheckFileName(GetParam().in), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(
    Table, CheckName,
    ::testing::Values(NameCase{"UpperTxt", "HAUS.TXT", "HAUS.check.json"},
                      NameCase{"Dat", "HAUS.DAT", "HAUS.check.json"},
                      NameCase{"NoExtension", "HAUS", "HAUS.check.json"},
                      NameCase{"TwoDots", "HAUS.2024.TXT", "HAUS.2024.check.json"},
                      NameCase{"DotInFolderOnly", "bau.alt/HAUS", "bau.alt/HAUS.check.json"},
                      NameCase{"InFolder", "projekte/HAUS.txt", "projekte/HAUS.check.json"}),
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

TEST(CheckFile, ReadsAFileWrittenByHand) {
    const auto read = ReadCheckFile(kByHand, CheckProject());
    ASSERT_TRUE(read) << read.problem().message;
    EXPECT_EQ(*read, (CheckSettings{50, 40, TypedOutputs({{1, 1200}, {3, 850}})}));
}

struct Refusal {
    const char* name;
    std::string from; // replaced in kByHand ...
    std::string to;   // ... by this
    const char* reason;
};

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
        Refusal{"InstalledNotList", "\"installed\": [", "\"installed\": 5, \"rest\": [",
                "keine Liste"}),
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
    std::string beside() { return dir / "HAUS.check.json"; }

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

TEST_F(CheckFileCommands, UnusableFileIsNamedTheProjectLoadsAndTheFileStays) {
    writeProject();
    const std::string bad = R"({"format": "hkberech-check", "version": 7})";
    Spit(beside(), bad);
    ProgramState s;
    s.Check = CheckSettings{60, 50, {}}; // from the project before
    dialogs.answer = project();
    ASSERT_EQ(mnuItemOpen_Click(s, dialogs, busy, messages, files), LoadOutcome::Loaded);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_PRED2(Contains, messages.shown[0].text, beside());
    EXPECT_PRED2(Contains, messages.shown[0].text, "andere Version");
    EXPECT_EQ(messages.shown[0].title, kTitleCheck);
    EXPECT_FALSE(s.Check) << "the check of the project before is gone";
    EXPECT_EQ(s.table, CheckProject().table) << "the project itself loaded";
    EXPECT_EQ(Slurp(beside()), bad);
}

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
    EXPECT_EQ(Slurp(project()), plain);
    const auto first = ReadCheckFile(Slurp(beside()), p);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, *p.Check);

    p.Check->installed[2] = InstalledChoice::Typed(2100);
    p.Check->supply = 50;
    ASSERT_EQ(mnuItemSave_Click(p, dialogs, messages, files), project());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Slurp(project()), plain);
    EXPECT_EQ(dir.names(), (std::set<std::string>{"HAUS.TXT", "HAUS.check.json"}));
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

} // namespace
} // namespace hk::test
