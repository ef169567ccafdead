#pragma once
// CSV files for spreadsheets with German settings: UTF-8 with a byte order
// mark (so the spreadsheet does not guess a code page), ";" between fields
// (the comma is the decimal separator) and CR LF line ends.

#include <string>
#include <string_view>
#include <vector>

namespace hk {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
inline constexpr char kCsvSeparator = ';';

// One field as it stands in a line: between double quotes, inner double
// quotes doubled, when it holds ";", a double quote, CR or LF; bare otherwise.
std::string CsvField(std::string_view text);

// The whole file: the byte order mark, then one line a row, its fields
// quoted as needed and joined by ";", every line ending in CR LF. Rows may
// differ in their number of fields; an empty row gives an empty line.
std::string CsvDocument(const std::vector<std::vector<std::string>>& rows);

} // namespace hk
