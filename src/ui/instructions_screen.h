#pragma once
// The operating instructions frmAnzeigeLesen "ZumLesen", reached from the
// title screen with "Lesen"; its "Weiter" leads on to the project data.

#include "ui/screen_kit.h"

#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace hk::ui {

// The text of the instructions box, every line ended by CR LF.
QString OperatingInstructions();

class frmAnzeigeLesen : public Screen {
    Q_OBJECT
public:
    frmAnzeigeLesen();

    QPlainTextEdit* leseText() const { return leseText_; }
    QPushButton* weiter() const { return weiter_; }

signals:
    void cdmWeiterClicked();

private:
    QPlainTextEdit* leseText_;
    QPushButton* weiter_;
};

} // namespace hk::ui
