#include "table_export.h"

#include "project/csv_file.h"
#include "report/report_rows.h"

#include <algorithm>

namespace hk {

std::string TableCsv(const ProgramState& state) {
    std::vector<std::vector<std::string>> lines;
    const std::vector<ReportRow> rows = ReportRows(state);
    lines.reserve(rows.size() + 1);
    // The heading's fields hold no ";" of their own: it is one line as it stands.
    std::vector<std::string> heading;
    for (std::size_t start = 0; start <= kCsvHeading.size();) {
        const auto end = std::min(kCsvHeading.find(kCsvSeparator, start), kCsvHeading.size());
        heading.emplace_back(kCsvHeading.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(std::move(heading));
    for (const ReportRow& row : rows) {
        lines.emplace_back(row.begin(), row.end());
    }
    return CsvDocument(lines);
}

FileFilter PdfFilter() { return {"PDF-Dateien (*.pdf)", "*.pdf"}; }
FileFilter CsvFilter() { return {"CSV-Dateien (*.csv)", "*.csv"}; }

ExportOutcome mnuItemCsv_Click(const ProgramState& state, FileDialogs& dialogs,
                               MessageSink& messages, FileOps& files) {
    return ExportFile(
        dialogs, messages, ProposedFileName(state.header[ProjectHeader::ProjektNr], "csv"),
        CsvFilter(), [&state]() -> Result<std::string> { return TableCsv(state); }, files);
}

} // namespace hk
