#include "PieceListing.h"

#include "ChecksumFile.h"
#include "JoinScript.h"
#include "JoinScriptReader.h"
#include "PathSeparator.h"
#include "PieceSet.h"

#include <algorithm>
#include <map>
#include <optional>
#include <stdexcept>

namespace carvel {

namespace {

// The checksum file of the largest set (32,766 pieces, names of up to 255 bytes written with
// escapes) stays below 25 MiB; anything longer is no file of a set, and is not read into memory.
constexpr FileLength kLongestSetFile = 64 * 1024 * 1024;
// Numbers past the last a set can have are told apart from pieces without being counted.
constexpr long long kBeyondAnySet = 32768;

// The number of a piece's name: the prefix, then one or more digits; -1 for any other name.
// Numbers too long to be a piece's count as kBeyondAnySet.
long long numberOf(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    long long number = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return -1;
        number = std::min(number * 10 + (name[i] - '0'), kBeyondAnySet);
    }
    return number;
}

char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The spelling of prefix that the listed pieces use, for a piece chosen in another letter case
// on a file system that ignores case; prefix itself when any piece has it, or none differs.
std::string spellingOf(const std::vector<std::string>& names, const std::string& prefix) {
    std::string other;
    for (const std::string& name : names) {
        if (numberOf(name, prefix) >= 0)
            return prefix;
        if (name.size() <= prefix.size())
            continue;
        std::string head = name.substr(0, prefix.size());
        if (!std::equal(head.begin(), head.end(), prefix.begin(),
                        [](char a, char b) { return lowered(a) == lowered(b); }) ||
            numberOf(name, head) < 0)
            continue;
        if (!other.empty() && other != head)
            return prefix; // two spellings: neither is the set
        other = head;
    }
    return other.empty() ? prefix : other;
}

std::optional<std::string> readSetFile(FileSystem& fs, const std::string& path) {
    if (fs.IsLink(path))
        throw FileSystemError(linkRefusalText(path));
    if (!fs.FileExists(path))
        return std::nullopt;
    if (fs.FileLen(path) > kLongestSetFile)
        throw FileSystemError("Cannot use the file " + path +
                              ": it is too long for a file of a set");
    auto stream = fs.OpenReceivedFile(path);
    std::string text = stream->Read(fs.FileLen(path));
    stream->Close();
    return text;
}

[[noreturn]] void unusable(const std::string& path, const std::string& why) {
    throw FileSystemError("Cannot use the checksum file " + path + ": " + why +
                          ". Move it away to join the set without it.");
}

// The pieces a checksum file names, by number, with their names and checksums.
struct Named {
    std::string name;
    std::string digest;
};

std::map<long long, Named> piecesNamed(const std::string& text, const std::string& path,
                                       const std::string& prefix, const std::string& fileName,
                                       std::string& wholeDigest) {
    std::string problem;
    const auto entries = ChecksumFile::parse(text, &problem);
    if (!entries)
        unusable(path, problem);
    std::map<long long, Named> pieces;
    for (const auto& entry : *entries) {
        if (entry.name == fileName) {
            wholeDigest = entry.digest;
            continue;
        }
        const long long number = numberOf(entry.name, prefix);
        if (number < 0 || number >= kBeyondAnySet)
            unusable(path,
                     "it names " + entry.name + ", which is no piece of the set of " + fileName);
        if (!pieces.emplace(number, Named{entry.name, entry.digest}).second)
            unusable(path, "it names piece " + std::to_string(number) + " twice");
    }
    if (pieces.empty())
        unusable(path, "it names no piece of the set of " + fileName);
    const long long first = pieces.begin()->first;
    if (first > 1)
        unusable(path, "it has no checksum for piece 1");
    long long expect = first;
    for (const auto& [number, named] : pieces) {
        if (number != expect)
            unusable(path, "it has no checksum for piece " + std::to_string(expect));
        ++expect;
    }
    return pieces;
}

} // namespace

std::string PieceListing::pathOf(long long i) const {
    const std::size_t slash = base.find_last_of(kPathSeparators);
    return base.substr(0, slash == std::string::npos ? 0 : slash + 1) + nameOf(i);
}

std::string PieceListing::nameOf(long long i) const {
    return names.at(static_cast<std::size_t>(i - 1));
}

