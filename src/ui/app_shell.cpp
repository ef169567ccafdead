#include "app_shell.h"

#include "calc/continue_project.h"
#include "project/check_form.h"
#include "project/data_files.h"
#include "project/file_commands.h"
#include "project/recovery.h"
#include "project/table_export.h"
#include "ui/balancing_window.h"
#include "ui/calculation_screen.h"
#include "ui/check_window.h"
#include "ui/correction_window.h"
#include "ui/display_screen.h"
#include "ui/instructions_screen.h"
#include "ui/project_screen.h"
#include "ui/report/project_report.h"
#include "ui/title_screen.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>

namespace hk::ui {
namespace {

// Unloading: the window goes at once; the object itself once the event that
// asked for it (often one of its own signals) has been handled.
template <class T> void Unload(T*& screen) {
    if (screen) {
        screen->hide();
        screen->deleteLater();
        screen = nullptr;
    }
}

constexpr const char* kQuitQuestion =
    "Das Projekt enthält ungespeicherte Heizkörper. Trotzdem beenden?";
constexpr const char* kCloseQuestion =
    "Das Projekt enthält ungespeicherte Angaben (Heizkörper oder Wärmepumpen-Check). Trotzdem "
    "schließen?";

} // namespace

AppShell::AppShell(ProgramState& state, Services services, TitleTimings titleTimings)
    : state_(state), services_(std::move(services)), titleTimings_(titleTimings) {
    // One line an item of the menu "E&xtras": extras_[ExtrasCommand::X] = ...
    extras_[ExtrasCommand::ProjectReport] = [this](Screen& from) { Extras_Bericht(from); };
    extras_[ExtrasCommand::ProjectCsv] = [this](Screen& from) { Extras_Csv(from); };
    extras_[ExtrasCommand::ContinueProject] = [this](Screen&) { ContinueProject(); };
    extras_[ExtrasCommand::CorrectRadiator] = [this](Screen&) { CorrectRadiator(); };
    extras_[ExtrasCommand::HeatPumpCheck] = [this](Screen&) { OpenCheck(); };
    extras_[ExtrasCommand::Balancing] = [this](Screen&) { OpenBalancing(); };
    // A project loaded before the check is first opened may name catalogue
    // radiators; what the catalogue skipped is told when the check opens.
    state_.Radiators = LoadRadiatorCatalogue(SystemFileOps(), ProgramFolder()).radiators;
    recovery_ = std::make_unique<RecoveryCopy>(SystemFileOps(), services_.recoveryFolder);
}

AppShell::~AppShell() {
    delete form1_;
    delete anzeigeLesen_;
    delete form2_;
    delete form3_;
    delete form4_;
    delete check_;
    delete balancing_;
}

void AppShell::Start() {
    // Written after changes, never in the way of typing: a copy is a few
    // kilobytes, and nothing is written while nothing changed.
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { KeepRecoveryCopy(); });
    timer->start(1000);
    if (OfferRecovery()) {
        return;
    }
    LoadForm1();
    form1_->show();
}

bool AppShell::OfferRecovery() {
    if (services_.recoveryFolder.empty()) {
        return false;
    }
    FileOps& files = SystemFileOps();
    for (const std::string& copy : OrphanedRecoveryCopies(services_.recoveryFolder)) {
        auto read = ReadRecoveryCopy(files, copy, state_.Radiators);
        if (!read) {
            const auto aside = SetRecoveryCopyAside(files, copy);
            services_.messages.show(
                nullptr,
                {NamedFile(copy) + "mit ungesicherten Heizkörpern kann nicht gelesen werden: " +
                     read.problem().message + ".\n\n" +
                     (aside
                          ? "Sie wurde umbenannt in\n" + *aside + "\nund wird nicht mehr angeboten."
                          : "Sie konnte nicht umbenannt werden (" + aside.problem().message +
                                "). Bitte löschen oder verschieben Sie sie selbst."),
                 std::string(kAppTitle), MsgIcon::Exclamation});
            continue;
        }
        // Enter and Escape restore: giving the copy up needs its own click.
        if (services_.messages.ask(
                nullptr, {"Ungesicherte Heizkörper vom " + read->when + " wiederherstellen?",
                          std::string(), "Verwerfen", "Wiederherstellen", std::string()})) {
            files.remove(copy);
            continue;
        }
        state_ = std::move(read->state);
        emit titleLeft();
        LoadForm2();
        ContinueOnForm3();
        KeepRecoveryCopy(); // this program's copy first, then the old one goes
        files.remove(copy);
        return true;
    }
    return false;
}

