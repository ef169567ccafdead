#include "support/fakes.h"
#include "support/samples.h"

#include "project/balancing_form.h"
#include "project/check_file.h"
#include "project/check_form.h"
#include "project/project_file.h"

#include <gtest/gtest.h>

namespace hk::test {
namespace {

// The shipped example valve under a short name, and a small one.
std::vector<Valve> TestValves() {
    Valve example = ExampleValve();
    example.name = "Beispiel";
    return {example, {"Klein", {{"I", 0.05}, {"II", 0.1}, {"III", 0.15}}}};
}

// CheckProject with the three kinds of installed radiator: entry 1 as the
// project sized it (1580 W), entry 2 a panel Typ 22 · 600 × 1000 of the
// catalogue (1784 W at EN, n 1,31), entry 3 typed 2000 W with a valve of
// its own; balanced at 70 °C, spread 15, 100 mbar.
ProgramState BalancedProject(std::int16_t dNorm) {
    ProgramState p = CheckProject();
    p.dNorm = dNorm;
    p.Radiators = {{"Flach", "Typ 22 · 600", 600, 1784, true, 1.31}};
    p.Check = CheckSettings{
        55,
        45,
        {{2, InstalledChoice::Chosen("Typ 22 · 600", 1000)}, {3, InstalledChoice::Typed(2000)}}};
    p.Balancing = BalancingSettings{{70, 15, 100, -12, 0}, "Beispiel", {{3, "Klein"}}};
    return p;
}

// The CSV worked out by hand (bisection of the log-mean excess to 10⁻⁹ K).
// DIN: Θn 59,44; entry 1 needs 59,44 × (1000/1580)^(1/1,3) = 41,66 K, return
// 54,57 °C, spread 15,43 K, 1000 / (1,163 × 15,43) = 55,7 l/h, kv 0,176 ->
// setting 4 (0,20), 1000 × (0,0557 / 0,2)² = 77,6 mbar. The panel gives
// 1784 × 1,2^1,31 = 2265 W there.
struct CsvCase {
    const char* name;
    std::int16_t dNorm;
    std::vector<std::string> lines;
};

class BalancingCsv : public ::testing::TestWithParam<CsvCase> {};

TEST_P(BalancingCsv, ByHand) {
    ProgramState p = BalancedProject(GetParam().dNorm);
    const BalancingForm form(p, TestValves());
    std::string expected = "\xEF\xBB\xBF" + std::string(kBalancingCsvHeading) + "\r\n";
    for (const std::string& line : GetParam().lines) {
        expected += line + "\r\n";
    }
    EXPECT_EQ(form.csv(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BalancingCsv,
    ::testing::Values(
        CsvCase{"Din",
                60,
                {"1;0012;Bad;20;1000;ausgelegt;1580;1,3;54,6;15,4;56;Beispiel;0,176;4;78;",
                 "2;0013;Wohnen;20;1500;Typ 22 · 600 × 1000;2265;1,31;57,4;12,6;102;Beispiel;"
                 "0,324;6;66;",
                 "3;0014;Kind  ;20;800;eingegeben;2000;1,3;35,4;34,6;20;Klein;0,063;II;40;"}},
        CsvCase{"En",
                50,
                {"1;0012;Bad;20;1000;ausgelegt;1580;1,3;43,4;26,6;32;Beispiel;0,102;3;73;",
                 "2;0013;Wohnen;20;1500;Typ 22 · 600 × 1000;1784;1,31;57,9;12,1;106;Beispiel;"
                 "0,336;6;71;",
                 "3;0014;Kind  ;20;800;eingegeben;2000;1,3;29,8;40,2;17;Klein;0,054;II;29;"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BalancingForm, UndersizedRowAndItsNotes) {
    ProgramState p = BalancedProject(60);
    p.Balancing->system = {55, 10, 20, -12, 0}; // entry 2 (1500 at 1500) cannot at 55
    BalancingForm form(p, TestValves());
    EXPECT_EQ(form.cell(1, BalancingColumn::Return), "45,0");
    EXPECT_EQ(form.cell(1, BalancingColumn::Spread), "10,0");
    // 129 l/h at 20 mbar need kv 0,912: beyond the example valve too.
    EXPECT_EQ(form.cell(1, BalancingColumn::Note),
              "unterversorgt; Ventil voll offen – Differenzdruck erhöhen");
    // Entry 3 on the small valve: 20 mbar leave it fully open.
    EXPECT_EQ(form.cell(2, BalancingColumn::Setting), "III");
    EXPECT_EQ(form.cell(2, BalancingColumn::Note), "Ventil voll offen – Differenzdruck erhöhen");
}

// A refused value keeps the last valid one; the bounds themselves are taken.
struct BoxCase {
    const char* name;
    BalancingBox box;
    int value;
    const char* note; // "" when taken
};

class BalancingBoxes : public ::testing::TestWithParam<BoxCase> {};

TEST_P(BalancingBoxes, Bounds) {
    ProgramState p = CheckProject();
    BalancingForm form(p, TestValves());
    const int before = form.input(GetParam().box);
    const auto set = form.setInput(GetParam().box, GetParam().value);
    if (*GetParam().note == '\0') {
        EXPECT_TRUE(set);
        EXPECT_EQ(form.input(GetParam().box), GetParam().value);
        EXPECT_EQ(form.unsaved(), GetParam().value != before);
        EXPECT_EQ(p.Unsaved(), form.unsaved()) << "a changed input is unsaved work of the project";
    } else {
        ASSERT_FALSE(set);
        EXPECT_EQ(set.problem().message, GetParam().note);
        EXPECT_EQ(form.input(GetParam().box), before);
        EXPECT_FALSE(form.unsaved());
        EXPECT_FALSE(p.Unsaved());
        EXPECT_FALSE(p.Balancing);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, BalancingBoxes,
    ::testing::Values(BoxCase{"SupplyLowest", BalancingBox::Supply, 30, ""},
                      BoxCase{"SupplyAboveRange", BalancingBox::Supply, 91,
                              "Vorlauf: 30 bis 90 °C. Es gilt weiter 55 °C."},
                      BoxCase{"SpreadBelowRange", BalancingBox::Spread, 1,
                              "Spreizung: 2 bis 30 K. Es gilt weiter 10 K."},
                      BoxCase{"SpreadHighest", BalancingBox::Spread, 30, ""},
                      BoxCase{
                          "DpBelowRange", BalancingBox::Dp, 19,
                          "Differenzdruck am Ventil: 20 bis 300 mbar. Es gilt weiter 100 mbar."},
                      BoxCase{"DpHighest", BalancingBox::Dp, 300, ""},
                      BoxCase{"OutdoorLowest", BalancingBox::Outdoor, -30, ""},
                      BoxCase{"OutdoorAboveRange", BalancingBox::Outdoor, 6,
                              "Norm-Außentemperatur: -30 bis 5 °C. Es gilt weiter -12 °C."},
                      BoxCase{"LengthZeroIsTheDefault", BalancingBox::Length, 0, ""},
                      BoxCase{"LengthAboveRange", BalancingBox::Length, 501,
                              "Längster Heizkreis: 0 bis 500 m. Es gilt weiter 0 m."}),
    [](const auto& info) { return std::string(info.param.name); });

// Supply and spread start from the check's target where they fit.
struct DefaultCase {
    const char* name;
    std::optional<CheckSettings> check;
    int supply, spread;
};

class BalancingDefaults : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(BalancingDefaults, FromTheCheck) {
    ProgramState p = CheckProject();
    p.Check = GetParam().check;
    const BalancingForm form(p, TestValves());
    EXPECT_EQ(form.input(BalancingBox::Supply), GetParam().supply);
    EXPECT_EQ(form.input(BalancingBox::Spread), GetParam().spread);
    EXPECT_EQ(form.input(BalancingBox::Dp), 100);
    EXPECT_EQ(form.input(BalancingBox::Outdoor), -12);
    EXPECT_EQ(form.valve(), "Beispiel");
}

INSTANTIATE_TEST_SUITE_P(
    Table, BalancingDefaults,
    ::testing::Values(DefaultCase{"NoCheck", std::nullopt, 55, 10},
                      DefaultCase{"CheckTarget", CheckSettings{45, 38, {}}, 45, 7},
                      DefaultCase{"SupplyAboveRange", CheckSettings{100, 60, {}}, 55, 10},
                      DefaultCase{"SpreadOne", CheckSettings{50, 49, {}}, 50, 10}),
    [](const auto& info) { return std::string(info.param.name); });

// The check and the balancing window on one project: closing one without
// saving gives back only its own changes, never marks the other's saved, and
// after a save in between leaves what it gives up unsaved (the file holds it).
TEST(BalancingForm, ClosingWithoutSavingTouchesOnlyItsOwnChanges) {
    ProgramState p = BalancedProject(60);
    p.Saved();
    CheckForm check(p);
    BalancingForm balancing(p, TestValves());
    ASSERT_TRUE(balancing.setInput(BalancingBox::Dp, 150));
    ASSERT_TRUE(check.setInstalled(0, "2000"));
    balancing.discard();
    EXPECT_FALSE(balancing.unsaved());
    EXPECT_TRUE(check.unsaved() && p.CheckUnsaved());
    check.discard();
    EXPECT_FALSE(p.Unsaved());

    ASSERT_TRUE(balancing.setInput(BalancingBox::Dp, 150));
    p.CheckSaved(); // the check window's "Speichern" writes the inputs too
    balancing.discard();
    EXPECT_EQ(p.Balancing->system.dpMbar, 100);
    EXPECT_TRUE(balancing.unsaved() && p.CheckUnsaved());
    EXPECT_FALSE(check.unsaved());
}

TEST(BalancingForm, ValvesOfAllRowsAndOfOneRow) {
    ProgramState p = BalancedProject(60);
    p.Balancing->valves.clear();
    BalancingForm form(p, TestValves());
    EXPECT_EQ(form.cell(0, BalancingColumn::Setting), "4");
    ASSERT_TRUE(form.setRowValve(0, "Klein"));
    EXPECT_EQ(form.cell(0, BalancingColumn::Valve), "Klein");
    EXPECT_EQ(form.cell(0, BalancingColumn::Setting), "III"); // 0,176 > 0,15: fully open
    EXPECT_EQ(p.Balancing->valves, (std::map<int, std::string>{{1, "Klein"}}));
    EXPECT_TRUE(form.unsaved());
    BalancingForm other(p, TestValves());
    ASSERT_TRUE(other.setInput(BalancingBox::Dp, 150));
    other.discard(); // closed without saving: as it was when the form was made
    EXPECT_EQ(p.Balancing->system.dpMbar, 100);
    EXPECT_TRUE(other.unsaved()) << "the row's valve chosen before stays unsaved";
    // The same valve for all rows: the row's own choice is no longer one.
    ASSERT_TRUE(form.setValve("Klein"));
    EXPECT_TRUE(p.Balancing->valves.empty());
    EXPECT_EQ(form.cell(1, BalancingColumn::Valve), "Klein");
    const auto unknown = form.setRowValve(1, "Fremd");
    ASSERT_FALSE(unknown);
    EXPECT_EQ(unknown.problem().message, "Das Ventil „Fremd“ steht nicht in der Ventiltabelle.");
    EXPECT_FALSE(form.setValve("Fremd"));
    EXPECT_EQ(form.valve(), "Klein");
}

TEST(BalancingForm, SavedValveGoneFromTheTableFallsBackWithANote) {
    ProgramState p = BalancedProject(60);
    p.Balancing->valve = "Alt";
    const BalancingForm form(p, TestValves());
    EXPECT_EQ(form.valve(), "Beispiel");
    EXPECT_EQ(form.valveNote(),
              "Das gespeicherte Ventil „Alt“ steht nicht in der Ventiltabelle; es gilt "
              "„Beispiel“.");
}

TEST(BalancingForm, CannotRunWithoutReferenceOrValve) {
    ProgramState p = CheckProject();
    p.dNorm = 0;
    const BalancingForm noNorm(p, TestValves());
    EXPECT_FALSE(noNorm.canRun());
    EXPECT_EQ(noNorm.rowCount(), 0u);
    EXPECT_PRED2(Contains, noNorm.cannotRunText(), "keine Norm");
    p.dNorm = 60;
    const BalancingForm noValve(p, {});
    EXPECT_FALSE(noValve.canRun());
    EXPECT_PRED2(Contains, noValve.cannotRunText(), "kein Ventil");
}

TEST(BalancingForm, SummaryCurveAndNames) {
    ProgramState p = BalancedProject(60);
    p.Balancing->system = {55, 10, 100, -12, 30};
    p.Balancing->valves.clear();
    p.header[ProjectHeader::ProjektNr] = "WP-1";
    const BalancingForm form(p, TestValves());
    // Rows 86 (undersized), 129 (undersized) and 65 l/h; the largest drop
    // 82 mbar -> 1,5 m + 0,82 m.
    EXPECT_EQ(form.summary(),
              (std::vector<std::string>{
                  "Summe Raumheizlast: 3300 W; Summe Volumenstrom: 280 l/h = 0,280 m³/h",
                  "Erforderliche Leistung des Wärmeerzeugers: 3300 W (Summe der Raumheizlasten) "
                  "bei 55/45 °C",
                  "Förderhöhe der Pumpe geschätzt: 2,3 m = Rohrnetz 2 × 30 m × 100 Pa/m × 2,5 "
                  "(Zuschlag für Einzelwiderstände) = 1,5 m, zuzüglich größter Δp Ventil 82 mbar "
                  "(1 m ≈ 10 kPa)"}));
    const auto curve = form.curveTable();
    ASSERT_EQ(curve.size(), 7u);
    EXPECT_EQ(curve.front(), (std::vector<std::string>{"-12", "55", "45"}));
    EXPECT_EQ(curve.back(), (std::vector<std::string>{"15", "28", "26"}));
    EXPECT_EQ(form.slopeText(),
              "Steilheit der Heizkurve: 1,09 (Vorlauf 55 °C bei -12 °C außen, Raum 20 °C)");
    EXPECT_EQ(form.proposedName("pdf"), "Projekt WP-1 Abgleich.pdf");
    EXPECT_EQ(form.referenceText(), "Normleistungen bei DIN 90/70/20 (Θn = 59,44 K)");
}

// ------------------------------------------------------------ the file beside

TEST(BalancingFile, RoundTripBesideTheCheck) {
    const ProgramState p = BalancedProject(60);
    const std::string bytes = CheckFileBytes(p, *p.Check);
    const auto read = ReadBalancingPart(bytes, p);
    ASSERT_TRUE(read) << read.problem().message;
    EXPECT_EQ(*read, p.Balancing);
    ProgramState without = p;
    without.Balancing.reset();
    const auto none = ReadBalancingPart(CheckFileBytes(without, *p.Check), p);
    ASSERT_TRUE(none);
    EXPECT_FALSE(*none);
}

struct BadBalancing {
    const char* name;
    const char* object;
    const char* reason;
};

class BalancingFileRefusal : public ::testing::TestWithParam<BadBalancing> {};

std::string FileWith(const std::string& balancing) {
    return R"({"format": "hkberech-check", "version": 2, "supply": 55, "return": 45,
 "project": {"LfNr": 3, "QRaum": [1000, 1500, 800]}, "installed": [],
 "balancing": )" +
           balancing + "}";
}

TEST_P(BalancingFileRefusal, SaysWhy) {
    const auto read = ReadBalancingPart(FileWith(GetParam().object), CheckProject());
    ASSERT_FALSE(read);
    EXPECT_PRED2(Contains, read.problem().message, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BalancingFileRefusal,
    ::testing::Values(
        BadBalancing{"NotAnObject", "[]", "kein Objekt"},
        BadBalancing{"SupplyMissing", R"({"spread": 10, "dp_mbar": 100, "outdoor": -12})",
                     "„supply“ fehlt"},
        BadBalancing{"SupplyAboveRange",
                     R"({"supply": 91, "spread": 10, "dp_mbar": 100, "outdoor": -12})",
                     "„supply“ fehlt oder ist keine ganze Zahl von 30 bis 90"},
        BadBalancing{"SpreadFraction",
                     R"({"supply": 55, "spread": 10.5, "dp_mbar": 100, "outdoor": -12})",
                     "„spread“"},
        BadBalancing{"LengthText",
                     R"({"supply": 55, "spread": 10, "dp_mbar": 100, "outdoor": -12,
                         "length_m": "30"})",
                     "„length_m“"},
        BadBalancing{"ValveNumber",
                     R"({"supply": 55, "spread": 10, "dp_mbar": 100, "outdoor": -12,
                         "valve": 3})",
                     "„valve“ ist kein Text"},
        BadBalancing{"EntryBeyondProject",
                     R"({"supply": 55, "spread": 10, "dp_mbar": 100, "outdoor": -12,
                         "valves": [{"entry": 4, "valve": "A"}]})",
                     "unbekannte oder doppelte"},
        BadBalancing{"EntryTwice",
                     R"({"supply": 55, "spread": 10, "dp_mbar": 100, "outdoor": -12,
                         "valves": [{"entry": 1, "valve": "A"}, {"entry": 1, "valve": "B"}]})",
                     "unbekannte oder doppelte"}),
    [](const auto& info) { return std::string(info.param.name); });

