#include "support/fakes.h"
#include "support/samples.h"

#include "project/check_file.h"
#include "project/check_form.h"

#include <gtest/gtest.h>

namespace hk::test {
namespace {

// The three entries of CheckProject at 55/45 (spread 10), worked by hand with
// n 1,3: required QRaum * 2^1,3 = 2462, 3693, 1970 W; coverage 64, 41, 52 %;
// at the target 642, 609, 416 W; lowest supply 68, 85, 75 °C. The proposals
// of SampleRadiators: P 33 · 600 gives 3059 W a metre at DIN against
// QRaum * 2^1,33 = 2514, 3771, 2011 W.
struct RowTexts {
    const char* name;
    std::size_t row;
    std::vector<std::string> cells;
    const char* mark;
};

class CheckFormRow : public ::testing::TestWithParam<RowTexts> {};

TEST_P(CheckFormRow, Texts) {
    ProgramState p = CheckProject();
    p.Radiators = SampleRadiators();
    const CheckForm form(p);
    ASSERT_EQ(form.rowCount(), 3u);
    for (int c = 0; c < kCheckColumnCount; ++c) {
        EXPECT_EQ(form.cell(GetParam().row, static_cast<CheckColumn>(c)),
                  GetParam().cells[static_cast<std::size_t>(c)])
            << CheckColumnCaptions()[static_cast<std::size_t>(c)];
    }
    EXPECT_EQ(form.coverageMark(GetParam().row), GetParam().mark);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckFormRow,
    ::testing::Values(RowTexts{"Bath",
                               0,
                               {"1", "0012", "Bad", "20", "1000", "1,3", "1580", "ausgelegt",
                                "1580", "2462", "642", "64", "68", "P 33 · 600 × 900"},
                               "✗"},
                      RowTexts{"LivingRoom",
                               1,
                               {"2", "0013", "Wohnen", "20", "1500", "1,3", "1500", "ausgelegt",
                                "1500", "3693", "609", "41", "85", "P 33 · 600 × 1300"},
                               "✗"},
                      RowTexts{"ChildsRoom",
                               2,
                               {"3", "0014", "Kind  ", "20", "800", "1,3", "1024", "ausgelegt",
                                "1024", "1970", "416", "52", "75", "P 33 · 600 × 700"},
                               "✗"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckForm, SummaryNamesTheCriticalRoom) {
    ProgramState p = CheckProject();
    const CheckForm form(p);
    EXPECT_EQ(form.summary(),
              (std::vector<std::string>{
                  "Niedrigste Vorlauftemperatur für alle Räume: 85 °C (kritisch: Raum 0013 Wohnen)",
                  "3 von 3 Räumen sind bei 55/45 °C unterversorgt.",
                  "Erforderliche Normleistung bei 55/45 °C gesamt: 8125 W (vorhanden 4104 W)."}));
}

// Typed installed outputs: what the cell takes and what it refuses.
struct Typed {
    const char* name;
    const char* text;
    bool accepted;
    const char* shown; // the cell afterwards
};

class InstalledCell : public ::testing::TestWithParam<Typed> {};

TEST_P(InstalledCell, TakesOrRefuses) {
    ProgramState p = CheckProject();
    CheckForm form(p);
    ASSERT_TRUE(form.setInstalled(0, "2000")); // the previous value
    const auto set = form.setInstalled(0, GetParam().text);
    EXPECT_EQ(set.ok(), GetParam().accepted);
    if (!set) {
        EXPECT_NE(set.problem().message.find("ganze Zahl von 1 bis 99999"), std::string::npos);
    }
    EXPECT_EQ(form.cell(0, CheckColumn::Installed), GetParam().shown);
    ASSERT_TRUE(p.Check);
    EXPECT_EQ(p.Check->installed.count(1), std::string(GetParam().shown) == "1580" ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, InstalledCell,
    ::testing::Values(
        Typed{"Whole", "1250", true, "1250"}, Typed{"GroupingPoint", "1.250", true, "1250"},
        Typed{"Blanks", "  800 ", true, "800"}, Typed{"One", "1", true, "1"},
        Typed{"Maximum", "99999", true, "99999"}, Typed{"WholeWithComma", "1250,0", true, "1250"},
        Typed{"EmptyTakesTheSizedRadiator", "", true, "1580"},
        Typed{"BlanksOnly", "   ", true, "1580"}, Typed{"Zero", "0", false, "2000"},
        Typed{"AboveMaximum", "100000", false, "2000"}, Typed{"Fraction", "1,5", false, "2000"},
        Typed{"Negative", "-5", false, "2000"}, Typed{"Letters", "abc", false, "2000"},
        Typed{"DecimalPointIsGrouping", "12.5", true, "125"},
        Typed{"BeyondDouble", "1E400", false, "2000"}),
    [](const auto& info) { return std::string(info.param.name); });

// A catalogue radiator for a row: taken, or refused with the row named and
// the row as it was.
struct Chosen {
    const char* name;
    const char* radiator;
    int count;
    std::int16_t dNorm;
    const char* text; // the output text, or a part of the refusal
    bool taken;
};

class ChosenRadiator : public ::testing::TestWithParam<Chosen> {};

TEST_P(ChosenRadiator, TakenOrRefused) {
    const Chosen& c = GetParam();
    ProgramState p = CheckProject();
    p.dNorm = c.dNorm;
    p.Radiators = SampleRadiators();
    CheckForm form(p);
    const auto output = form.radiatorOutputText(c.radiator, c.count);
    EXPECT_PRED2(Contains, output ? *output : output.problem().message, c.text);
    const auto set = form.setRadiator(1, c.radiator, c.count);
    ASSERT_EQ(set.ok(), c.taken);
    if (!set) {
        EXPECT_PRED2(Contains, set.problem().message, "Heizkörper 2 (0013 Wohnen): ");
        EXPECT_EQ(form.cell(1, CheckColumn::Radiator), "ausgelegt");
        EXPECT_FALSE(p.CheckUnsaved());
        return;
    }
    EXPECT_TRUE(p.CheckUnsaved());
    EXPECT_EQ(std::string(c.text).rfind(form.cell(1, CheckColumn::Installed) + " W", 0), 0u)
        << "the row takes the output shown";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChosenRadiator,
    ::testing::Values(
        // 1800 W/m * 1,2^1,3 = 2281 W at DIN; 1800 W at DIN EN 442.
        Chosen{"PanelDin", "P 22 · 600", 1000, 60, "2281 W bei DIN 90/70/20", true},
        Chosen{"PanelEn", "P 22 · 600", 1000, 50, "1800 W bei DIN EN 442 75/65/20", true},
        Chosen{"PanelOffStep", "P 22 · 600", 1050, 60, "Schritten von 100", false},
        Chosen{"SixtyOneSections", "G 600", 61, 60, "1 bis 60", false},
        Chosen{"NotInCatalogue", "P 44 · 600", 1000, 60, "nicht im Heizkörperkatalog", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckForm, DiscardGoesBackToTheOpenedValuesAndSaveKeepsNew) {
    ProgramState p = CheckProject();
    p.Check = CheckSettings{50, 40, TypedOutputs({{1, 2000}})};
    CheckForm form(p);
    ASSERT_TRUE(form.setInstalled(0, "2100"));
    ASSERT_TRUE(form.setTargets(45, 35));
    EXPECT_TRUE(form.unsaved());
    form.discard();
    EXPECT_FALSE(form.unsaved());
    EXPECT_EQ(p.Check, (CheckSettings{50, 40, TypedOutputs({{1, 2000}})}));
    EXPECT_EQ(form.cell(0, CheckColumn::Installed), "2000");
    EXPECT_EQ(form.proposedName("pdf"), "Projekt WP-1 Check 50-40.pdf");
}

TEST(CheckForm, TypedOutputChangesCoverageAndSummary) {
    ProgramState p = CheckProject();
    CheckForm form(p);
    ASSERT_TRUE(form.setInstalled(1, "3694")); // the first whole watt above 3693,4
    EXPECT_EQ(form.cell(1, CheckColumn::Radiator), "eingegeben");
    EXPECT_EQ(form.cell(1, CheckColumn::Coverage), "100");
    EXPECT_EQ(form.coverageMark(1), "✓");
    EXPECT_EQ(form.cell(1, CheckColumn::MinSupply), "55");
    EXPECT_EQ(form.cell(1, CheckColumn::Proposal), "");
    EXPECT_EQ(form.summary(),
              (std::vector<std::string>{
                  "Niedrigste Vorlauftemperatur für alle Räume: 75 °C (kritisch: Raum 0014 Kind)",
                  "2 von 3 Räumen sind bei 55/45 °C unterversorgt.",
                  "Erforderliche Normleistung bei 55/45 °C gesamt: 8125 W (vorhanden 6298 W)."}));
    ASSERT_TRUE(form.setInstalled(0, "1"));
    EXPECT_EQ(form.cell(0, CheckColumn::MinSupply), "> 120");
    EXPECT_EQ(form.summary()[0],
              "Niedrigste Vorlauftemperatur für alle Räume: über 120 °C (kritisch: Raum 0012 Bad)");
}

TEST(CheckForm, SummaryCountsInTheSingularAndNone) {
    ProgramState p = CheckProject();
    CheckForm form(p);
    ASSERT_TRUE(form.setInstalled(0, "99999"));
    ASSERT_TRUE(form.setInstalled(1, "99999"));
    EXPECT_EQ(form.summary()[1], "1 von 3 Räumen ist bei 55/45 °C unterversorgt.");
    ASSERT_TRUE(form.setInstalled(2, "99999"));
    EXPECT_EQ(form.summary()[1], "Keiner von 3 Räumen ist bei 55/45 °C unterversorgt.");
}

// Target pairs: a refused pair leaves the last valid one in force.
struct Targets {
    const char* name;
    int supply, ret;
    const char* note; // empty: accepted
};

class TargetPair : public ::testing::TestWithParam<Targets> {};

TEST_P(TargetPair, AcceptedOrKept) {
    ProgramState p = CheckProject();
    CheckForm form(p);
    ASSERT_TRUE(form.setTargets(50, 40));
    const auto before = form.result();
    const auto set = form.setTargets(GetParam().supply, GetParam().ret);
    if (*GetParam().note == '\0') {
        EXPECT_TRUE(set);
        EXPECT_EQ(form.supply(), GetParam().supply);
        EXPECT_EQ(form.ret(), GetParam().ret);
        EXPECT_EQ(p.Check->supply, GetParam().supply);
        return;
    }
    ASSERT_FALSE(set);
    EXPECT_EQ(set.problem().message, GetParam().note);
    EXPECT_EQ(form.supply(), 50);
    EXPECT_EQ(form.ret(), 40);
    EXPECT_EQ(form.result(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TargetPair,
    ::testing::Values(
        Targets{"Default", 55, 45, ""}, Targets{"Lowest", 30, 20, ""},
        Targets{"Highest", 120, 119, ""},
        Targets{"ReturnEqualsSupply", 45, 45,
                "Der Rücklauf muss unter dem Vorlauf liegen. Es gilt weiter 50/40 °C."},
        Targets{"ReturnAboveSupply", 40, 45,
                "Der Rücklauf muss unter dem Vorlauf liegen. Es gilt weiter 50/40 °C."},
        Targets{"SupplyBelowRange", 29, 20,
                "Vorlauf 30 bis 120 °C, Rücklauf 20 bis 119 °C. Es gilt weiter 50/40 °C."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckForm, NoReferenceCannotRun) {
    ProgramState p = CheckProject();
    p.dNorm = 0;
    const CheckForm form(p);
    EXPECT_FALSE(form.canRun());
    EXPECT_EQ(form.rowCount(), 0u);
}

TEST(CheckForm, RoomLabels) {
    ProgramState p = CheckProject();
    p.table.at(1).RaumNr = "";
    p.table.at(1).RaumVer = "  ";
    p.table.at(2).RaumVer = std::string(38, 'x') + "äöü";
    p.table.at(3).RaumNr = " 7 ";
    p.table.at(3).RaumVer = "";
    const CheckForm form(p);
    EXPECT_EQ(form.roomLabel(0), "Heizkörper 1");
    EXPECT_EQ(form.roomLabel(1), "0013 " + std::string(35, 'x') + "…") << "40 characters, cut";
    EXPECT_EQ(form.roomLabel(2), "7");
    p.table.at(2).RaumVer = std::string(32, 'x') + "äöü";
    EXPECT_EQ(CheckForm(p).roomLabel(1), "0013 " + std::string(32, 'x') + "äöü")
        << "40 characters in 43 bytes stay whole";
}

TEST(CheckForm, ReferenceText) {
    ProgramState p = CheckProject();
    EXPECT_EQ(CheckForm(p).referenceText(), "Normleistungen bei DIN 90/70/20");
    p.dNorm = 50;
    EXPECT_EQ(CheckForm(p).referenceText(), "Normleistungen bei DIN EN 442 75/65/20");
}

TEST(CheckForm, OpeningOrEmptyingAnUntypedCellSetsNoData) {
    ProgramState p = CheckProject();
    CheckForm form(p);
    EXPECT_FALSE(p.Check);
    EXPECT_TRUE(form.setInstalled(1, ""));
    EXPECT_FALSE(p.Check);
}

TEST(CheckForm, StartsFromTheLoadedData) {
    ProgramState p = CheckProject();
    p.Check = CheckSettings{60, 40, TypedOutputs({{3, 2000}})};
    const CheckForm form(p);
    EXPECT_EQ(form.supply(), 60);
    EXPECT_EQ(form.cell(2, CheckColumn::Installed), "2000");
}

TEST(CheckForm, SaveOfAProjectNeverSavedAsksForTheProjectFileFirst) {
    TempFolder dir;
    FakeFileDialogs dialogs;
    MessageLog messages;
    ProgramState p = CheckProject();
    CheckForm form(p);
    ASSERT_TRUE(form.setInstalled(0, "2000"));
    EXPECT_TRUE(p.Unsaved()) << "a typed output is unsaved work";

    dialogs.answer = ""; // cancelled: nothing saved
    EXPECT_FALSE(form.save(dialogs, messages, SystemFileOps()));
    EXPECT_TRUE(dir.names().empty());
    EXPECT_TRUE(p.Unsaved());

    dialogs.answer = dir / "NEU.TXT";
    EXPECT_TRUE(form.save(dialogs, messages, SystemFileOps()));
    EXPECT_FALSE(p.Unsaved());
    EXPECT_EQ(dialogs.calls(FakeFileDialogs::Kind::Save), 2);
    EXPECT_EQ(p.ProjectFile, dir / "NEU.TXT");
    EXPECT_EQ(dir.names(), (std::set<std::string>{"NEU.TXT", "NEU.TXT.check.json"}));

    // Known file now: the check's file only, no dialog.
    ASSERT_TRUE(form.setTargets(50, 40));
    EXPECT_TRUE(p.Unsaved()) << "a target pair is unsaved work";
    ASSERT_TRUE(form.setInstalled(0, "2100"));
    EXPECT_TRUE(form.save(dialogs, messages, SystemFileOps()));
    EXPECT_FALSE(p.Unsaved());
    EXPECT_EQ(dialogs.calls(FakeFileDialogs::Kind::Save), 2);
    const auto read = ReadCheckFile(Slurp(dir / "NEU.TXT.check.json"), p);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->installed.at(1), InstalledChoice::Typed(2100));
    EXPECT_TRUE(messages.shown.empty());

    // A radiator more since the project file was written: the project is
    // saved again first, so the check's file stays tied to it.
    p.table.at(4) = CheckEntry("0015", "Flur", 70, 55, 400);
    p.LfNr = 4;
    dialogs.answer = dir / "NEU2.TXT";
    EXPECT_TRUE(form.save(dialogs, messages, SystemFileOps()));
    EXPECT_EQ(dialogs.calls(FakeFileDialogs::Kind::Save), 3);
    EXPECT_EQ(p.ProjectFile, dir / "NEU2.TXT");
    EXPECT_TRUE(ReadCheckFile(Slurp(dir / "NEU2.TXT.check.json"), p).ok());
}

} // namespace
} // namespace hk::test

namespace hk::test {
namespace {

TEST(CheckCsv, HeadingAndOneLineAnEntry) {
    ProgramState p = CheckProject();
    p.Radiators = SampleRadiators();
    p.table.at(2).RaumVer = "Wohnen; Essen";
    CheckForm form(p);
    ASSERT_TRUE(form.setInstalled(0, "1"));
    // G 600 with n 1,3: 80 * 12 * 1,2^1,3 = 1217 W; 800 * 2^1,3 = 1970 W.
    ASSERT_TRUE(form.setRadiator(2, "G 600", 12));
    EXPECT_EQ(form.csv(), "\xEF\xBB\xBF"
                          "Nr;Raum-Nr;Raumverwendung;Raum °C;Q-Raum W;Exponent;Q-Norm W;"
                          "vorhandener Heizkörper;vorh. Normleistung W;erf. Normleistung W;"
                          "Q bei Ziel W;Deckung %;min. Vorlauf °C;Vorschlag\r\n"
                          "1;0012;Bad;20;1000;1,3;1580;eingegeben;1;2462;0;0;> 120;"
                          "P 33 · 600 × 900\r\n"
                          "2;0013;\"Wohnen; Essen\";20;1500;1,3;1500;ausgelegt;1500;3693;609;41;85;"
                          "P 33 · 600 × 1300\r\n"
                          "3;0014;Kind  ;20;800;1,3;1024;G 600 · 12 Glieder;1217;1970;494;62;69;"
                          "P 33 · 600 × 700\r\n");
}

// A version-2 file written by hand (typed, panel, sectional) beside the
// check project, in both references; worked by hand from the rules: 45/35/20
// is logarithmic (10 / ln(25/15) = 19,58 K), at DIN the panel gives
// 1800 * 1,2^1,3 = 2281 W and the sections 960 * 1,2^1,3 = 1217 W.
const char* const kHandWritten = R"({"format": "hkberech-check", "version": 2,
 "supply": 45, "return": 35, "project": {"LfNr": 3, "QRaum": [1000, 1500, 800]},
 "installed": [{"entry": 1, "output": 1200},
               {"entry": 2, "radiator": "P 22 · 600", "length": 1000},
               {"entry": 3, "radiator": "G 600", "sections": 12}]})";

struct ByHandCase {
    const char* name;
    std::int16_t dNorm;
    const char* lines;
};

class CheckByHand : public ::testing::TestWithParam<ByHandCase> {};

TEST_P(CheckByHand, HandWrittenFileGivesTheNumbers) {
    ProgramState p = CheckProject();
    p.dNorm = GetParam().dNorm;
    p.Radiators = SampleRadiators();
    const auto read = ReadCheckFile(kHandWritten, p);
    ASSERT_TRUE(read) << read.problem().message;
    p.Check = *read;
    const std::string csv = CheckForm(p).csv();
    EXPECT_EQ(csv.substr(csv.find("\r\n") + 2), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckByHand,
    ::testing::Values(
        ByHandCase{
            "Din", 60,
            "1;0012;Bad;20;1000;1,3;1580;eingegeben;1200;4289;280;28;78;P 33 · 600 × 1500\r\n"
            "2;0013;Wohnen;20;1500;1,3;1500;P 22 · 600 × 1000;2281;6433;532;35;69;"
            "P 33 · 600 × 2200\r\n"
            "3;0014;Kind  ;20;800;1,3;1024;G 600 · 12 Glieder;1217;3431;284;35;69;"
            "P 33 · 600 × 1200\r\n"},
        ByHandCase{
            "En", 50,
            "1;0012;Bad;20;1000;1,3;1580;eingegeben;1200;3384;355;35;69;P 33 · 600 × 1500\r\n"
            "2;0013;Wohnen;20;1500;1,3;1500;P 22 · 600 × 1000;1800;5076;532;35;69;"
            "P 33 · 600 × 2200\r\n"
            "3;0014;Kind  ;20;800;1,3;1024;G 600 · 12 Glieder;960;2707;284;35;69;"
            "P 33 · 600 × 1200\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckCsv, NoConversionAtTheTargetGivesDashes) {
    ProgramState p = CheckProject();
    p.table.at(1).dRaum = 24; // return 20 is below the room
    CheckForm form(p);
    ASSERT_TRUE(form.setTargets(30, 20));
    const std::string csv = form.csv();
    EXPECT_NE(csv.find("\r\n1;0012;Bad;24;1000;1,3;1580;ausgelegt;1580;–;–;–;"), std::string::npos)
        << csv;
}

TEST(CheckCsv, ExportProposesTheCheckNameAndWritesSafely) {
    TempFolder dir;
    FakeFileDialogs dialogs;
    MessageLog messages;
    ProgramState p = CheckProject();
    const CheckForm form(p);
    dialogs.answer = dir / "check.csv";
    EXPECT_EQ(form.exportCsv(dialogs, messages, SystemFileOps()), ExportOutcome::Written);
    EXPECT_EQ(dialogs.last().title, "Projekt WP-1 Check 55-45.csv");
    EXPECT_EQ(Slurp(dir / "check.csv"), form.csv());
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace hk::test
