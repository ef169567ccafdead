#include "support/fakes.h"

#include "project/data_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace hk::test {
namespace {

const std::string kHeader = "Bauart;Name;Bauhöhe mm;Leistung W;je;Exponent\n";

void SetConfigHome(const std::string& value) {
#ifdef _WIN32
    _putenv_s("XDG_CONFIG_HOME", value.c_str());
#else
    setenv("XDG_CONFIG_HOME", value.c_str(), 1);
#endif
}

// Where the catalogue is found: beside the program (a build folder) before
// ../share/hkberech (installed), the user's file after either.
struct Place {
    const char* name;
    const char* beside;    // the file beside the program; nullptr: none
    const char* installed; // in ../share/hkberech; nullptr: none
    const char* user;      // in $XDG_CONFIG_HOME/hkberech; nullptr: none
    std::vector<std::string> names;
    const char* message; // a part of the message; empty: no message
};

class CatalogueFiles : public ::testing::TestWithParam<Place> {};

TEST_P(CatalogueFiles, AreFoundAndMerged) {
    const Place& p = GetParam();
    TempFolder dir;
    const std::filesystem::path root(dir / "");
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "share" / "hkberech");
    std::filesystem::create_directories(root / "config" / "hkberech");
    const auto put = [&](const std::filesystem::path& at, const char* rows) {
        if (rows) {
            Spit((at / "heizkoerper.csv").string(), kHeader + rows);
        }
    };
    put(root / "bin", p.beside);
    put(root / "share" / "hkberech", p.installed);
    put(root / "config" / "hkberech", p.user);
    SetConfigHome((root / "config").string());
    const LoadedCatalogue loaded = LoadRadiatorCatalogue(SystemFileOps(), (root / "bin").string());
    SetConfigHome("");
    std::vector<std::string> names;
    for (const TypicalRadiator& r : loaded.radiators) {
        names.push_back(r.name);
    }
    EXPECT_EQ(names, p.names);
    if (*p.message == '\0') {
        EXPECT_EQ(loaded.message, "");
    } else {
        EXPECT_PRED2(Contains, loaded.message, p.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CatalogueFiles,
    ::testing::Values(
        Place{"BesideTheProgramFirst",
              "Flach;A;600;1000;m;1,3\n",
              "Flach;B;600;1000;m;1,3\n",
              nullptr,
              {"A"},
              ""},
        Place{"Installed", nullptr, "Flach;B;600;1000;m;1,3\n", nullptr, {"B"}, ""},
        Place{"NoShippedFileTheUsersAlone",
              nullptr,
              nullptr,
              "Flach;U;600;1000;m;1,3\n",
              {"U"},
              "heizkoerper.csv: die mitgelieferte Datei wurde beim Programm nicht gefunden"},
        Place{"BadUserRowNamedOnce",
              "Flach;A;600;1000;m;1,3\n",
              nullptr,
              "Flach;B;600;1000;m\n",
              {"A"},
              "Zeile 2: 5 statt 6 Felder"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace hk::test
