#pragma once

#include "FileSystem.h"

#include <optional>
#include <string>

namespace carvel::UnfinishedSplit {

// A split keeps the file NAME.unfinished in its piece folder from before its first piece until
// every file of the set is on the disk, and removes it last. A folder that holds it is the work
// of a split that was killed, lost its power or failed: its pieces are no whole set, however
// whole they look, and nothing joins or checks them.

// The mark's path in the piece folder of the source named fileName.
std::string markPath(const std::string& folder, const std::string& fileName);
// What the mark says to a user who opens it.
std::string markText(const std::string& fileName);
// Why the set whose pieces are base followed by their numbers may not be joined or checked, or
// nothing when no split left its mark beside them.
std::optional<std::string> refusal(FileSystem& fs, const std::string& base);

} // namespace carvel::UnfinishedSplit
