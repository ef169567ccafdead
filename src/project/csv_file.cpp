#include "csv_file.h"

#include "common/text.h"

namespace hk {

std::string CsvField(std::string_view text) {
    if (text.find_first_of(";\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
    return out;
}

std::string CsvDocument(const std::vector<std::vector<std::string>>& rows) {
    std::string out(kUtf8Bom);
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) {
                out += kCsvSeparator;
            }
            out += CsvField(row[i]);
        }
        out += kCrLf;
    }
    return out;
}

} // namespace hk
