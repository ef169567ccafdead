#pragma once
// The project data screen Form2 "PersonalBlatt": eleven boxes for the
// project header, "Weiter" to the calculation, and the menu "Datei" with
// "&Laden" (Ctrl+L) and "B&eenden" (Ctrl+E).

#include "project/file_commands.h"
#include "project/project_header_form.h"
#include "ui/screen_kit.h"
#include "ui/services.h"

#include <array>

class QAction;
class QLineEdit;
class QPushButton;

namespace hk::ui {

class Form2 : public Screen, public HeaderScreen, public BusyIndicator {
    Q_OBJECT
public:
    explicit Form2(MessageBoxes& messages);

    QLineEdit* field(int n) const { return fields_.at(static_cast<std::size_t>(n - 1)); }
    QPushButton* weiter() const { return weiter_; }

    // HeaderScreen
    std::string fieldText(int n) const override;
    void focusField(int n) override;
    void showMessage(const Message& message) override;
    // BusyIndicator: the hourglass over this screen while a file loads.
    void setBusy(bool busy) override;

signals:
    void cmdWeiterClicked();
    void mnuItemOpenTriggered();
    void mnuItemExitTriggered();

private:
    MessageBoxes& messages_;
    std::array<QLineEdit*, ProjectHeader::kFieldCount> fields_{};
    QPushButton* weiter_;
};

} // namespace hk::ui
