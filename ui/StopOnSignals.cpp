#include "StopOnSignals.h"

#include "UnfinishedFiles.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace carvel {

namespace {

// The handler only writes a byte into a pipe, which is safe in a signal handler; the window's
// thread reads it with the other events.
int signalPipe[2] = {-1, -1};

std::atomic<bool> signalled{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

// A second signal ends the program at once, as the signal itself would, but first removes the
// named temporary file of a join under way (unlink and raise are safe in a signal handler).
extern "C" void onStopSignal(int signal) {
    if (signalled.exchange(true)) {
        UnfinishedFiles::endOnSignal(signal);
        return;
    }
    const int saved = errno;
    const char byte = 1;
    (void)!::write(signalPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

StopOnSignals::StopOnSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal)) {
    signalled = false;
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        if (m_onSignal)
            m_onSignal();
    });
    UnfinishedFiles::catchStopSignals(onStopSignal);
}

StopOnSignals::~StopOnSignals() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == onStopSignal)
            ::signal(signal, SIG_DFL);
    }
    delete m_notifier;
    for (int& end : signalPipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

} // namespace carvel
