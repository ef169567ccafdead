#pragma once
// The project data screen Form2 "PersonalBlatt": eleven boxes for the
// project header, "Weiter" to the calculation, and the menu "Datei" with
// "&Laden" (Ctrl+L) and "B&eenden" (Ctrl+E). The logic of "Weiter" is the
// core's HeaderForm.

#include "project/file_commands.h"
#include "project/project_header_form.h"
#include "ui/screen_kit.h"
#include "ui/services.h"

namespace hk::ui {

// The controls of Form2: the boxes txtPersDat1..11 carry their field number.
enum class HeaderControl {
    cmdWeiter = 0,
    txtPersDat1 = 1,
    txtPersDat11 = ProjectHeader::kFieldCount,
};

// The box txtPersDat<n>, n = 1..11.
constexpr HeaderControl PersDat(int n) { return static_cast<HeaderControl>(n); }

class Form2 : public Screen,
              public ControlMap<HeaderControl>,
              public HeaderScreen,
              public BusyIndicator {
    Q_OBJECT
public:
    Form2(ProgramState& state, MessageBoxes& messages);

    // The boxes show header, as a later "Weiter" is to take it over.
    void showHeader(const ProjectHeader& header);

    // HeaderScreen
    std::string fieldText(int n) const override;
    void focusField(int n) override;
    void showMessage(const Message& message) override;
    // BusyIndicator: the hourglass over this screen while a file loads.
    void setBusy(bool busy) override;

signals:
    // "Weiter" took the boxes over and found the header complete enough.
    void headerAccepted();
    void mnuItemOpenTriggered();
    void mnuItemExitTriggered();

private:
    void buildControls();
    void connectHandlers();
    void cmdWeiter_Click();

    MessageBoxes& messages_;
    HeaderForm form_;
};

} // namespace hk::ui
