#pragma once
// The program's shipped data tables (typical radiators, valves, …): UTF-8
// text, ";" between fields, decimal comma, a fixed first line naming the
// columns, lines starting with "#" as comments. The table shipped with the
// program is read first, the user's own file of the same name after it: its
// rows are added, and a row whose key is already there replaces that row in
// place. A bad row is skipped and named; the rest is used.

#include "common/result.h"

#include <string>
#include <string_view>
#include <vector>

namespace hk {

// One file of a table: its name for messages and its bytes.
struct DataSource {
    std::string name;
    std::string bytes;
};

// A line of fields, trimmed of blanks, with where it stood.
struct DataLine {
    std::string source;
    int line = 0; // 1-based, counting the first line
    std::vector<std::string> fields;
};

// The lines of all sources in order. A source whose first line is not header
// gives no lines and one skipped note; a line with another number of fields
// than header is skipped and noted ("heizkoerper.csv Zeile 7: 5 statt 6
// Felder"). Empty lines and comments are no rows.
struct DataLines {
    std::vector<DataLine> lines;
    std::vector<std::string> skipped;
};
DataLines SplitDataSources(const std::vector<DataSource>& sources, std::string_view header);

// A number field in German format (decimal comma, no grouping needed) within
// lo..hi; otherwise the German reason ("Leistung W „abc“ ist keine Zahl von
// 1 bis 99999").
Result<double> DataNumber(std::string_view field, std::string_view column, double lo, double hi);

template <class Row> struct DataTable {
    std::vector<Row> rows;
    std::vector<std::string> skipped; // one note a skipped row or file
};

// The whole table: parse(const DataLine&) -> Result<Row> reads one line (a
// problem skips it, its message noted with the line); key(const Row&) ->
// std::string names the row for the replacement.
template <class Row, class Parse, class Key>
DataTable<Row> ReadDataTable(const std::vector<DataSource>& sources, std::string_view header,
                             Parse parse, Key key) {
    DataLines split = SplitDataSources(sources, header);
    DataTable<Row> table;
    table.skipped = std::move(split.skipped);
    for (const DataLine& line : split.lines) {
        Result<Row> row = parse(line);
        if (!row) {
            table.skipped.push_back(line.source + " Zeile " + std::to_string(line.line) + ": " +
                                    row.problem().message);
            continue;
        }
        bool replaced = false;
        for (Row& kept : table.rows) {
            if (key(kept) == key(*row)) {
                kept = std::move(*row);
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            table.rows.push_back(std::move(*row));
        }
    }
    return table;
}

// The one message naming every skipped row of a table ("Heizkörperkatalog"),
// or the empty text when nothing was skipped.
std::string SkippedRowsMessage(std::string_view table, const std::vector<std::string>& skipped);

} // namespace hk
