#include "continue_project.h"

#include "common/numbers.h"

#include <string_view>

namespace hk {

bool HoldsCalculation(const RadiatorEntry& entry) { return entry.QHKNeu > 0; }

ContinuePlan PlanContinue(const ProgramState& state) {
    ContinuePlan plan;
    const int rows = RowCount(state.LfNr);
    plan.LfNr = rows < 1 ? std::int16_t{1} : state.LfNr;
    if (RadiatorTable::IsValidNumber(plan.LfNr) && HoldsCalculation(state.table.at(plan.LfNr))) {
        ++plan.LfNr; // at most 71: the calculation command refuses that one
        plan.freshEntry = RadiatorTable::IsValidNumber(plan.LfNr);
    }
    // A file may carry any number here; only the two norms are a mode.
    plan.dNorm = state.dNorm == 60 || state.dNorm == 50 ? state.dNorm : std::int16_t{0};

    for (int n = rows; n >= 1; --n) {
        const RadiatorEntry& e = state.table.at(n);
        if (HoldsCalculation(e)) {
            plan.dVorl = NumberText(e.dVorl);
            plan.dRueckl = NumberText(e.dRueckl);
            break;
        }
    }

    constexpr std::string_view kClosingLine = "\r\n\r\n";
    plan.listing = state.ListingText;
    if (plan.listing.ends_with(kClosingLine)) {
        plan.listing.resize(plan.listing.size() - 2);
    }
    return plan;
}

} // namespace hk
