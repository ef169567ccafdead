#pragma once
// SIGTERM and SIGHUP (a logout, a shutdown, `kill`) would end the program at
// once. While a watch lives, they are taken into the event loop instead: the
// handler only writes a byte to a socket, and what must happen before the
// program ends (writing the copy of unsaved work) runs there, where it may
// allocate and write files. One watch at a time; nothing on systems without
// these signals.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace hk::ui {

class TerminationWatch : public QObject {
    Q_OBJECT
public:
    // onSignal gets the signal's number, in the event loop.
    explicit TerminationWatch(std::function<void(int)> onSignal, QObject* parent = nullptr);
    // Puts back the handlers there were before.
    ~TerminationWatch() override;

private:
    void arrived();

    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace hk::ui
