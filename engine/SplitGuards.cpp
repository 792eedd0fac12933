#include "SplitGuards.h"

#include "JoinScript.h"
#include "PieceSet.h"

#include <algorithm>
#include <cctype>

namespace carvel::SplitGuards {

namespace {

// A path of the command interpreter, Explorer and most Windows programs holds at most 259
// characters (MAX_PATH less its end), drive included.
constexpr std::size_t kWindowsLongestPath = 259;

// The characters of a UTF-8 name as Windows counts them, in UTF-16 units.
std::size_t windowsLength(const std::string& name) {
    std::size_t units = 0;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) == 0x80 ? 0 : byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

// Windows opens these names, with or without an extension, as devices rather than files.
bool isDeviceName(std::string stem) {
    stem.erase(stem.find_last_not_of(' ') + 1);
    std::transform(stem.begin(), stem.end(), stem.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    });
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (stem == device)
            return true;
    const std::string prefix = stem.substr(0, 3);
    const std::string rest = stem.size() > 3 ? stem.substr(3) : std::string();
    const bool digit = (rest.size() == 1 && std::isdigit(static_cast<unsigned char>(rest[0]))) ||
                       rest == "\u00b9" || rest == "\u00b2" || rest == "\u00b3";
    return (prefix == "COM" || prefix == "LPT") && digit;
}

} // namespace

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

std::optional<std::string> windowsWarning(FileSystem& fs, const std::string& source,
                                          long long pieceCount, bool checksums) {
    const std::string name = fs.GetFileName(source);
    const std::string opening = "The set of " + name + " cannot be rejoined or stored on Windows: ";
    const std::size_t forbidden = name.find_first_of("\\:*?<>|");
    if (forbidden != std::string::npos)
        return opening + "its name holds \"" + name[forbidden] +
               "\", which Windows does not allow in a name.";
    if (name.back() == '.' || name.back() == ' ')
        return opening + "its name ends in " + (name.back() == '.' ? "a dot" : "a blank") +
               ", which Windows does not allow.";
    if (isDeviceName(name.substr(0, name.find('.'))))
        return opening + name.substr(0, name.find('.')) + " is the name of a device there.";
    // The longest name in the piece folder: the checksum file, else the script's temporary
    // file "$$F$$" or the last piece, whichever is longer.
    const std::size_t length = windowsLength(name);
    const std::size_t longest =
        length + (checksums ? 7 : std::max<std::size_t>(4, 1 + PieceSet::numberWidth(pieceCount)));
    const std::size_t path = 3 + windowsLength("Split Files of ") + length + 1 + longest;
    if (path > kWindowsLongestPath)
        return opening + "even at the top of a drive, its files would have paths of " +
               std::to_string(path) + " characters, and Windows allows " +
               std::to_string(kWindowsLongestPath) + ".";
    return std::nullopt;
}

std::optional<std::string> lockRefusal(FileSystem& fs, const std::string& source,
                                       std::unique_ptr<FileLock>& lock) {
    lock = fs.LockFile(source);
    if (lock)
        return std::nullopt;
    return "Cannot split file " + source + ": another split of it is under way.";
}

} // namespace carvel::SplitGuards