bool PieceListing::foundAny() const {
    return std::find(present.begin(), present.end(), true) != present.end();
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
    const std::string inFolder = slash == std::string::npos ? "" : set.base.substr(0, slash + 1);
    std::string prefix = set.base.substr(slash == std::string::npos ? 0 : slash + 1);
    if (!fs.FolderExists(folder) || set.width == 0) {
        set.missing = 1;
        return set;
    }
    const std::vector<std::string> listed = fs.ListFiles(folder);
    // Taken only where the file system finds a piece under both spellings, as one that ignores
    // case does.
    if (const std::string other = spellingOf(listed, prefix); other != prefix) {
        const auto piece = std::find_if(listed.begin(), listed.end(), [&](const std::string& name) {
            return numberOf(name, other) >= 0;
        });
        if (fs.SameFile(inFolder + prefix + piece->substr(other.size()), inFolder + *piece))
            prefix = other;
    }
    set.base = inFolder + prefix;
    // The set as its messages name it: the file it rebuilds, where its pieces end in ".".
    const std::string setName =
        inFolder +
        (prefix.size() > 1 && prefix.back() == '.' ? prefix.substr(0, prefix.size() - 1) : prefix);
    std::map<long long, std::string> found;
    for (const std::string& name : listed) {
        const long long number = numberOf(name, prefix);
        if (number < 0)
            continue;
        const auto [at, added] = found.emplace(number, name);
        if (!added)
            throw FileSystemError(
                "Cannot join the set of " + setName + ": " + std::min(at->second, name) + " and " +
                std::max(at->second, name) + " are both its piece " + std::to_string(number));
    }

    // What the set's own files say it holds; only a set whose pieces end in "." has them.
    std::map<long long, Named> named;
    if (prefix.size() > 1 && prefix.back() == '.') {
        set.fileName = prefix.substr(0, prefix.size() - 1);
        set.checksumPath = inFolder + set.fileName + ".sha256";
        if (const auto text = readSetFile(fs, set.checksumPath))
            named = piecesNamed(*text, set.checksumPath, prefix, set.fileName, set.wholeDigest);
        else if (const auto script = readSetFile(fs, inFolder + "JoinFiles.bat")) {
            // A script that does not parse, or names another set, says nothing of this one.
            const auto parsed = JoinScriptReader::parse(*script);
            if (parsed && JoinScript::sameScript(parsed->fileName, set.fileName) &&
                parsed->count < kBeyondAnySet)
                for (long long i = 1; i <= parsed->count; ++i)
                    named[i] = {
                        prefix + PieceSet::numberText(i, PieceSet::numberWidth(parsed->count)), {}};
        }
    }
    if (!named.empty()) {
        for (const auto& [number, name] : found) {
            const auto piece = named.find(number);
            if (piece == named.end() || piece->second.name != name)
                throw FileSystemError("Cannot join the set of " + setName + ": " + name +
                                      " lies beside its pieces but is none of them");
        }
    } else if (!found.empty()) {
        if (found.rbegin()->first >= kBeyondAnySet)
            throw FileSystemError("Cannot join the set of " + setName + ": " +
                                  found.rbegin()->second +
                                  " is numbered past the last piece a set can have");
        for (long long i = std::min(found.begin()->first, 1LL); i <= found.rbegin()->first; ++i)
            named[i] = {prefix + PieceSet::numberText(i, set.width), {}};
    }

    if (!named.empty())
        set.first = named.begin()->first;
    for (const auto& [number, piece] : named) {
        const bool there = found.count(number) != 0;
        set.names.push_back(there ? found[number] : piece.name);
        set.present.push_back(there);
        if (!piece.digest.empty())
            set.digests.push_back(piece.digest);
        if (!there && set.missing == 0)
            set.missing = static_cast<long long>(set.names.size());
    }
    set.count = static_cast<long long>(set.names.size());
    if (set.count == 0)
        set.missing = 1;
    return set;
}

std::string missingPieceText(const std::string& name) {
    return "Piece " + name + " of the set is missing.";
}

std::string damagedPieceText(const std::string& name) {
    return "Piece " + name + " is damaged (its checksum does not match).";
}

std::string wrongWholeText(const std::string& checksumPath) {
    return "The pieces do not make the file that " + checksumPath + " gives the checksum of.";
}

} // namespace carvel
