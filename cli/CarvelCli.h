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
// Results, the help and the version go to out; every message box, and a usage mistake in one
// line with the way to the help, to err. With showProgress, long work draws a progress line on
// err (meant for a terminal). Once interrupted is set, a split or join under way stops on its
// failure path and the run fails.
int runCarvelCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 FileSystem& fs, bool showProgress, const std::atomic<bool>* interrupted = nullptr);

std::string carvelCliUsage();
// The name, the version of the build and the licence, as --version prints them.
std::string carvelCliVersion();

// carvel-cli's command line read, before anything is done with it.
struct CliArguments {
    enum class Action { Run, Help, Version, Mistake } action = Action::Mistake;
    bool force = false;
    bool checksums = true;
    // With Run, the command (split, join or verify) and its operands.
    std::vector<std::string> words;
    // With Mistake, the usage mistake in a few words.
    std::string mistake;
};
CliArguments parseCarvelCliArguments(const std::vector<std::string>& args);

} // namespace carvel
