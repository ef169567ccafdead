#include "app_shell.h"

#include <QWidget>

namespace hk::ui {

void StartScreens(ProgramState& /*state*/) {
    auto* w = new QWidget;
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowTitle(QStringLiteral("Titelblatt"));
    w->resize(692, 541);
    w->show();
}

} // namespace hk::ui
