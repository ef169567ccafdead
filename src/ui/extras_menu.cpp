#include "extras_menu.h"

namespace hk::ui {

const std::vector<ExtrasItem>& ExtrasItems() {
    static const std::vector<ExtrasItem> items = {
        // {command, object name, caption, Ctrl key or Qt::Key_unknown, screens}
        {ExtrasCommand::HeatPumpCheck, "mnuItemCheck", "&Wärmepumpen-Check…", Qt::Key_T, OnBoth},
    };
    return items;
}

} // namespace hk::ui
