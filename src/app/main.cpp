#include "calc/program_state.h"
#include "project/recovery.h"
#include "ui/app_shell.h"
#include "ui/qt_services.h"
#include "ui/termination_watch.h"
#include "ui/translation.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Between the loaded-data screen and the project data screen there is
    // no window for a moment; the screens themselves say when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);

    hk::ProgramState state; // the one project of this run
    hk::ui::QtMessageBoxes messages;
    hk::ui::QtFileDialogs dialogs;
    hk::ui::QtReportPrinter printer(messages);
    hk::ui::AppShell shell(state, {messages, dialogs, printer, [] { QCoreApplication::exit(0); },
                                   hk::RecoveryFolder()});
    // A logout or a shutdown ends the program; the unsaved work stays in the
    // copy the next start offers.
    hk::ui::TerminationWatch watch([&shell](int signal) {
        shell.KeepRecoveryCopy(false);
        QCoreApplication::exit(128 + signal);
    });
    // Qt's German texts are loaded once the title screen gives way: it shows
    // none of them, and starts the sooner and smaller for it.
    QObject::connect(&shell, &hk::ui::AppShell::titleLeft, &app, [&app, loaded = false]() mutable {
        if (!loaded) {
            loaded = true;
            hk::ui::LoadGermanTranslation(app);
        }
    });
    shell.Start();
    return QApplication::exec();
}
