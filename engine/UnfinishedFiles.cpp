#include "UnfinishedFiles.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace carvel::UnfinishedFiles {

namespace {

// Fixed slots rather than a container, so that a signal handler can read them: a slot is
// claimed, filled, and only then marked ready for removeAll.
enum State : int { kFree, kFilling, kReady };
struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};
// One join at a time per program, and a spare or two.
Slot g_slots[4];
static_assert(std::atomic<int>::is_always_lock_free, "read from a signal handler");

} // namespace

void add(const std::string& path) {
    // A path too long for a slot stays unlisted: its file is then left behind, as before.
    if (path.size() >= PATH_MAX)
        return;
    for (Slot& slot : g_slots) {
        int expected = kFree;
        if (slot.state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(slot.path, path.c_str(), path.size() + 1);
            slot.state = kReady;
            return;
        }
    }
}

void remove(const std::string& path) {
    for (Slot& slot : g_slots)
        if (slot.state == kReady && path == slot.path) {
            slot.state = kFree;
            return;
        }
}

void removeAll() noexcept {
    for (Slot& slot : g_slots)
        if (slot.state == kReady)
            ::unlink(slot.path);
}

void catchStopSignals(void (*handler)(int)) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = handler;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(signal, &action, nullptr);
    }
}

void endOnSignal(int signal) noexcept {
    removeAll();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

} // namespace carvel::UnfinishedFiles
