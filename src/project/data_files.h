#pragma once
// Finding and reading the program's data tables (data_table.h): the shipped
// file beside the program (a build folder) or in ../share/hkberech (the
// install location), then the user's own file of the same name in
// $XDG_CONFIG_HOME/hkberech (else ~/.config/hkberech; %APPDATA%\hkberech on
// Windows). The program never writes them.

#include "calc/typical_radiators.h"
#include "calc/valve_table.h"
#include "common/data_table.h"
#include "project/file_ops.h"

#include <string>
#include <string_view>
#include <vector>

namespace hk {

// A data table is a few kilobytes; anything beyond this is none.
inline constexpr std::size_t kMaxDataFileBytes = 1024u * 1024u;

// Where the shipped fileName may be, in the order tried.
std::vector<std::string> ShippedDataPaths(std::string_view programDir, std::string_view fileName);
// The user's own fileName; empty when neither variable is set.
std::string UserDataPath(std::string_view fileName);

// The sources of fileName (the shipped one first, then the user's if there is
// one) and the notes on what could not be read (the shipped file missing, a
// file unreadable).
struct DataSources {
    std::vector<DataSource> sources;
    std::vector<std::string> problems;
};
DataSources ReadDataSources(FileOps& files, std::string_view programDir, std::string_view fileName);

// The table fileName read by read(const std::vector<DataSource>&) ->
// DataTable<Row>, the notes of ReadDataSources first among the skipped.
template <class Row, class Read>
DataTable<Row> LoadDataTable(FileOps& files, std::string_view programDir, std::string_view fileName,
                             Read read) {
    DataSources found = ReadDataSources(files, programDir, fileName);
    DataTable<Row> table = read(found.sources);
    table.skipped.insert(table.skipped.begin(), found.problems.begin(), found.problems.end());
    return table;
}

// The catalogue of typical radiators and the one German message on what was
// skipped (empty when nothing was).
struct LoadedCatalogue {
    TypicalRadiators radiators;
    std::string message;
};
LoadedCatalogue LoadRadiatorCatalogue(FileOps& files, std::string_view programDir);

// The valve table of the hydraulic balancing and the one German message on
// what was skipped (empty when nothing was).
struct LoadedValves {
    std::vector<Valve> valves;
    std::string message;
};
LoadedValves LoadValveTable(FileOps& files, std::string_view programDir);

} // namespace hk
