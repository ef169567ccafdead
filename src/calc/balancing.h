#pragma once
// The hydraulic balancing of a project, room by room: for each radiator, the
// return temperature at which it gives its room's heat load at the design
// supply temperature (from its norm output and exponent), the flow that
// follows, the kv value its valve needs at the chosen differential pressure
// and the first setting of the valve that reaches it; the sums, an estimate
// of the pump head and the heating curve. Standard library only; the window
// and the setting sheet show what this computes.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace hk {

// The system inputs' ranges, whole numbers.
inline constexpr int kBalanceSupplyMin = 30; // °C
inline constexpr int kBalanceSupplyMax = 90;
inline constexpr int kBalanceSpreadMin = 2; // K
inline constexpr int kBalanceSpreadMax = 30;
inline constexpr int kBalanceDpMin = 20; // mbar
inline constexpr int kBalanceDpMax = 300;
inline constexpr int kBalanceOutdoorMin = -30; // °C
inline constexpr int kBalanceOutdoorMax = 5;
inline constexpr int kBalanceLengthMin = 0; // m; 0: no pump head estimate
inline constexpr int kBalanceLengthMax = 500;

// Specific heat of water per litre, Wh/(kg K).
inline constexpr double kWaterHeat = 1.163;
// Pump head estimate: pipe friction per metre and allowance for fittings.
inline constexpr double kPipeFrictionPaPerM = 100;
inline constexpr double kFittingsAllowance = 2.5;
// Exponent of the heating curve (a typical radiator).
inline constexpr double kCurveExponent = 1.3;
// Room temperature the heating curve is drawn for, °C.
inline constexpr double kCurveRoom = 20;

// One setting of a valve: its label ("1", "2", …, "N") and kv, m³/h.
struct ValveSetting {
    std::string label;
    double kv = 0;
    bool operator==(const ValveSetting&) const = default;
};

// A valve type: its settings from the most closed to fully open.
struct Valve {
    std::string name;
    std::vector<ValveSetting> settings;
    bool operator==(const Valve&) const = default;
};

// The whole-system values the user sets.
struct BalancingSystem {
    int supply = 55;   // design supply temperature V, °C
    int spread = 10;   // design spread, K
    int dpMbar = 100;  // differential pressure across each valve, mbar
    int outdoor = -12; // outdoor design temperature Θe,N, °C
    int lengthM = 0;   // longest circuit, m; 0: no pump head estimate
    bool operator==(const BalancingSystem&) const = default;
};

// What the user set in the balancing; kept beside the project file with the
// heat-pump check's data.
struct BalancingSettings {
    BalancingSystem system;
    std::string valve;                 // the valve of all rows; empty: the table's first
    std::map<int, std::string> valves; // entry number -> a valve of its own
    bool operator==(const BalancingSettings&) const = default;
};

// One radiator as the balancing sees it.
struct BalancingInput {
    int entry = 0;                // entry number
    double room = 20;             // room temperature t_i, °C
    double load = 0;              // room heat load Q, W
    double normOutput = 0;        // installed norm output Qn at the project's reference, W
    double exponent = 1.3;        // radiator exponent n
    const Valve* valve = nullptr; // the row's valve; none: no setting
};

// The log-mean excess temperature of the project's reference pair: 59,44 K
// for DIN 90/70/20 (dNorm 60), 49,83 K for DIN EN 442 75/65/20 (dNorm 50),
// computed from the pairs. Any other reference value is taken as the excess
// itself.
double NormExcess(std::int16_t dNorm);

// (a - b) / ln(a / b) for excesses a, b > 0; a when they are equal.
double LogMeanExcess(double a, double b);

struct BalancingRow {
    int entry = 0;
    double ret = 0;                     // return temperature, °C
    double spread = 0;                  // supply minus return, K
    bool underSupplied = false;         // cannot give its load at the supply: design spread
    double flow = 0;                    // kg/h = l/h, unrounded
    long long flowLh = 0;               // floor(flow + 0,5)
    double kvNeeded = 0;                // m³/h, unrounded
    std::optional<std::size_t> setting; // index into the valve's settings
    bool valveFullyOpen = false;        // no setting reaches kvNeeded: the last one
    std::optional<long long> dpValve;   // mbar at the setting, whole
    // "unterversorgt" first, then "Ventil voll offen – Differenzdruck erhöhen".
    std::vector<std::string> notes;
    bool operator==(const BalancingRow&) const = default;
};

// The balancing of one radiator. input.load, normOutput and exponent must be
// above 0; system within its ranges.
BalancingRow BalanceRow(const BalancingInput& input, double normExcess,
                        const BalancingSystem& system);

// One line of the heating curve: supply and return at an outdoor temperature.
struct CurvePoint {
    int outdoor = 0; // °C
    double supply = 0;
    double ret = 0;
    bool operator==(const CurvePoint&) const = default;
};

// The heating curve for Θe,N and every multiple of 5 above it up to 15 °C.
std::vector<CurvePoint> HeatingCurve(const BalancingSystem& system);
// (V - 20) / (20 - Θe,N), unrounded.
double CurveSlope(const BalancingSystem& system);

struct BalancingResult {
    std::vector<BalancingRow> rows;
    double loadSum = 0;             // W
    long long flowSumLh = 0;        // the rows' whole l/h added up
    long long maxDpValve = 0;       // mbar, the largest of the rows; 0 without
    std::optional<double> pipeHead; // m, unrounded; only with a length
    std::optional<double> pumpHead; // pipe head plus maxDpValve, m, unrounded
    std::vector<CurvePoint> curve;
    double slope = 0;
    bool operator==(const BalancingResult&) const = default;
};

// The whole balancing: every row, the sums, pump head and heating curve.
BalancingResult Balance(const std::vector<BalancingInput>& inputs, std::int16_t dNorm,
                        const BalancingSystem& system);

} // namespace hk
