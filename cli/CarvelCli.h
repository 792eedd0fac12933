#pragma once

#include "FileSystem.h"

#include <atomic>
#include <ostream>
#include <string>
#include <vector>

namespace carvel {

// Exit codes of carvel-cli.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// carvel-cli without its process: args are the command-line arguments after the program name.
// Results go to out, every message box and the usage after a mistake to err. With showProgress,
// long work draws a progress line on err (meant for a terminal). Once interrupted is set, a split
// or join under way stops on its failure path and the run fails.
int runCarvelCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 FileSystem& fs, bool showProgress, const std::atomic<bool>* interrupted = nullptr);

std::string carvelCliUsage();

// carvel-cli's command line read, before anything is done with it.
struct CliArguments {
    enum class Action { Run, Help, UnknownOption, Usage } action = Action::Usage;
    bool force = false;
    std::vector<std::string> words; // the command and its two operands when the action is Run
    std::string unknownOption;
};
CliArguments parseCarvelCliArguments(const std::vector<std::string>& args);

} // namespace carvel
