#pragma once
// The radiator table of a project as a client report and a spreadsheet show
// it: one row a calculated entry (an entry never calculated holds the room
// output 0 and is left out), the numbers written as the listing writes them,
// the type text without the blanks that pad it in the catalogue.

#include "calc/program_state.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hk {

enum ReportColumn : int {
    ColNr,
    ColRaumNr,
    ColRaumVer,
    ColVorlauf,
    ColRuecklauf,
    ColRaum,
    ColQRaum,
    ColExponent,
    ColMittel,
    ColFaktor,
    ColQNorm,
    ColHkTyp,
    kReportColumnCount
};

using ReportRow = std::array<std::string, kReportColumnCount>;

// Room number, room use and type are texts; every other column a number.
bool IsNumberColumn(int column);

// Entries 1 to LfNr (never beyond 70) whose room output is above 0, in
// entry order.
std::vector<ReportRow> ReportRows(const ProgramState& state);

struct ReportTotals {
    int radiators = 0;
    std::string qRaum; // sum of the room outputs, W
    std::string qNorm; // sum of the outputs at norm temperatures, W
    bool operator==(const ReportTotals&) const = default;
};

// The totals of the rows of ReportRows.
ReportTotals Totals(const ProgramState& state);

// A sum in the listing's number form; a sum of ten million or more, which
// that form would write with an exponent, as a whole number.
std::string SumText(double sum);

// "Bezug: DIN 90/70/20 (mittlere Übertemperatur 60 K)" and its kin.
std::string ReferenceText(std::int16_t dNorm);

// The text without blanks at its end.
std::string_view WithoutTrailingBlanks(std::string_view text);

} // namespace hk
