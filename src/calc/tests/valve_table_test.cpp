#include "calc/valve_table.h"
#include "support/fakes.h"
#include "support/samples.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hk {
namespace {

// The shipped file, copied beside the test program.
TEST(ValveTable, ShippedFileHoldsTheExampleValve) {
    const std::string bytes = test::Slurp(std::string(kValveTableFile));
    ASSERT_FALSE(bytes.empty());
    const DataTable<Valve> table = ReadValveTable({{"ventile.csv", bytes}});
    EXPECT_TRUE(table.skipped.empty());
    ASSERT_EQ(table.rows.size(), 1u);
    const Valve* valve = FindValve(table.rows, test::ExampleValve().name);
    ASSERT_NE(valve, nullptr);
    EXPECT_EQ(*valve, test::ExampleValve());
    EXPECT_EQ(FindValve(table.rows, "Thermostatventil"), nullptr);
}

// A user file after a small shipped one: what is used, what is named.
struct UserFile {
    const char* name;
    std::string bytes;
    std::vector<std::string> valves; // name and settings: "A:1 2"
    std::vector<std::string> skipped;
};

class ValveUserFile : public ::testing::TestWithParam<UserFile> {};

std::string Described(const Valve& v) {
    std::string text = v.name + ":";
    for (const ValveSetting& s : v.settings) {
        text += " " + s.label + "=" + std::to_string(static_cast<int>(s.kv * 1000 + 0.5));
    }
    return text;
}

TEST_P(ValveUserFile, Read) {
    const std::string shipped = "Ventil;Stufe;kv\r\n# Beispiel\r\nA;1;0,1\r\nA;2;0,2\r\nB;N;1\r\n";
    const DataTable<Valve> table =
        ReadValveTable({{"ventile.csv", shipped}, {"eigene", GetParam().bytes}});
    std::vector<std::string> valves;
    for (const Valve& v : table.rows) {
        valves.push_back(Described(v));
    }
    EXPECT_EQ(valves, GetParam().valves);
    EXPECT_EQ(table.skipped, GetParam().skipped);
}

const std::string kHead = "\xEF\xBB\xBFVentil;Stufe;kv\n";

INSTANTIATE_TEST_SUITE_P(
    Table, ValveUserFile,
    ::testing::Values(
        UserFile{
            "AddsAValve", kHead + "C;1;0,5\n", {"A: 1=100 2=200", "B: N=1000", "C: 1=500"}, {}},
        // The user's valve A replaces the shipped A whole, in its place.
        UserFile{"ReplacesAValveWhole",
                 kHead + "A;I;0,05\nA;II;0,07\nA;III;0,09\n",
                 {"A: I=50 II=70 III=90", "B: N=1000"},
                 {}},
        UserFile{
            "WrongFirstLine",
            "Ventil;Stufe;kv-Wert\nA;1;9\n",
            {"A: 1=100 2=200", "B: N=1000"},
            {"eigene: die erste Zeile ist nicht „Ventil;Stufe;kv“, die Datei wird übergangen"}},
        UserFile{"BadRowsSkippedRestUsed",
                 kHead + "C;1;0,1\nC;2;abc\nC;3;0\nC;4;100,5\nC;5;0,1\nC;1;0,3\n;6;0,4\nC;;0,4\n"
                         "C;7;0,2;x\nC;8;0,2\n",
                 {"A: 1=100 2=200", "B: N=1000", "C: 1=100 8=200"},
                 {"eigene Zeile 10: 4 statt 3 Felder",
                  "eigene Zeile 3: kv „abc“ ist keine Zahl von 0,001 bis 100",
                  "eigene Zeile 4: kv „0“ ist keine Zahl von 0,001 bis 100",
                  "eigene Zeile 5: kv „100,5“ ist keine Zahl von 0,001 bis 100",
                  "eigene Zeile 6: kv „0,1“ ist nicht größer als bei Stufe „1“",
                  "eigene Zeile 7: Stufe „1“ steht zweimal",
                  "eigene Zeile 8: Ventil und Stufe dürfen nicht leer sein",
                  "eigene Zeile 9: Ventil und Stufe dürfen nicht leer sein"}},
        // A valve spread over lines of other valves is still one valve.
        UserFile{"InterleavedRows",
                 kHead + "D;1;0,1\nE;1;0,2\nD;2;0,3\n",
                 {"A: 1=100 2=200", "B: N=1000", "D: 1=100 2=300", "E: 1=200"},
                 {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace hk
