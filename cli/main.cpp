#include "CarvelCli.h"
#include "UnfinishedFiles.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>
#include <iostream>
#include <unistd.h>

#ifdef _WIN32
#include "WideText.h"
#include "WindowsConsole.h"
#endif

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

// The second signal ends the program at once, as the signal itself would, but first removes the
// named temporary file of a join under way (unlink and raise are safe in a signal handler).
extern "C" void onInterrupt(int signal) {
    if (!interrupted.exchange(true))
        return;
    carvel::UnfinishedFiles::endOnSignal(signal);
}

// Ctrl-C, a closed terminal or a kill stop the work at its next step instead of killing the
// program in the middle of a join, which would leave its temporary file behind. A second signal
// ends the program at once. A signal ignored by whoever started the program stays ignored.
void stopOnSignals() {
    carvel::UnfinishedFiles::catchStopSignals(onInterrupt);
}

} // namespace

int main(int argc, char** argv) {
    stopOnSignals();
#ifdef _WIN32
    const carvel::Utf8Console console;
    const std::vector<std::string> args = carvel::wideArguments();
    (void)argc;
    (void)argv;
#else
    const std::vector<std::string> args(argv + 1, argv + argc);
#endif
    int code = carvel::kExitFailed;
    try {
        code = carvel::runCarvelCli(args, std::cout, std::cerr, carvel::fileSystem(),
                                    ::isatty(STDERR_FILENO) == 1, &interrupted);
    } catch (const std::exception& error) {
        // The engine reports its own errors; this is what escapes it, such as memory running out.
        std::cerr << "carvel-cli: " << error.what() << '\n';
    }
    // A result that never reached its reader is no success: a full disk, a closed pipe.
    errno = 0;
    if (!std::cout.flush()) {
        std::cerr << "carvel-cli: cannot write standard output"
                  << (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string())
                  << '\n';
        return code == carvel::kExitDone ? carvel::kExitFailed : code;
    }
    return code;
}
