#pragma once

#include <string>

namespace carvel {

// The folder the running program was started from, as Windows reports it (GetModuleFileNameW),
// in UTF-8 and without a trailing backslash, so that a name is appended with one: "C:" for a
// program at a drive's root.
std::string programFolder();

} // namespace carvel
