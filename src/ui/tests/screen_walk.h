#pragma once
// Walks a harness's program to a screen the way a user would.

#include "gui_fixture.h"

#include "ui/calculation_screen.h"
#include "ui/instructions_screen.h"
#include "ui/project_screen.h"
#include "ui/title_screen.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace hk::ui::test {

template <class T> T* Child(QWidget* screen, const char* name) {
    return screen ? screen->findChild<T*>(QString::fromUtf8(name)) : nullptr;
}

// Start, "Lesen" as soon as it shows, then "Weiter" on the instructions.
inline bool WalkToForm2(Harness& h) {
    h.shell.Start();
    QPushButton* lesen = h.shell.form1()->lesen();
    if (!QTest::qWaitFor([&] { return !lesen->isHidden(); }, 2000)) {
        return false;
    }
    QTest::mouseClick(lesen, Qt::LeftButton);
    if (!h.shell.anzeigeLesen()) {
        return false;
    }
    QTest::mouseClick(h.shell.anzeigeLesen()->weiter(), Qt::LeftButton);
    return h.shell.form2() && h.shell.form2()->isVisible() &&
           QTest::qWaitForWindowExposed(h.shell.form2());
}

// On to the calculation screen with a project number.
inline bool WalkToForm3(Harness& h) {
    if (!WalkToForm2(h)) {
        return false;
    }
    h.shell.form2()->field(1)->setText(QStringLiteral("P-1"));
    QTest::mouseClick(h.shell.form2()->weiter(), Qt::LeftButton);
    Form3* f3 = h.shell.form3();
    return f3 && f3->isVisible() && QTest::qWaitForWindowActive(f3);
}

} // namespace hk::ui::test
