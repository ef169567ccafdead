#include "project_header_form.h"

namespace hk {

void PersDatUebernehmen(ProgramState& state, const HeaderScreen& screen) {
    for (int n = 1; n <= ProjectHeader::kFieldCount; ++n) {
        state.header[n] = screen.fieldText(n);
    }
}

void Pruefen(HeaderScreen& screen) {
    // The message box carries no text of its own; its title says it all.
    screen.showMessage({"", std::string(kTitleEingabeFehlt), MsgIcon::Exclamation});
    screen.focusField(1);
}

bool cmdWeiter_Click(ProgramState& state, HeaderScreen& screen) {
    PersDatUebernehmen(state, screen);
    const bool present = !screen.fieldText(1).empty() || !screen.fieldText(2).empty() ||
                         !screen.fieldText(3).empty();
    if (!present) {
        Pruefen(screen);
        return false;
    }
    return true;
}

} // namespace hk
