#pragma once

#include <string>

namespace carvel::UnfinishedFiles {

// The named files that work under way has not finished, such as a join's temporary file where
// the file system offers no unnamed one. A program that a signal ends at once removes them
// first, so that nothing hidden is left beside the destination.
void add(const std::string& path);
void remove(const std::string& path);
// Deletes every file still listed. Safe to call from a signal handler.
void removeAll() noexcept;

// The signals that ask work to stop (SIGINT, SIGTERM, SIGHUP) go to handler, but for those that
// whoever started the program ignores, which stay ignored.
void catchStopSignals(void (*handler)(int));
// For a signal handler: ends the program at once, as the signal itself would, but first removes
// every file still listed.
void endOnSignal(int signal) noexcept;

} // namespace carvel::UnfinishedFiles
