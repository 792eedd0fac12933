#include "PieceListing.h"

#include "ChecksumFile.h"
#include "JoinScript.h"
#include "JoinScriptReader.h"
#include "PathSeparator.h"
#include "PieceSet.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace carvel {

namespace {

// Checksum files and scripts of the largest sets stay well below this; anything longer is no
// file of a set, and is not read into memory.
constexpr FileLength kLongestSetFile = 16 * 1024 * 1024;

// The number of a piece's name: the prefix, then exactly width digits; 0 for any other name.
long long numberOf(const std::string& name, const std::string& prefix, int width) {
    if (width <= 0 || name.size() != prefix.size() + static_cast<std::size_t>(width) ||
        name.compare(0, prefix.size(), prefix) != 0)
        return 0;
    long long number = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

std::optional<std::string> readSetFile(FileSystem& fs, const std::string& path) {
    if (fs.IsLink(path))
        throw FileSystemError(linkRefusalText(path));
    if (!fs.FileExists(path) || fs.FileLen(path) > kLongestSetFile)
        return std::nullopt;
    auto stream = fs.OpenReceivedFile(path);
    std::string text = stream->Read(fs.FileLen(path));
    stream->Close();
    return text;
}

} // namespace

std::string PieceListing::pathOf(long long i) const {
    return base + PieceSet::numberText(i, width);
}

std::string PieceListing::nameOf(long long i) const {
    const std::size_t slash = base.find_last_of(kPathSeparators);
    return base.substr(slash == std::string::npos ? 0 : slash + 1) + PieceSet::numberText(i, width);
}

PieceListing PieceListing::take(FileSystem& fs, const std::string& pattern) {
    PieceListing set;
    const std::size_t baseLength = pattern.find_last_not_of('?') + 1;
    if (baseLength == 0)
        throw std::invalid_argument("Invalid piece pattern \"" + pattern +
                                    "\": no file name before the question marks");
    set.base = pattern.substr(0, baseLength);
    set.width = static_cast<int>(pattern.size() - baseLength);

    const std::size_t slash = set.base.find_last_of(kPathSeparators);
    // A root ("/", or "C:\" on Windows) keeps its separator.
    const bool root = slash == 0 || (slash != std::string::npos && set.base[slash - 1] == ':');
    const std::string folder = slash == std::string::npos ? "."
                               : root                     ? set.base.substr(0, slash + 1)
                                                          : set.base.substr(0, slash);
    const std::string prefix = set.base.substr(slash == std::string::npos ? 0 : slash + 1);
    if (!fs.FolderExists(folder)) {
        set.missing = 1;
        return set;
    }
    std::vector<long long>& found = set.found;
    for (const std::string& name : fs.ListFiles(folder))
        if (const long long number = numberOf(name, prefix, set.width); number > 0)
            found.push_back(number);
    std::sort(found.begin(), found.end());

    // What the set's own files say its count is; only a set whose pieces end in "." has them.
    long long known = 0;
    if (prefix.size() > 1 && prefix.back() == '.') {
        set.fileName = prefix.substr(0, prefix.size() - 1);
        const std::string inFolder =
            slash == std::string::npos ? "" : set.base.substr(0, slash + 1);
        set.checksumPath = inFolder + set.fileName + ".sha256";
        if (const auto text = readSetFile(fs, set.checksumPath)) {
            const auto entries = ChecksumFile::parse(*text);
            const long long pieces = entries ? static_cast<long long>(entries->size()) - 1 : 0;
            bool ours = pieces >= 1 && PieceSet::numberWidth(pieces) == set.width &&
                        entries->back().name == set.fileName;
            for (long long i = 1; ours && i <= pieces; ++i)
                ours = (*entries)[static_cast<std::size_t>(i - 1)].name ==
                       prefix + PieceSet::numberText(i, set.width);
            if (ours) {
                known = pieces;
                for (long long i = 0; i < pieces; ++i)
                    set.digests.push_back((*entries)[static_cast<std::size_t>(i)].digest);
            }
        }
        if (known == 0) {
            if (const auto text = readSetFile(fs, inFolder + "JoinFiles.bat")) {
                const auto script = JoinScriptReader::parse(*text);
                if (script && JoinScript::sameScript(script->fileName, set.fileName) &&
                    PieceSet::numberWidth(script->count) == set.width)
                    known = script->count;
            }
        }
    }

    set.count = known > 0 ? known : (found.empty() ? 0 : found.back());
    long long expect = 1;
    for (const long long number : found) {
        if (number > expect || expect > set.count)
            break;
        if (number == expect)
            ++expect;
    }
    if (expect <= set.count || set.count == 0)
        set.missing = expect;
    return set;
}

std::string missingPieceText(const std::string& name) {
    return "Piece " + name + " of the set is missing.";
}

std::string damagedPieceText(const std::string& name) {
    return "Piece " + name + " is damaged (its checksum does not match).";
}

} // namespace carvel
