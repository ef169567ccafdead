// The entry of the module "hkberech_parts": the print preview and the
// heat-pump check window behind the table the program looks up by name.

#include "ui/check_window.h"
#include "ui/on_demand.h"
#include "ui/print/report_printer.h"

namespace hk::ui {
namespace {

CheckWindow* NewCheckWindow(ProgramState& state, MessageBoxes& messages, FileDialogs& dialogs) {
    return new frmCheck(state, messages, dialogs);
}

const OnDemandParts kParts{kOnDemandPartsVersion, &PrintReportWithPreview, &NewCheckWindow};

} // namespace
} // namespace hk::ui

extern "C" Q_DECL_EXPORT const hk::ui::OnDemandParts* hk_on_demand_parts() {
    return &hk::ui::kParts;
}
