#include "extras_menu.h"

namespace hk::ui {

const std::vector<ExtrasItem>& ExtrasItems() {
    static const std::vector<ExtrasItem> items = {
        // {command, object name, caption, Ctrl key or Qt::Key_unknown, screens}
        {ExtrasCommand::ProjectReport, "mnuItemBericht", "&Projektbericht als PDF…", Qt::Key_R,
         OnBoth},
        {ExtrasCommand::ProjectCsv, "mnuItemCsv", "Tabelle als &CSV…", Qt::Key_unknown, OnBoth},
        {ExtrasCommand::HeatPumpCheck, "mnuItemCheck", "&Wärmepumpen-Check…", Qt::Key_T, OnBoth},
        {ExtrasCommand::Balancing, "mnuItemAbgleich", "&Hydraulischer Abgleich…", Qt::Key_H,
         OnBoth},
        {ExtrasCommand::ContinueProject, "mnuItemFortsetzen", "Projekt &fortsetzen",
         Qt::Key_unknown, OnForm4},
        {ExtrasCommand::CorrectRadiator, "mnuItemKorrigieren", "Heizkörper &korrigieren…",
         Qt::Key_K, OnForm3},
    };
    return items;
}

} // namespace hk::ui
