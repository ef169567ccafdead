#pragma once
// Taking up a loaded project on the calculation screen: which entry the
// screen works on next, which reference mode it keeps, which supply and
// return temperatures it offers and which listing it goes on from.

#include "calc/program_state.h"

#include <cstdint>
#include <string>

namespace hk {

struct ContinuePlan {
    // The entry to work on: the loaded counter, one more when that entry
    // holds a calculation and is not beyond the table.
    std::int16_t LfNr = 1;
    // LfNr names an entry that starts empty (it was raised past the loaded
    // entries; whatever an earlier project left there is no calculation).
    bool freshEntry = false;
    std::int16_t dNorm = 0; // 60 DIN, 50 EN, 0: no mode yet, none selected
    // Supply and return of the last entry that holds a calculation, as the
    // boxes show them; empty when no entry holds one.
    std::string dVorl;
    std::string dRueckl;
    // The listing the box and ListingText go on from: the loaded one without
    // the closing empty line the file adds, so that saving and continuing
    // day after day does not open a growing gap in it.
    std::string listing;
    bool operator==(const ContinuePlan&) const = default;
};

// An entry holds a calculation when the conversion gave it a new output.
bool HoldsCalculation(const RadiatorEntry& entry);

// The plan for the project in state as loaded (before the calculation screen
// is loaded and resets LfNr).
ContinuePlan PlanContinue(const ProgramState& state);

} // namespace hk