class BalancingFileCommands : public ::testing::Test, protected FileCommandRig {
protected:
    FakeBusy busy;
    FailingFileOps files;
    std::string project() { return dir / "HAUS.TXT"; }
    std::string beside() { return dir / "HAUS.check.json"; }
};

// A legacy project and a file written by hand: the bad balancing is named
// once, the check of the same file still used.
TEST_F(BalancingFileCommands, BadBalancingIsNamedOnceTheCheckStays) {
    const auto image = ProjectFileBytes(CheckProject());
    ASSERT_TRUE(image);
    Spit(project(), image->bytes);
    Spit(beside(), FileWith(R"({"supply": 120})"));
    ProgramState s;
    s.Balancing = BalancingSettings{}; // of the project before
    dialogs.answer = project();
    ASSERT_EQ(mnuItemOpen_Click(s, dialogs, busy, messages, files), LoadOutcome::Loaded);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, kTitleBalancing);
    EXPECT_PRED2(Contains, messages.shown[0].text, beside());
    EXPECT_TRUE(s.Check);
    EXPECT_FALSE(s.Balancing);
}

// "Speichern" of a project never saved: through the save dialog, and the
// balancing is in the file beside it, read again on load.
TEST_F(BalancingFileCommands, SaveWritesAndLoadReadsTheBalancing) {
    ProgramState p = BalancedProject(60);
    p.Radiators.clear();
    p.Check.reset();
    BalancingForm form(p, TestValves());
    ASSERT_TRUE(form.setInput(BalancingBox::Length, 40));
    dialogs.answer = project();
    ASSERT_TRUE(form.save(dialogs, messages, files));
    EXPECT_FALSE(form.unsaved());
    EXPECT_TRUE(messages.shown.empty());
    ProgramState back;
    ASSERT_EQ(mnuItemOpen_Click(back, dialogs, busy, messages, files), LoadOutcome::Loaded);
    ASSERT_TRUE(back.Balancing);
    EXPECT_EQ(back.Balancing->system.lengthM, 40);
    EXPECT_EQ(back.Balancing, p.Balancing);
}

} // namespace
} // namespace hk::test