void AppShell::KeepRecoveryCopy(bool tell) {
    const QString when = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy, HH:mm"));
    const auto kept = recovery_->keep(state_, when.toStdString());
    if (!kept && tell && !recoveryFailureTold_) {
        recoveryFailureTold_ = true; // told once a run; the work itself goes on
        services_.messages.show(QApplication::activeWindow(),
                                {NamedFile(recovery_->path()) +
                                     "für die Sicherungskopie der ungesicherten Heizkörper konnte "
                                     "nicht geschrieben werden: " +
                                     kept.problem().message +
                                     ".\n\nBitte speichern Sie das Projekt bald.",
                                 std::string(kAppTitle), MsgIcon::Exclamation});
    }
}

// Loading a screen that is loaded already keeps it as it is, texts included.
void AppShell::LoadForm1() {
    if (form1_) {
        return;
    }
    form1_ = new Form1(titleTimings_);
    form1_->setCloseHandler([this] { EndProgram(); });
    connect(form1_, &Form1::titelblattDue, this, &AppShell::Titelblatt);
    connect(form1_, &Form1::lesenClicked, this, &AppShell::Lesen_Click);
}

void AppShell::UnloadForm1() {
    if (form1_) {
        form1_->stopTimers();
        Unload(form1_);
    }
}

void AppShell::LoadForm2() {
    if (form2_) {
        return;
    }
    form2_ = new Form2(state_, services_.messages);
    form2_->setCloseHandler([this] { EndProgram(); });
    connect(form2_, &Form2::headerAccepted, this, &AppShell::OpenCalculation);
    connect(form2_, &Form2::mnuItemOpenTriggered, this, &AppShell::mnuItemOpen_Click);
    connect(form2_, &Form2::mnuItemExitTriggered, this, &AppShell::EndProgram);
}

void AppShell::Titelblatt() {
    emit titleLeft();
    UnloadForm1();
    LoadForm2();
    form2_->show();
    form2_->focusField(1);
}

void AppShell::Lesen_Click() {
    emit titleLeft();
    if (!anzeigeLesen_) {
        anzeigeLesen_ = new frmAnzeigeLesen;
        anzeigeLesen_->setCloseHandler([this] { EndProgram(); });
        connect(anzeigeLesen_, &frmAnzeigeLesen::cdmWeiterClicked, this,
                &AppShell::cdmWeiter_Click);
    }
    UnloadForm1(); // Timer2 never fires now
    anzeigeLesen_->show();
}

void AppShell::cdmWeiter_Click() {
    anzeigeLesen_->hide(); // stays loaded until the program ends
    LoadForm2();
    form2_->show();
}

void AppShell::OpenCalculation() {
    // A new project: the check and the file of the project before are not its.
    state_.BeginNewProject();
    FollowNewProject();
    LoadForm3();
    form2_->hide(); // stays loaded, with its texts
    form3_->open();
}

void AppShell::LoadForm3() {
    if (form3_) {
        return;
    }
    form3_ = new Form3(state_, services_.messages);
    form3_->setCloseHandler([this] { EndProgram(); });
    connect(form3_, &Form3::mnuItemSaveTriggered, this, &AppShell::mnuItemSave_Click);
    connect(form3_, &Form3::mnuPrinterItemTriggered, this, &AppShell::Form3_mnuPrinterItem_Click);
    connect(form3_, &Form3::mnuExitItemTriggered, this, &AppShell::EndProgram);
    connect(form3_, &Form3::projectCalculated, this, &AppShell::FollowCheck);
    connect(form3_, &Screen::extrasTriggered, this,
            [this](ExtrasCommand c) { Extras_Click(c, *form3_); });
}

// The loaded project goes on where it stopped: the plan is taken before the
// calculation screen's load resets the counter.
void AppShell::ContinueProject() {
    if (form4_) {
        ContinueOnForm3();
    }
}

void AppShell::ContinueOnForm3() {
    const ContinuePlan plan = PlanContinue(state_);
    if (form2_) {
        // A later "Weiter" takes the loaded header, not what was typed before.
        form2_->showHeader(state_.header);
    }
    Unload(form3_); // a calculation screen is loaded afresh
    LoadForm3();
    Unload(form4_);
    form3_->continueProject(plan);
    FollowCheck();
}

void AppShell::CorrectRadiator() {
    if (!form3_) {
        return;
    }
    auto* window =
        new frmKorrigieren(state_, *form3_, form3_->listing(), services_.messages, form3_);
    // A correction and its undo change rows of the model.
    connect(window->model(), &QAbstractItemModel::dataChanged, this, &AppShell::FollowCheck);
    window->open();
}

