#include "project_header_form.h"

namespace hk {

void HeaderForm::PersDatUebernehmen() {
    for (int n = 1; n <= ProjectHeader::kFieldCount; ++n) {
        state_.header[n] = screen_.fieldText(n);
    }
}

void HeaderForm::Pruefen() {
    // The message box carries no text of its own; its title says it all.
    screen_.showMessage({"", std::string(kTitleEingabeFehlt), MsgIcon::Exclamation});
    screen_.focusField(1);
}

bool HeaderForm::cmdWeiter_Click() {
    PersDatUebernehmen();
    const bool present = !screen_.fieldText(1).empty() || !screen_.fieldText(2).empty() ||
                         !screen_.fieldText(3).empty();
    if (!present) {
        Pruefen();
        return false;
    }
    return true;
}

} // namespace hk
