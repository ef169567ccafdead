#include "calc/balancing.h"

#include <algorithm>
#include <cmath>

namespace hk {

namespace {

long long RoundWhole(double x) { return static_cast<long long>(std::floor(x + 0.5)); }

// The return excess b in (0, a) whose log-mean excess with a is d, for
// 0 < d < a. The log-mean rises with b, so halving the interval finds it; it
// stops at a width of 10⁻¹⁰ K, well inside the 10⁻⁹ K the rows need.
double ReturnExcess(double a, double d) {
    double lo = 0;
    double hi = a;
    for (int i = 0; i < 200 && hi - lo > 1e-10; ++i) {
        const double mid = lo + (hi - lo) / 2;
        if (LogMeanExcess(a, mid) < d) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return lo + (hi - lo) / 2;
}

} // namespace

double LogMeanExcess(double a, double b) {
    if (a == b) {
        return a;
    }
    // log1p keeps the digits when b lies close to a.
    return (a - b) / std::log1p((a - b) / b);
}

double NormExcess(std::int16_t dNorm) {
    switch (dNorm) {
    case 60:
        return LogMeanExcess(90 - 20, 70 - 20);
    case 50:
        return LogMeanExcess(75 - 20, 65 - 20);
    default:
        return dNorm;
    }
}

BalancingRow BalanceRow(const BalancingInput& input, double normExcess,
                        const BalancingSystem& system) {
    BalancingRow row;
    row.entry = input.entry;
    const double a = system.supply - input.room;
    const double d = normExcess * std::pow(input.load / input.normOutput, 1.0 / input.exponent);
    if (a > 0 && d < a) {
        row.ret = input.room + ReturnExcess(a, d);
        row.spread = system.supply - row.ret;
    } else {
        row.underSupplied = true;
        row.spread = system.spread;
        row.ret = system.supply - row.spread;
        row.notes.emplace_back("unterversorgt");
    }
    row.flow = input.load / (kWaterHeat * row.spread);
    row.flowLh = RoundWhole(row.flow);
    const double m3h = row.flow / 1000;
    row.kvNeeded = m3h / std::sqrt(system.dpMbar / 1000.0);
    if (input.valve != nullptr && !input.valve->settings.empty()) {
        const auto& settings = input.valve->settings;
        const auto reach =
            std::find_if(settings.begin(), settings.end(),
                         [&](const ValveSetting& s) { return s.kv >= row.kvNeeded; });
        if (reach == settings.end()) {
            row.valveFullyOpen = true;
            row.setting = settings.size() - 1;
            row.notes.emplace_back("Ventil voll offen – Differenzdruck erhöhen");
        } else {
            row.setting = static_cast<std::size_t>(reach - settings.begin());
        }
        const double kv = settings[*row.setting].kv;
        row.dpValve = RoundWhole(1000 * (m3h / kv) * (m3h / kv));
    }
    return row;
}

std::vector<CurvePoint> HeatingCurve(const BalancingSystem& system) {
    const double v = system.supply;
    const double s = system.spread;
    const double design = system.outdoor;
    const auto point = [&](int outdoor) {
        const double phi = (kCurveRoom - outdoor) / (kCurveRoom - design);
        const double mean =
            kCurveRoom + ((2 * v - s) / 2 - kCurveRoom) * std::pow(phi, 1 / kCurveExponent);
        return CurvePoint{outdoor, mean + s * phi / 2, mean - s * phi / 2};
    };
    std::vector<CurvePoint> curve{point(system.outdoor)};
    // The first multiple of 5 above the design temperature, negative ones too.
    const int first =
        (system.outdoor >= 0 ? system.outdoor / 5 : -((-system.outdoor + 4) / 5)) * 5 + 5;
    for (int t = first; t <= 15; t += 5) {
        curve.push_back(point(t));
    }
    return curve;
}

double CurveSlope(const BalancingSystem& system) {
    return (system.supply - kCurveRoom) / (kCurveRoom - system.outdoor);
}

BalancingResult Balance(const std::vector<BalancingInput>& inputs, std::int16_t dNorm,
                        const BalancingSystem& system) {
    BalancingResult result;
    const double excess = NormExcess(dNorm);
    result.rows.reserve(inputs.size());
    for (const BalancingInput& input : inputs) {
        result.rows.push_back(BalanceRow(input, excess, system));
        const BalancingRow& row = result.rows.back();
        result.loadSum += input.load;
        result.flowSumLh += row.flowLh;
        result.maxDpValve = std::max(result.maxDpValve, row.dpValve.value_or(0));
    }
    if (system.lengthM > 0) {
        // 1 m of water column taken as 10 kPa; the valve's mbar are 100 Pa.
        result.pipeHead = 2.0 * system.lengthM * kPipeFrictionPaPerM * kFittingsAllowance / 10000;
        result.pumpHead = *result.pipeHead + result.maxDpValve * 100.0 / 10000;
    }
    result.curve = HeatingCurve(system);
    result.slope = CurveSlope(system);
    return result;
}

} // namespace hk
