#pragma once
// Walks a harness's program to a screen the way a user would.

#include "support/gui_fixture.h"

#include "ui/calculation_screen.h"
#include "ui/instructions_screen.h"
#include "ui/project_screen.h"
#include "ui/title_screen.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace hk::ui::test {

template <class T> T* Child(QWidget* screen, const char* name) {
    return screen ? screen->findChild<T*>(QString::fromUtf8(name)) : nullptr;
}

// Start, "Lesen" as soon as it shows, then "Weiter" on the instructions.
inline bool WalkToForm2(Harness& h) {
    h.shell.Start();
    QPushButton* lesen = h.shell.form1()->control<QPushButton>(TitleControl::Lesen);
    if (!QTest::qWaitFor([&] { return !lesen->isHidden(); }, 2000)) {
        return false;
    }
    QTest::mouseClick(lesen, Qt::LeftButton);
    if (!h.shell.anzeigeLesen()) {
        return false;
    }
    QTest::mouseClick(h.shell.anzeigeLesen()->control(InstructionsControl::cdmWeiter),
                      Qt::LeftButton);
    return h.shell.form2() && h.shell.form2()->isVisible() &&
           QTest::qWaitForWindowExposed(h.shell.form2());
}

// On to the calculation screen with a project number.
inline bool WalkToForm3(Harness& h) {
    if (!WalkToForm2(h)) {
        return false;
    }
    h.shell.form2()->control<QLineEdit>(PersDat(1))->setText(QStringLiteral("P-1"));
    QTest::mouseClick(h.shell.form2()->control(HeaderControl::cmdWeiter), Qt::LeftButton);
    Form3* f3 = h.shell.form3();
    return f3 && f3->isVisible() && QTest::qWaitForWindowActive(f3);
}

// Runs a menu item of screen by its name.
inline void Trigger(QWidget* screen, const char* item) {
    auto* action = screen->findChild<QAction*>(QString::fromUtf8(item));
    QVERIFY(action);
    action->trigger();
}

// Clicks a row of the type list with the mouse.
inline void ClickRow(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

// One radiator, 70/40/20 with 1000, calculated on the calculation screen.
inline void CalculateOne(Form3* f, const QString& raumNr, const QString& raumVer) {
    const std::pair<CalcControl, QString> inputs[] = {
        {CalcControl::txtdVorl, "70"},    {CalcControl::txtdRueckl, "40"},
        {CalcControl::txtRaumNr, raumNr}, {CalcControl::txtRaumVer, raumVer},
        {CalcControl::txtdRaum, "20"},    {CalcControl::txtQRaum, "1000"},
    };
    for (const auto& [control, text] : inputs) {
        auto* box = qobject_cast<QLineEdit*>(f->control(control));
        box->setFocus();
        box->clear();
        TypeText(box, text);
    }
    ClickRow(qobject_cast<QListWidget*>(f->control(CalcControl::Expon)), 2);
    QTest::mouseClick(f->control(CalcControl::cmdErgebnis), Qt::LeftButton);
}

// On to the calculation screen and one radiator calculated there: room 1,
// "Flur".
inline bool WalkToOneRadiator(Harness& h) {
    if (!WalkToForm3(h)) {
        return false;
    }
    CalculateOne(h.shell.form3(), "1", "Flur");
    return true;
}

// A project of two radiators saved to path by a run of its own; the state
// of that run.
inline ProgramState SaveTwoRadiators(const QString& path) {
    Harness h;
    if (!WalkToForm2(h)) {
        return {};
    }
    h.shell.form2()->control<QLineEdit>(PersDat(1))->setText(QStringLiteral("P-2"));
    h.shell.form2()->control<QLineEdit>(PersDat(2))->setText(QStringLiteral("Kurz, \"Hans\""));
    QTest::mouseClick(h.shell.form2()->control(HeaderControl::cmdWeiter), Qt::LeftButton);
    Form3* f = h.shell.form3();
    if (!f || !QTest::qWaitForWindowActive(f)) {
        return {};
    }
    CalculateOne(f, "1", "Küche");
    QTest::mouseClick(f->control(CalcControl::cmdNächster), Qt::LeftButton);
    CalculateOne(f, "2", "Bad, oben");
    if (!h.messages.shown.empty()) {
        return {}; // a radiator was refused
    }
    h.dialogs.answers = {path.toStdString()};
    QTest::keyClick(f, Qt::Key_S, Qt::ControlModifier);
    return h.state;
}

} // namespace hk::ui::test
