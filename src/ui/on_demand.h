#pragma once
// The parts of the program that need Qt's print support or Qt Charts: the
// print preview of the report and the heat-pump check window. They live in a
// module of their own ("hkberech_parts") that is opened the first time one of
// them is wanted, so the title screen starts without those libraries. Test
// programs link the parts in; the module is then never opened.

#include "calc/program_state.h"
#include "common/result.h"
#include "ui/services.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <string>

namespace hk::ui {

// The heat-pump check window as the shell sees it.
class CheckWindow : public QWidget {
public:
    using QWidget::QWidget;
    // Takes the project in memory afresh and shows the window.
    virtual void open() = 0;
};

// The hydraulic balancing window as the shell sees it.
class BalancingWindow : public QWidget {
public:
    using QWidget::QWidget;
    // Takes the project in memory afresh and shows the window.
    virtual void open() = 0;
};

// Raised whenever the table below changes its shape, so that a module of an
// older build is refused rather than called wrongly.
inline constexpr int kOnDemandPartsVersion = 2;

struct OnDemandParts {
    int version;
    // The modal print preview of the report; a failure of the printing is
    // shown through messages.
    void (*printReport)(const ProgramState& state, QWidget* parent, MessageSink& messages);
    // A new, hidden check window; the caller owns it.
    CheckWindow* (*newCheckWindow)(ProgramState& state, MessageBoxes& messages,
                                   FileDialogs& dialogs);
    // A new, hidden balancing window; the caller owns it.
    BalancingWindow* (*newBalancingWindow)(ProgramState& state, MessageBoxes& messages,
                                           FileDialogs& dialogs);
};

// The name of the module's entry, a function without arguments that returns
// the module's const OnDemandParts*.
inline constexpr const char* kOnDemandPartsEntry = "hk_on_demand_parts";

// The parts of a program that links them in; called once while the program
// is set up (before main), by the parts themselves.
void UseLinkedParts(const OnDemandParts* parts);

// Opens the module file at path and takes its parts. A missing file, a file
// that is no module, one without the entry or of another version gives no
// parts and a German text naming the file.
Result<const OnDemandParts*> LoadPartsModule(const QString& path);

// Where the program looks for the module, in this order: beside the program
// (a build folder) and in the installed folder relative to it.
QStringList PartsModuleCandidates(const QString& programDir);

// The parts for this run: the linked ones, else the module's (opened once and
// kept). When there are none, the user is told why in a box over parent, and
// the result is nullptr; the next call tries again.
const OnDemandParts* OnDemandPartsOrTell(MessageBoxes& messages, QWidget* parent);

} // namespace hk::ui
