#pragma once
// The way through the five screens. The shell loads (creates), shows, hides
// and unloads (destroys) the screens; at most one is visible at a time. The
// handlers' logic is the core's; the shell only moves between screens.
//
//   Form1 --Timer2 (2.7 s)--> Form2 --Weiter--> Form3
//   Form1 --Lesen--> frmAnzeigeLesen --Weiter--> Form2
//   Form2 --Laden--> frmForm4 --Beenden--> (hidden Form1, 2.7 s) --> Form2
//
// Closing any screen through its window frame ends the program like the
// exit menu items, so no program is left running without a window. Every
// way that ends the program first asks when radiators were calculated or
// corrected since the last save or load.
//
// Beyond these: frmForm4 --Extras "Projekt fortsetzen"--> Form3 with the
// loaded project; Form3 --Extras "Heizkörper korrigieren"--> frmKorrigieren.

#include "calc/program_state.h"
#include "ui/extras_menu.h"
#include "ui/services.h"
#include "ui/title_screen.h"

#include <QObject>

#include <memory>

#include <functional>
#include <map>

namespace hk {
class RecoveryCopy;
}

namespace hk::ui {

class Screen;
class Form2;
class Form3;
class frmAnzeigeLesen;
class frmForm4;
class frmAbgleich;
class frmCheck;

class AppShell : public QObject {
    Q_OBJECT
public:
    // titleTimings: the title screen's timers each time it is loaded.
    AppShell(ProgramState& state, Services services, TitleTimings titleTimings = {});
    ~AppShell() override;

    // Offers the copies of unsaved work that programs ended without saving
    // left; one restored goes on on the calculation screen, else the title
    // screen is loaded and shown.
    void Start();
    // Writes the copy of unsaved work as the project in memory stands (or
    // removes it once nothing is unsaved); every second, and once more when
    // the system ends the program (then a failure is not told: no box may
    // hold up a logout).
    void KeepRecoveryCopy(bool tell = true);

signals:
    // The title screen gives way to another screen (each time it does). The
    // title screen shows none of Qt's own texts; the screens after it do
    // (context menus, dialogs), so their translation may wait until now.
    void titleLeft();

public:
    // The loaded screens; nullptr for a screen that is not loaded.
    Form1* form1() const { return form1_; }
    frmAnzeigeLesen* anzeigeLesen() const { return anzeigeLesen_; }
    Form2* form2() const { return form2_; }
    Form3* form3() const { return form3_; }
    frmForm4* form4() const { return form4_; }
    frmCheck* check() const { return check_; }
    frmAbgleich* balancing() const { return balancing_; }

private:
    void LoadForm1();
    void UnloadForm1();
    void LoadForm2();
    void Titelblatt();
    void Lesen_Click();
    void cdmWeiter_Click();
    // Form2 accepted the project header: on to the calculation screen.
    void OpenCalculation();
    void mnuItemOpen_Click();
    void mnuItemSave_Click();
    void Form3_mnuPrinterItem_Click();
    void Form4_mnuItemPrinter_Click();
    void Form4_mnuItemExit_Click();
    void EndProgram();
    // Creates the calculation screen; Form_Load runs with it.
    void LoadForm3();
    void ContinueProject();
    // The project in memory goes on on the calculation screen.
    void ContinueOnForm3();
    // True when a copy was restored.
    bool OfferRecovery();
    void CorrectRadiator();
    // Opens the heat-pump check on the project in memory; one window at a time.
    void OpenCheck();
    // An open check window takes up the project in memory after each change.
    void FollowCheck();
    // The same for a project that is not the one the windows showed.
    void FollowNewProject();
    // True when nothing unsaved is in memory or the user gives it up.
    bool MayDiscard(const std::string& question, const std::string& confirm);
    // Opens the hydraulic balancing on the project in memory; one at a time.
    void OpenBalancing();
    // Runs an item of the menu "E&xtras" chosen on the screen from.
    void Extras_Click(ExtrasCommand command, Screen& from);
    // The client report as PDF and the table as CSV, of the project in memory.
    void Extras_Bericht(Screen& from);
    void Extras_Csv(Screen& from);

    ProgramState& state_;
    Services services_;
    TitleTimings titleTimings_;
    Form1* form1_ = nullptr;
    frmAnzeigeLesen* anzeigeLesen_ = nullptr;
    Form2* form2_ = nullptr;
    Form3* form3_ = nullptr;
    frmForm4* form4_ = nullptr;
    frmCheck* check_ = nullptr;
    frmAbgleich* balancing_ = nullptr;
    std::unique_ptr<RecoveryCopy> recovery_;
    bool recoveryFailureTold_ = false;
    // What each item of the menu "E&xtras" does, filled in the constructor.
    std::map<ExtrasCommand, std::function<void(Screen& from)>> extras_;
};

} // namespace hk::ui
