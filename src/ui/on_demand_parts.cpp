// The entry of the module "hkberech_parts": the print preview and the
// heat-pump check and balancing windows behind the table the program looks up by name.

#include "ui/balancing_window.h"
#include "ui/check_window.h"
#include "ui/on_demand.h"
#include "ui/print/report_printer.h"

namespace hk::ui {
namespace {

CheckWindow* NewCheckWindow(ProgramState& state, MessageBoxes& messages, FileDialogs& dialogs) {
    return new frmCheck(state, messages, dialogs);
}

BalancingWindow* NewBalancingWindow(ProgramState& state, MessageBoxes& messages,
                                    FileDialogs& dialogs) {
    return new frmAbgleich(state, messages, dialogs);
}

const OnDemandParts kParts{kOnDemandPartsVersion, &PrintReportWithPreview, &NewCheckWindow,
                           &NewBalancingWindow};

} // namespace
} // namespace hk::ui

extern "C" Q_DECL_EXPORT const hk::ui::OnDemandParts* hk_on_demand_parts() {
    return &hk::ui::kParts;
}
