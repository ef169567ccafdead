#pragma once
// The operating instructions frmAnzeigeLesen "ZumLesen", reached from the
// title screen with "Lesen"; its "Weiter" leads on to the project data.

#include "ui/screen_kit.h"

#include <QString>

namespace hk::ui {

// The text of the instructions box, every line ended by CR LF.
QString OperatingInstructions();

// The controls of frmAnzeigeLesen.
enum class InstructionsControl { LeseText, cdmWeiter };

class frmAnzeigeLesen : public Screen, public ControlMap<InstructionsControl> {
    Q_OBJECT
public:
    frmAnzeigeLesen();

signals:
    void cdmWeiterClicked();

private:
    void buildLeseText();
    void connectHandlers();
};

} // namespace hk::ui
