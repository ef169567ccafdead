#include "data_table.h"

#include "common/errors.h"
#include "common/numbers.h"

#include <cmath>

namespace hk {
namespace {

std::string_view TrimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> Fields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto semi = line.find(';', start);
        fields.emplace_back(TrimBlanks(line.substr(start, semi - start)));
        if (semi == std::string_view::npos) {
            return fields;
        }
        start = semi + 1;
    }
}

// A spreadsheet saving as UTF-8 puts a byte order mark first.
std::string_view WithoutByteOrderMark(std::string_view bytes) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    return bytes.substr(0, kMark.size()) == kMark ? bytes.substr(kMark.size()) : bytes;
}

std::string WholeOrDecimal(double x) {
    return std::floor(x) == x ? WholeText(static_cast<long long>(x)) : NumberText(float(x));
}

} // namespace

DataLines SplitDataSources(const std::vector<DataSource>& sources, std::string_view header) {
    DataLines out;
    const std::size_t columns = Fields(header).size();
    for (const DataSource& source : sources) {
        std::string_view rest = WithoutByteOrderMark(source.bytes);
        int number = 0;
        while (!rest.empty()) {
            const auto end = rest.find('\n');
            const std::string_view raw = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
            ++number;
            const std::string_view line = TrimBlanks(raw);
            if (number == 1) {
                if (line != header) {
                    out.skipped.push_back(source.name + ": die erste Zeile ist nicht „" +
                                          std::string(header) + "“, die Datei wird übergangen");
                    break;
                }
                continue;
            }
            if (line.empty() || line.front() == '#') {
                continue;
            }
            DataLine row{source.name, number, Fields(line)};
            if (row.fields.size() != columns) {
                out.skipped.push_back(source.name + " Zeile " + std::to_string(number) + ": " +
                                      std::to_string(row.fields.size()) + " statt " +
                                      std::to_string(columns) + " Felder");
                continue;
            }
            out.lines.push_back(std::move(row));
        }
        if (number == 0) {
            out.skipped.push_back(source.name + ": die Datei ist leer");
        }
    }
    return out;
}

Result<double> DataNumber(std::string_view field, std::string_view column, double lo, double hi) {
    const auto read =
        Caught([&] { return IsRegionalNumber(field) ? RegionalNumber(field) : std::nan(""); });
    const double value = read ? *read : std::nan("");
    if (!(value >= lo && value <= hi)) { // NaN fails too
        return Problem{std::string(column) + " „" + std::string(field) + "“ ist keine Zahl von " +
                       WholeOrDecimal(lo) + " bis " + WholeOrDecimal(hi)};
    }
    return value;
}

std::string SkippedRowsMessage(std::string_view table, const std::vector<std::string>& skipped) {
    if (skipped.empty()) {
        return {};
    }
    std::string text = std::string(table) + ": übergangen, der Rest gilt:";
    for (const std::string& s : skipped) {
        text += "\n• " + s;
    }
    return text;
}

} // namespace hk
