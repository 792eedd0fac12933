#include "SplitGuards.h"

#include "JoinScript.h"

namespace carvel::SplitGuards {

std::optional<std::string> nameRefusal(FileSystem& fs, const std::string& source) {
    if (JoinScript::canCarry(fs.GetFileName(source)))
        return std::nullopt;
    return "Cannot split file " + source +
           ": its name holds a double quote or a control character, which JoinFiles.bat cannot "
           "carry. Rename the file first.";
}

std::optional<std::string> folderRefusal(FileSystem& fs, const std::string& source,
                                         const std::string& folder) {
    if (!fs.IsWithin(source, folder))
        return std::nullopt;
    return "Cannot split file " + source + ": it lies inside the folder " + folder +
           ", which the split would delete.";
}

std::optional<std::string> lockRefusal(FileSystem& fs, const std::string& source,
                                       std::unique_ptr<FileLock>& lock) {
    lock = fs.LockFile(source);
    if (lock)
        return std::nullopt;
    return "Cannot split file " + source + ": another split of it is under way.";
}

} // namespace carvel::SplitGuards
