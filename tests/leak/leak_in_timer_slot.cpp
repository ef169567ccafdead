// A program that leaks on purpose, in a slot that a QTimer calls, as a slot
// of the program's own would. LeakSanitizer must report it with the project's
// suppressions in force: a suppression that matches any stack running
// through Qt would hide every leak of the program's handlers.

#include <QApplication>
#include <QObject>
#include <QTimer>

namespace {

class Leaker : public QObject {
public:
    // Not inlined, so that its name stands in the leak's stack.
    [[gnu::noinline]] void LeakInTimerSlot() {
        lost_ = new int[16]{}; // 64 bytes that nobody frees
        lost_ = nullptr;
        QApplication::quit();
    }

private:
    int* volatile lost_ = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Leaker leaker;
    QTimer::singleShot(0, &leaker, &Leaker::LeakInTimerSlot);
    return QApplication::exec();
}
