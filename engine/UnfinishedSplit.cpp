#include "UnfinishedSplit.h"

#include "PathSeparator.h"

namespace carvel::UnfinishedSplit {

namespace {

constexpr const char* kSuffix = "unfinished";

} // namespace

std::string markPath(const std::string& folder, const std::string& fileName) {
    return folder + kPathSeparator + fileName + "." + kSuffix;
}

std::string markText(const std::string& fileName) {
    // CRLF, so that the Windows editors show it as lines too.
    return "The split of " + fileName +
           " into this folder did not finish: the pieces here are not a whole set.\r\n"
           "Split " +
           fileName + " again.\r\n";
}

std::optional<std::string> refusal(FileSystem& fs, const std::string& base) {
    // The split's pieces are NAME.1, NAME.2, ...: only a set named so can carry the mark.
    const std::size_t slash = base.find_last_of(kPathSeparators);
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (base.size() < nameStart + 2 || base.back() != '.')
        return std::nullopt;
    const std::string mark = base + kSuffix;
    if (!fs.FileExists(mark))
        return std::nullopt;
    const std::string fileName = base.substr(nameStart, base.size() - nameStart - 1);
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : base.substr(0, slash);
    return "The split of " + fileName + " into " + folder +
           " did not finish, so its pieces are not a whole set (" + mark + " marks it).";
}

} // namespace carvel::UnfinishedSplit
