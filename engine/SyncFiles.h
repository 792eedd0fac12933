#pragma once

#include "FileSystem.h"

#include <functional>
#include <string>
#include <vector>

namespace carvel {

// Waits until every file of paths is on the disk (FileSystem::SyncFile of each), several at a
// time: a disk with a cache of its own then empties it once for many files rather than once
// per file. tick is called on the caller's thread between files and may throw to give up; the
// first failure of a sync is thrown once all have stopped. Where no thread can be started, the
// files are synced one after another.
void syncFiles(FileSystem& fs, const std::vector<std::string>& paths,
               const std::function<void()>& tick);

} // namespace carvel
