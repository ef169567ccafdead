#include "heat_pump_check.h"

#include "common/errors.h"

#include <algorithm>
#include <cmath>

namespace hk {
namespace {

long long RoundHalfUp(double x) { return static_cast<long long>(std::floor(x + 0.5)); }

bool CoveredAt(const RadiatorEntry& e, double installed, int supply, int ret, std::int16_t dNorm) {
    const auto r = ConvertAt(e, supply, ret, dNorm);
    return r && installed >= double{r->QHKNeu};
}

} // namespace

bool ValidTargets(int supply, int ret) {
    return supply >= kCheckSupplyMin && supply <= kCheckSupplyMax && ret >= kCheckReturnMin &&
           ret <= kCheckReturnMax && ret < supply;
}

std::vector<int> CheckedEntries(const RadiatorTable& table, std::int16_t lfNr) {
    std::vector<int> entries;
    const int last = RowCount(lfNr);
    for (int n = 1; n <= last; ++n) {
        const RadiatorEntry& e = table.at(n);
        if (e.QRaum > 0 && e.Exponent > 0 && e.QHKNeu > 0) {
            entries.push_back(n);
        }
    }
    return entries;
}

std::optional<ConversionResult> ConvertAt(const RadiatorEntry& e, int supply, int ret,
                                          std::int16_t dNorm) {
    RadiatorEntry at = e;
    at.dVorl = static_cast<float>(supply);
    at.dRueckl = static_cast<float>(ret);
    auto converted = Caught([&] { return Convert(at, dNorm); });
    if (!converted) {
        return std::nullopt; // shown as "–": this radiator gives no figure at the target
    }
    return *converted;
}

std::optional<int> MinSupply(const RadiatorEntry& e, double installed, int spread,
                             std::int16_t dNorm) {
    // From the top down: the first temperature that is not covered ends the
    // run, so a radiator that is covered again lower down (the mean switches
    // between logarithmic and arithmetic) does not count below that gap.
    if (!CoveredAt(e, installed, kCheckSupplyMax, kCheckSupplyMax - spread, dNorm)) {
        return std::nullopt;
    }
    int v = kCheckSupplyMax;
    while (v > kCheckSupplyMin && CoveredAt(e, installed, v - 1, v - 1 - spread, dNorm)) {
        --v;
    }
    return v;
}

CheckResult RunCheck(const RadiatorTable& table, std::int16_t lfNr, std::int16_t dNorm,
                     const CheckSettings& settings) {
    CheckResult result;
    const int spread = settings.supply - settings.ret;
    bool anyAbove = false;
    int highest = kCheckSupplyMin;
    for (const int n : CheckedEntries(table, lfNr)) {
        const RadiatorEntry& e = table.at(n);
        CheckRow row;
        row.entry = n;
        const auto typed = settings.installed.find(n);
        row.typed = typed != settings.installed.end();
        row.installed = row.typed ? double(typed->second) : double{e.QHKNeu};
        if (const auto target = ConvertAt(e, settings.supply, settings.ret, dNorm)) {
            const double required = target->QHKNeu;
            row.covered = row.installed >= required;
            if (target->Faktor > 0) {
                row.qAtTarget = RoundHalfUp(row.installed / double{target->Faktor});
            }
            if (required > 0) {
                row.coverage = RoundHalfUp(100.0 * row.installed / required);
            }
        }
        row.minSupply = MinSupply(e, row.installed, spread, dNorm);
        if (!row.covered) {
            ++result.underSupplied;
        }
        if (row.minSupply) {
            highest = std::max(highest, *row.minSupply);
        } else {
            anyAbove = true;
        }
        result.rows.push_back(row);
    }
    if (result.rows.empty()) {
        return result;
    }
    if (!anyAbove) {
        result.lowestSupply = highest;
    }
    for (int i = 0; i < static_cast<int>(result.rows.size()); ++i) {
        if (result.rows[static_cast<std::size_t>(i)].minSupply == result.lowestSupply) {
            result.critical.push_back(i);
        }
    }
    return result;
}

} // namespace hk
