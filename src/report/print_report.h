#pragma once
// The printed report of the whole project: a page header with the brand line
// and the project data, then the title lines and one row per radiator entry,
// set with print statements on a PrintDevice. Reads the project and changes
// nothing of it.

#include "calc/program_state.h"
#include "report/print_device.h"
#include "report/print_statement.h"

#include <string_view>

namespace hk {

inline constexpr std::string_view kBrandLine = "Velkor/Pro Tandrimo";
// The printed table's column header and rule, 88 characters each; wider
// than the screen's in " Q.-R." and " d-M  ".
inline constexpr std::string_view kPrintColumnHeader =
    "LfNr| dV| dR|R.Nr|Raum-Verw|dI| Q.-R.| Ex | d-M  |Fakt|Q-neu|      Heizflächen Typ      ";
inline constexpr std::string_view kPrintColumnRule =
    "----|---|---|----|---------|--|------|----|------|----|-----|---------------------------";

// Prints the page header and then the list; ends the document. False when
// the device failed (no page could be started, the document not handed over).
bool Seite1Druck(const ProgramState& state, PrintDevice& device);

// Prints the title lines, the column header and the rows 1 to LfNr (never
// beyond entry 70), then ends the document. Sets its own texts, so it needs
// nothing from the calculation screen.
bool ListeDruck(const ProgramState& state, Printer& printer);
// The list alone, from the top of a fresh document.
bool ListeDruck(const ProgramState& state, PrintDevice& device);

} // namespace hk
