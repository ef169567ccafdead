#pragma once
// The calculation screen Form3 "HK-Berech". The handlers' logic is the
// core's CalcForm and ResultListing; this screen holds the controls, lends
// them to the core through CalcScreen, and connects the controls to its
// handlers, which call the core.

// moc reads no further than ASCII names; the core's control names are German.
#ifndef Q_MOC_RUN
#include "calc/calc_form.h"
#include "calc/continue_project.h"
#include "report/listing.h"
#endif
#include "ui/screen_kit.h"
#include "ui/services.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace hk::ui {

class ExponList;

class Form3 : public Screen, public ControlMap<CalcControl>, public CalcScreen {
    Q_OBJECT
public:
    // Loading the screen runs Form_Load: the type list is filled and LfNr
    // set to 1. Neither option is selected yet; see open().
    Form3(ProgramState& state, MessageBoxes& messages);

    // Shows the screen in DIN 90/70/20 mode with the focus on optDIN.
    void open();
    // Shows the screen taking up a loaded project as plan says (its mode,
    // or none when it has none).
    void continueProject(const ContinuePlan& plan);

    // The listing the calculation command appends to; corrections too.
    ListingSink& listing() { return listing_; }

    // QWidget's own setVisible, setEnabled and setFocus stay reachable
    // beside the CalcScreen ones that name a control.
    using Screen::setEnabled;
    using Screen::setFocus;
    using Screen::setVisible;

    // CalcScreen
    std::string text(CalcControl c) const override;
    void setText(CalcControl c, const std::string& text) override;
    void appendText(CalcControl c, const std::string& text) override;
    bool isSelected(CalcControl option) const override;
    void select(CalcControl option) override;
    void setEnabled(CalcControl c, bool enabled) override;
    void setVisible(CalcControl c, bool visible) override;
    void setFocus(CalcControl c) override;
    void addListItem(const std::string& text) override;
    int listIndex() const override;
    std::string listText() const override;
    void showMessage(const Message& message) override;
    bool ask(const Question& question) override;

signals:
    // "Ergebnis" was pressed: the project in memory may have changed.
    void projectCalculated();
    void mnuItemSaveTriggered();
    void mnuPrinterItemTriggered();
    void mnuExitItemTriggered();

private:
    void buildControls();
    void buildBoxes(const QFont& font);
    void connectHandlers();
    void showListing();

    // The handlers of the controls; each calls the core.
    void optDIN_Toggled(bool on);
    void optEN_Toggled(bool on);
    void Expon_Chosen();
    void cmdErgebnis_Click();
    void cmdNaechster_Click();

    MessageBoxes& messages_;
    ResultListing listing_;
    CalcForm form_;
    ExponList* expon_ = nullptr;
    QPlainTextEdit* anzeige_ = nullptr;
    // The listing exactly as the core built it, CR LF line ends; the box
    // shows it as lines.
    std::string anzeigeText_;
};

} // namespace hk::ui
