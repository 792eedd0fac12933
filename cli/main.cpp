#include "CarvelCli.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int code = carvel::runCarvelCli(args, std::cout, std::cerr, carvel::fileSystem(),
                                          ::isatty(STDERR_FILENO) == 1);
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
