#pragma once
// The heat-pump check: can the radiators of a project heat each room at a
// lower supply temperature? For every radiator it compares the installed norm
// output with the norm output the room needs at the target temperatures,
// converted with the radiator's own exponent (the listing's conversion takes
// n = 4/3 in its arithmetic branch and rounds the factor; the check answers a
// physical question and does neither), finds the lowest supply temperature
// from which on the radiator covers its room, and proposes a panel radiator
// of the catalogue for a room that is not covered.

#include "calc/radiator_table.h"
#include "calc/typical_radiators.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
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

// The radiator the user says is installed for one entry: a typed norm
// output, or a radiator of the catalogue with its length or sections.
struct InstalledChoice {
    int output = 0;       // typed norm output at the project's reference, W; 0: none
    std::string radiator; // name in the catalogue; empty: none
    int count = 0;        // length in mm (per metre) or sections of radiator
    static InstalledChoice Typed(int output) { return {output, {}, 0}; }
    static InstalledChoice Chosen(std::string name, int count) {
        return {0, std::move(name), count};
    }
    bool operator==(const InstalledChoice&) const = default;
};

// What the user set in the check; kept beside the project file.
struct CheckSettings {
    int supply = 55; // target supply temperature, °C
    int ret = 45;    // target return temperature, °C
    // Entry number -> installed radiator. An entry without one is taken to
    // have the radiator the project sized ("ausgelegt").
    std::map<int, InstalledChoice> installed;
    bool operator==(const CheckSettings&) const = default;
};

enum class InstalledKind {
    Designed,  // "ausgelegt": the entry's QHKNeu with the entry's exponent
    Typed,     // "eingegeben": the typed output with the entry's exponent
    Catalogue, // a catalogue radiator with its own output and exponent
};

// The installed radiator of one entry as the check and the hydraulic
// balancing compute with it.
struct InstalledRadiator {
    InstalledKind kind = InstalledKind::Designed;
    double output = 0;   // norm output at the project's reference, W
    double exponent = 0; // n
    std::string
        text; // "Typ 22 · 600 × 1000", "Guss 600/160 · 12 Glieder", "eingegeben", "ausgelegt"
    std::optional<TypicalRadiator> radiator; // the catalogue radiator when one is chosen
    int count = 0;                           // its length in mm or its sections
    bool operator==(const InstalledRadiator&) const = default;
};

// The installed radiator of entry in force under settings. A catalogue name
// the catalogue no longer holds (the user's file changed) or a count out of
// range counts as no choice: "ausgelegt".
InstalledRadiator InstalledOf(const RadiatorTable& table, int entry, std::int16_t dNorm,
                              const CheckSettings& settings, const TypicalRadiators& catalogue);

// True when (supply, ret) is a pair the check accepts: both in range and the
// return below the supply.
bool ValidTargets(int supply, int ret);

// The entries 1 to min(LfNr, 70) whose QRaum, Exponent and QHKNeu are all
// greater than 0, in entry order.
std::vector<int> CheckedEntries(const RadiatorTable& table, std::int16_t lfNr);

// The mean excess temperature of a radiator over its room, K: arithmetic
// when (ret - room) / (supply - room) >= 0,7, else logarithmic; nullopt when
// the return is at or below the room temperature.
std::optional<double> MeanExcess(double supply, double ret, double room);

// The norm output (at the reference dNorm, K) a room needing qRoom needs at
// supply/ret with exponent n: qRoom * (dNorm / mean)^n, nothing rounded;
// nullopt when MeanExcess is.
std::optional<double> RequiredNormOutput(double qRoom, double n, double supply, double ret,
                                         double room, std::int16_t dNorm);

// What normOutput gives at supply/ret: normOutput * (mean / dNorm)^n.
std::optional<double> OutputAtTemperatures(double normOutput, double n, double supply, double ret,
                                           double room, std::int16_t dNorm);

// The lowest whole supply temperature V from kCheckSupplyMin on such that the
// installed output with exponent n covers e at (V, V - spread) and at every
// whole V above it up to kCheckSupplyMax; nullopt when e is not covered at
// kCheckSupplyMax.
std::optional<int> MinSupply(const RadiatorEntry& e, double installed, double n, int spread,
                             std::int16_t dNorm);

// A panel radiator that covers a room.
struct Proposal {
    TypicalRadiator radiator;
    int length = 0; // mm
    bool operator==(const Proposal&) const = default;
};

// The smallest panel radiator of height (mm) that covers e at supply/ret
// with its own exponent: the shortest length from 400 to 3000 mm first,
// among equal lengths the first in the catalogue; it covers when its
// whole-watt output at the reference is at least the required norm output.
// nullopt when none does.
std::optional<Proposal> ProposeRadiator(const TypicalRadiators& catalogue, int height,
                                        const RadiatorEntry& e, int supply, int ret,
                                        std::int16_t dNorm);
// The height proposals are made in when the installed radiator is no panel
// radiator of the catalogue, mm.
inline constexpr int kProposalHeight = 600;

struct CheckRow {
    int entry = 0;               // entry number, 1..70
    InstalledRadiator installed; // in force
    bool covered = false; // installed >= required at the target; false when it does not convert
    std::optional<long long> required;  // W, norm output needed at the target
    std::optional<long long> qAtTarget; // W the installed radiator gives at the target
    std::optional<long long> coverage;  // %, rounded
    std::optional<int> minSupply;       // °C; nullopt: above kCheckSupplyMax
    // A proposal is made for rows whose coverage shows below 100 or "–";
    // proposal is then the radiator, or nullopt when none covers.
    bool wantsProposal = false;
    std::optional<Proposal> proposal;
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
                     const CheckSettings& settings, const TypicalRadiators& catalogue = {});

} // namespace hk
