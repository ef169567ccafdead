#pragma once
// The radiator table of the project in memory as a CSV file for a
// spreadsheet: the rows of the client report, without totals.

#include "calc/program_state.h"
#include "project/export_command.h"

#include <string>

namespace hk {

inline constexpr std::string_view kCsvHeading =
    "Nr;Raum-Nr;Raumverwendung;Vorlauf °C;Rücklauf °C;Raum °C;Q-Raum W;Exponent;Δtm K;Faktor;"
    "Q-Norm W;Heizkörpertyp";

// The whole file: byte order mark, the heading line, one line a row.
std::string TableCsv(const ProgramState& state);

// "PDF-Dateien (*.pdf)" and "CSV-Dateien (*.csv)".
FileFilter PdfFilter();
FileFilter CsvFilter();

// "Tabelle als &CSV…": the save dialog proposing "Projekt <Nr.>.csv", then
// the file. Changes no program state.
ExportOutcome mnuItemCsv_Click(const ProgramState& state, FileDialogs& dialogs,
                               MessageSink& messages, FileOps& files = SystemFileOps());

} // namespace hk
