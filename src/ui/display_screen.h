#pragma once
// The display screen frmForm4 "zeigen": the listing of a loaded project
// file, with the menu "Datei": "&Drucken" (Ctrl+D) prints the loaded
// project, "Be&enden" (Ctrl+E) goes back towards the project data screen.

#include "ui/screen_kit.h"

#include <string>

namespace hk::ui {

// The controls of frmForm4.
enum class DisplayControl { txtHKFlaechen };

class frmForm4 : public Screen, public ControlMap<DisplayControl> {
    Q_OBJECT
public:
    frmForm4();

    // Shows text (CR LF line ends) in txtHKFlaechen.
    void setListing(const std::string& text);
    const std::string& listing() const { return listing_; }

signals:
    void mnuItemPrinterTriggered();
    void mnuItemExitTriggered();

private:
    std::string listing_;
};

} // namespace hk::ui
