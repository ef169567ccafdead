// The save and load commands and the unsaved mark: a save tells whether it
// wrote the file (only then is the work safe), a successful load starts
// with nothing unsaved, and whatever fails leaves the mark as it was.

#include "support/fakes.h"

#include "project/project_file.h"

#include <gtest/gtest.h>

namespace hk::test {
namespace {

ProgramState Calculated() {
    ProgramState s;
    s.header[ProjectHeader::ProjektNr] = "P-7";
    s.LfNr = 1;
    s.dNorm = 60;
    s.table.at(1) = {70, 40, "1", "Flur", 20, 1000, 1.3f, 32.7f, 2.2f, 2200, "Bank- Radiator"};
    s.ListingText = "Zeile 1\r\n";
    s.Changed();
    return s;
}

struct SaveCase {
    const char* name;
    bool chooseFile;
    Step failAt;
    const char* datum; // a header text the file may not carry
    bool written;
};

class SaveMarkTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveMarkTest, TellsWhetherTheFileWasWritten) {
    const SaveCase& c = GetParam();
    TempFolder dir;
    FakeFileDialogs dialogs;
    if (c.chooseFile) {
        dialogs.answer = dir / "projekt.TXT";
    }
    MessageLog messages;
    FailingFileOps files;
    files.failAt = c.failAt;
    ProgramState project = Calculated();
    project.header[ProjectHeader::Datum] = c.datum;

    EXPECT_EQ(!mnuItemSave_Click(project, dialogs, messages, files).empty(), c.written);
    EXPECT_EQ(dir.names().contains("projekt.TXT"), c.written);
    EXPECT_EQ(messages.shown.empty(), c.written || !c.chooseFile);
}

INSTANTIATE_TEST_SUITE_P(
    Save, SaveMarkTest,
    ::testing::Values(SaveCase{"Written", true, Step::None, "8.12.", true},
                      SaveCase{"DialogCancelled", false, Step::None, "8.12.", false},
                      SaveCase{"TextTheFileCannotCarry", true, Step::None, "✓", false},
                      SaveCase{"DiskFullWhileWriting", true, Step::Write, "8.12.", false},
                      SaveCase{"RenameFails", true, Step::Rename, "8.12.", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct LoadCase {
    const char* name;
    bool chooseFile;
    bool goodFile;
    LoadOutcome outcome;
    bool unsavedAfter;
};

class LoadMarkTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadMarkTest, OnlyALoadedProjectStartsSaved) {
    const LoadCase& c = GetParam();
    TempFolder dir;
    const auto image = ProjectFileBytes(Calculated());
    ASSERT_TRUE(image);
    const std::string& bytes = image->bytes;
    Spit(dir / "p.TXT", c.goodFile ? bytes : bytes.substr(0, bytes.size() / 2));
    FakeFileDialogs dialogs;
    if (c.chooseFile) {
        dialogs.answer = dir / "p.TXT";
    }
    FakeBusy busy;
    MessageLog messages;
    ProgramState state = Calculated(); // holds unsaved work

    EXPECT_EQ(mnuItemOpen_Click(state, dialogs, busy, messages), c.outcome);
    EXPECT_EQ(state.Unsaved(), c.unsavedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Load, LoadMarkTest,
    ::testing::Values(LoadCase{"Loaded", true, true, LoadOutcome::Loaded, false},
                      LoadCase{"DialogCancelled", false, true, LoadOutcome::NoFileChosen, true},
                      LoadCase{"FileCutInTheMiddle", true, false, LoadOutcome::Refused, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace hk::test
