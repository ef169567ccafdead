// Links the print preview and the check window into a test program, so that
// it uses them directly and never opens the module.

#include "ui/on_demand.h"

extern "C" const hk::ui::OnDemandParts* hk_on_demand_parts();

namespace {

const bool registered = [] {
    hk::ui::UseLinkedParts(hk_on_demand_parts());
    return true;
}();

} // namespace
