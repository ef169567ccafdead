#pragma once
// The heat-pump check: can the radiators of a project heat each room at a
// lower supply temperature? For every radiator it compares the installed norm
// output with the norm output the program's own conversion (Convert) requires
// at the target temperatures, and finds the lowest supply temperature from
// which on the radiator covers its room. Built on Convert so that its numbers
// agree with the listing.

#include "calc/conversion.h"
#include "calc/radiator_table.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace hk {

// Whole degrees, °C.
inline constexpr int kCheckSupplyMin = 30;
inline constexpr int kCheckSupplyMax = 120;
inline constexpr int kCheckReturnMin = 20;
inline constexpr int kCheckReturnMax = 119;
// Installed norm outputs the user may type, W.
inline constexpr int kInstalledMin = 1;
inline constexpr int kInstalledMax = 99999;

// What the user set in the check; kept beside the project file.
struct CheckSettings {
    int supply = 55; // target supply temperature, °C
    int ret = 45;    // target return temperature, °C
    // Entry number -> installed norm output typed by the user, W. An entry
    // without a typed output is taken to have the radiator the project sized.
    std::map<int, int> installed;
    bool operator==(const CheckSettings&) const = default;
};

// True when (supply, ret) is a pair the check accepts: both in range and the
// return below the supply.
bool ValidTargets(int supply, int ret);

// The entries 1 to min(LfNr, 70) whose QRaum, Exponent and QHKNeu are all
// greater than 0, in entry order.
std::vector<int> CheckedEntries(const RadiatorTable& table, std::int16_t lfNr);

// Convert for a copy of e with supply and return replaced; nullopt when the
// conversion fails (return at or below the room temperature, for instance).
std::optional<ConversionResult> ConvertAt(const RadiatorEntry& e, int supply, int ret,
                                          std::int16_t dNorm);

// The lowest whole supply temperature V from kCheckSupplyMin on such that the
// installed output covers e at (V, V - spread) and at every whole V above it
// up to kCheckSupplyMax; nullopt when e is not covered at kCheckSupplyMax.
std::optional<int> MinSupply(const RadiatorEntry& e, double installed, int spread,
                             std::int16_t dNorm);

struct CheckRow {
    int entry = 0;        // entry number, 1..70
    double installed = 0; // installed norm output in force, W
    bool typed = false;   // installed was typed by the user (otherwise QHKNeu)
    bool covered = false; // installed >= required at the target; false when it does not convert
    std::optional<long long> qAtTarget; // W the installed radiator gives at the target
    std::optional<long long> coverage;  // %, rounded
    std::optional<int> minSupply;       // °C; nullopt: above kCheckSupplyMax
    bool operator==(const CheckRow&) const = default;
};

struct CheckResult {
    std::vector<CheckRow> rows;
    // The highest minSupply of all rows: the lowest supply temperature the
    // whole project allows; nullopt when a row is not covered even at
    // kCheckSupplyMax (or there are no rows).
    std::optional<int> lowestSupply;
    std::vector<int> critical; // indices into rows of the entries that set lowestSupply
    int underSupplied = 0;     // rows not covered at the target
    bool operator==(const CheckResult&) const = default;
};

// The whole check. settings must hold ValidTargets; dNorm must be above 0.
CheckResult RunCheck(const RadiatorTable& table, std::int16_t lfNr, std::int16_t dNorm,
                     const CheckSettings& settings);

} // namespace hk
