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

} // namespace carvel::SplitGuards
