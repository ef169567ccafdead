#pragma once
// The menu "E&xtras" of the calculation screen and the display screen: what
// the program offers beyond the calculation itself. Every item works on the
// project in memory. An item is one row of ExtrasItems(); the shell runs the
// command of a chosen item (AppShell::extras_).

#include <Qt>

#include <vector>

namespace hk::ui {

enum class ExtrasCommand {
    ProjectReport,   // the client report as PDF
    ProjectCsv,      // the radiator table as CSV
    HeatPumpCheck,   // the check at a lower supply temperature
    Balancing,       // the hydraulic balancing room by room
    ContinueProject, // a loaded project back on the calculation screen
    CorrectRadiator, // an earlier entry corrected
};

// The screens that show an item.
enum ExtrasScreens : unsigned {
    OnForm3 = 1u, // the calculation screen
    OnForm4 = 2u, // the display screen
    OnBoth = OnForm3 | OnForm4,
};

struct ExtrasItem {
    ExtrasCommand command;
    const char* name;    // object name of the action
    const char* caption; // with its mnemonic
    Qt::Key ctrlKey;     // Qt::Key_unknown: no shortcut
    unsigned screens;    // ExtrasScreens
};

// The items in menu order.
const std::vector<ExtrasItem>& ExtrasItems();

} // namespace hk::ui
