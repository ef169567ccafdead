#pragma once
// The display screen frmForm4 "zeigen": the listing of a loaded project
// file, with the menu "Datei": "&Drucken" (Ctrl+D) prints the loaded
// project, "Be&enden" (Ctrl+E) goes back towards the project data screen.

#include "ui/screen_kit.h"

#include <string>

class QPlainTextEdit;

namespace hk::ui {

class frmForm4 : public Screen {
    Q_OBJECT
public:
    frmForm4();

    // Shows text (CR LF line ends) in txtHKFlaechen.
    void setListing(const std::string& text);
    const std::string& listing() const { return listing_; }
    QPlainTextEdit* box() const { return box_; }

signals:
    void mnuItemPrinterTriggered();
    void mnuItemExitTriggered();

private:
    QPlainTextEdit* box_;
    std::string listing_;
};

} // namespace hk::ui
