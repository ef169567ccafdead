#include "heat_pump_check.h"

#include <algorithm>
#include <cmath>

namespace hk {
namespace {

long long RoundHalfUp(double x) { return static_cast<long long>(std::floor(x + 0.5)); }

// Below this ratio of the return's to the supply's excess the arithmetic mean
// overrates the radiator; the logarithmic mean takes over.
constexpr double kArithmeticFromRatio = 0.7;

bool CoveredAt(const RadiatorEntry& e, double installed, double n, int supply, int ret,
               std::int16_t dNorm) {
    const auto required = RequiredNormOutput(e.QRaum, n, supply, ret, e.dRaum, dNorm);
    return required && installed >= *required;
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

InstalledRadiator InstalledOf(const RadiatorTable& table, int entry, std::int16_t dNorm,
                              const CheckSettings& settings, const TypicalRadiators& catalogue) {
    const RadiatorEntry& e = table.at(entry);
    InstalledRadiator r;
    r.output = e.QHKNeu;
    r.exponent = e.Exponent;
    r.text = "ausgelegt";
    const auto chosen = settings.installed.find(entry);
    if (chosen == settings.installed.end()) {
        return r;
    }
    const InstalledChoice& c = chosen->second;
    if (c.radiator.empty()) {
        if (c.output >= kInstalledMin && c.output <= kInstalledMax) {
            r.kind = InstalledKind::Typed;
            r.output = c.output;
            r.text = "eingegeben";
        }
        return r;
    }
    auto radiator = FindRadiator(catalogue, c.radiator);
    if (!radiator || !ValidCount(*radiator, c.count)) {
        return r;
    }
    r.kind = InstalledKind::Catalogue;
    r.output = static_cast<double>(OutputAtReference(*radiator, c.count, dNorm));
    r.exponent = radiator->exponent;
    r.text = RadiatorText(*radiator, c.count);
    r.count = c.count;
    r.radiator = std::move(radiator);
    return r;
}

std::optional<double> MeanExcess(double supply, double ret, double room) {
    const double dV = supply - room; // K
    const double dR = ret - room;    // K
    if (dR <= 0) {
        return std::nullopt;
    }
    if (dR / dV >= kArithmeticFromRatio) {
        return (dV + dR) / 2;
    }
    return (dV - dR) / std::log(dV / dR);
}

std::optional<double> RequiredNormOutput(double qRoom, double n, double supply, double ret,
                                         double room, std::int16_t dNorm) {
    const auto mean = MeanExcess(supply, ret, room);
    if (!mean) {
        return std::nullopt;
    }
    return qRoom * std::pow(double(dNorm) / *mean, n);
}

std::optional<double> OutputAtTemperatures(double normOutput, double n, double supply, double ret,
                                           double room, std::int16_t dNorm) {
    const auto mean = MeanExcess(supply, ret, room);
    if (!mean) {
        return std::nullopt;
    }
    return normOutput * std::pow(*mean / double(dNorm), n);
}

std::optional<int> MinSupply(const RadiatorEntry& e, double installed, double n, int spread,
                             std::int16_t dNorm) {
    // From the top down: the first temperature that is not covered ends the
    // run, so a radiator that is covered again lower down (the mean switches
    // between logarithmic and arithmetic) does not count below that gap.
    if (!CoveredAt(e, installed, n, kCheckSupplyMax, kCheckSupplyMax - spread, dNorm)) {
        return std::nullopt;
    }
    int v = kCheckSupplyMax;
    while (v > kCheckSupplyMin && CoveredAt(e, installed, n, v - 1, v - 1 - spread, dNorm)) {
        --v;
    }
    return v;
}

std::optional<Proposal> ProposeRadiator(const TypicalRadiators& catalogue, int height,
                                        const RadiatorEntry& e, int supply, int ret,
                                        std::int16_t dNorm) {
    for (int length = kLengthMin; length <= kLengthMax; length += kLengthStep) {
        for (const TypicalRadiator& r : catalogue) {
            if (!r.perMetre || r.height != height) {
                continue;
            }
            const auto required =
                RequiredNormOutput(e.QRaum, r.exponent, supply, ret, e.dRaum, dNorm);
            if (required && double(OutputAtReference(r, length, dNorm)) >= *required) {
                return Proposal{r, length};
            }
        }
    }
    return std::nullopt;
}

CheckResult RunCheck(const RadiatorTable& table, std::int16_t lfNr, std::int16_t dNorm,
                     const CheckSettings& settings, const TypicalRadiators& catalogue) {
    CheckResult result;
    const int spread = settings.supply - settings.ret;
    bool anyAbove = false;
    int highest = kCheckSupplyMin;
    for (const int n : CheckedEntries(table, lfNr)) {
        const RadiatorEntry& e = table.at(n);
        CheckRow row;
        row.entry = n;
        row.installed = InstalledOf(table, n, dNorm, settings, catalogue);
        const double installed = row.installed.output;
        const double exponent = row.installed.exponent;
        const auto required =
            RequiredNormOutput(e.QRaum, exponent, settings.supply, settings.ret, e.dRaum, dNorm);
        if (required) {
            row.covered = installed >= *required;
            row.required = RoundHalfUp(*required);
            row.qAtTarget = RoundHalfUp(*OutputAtTemperatures(installed, exponent, settings.supply,
                                                              settings.ret, e.dRaum, dNorm));
            row.coverage = RoundHalfUp(100.0 * installed / *required);
        }
        row.minSupply = MinSupply(e, installed, exponent, spread, dNorm);
        row.wantsProposal = !row.coverage || *row.coverage < 100;
        if (row.wantsProposal) {
            const bool panel = row.installed.radiator && row.installed.radiator->perMetre;
            row.proposal =
                ProposeRadiator(catalogue, panel ? row.installed.radiator->height : kProposalHeight,
                                e, settings.supply, settings.ret, dNorm);
        }
        if (!row.covered) {
            ++result.underSupplied;
        }
        if (row.minSupply) {
            highest = std::max(highest, *row.minSupply);
        } else {
            anyAbove = true;
        }
        result.rows.push_back(std::move(row));
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
