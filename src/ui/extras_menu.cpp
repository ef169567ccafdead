#include "extras_menu.h"

namespace hk::ui {

const std::vector<ExtrasItem>& ExtrasItems() {
    static const std::vector<ExtrasItem> items = {
        // {command, object name, caption, Ctrl key or Qt::Key_unknown, screens}
    };
    return items;
}

} // namespace hk::ui
