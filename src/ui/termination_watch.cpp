#include "termination_watch.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace hk::ui {

#ifdef Q_OS_UNIX
namespace {

int sockets[2] = {-1, -1}; // the handler writes to [0], the event loop reads [1]
struct sigaction before[2];
constexpr int kSignals[2] = {SIGTERM, SIGHUP};

// Runs inside the signal: only what is safe there.
extern "C" void SignalArrived(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const auto written = ::write(sockets[0], &byte, 1);
    errno = saved;
}

} // namespace

TerminationWatch::TerminationWatch(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, sockets) != 0) {
        return; // the signals end the program as before
    }
    notifier_ = new QSocketNotifier(sockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationWatch::arrived);
    struct sigaction action {};
    action.sa_handler = SignalArrived;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 2; ++i) {
        ::sigaction(kSignals[i], &action, &before[i]);
    }
}

TerminationWatch::~TerminationWatch() {
    if (!notifier_) {
        return;
    }
    for (int i = 0; i < 2; ++i) {
        ::sigaction(kSignals[i], &before[i], nullptr);
    }
    delete notifier_;
    ::close(sockets[0]);
    ::close(sockets[1]);
    sockets[0] = sockets[1] = -1;
}

void TerminationWatch::arrived() {
    char byte = 0;
    if (::read(sockets[1], &byte, 1) == 1 && onSignal_) {
        onSignal_(static_cast<unsigned char>(byte));
    }
}
#else
TerminationWatch::TerminationWatch(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {}
TerminationWatch::~TerminationWatch() = default;
void TerminationWatch::arrived() {}
#endif

} // namespace hk::ui
