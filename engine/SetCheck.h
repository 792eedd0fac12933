#pragma once

#include "FileSystem.h"

#include <functional>
#include <string>
#include <vector>

namespace carvel {

// A set checked against its checksum file without joining it.
struct SetCheck {
    bool hasChecksums = false; // false: no checksum file of this set to check against
    std::string checksumPath;
    long long count = 0; // the pieces the checksum file names
    // One line per missing or damaged piece, in number order; empty when the set is whole.
    std::vector<std::string> problems;
    // Every piece matches its line, but together they are not the file of the set's own line.
    bool wrongWhole = false;

    // Told the bytes checked so far and the bytes in all; may throw to give up.
    using Progress = std::function<void(FileLength done, FileLength total)>;
    static SetCheck run(FileSystem& fs, const std::string& pattern, const Progress& progress);
};

} // namespace carvel
