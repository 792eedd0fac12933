#include "CarvelCli.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return carvel::runCarvelCli(args, std::cout, std::cerr, carvel::fileSystem(),
                                ::isatty(STDERR_FILENO) == 1);
}
