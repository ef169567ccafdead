#pragma once
// The title screen Form1 "Titelblatt": the brand, the conversion formula,
// two pictures, and the button "Lesen" that appears after half a second.
// Timer1 shows "Lesen" and starts Timer2; Timer2 leaves the screen
// 2.2 s later for the project data screen.

#include "ui/screen_kit.h"

#include <QTimer>

namespace hk::ui {

// The intervals of the title screen's two timers. The program runs with the
// defaults; tests of other screens shorten them to get past the title screen.
struct TitleTimings {
    int timer1 = 500;  // ms from loading to "Lesen"
    int timer2 = 2200; // ms from the first Timer1 tick to the project data screen
};

// The controls of Form1 that a user can act on.
enum class TitleControl { Lesen };

class Form1 : public Screen, public ControlMap<TitleControl> {
    Q_OBJECT
public:
    // Loading the screen: "Lesen" hidden, Timer1 running, Timer2 stopped.
    explicit Form1(TitleTimings timings = {});

    QTimer& timer1() { return timer1_; }
    QTimer& timer2() { return timer2_; }

    // Unloading the screen stops its timers with it.
    void stopTimers();

signals:
    void titelblattDue(); // Timer2 fired: on to the project data screen
    void lesenClicked();  // on to the operating instructions

private:
    void connectHandlers();
    void Timer1_Timer();
    void Timer2_Timer();

    QTimer timer1_;
    QTimer timer2_;
};

} // namespace hk::ui
