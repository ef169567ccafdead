// Modules that are wrong in one way each, for the test of the module loader;
// HK_FAKE_KIND says which way.

#include "ui/on_demand.h"

#include <QtGlobal>

namespace {

[[maybe_unused]] void PrintNothing(const hk::ProgramState&, QWidget*, hk::MessageSink&) {}

[[maybe_unused]] hk::ui::CheckWindow* NoWindow(hk::ProgramState&, hk::ui::MessageBoxes&,
                                               hk::FileDialogs&) {
    return nullptr;
}

[[maybe_unused]] hk::ui::BalancingWindow* NoBalancing(hk::ProgramState&, hk::ui::MessageBoxes&,
                                                      hk::FileDialogs&) {
    return nullptr;
}

#if HK_FAKE_KIND == 2
const hk::ui::OnDemandParts kOld{hk::ui::kOnDemandPartsVersion - 1, &PrintNothing, &NoWindow,
                                 &NoBalancing};
#elif HK_FAKE_KIND == 3
// The newest part missing.
const hk::ui::OnDemandParts kMissing{hk::ui::kOnDemandPartsVersion, &PrintNothing, &NoWindow,
                                     nullptr};
#endif

} // namespace

#if HK_FAKE_KIND == 0
// A module of the right kind whose entry is named otherwise.
extern "C" Q_DECL_EXPORT int hk_something_else() { return 0; }
#else
extern "C" Q_DECL_EXPORT const hk::ui::OnDemandParts* hk_on_demand_parts() {
#if HK_FAKE_KIND == 1
    return nullptr;
#elif HK_FAKE_KIND == 2
    return &kOld;
#else
    return &kMissing;
#endif
}
#endif
