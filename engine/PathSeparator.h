#pragma once

namespace carvel {

// The separator of the names the engine forms, and the ones it accepts in names it is given:
// on Windows both the backslash and the slash separate folders.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr const char* kPathSeparators = "\\/";
#else
inline constexpr char kPathSeparator = '/';
inline constexpr const char* kPathSeparators = "/";
#endif

} // namespace carvel
