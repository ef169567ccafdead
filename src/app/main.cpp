#include "calc/program_state.h"
#include "ui/app_shell.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    hk::ProgramState state; // the one project of this run
    hk::ui::StartScreens(state);
    return app.exec();
}
