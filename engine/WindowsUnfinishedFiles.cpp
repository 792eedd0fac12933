#include "UnfinishedFiles.h"

#include <atomic>
#include <csignal>

#include <windows.h>

namespace carvel::UnfinishedFiles {

// On Windows the join's hidden file is marked to be deleted when its handle closes, which the
// system does for a program that ends in any way; so there is nothing to list or remove here.
void add(const std::string&) {}
void remove(const std::string&) {}
void removeAll() noexcept {}

namespace {

std::atomic<void (*)(int)> g_handler{nullptr};

// Windows calls this on a thread of its own. Ctrl-C and Ctrl-Break come as SIGINT; closing the
// console window, logging off and shutting down as SIGTERM, after which Windows ends the
// program once this returns, so it waits here while the work stops on the main thread (the
// system ends it after a few seconds anyway).
BOOL WINAPI onConsoleEvent(DWORD event) {
    const auto handler = g_handler.load();
    if (handler == nullptr)
        return FALSE;
    const bool closing = event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT;
    handler(closing ? SIGTERM : SIGINT);
    if (closing)
        ::Sleep(INFINITE);
    return TRUE;
}

} // namespace

void catchStopSignals(void (*handler)(int)) {
    g_handler = handler;
    ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

void endOnSignal(int signal) noexcept {
    removeAll();
    // The status a program ended by Ctrl-C has on Windows.
    ::ExitProcess(signal == SIGINT ? 0xC000013A : 128u + static_cast<unsigned>(signal));
}

} // namespace carvel::UnfinishedFiles
