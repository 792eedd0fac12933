#pragma once

#include "FileSystem.h"

#include <memory>
#include <optional>
#include <string>

namespace carvel::SplitGuards {

// The refusals that protect a split, run by the split panel's checks and by the split itself.
// Each gives the text that says why the split may not go on, or nothing when it may.

// A source whose name JoinFiles.bat (and every file named after the source) cannot carry.
std::optional<std::string> nameRefusal(FileSystem& fs, const std::string& source);
// A source that lies inside its own piece folder, which the split deletes.
std::optional<std::string> folderRefusal(FileSystem& fs, const std::string& source,
                                         const std::string& folder);
// Locks the source for one split at a time; lock stays empty when another split holds it.
std::optional<std::string> lockRefusal(FileSystem& fs, const std::string& source,
                                       std::unique_ptr<FileLock>& lock);

// Why the set a split of source makes cannot be rejoined or stored on Windows, told after the
// split, which goes on: a character Windows does not allow in a name, a name that ends in a dot
// or a blank or is a device's, a path too long for Windows's tools; nothing when it can be.
std::optional<std::string> windowsWarning(FileSystem& fs, const std::string& source,
                                          long long pieceCount, bool checksums);

} // namespace carvel::SplitGuards