void AppShell::mnuItemOpen_Click() {
    // Unsaved work cannot stand here: the project data screen follows the
    // display screen's closing, which asked, or the start.
    const LoadOutcome outcome = hk::mnuItemOpen_Click(state_, services_.dialogs, *form2_, *form2_);
    if (outcome == LoadOutcome::Refused) {
        return; // the core has said why; the project is as it was
    }
    // The display screen is loaded afresh: a cancelled dialog shows it empty.
    Unload(form4_);
    form4_ = new frmForm4;
    form4_->setCloseHandler([this] { EndProgram(); });
    connect(form4_, &frmForm4::mnuItemPrinterTriggered, this,
            &AppShell::Form4_mnuItemPrinter_Click);
    connect(form4_, &frmForm4::mnuItemExitTriggered, this, &AppShell::Form4_mnuItemExit_Click);
    connect(form4_, &Screen::extrasTriggered, this,
            [this](ExtrasCommand c) { Extras_Click(c, *form4_); });
    if (outcome == LoadOutcome::Loaded) {
        form4_->setListing(state_.ListingText);
        FollowNewProject(); // an open check shows the new project at once
    }
    form2_->hide(); // stays loaded, with its texts
    form4_->show();
}

void AppShell::mnuItemSave_Click() {
    const std::string name = hk::mnuItemSave_Click(state_, services_.dialogs, *form3_);
    if (!name.empty()) {
        state_.Saved();
        state_.ProjectFile = name;
    }
}

void AppShell::Form3_mnuPrinterItem_Click() { services_.printer.print(state_, form3_); }

// Prints the loaded project as it stands: the calculation screen is not
// loaded for this, so LfNr keeps the loaded count of rows.
void AppShell::Form4_mnuItemPrinter_Click() { services_.printer.print(state_, form4_); }

void AppShell::Form4_mnuItemExit_Click() {
    if (!MayDiscard(kCloseQuestion, "Schließen")) {
        return;
    }
    // What is not saved has been given up: the next project starts without it.
    state_.BeginNewProject();
    FollowNewProject();
    // The title screen comes back hidden; its timers lead to Form2 again.
    LoadForm1();
    Unload(form4_);
}

void AppShell::OpenCheck() {
    if (!check_) {
        check_ = new frmCheck(state_, services_.messages, services_.dialogs);
        // The balancing uses the check's installed radiators and targets.
        connect(check_, &frmCheck::checkDataChanged, this, [this] {
            if (balancing_ && balancing_->isVisible()) {
                balancing_->followProject();
            }
        });
    }
    check_->open();
}

void AppShell::OpenBalancing() {
    if (!balancing_) {
        balancing_ = new frmAbgleich(state_, services_.messages, services_.dialogs);
    }
    balancing_->open();
}

void AppShell::Extras_Click(ExtrasCommand command, Screen& from) {
    const auto handler = extras_.find(command);
    if (handler != extras_.end()) {
        handler->second(from);
    }
}

void AppShell::Extras_Bericht(Screen& from) {
    MessagesOver messages(services_.messages, &from);
    ui::mnuItemBericht_Click(state_, services_.dialogs, messages);
}

void AppShell::Extras_Csv(Screen& from) {
    MessagesOver messages(services_.messages, &from);
    hk::mnuItemCsv_Click(state_, services_.dialogs, messages);
}

void AppShell::FollowCheck() {
    if (check_ && check_->isVisible()) {
        check_->followProject();
    }
    if (balancing_ && balancing_->isVisible()) {
        balancing_->followProject();
    }
}

void AppShell::FollowNewProject() {
    if (check_ && check_->isVisible()) {
        check_->followProject(false);
    }
    if (balancing_ && balancing_->isVisible()) {
        balancing_->followProject(false);
    }
}

bool AppShell::MayDiscard(const std::string& question, const std::string& confirm) {
    return !state_.Unsaved() ||
           services_.messages.ask(QApplication::activeWindow(),
                                  {question, std::string(), confirm, "Abbrechen", std::string()});
}

void AppShell::EndProgram() {
    if (state_.ProjectUnsaved() && !services_.messages.ask(QApplication::activeWindow(),
                                                           {kQuitQuestion, std::string(), "Beenden",
                                                            "Abbrechen", std::string()})) {
        return; // the user keeps working; every screen stays as it is
    }
    if (state_.CheckUnsaved()) {
        QWidget* over = check_ && check_->isVisible() ? check_ : QApplication::activeWindow();
        const Choice choice = services_.messages.choose(over, UnsavedCheckQuestion());
        MessagesOver messages(services_.messages, over);
        if (choice == Choice::Cancel ||
            (choice == Choice::Confirm &&
             !SaveCheck(state_, services_.dialogs, messages, SystemFileOps()))) {
            return;
        }
    }
    for (QWidget* w : std::initializer_list<QWidget*>{form1_, anzeigeLesen_, form2_, form3_, form4_,
                                                      check_, balancing_}) {
        if (w) {
            w->hide();
        }
    }
    if (form1_) {
        form1_->stopTimers();
    }
    recovery_->remove(); // saved, or given up by the user's own choice
    services_.endProgram();
}

} // namespace hk::ui
