#include "report_rows.h"

#include "common/numbers.h"

#include <cmath>

namespace hk {
namespace {

bool Calculated(const RadiatorEntry& e) { return e.QRaum > 0; }

} // namespace

bool IsNumberColumn(int column) {
    return column != ColRaumNr && column != ColRaumVer && column != ColHkTyp;
}

std::vector<ReportRow> ReportRows(const ProgramState& state) {
    std::vector<ReportRow> rows;
    const int count = RowCount(state.LfNr);
    rows.reserve(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n) {
        const RadiatorEntry& e = state.table.at(n);
        if (!Calculated(e)) {
            continue;
        }
        rows.push_back({WholeText(n), e.RaumNr, e.RaumVer, NumberText(e.dVorl),
                        NumberText(e.dRueckl), NumberText(e.dRaum), NumberText(e.QRaum),
                        NumberText(e.Exponent), NumberText(e.dMittel), NumberText(e.Faktor),
                        NumberText(e.QHKNeu), std::string(WithoutTrailingBlanks(e.HkTyp))});
    }
    return rows;
}

ReportTotals Totals(const ProgramState& state) {
    ReportTotals totals;
    double qRaum = 0; // W
    double qNorm = 0; // W
    for (int n = 1; n <= RowCount(state.LfNr); ++n) {
        const RadiatorEntry& e = state.table.at(n);
        if (Calculated(e)) {
            ++totals.radiators;
            qRaum += e.QRaum;
            qNorm += e.QHKNeu;
        }
    }
    totals.qRaum = SumText(qRaum);
    totals.qNorm = SumText(qNorm);
    return totals;
}

std::string SumText(double sum) {
    const auto single = static_cast<float>(sum);
    if (std::isfinite(single) && std::fabs(single) < 1e7f) {
        return NumberText(single);
    }
    if (!std::isfinite(sum) || std::fabs(sum) >= 9e18) {
        return NumberText(single); // no whole number holds it
    }
    return WholeText(std::llround(sum));
}

std::string ReferenceText(std::int16_t dNorm) {
    switch (dNorm) {
    case 60:
        return "Bezug: DIN 90/70/20 (mittlere Übertemperatur 60 K)";
    case 50:
        return "Bezug: DIN EN 442 75/65/20 (mittlere Übertemperatur 50 K)";
    case 0:
        return "Bezug: keine Norm gewählt";
    default:
        // Only a project file written by hand holds another value.
        return "Bezug: mittlere Übertemperatur " + WholeText(dNorm) + " K";
    }
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

} // namespace hk
