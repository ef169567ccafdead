#include "calc/program_state.h"
#include "ui/app_shell.h"
#include "ui/qt_services.h"
#include "ui/translation.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Between the loaded-data screen and the project data screen there is
    // no window for a moment; the screens themselves say when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    hk::ui::LoadGermanTranslation(app);

    hk::ProgramState state; // the one project of this run
    hk::ui::QtMessageBoxes messages;
    hk::ui::QtFileDialogs dialogs;
    hk::ui::QtReportPrinter printer;
    hk::ui::AppShell shell(state, {messages, dialogs, printer, [] { QCoreApplication::exit(0); }});
    shell.Start();
    return QApplication::exec();
}
