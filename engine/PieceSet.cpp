#include "PieceSet.h"

#include "PathSeparator.h"

#include <cctype>

namespace carvel::PieceSet {

namespace {

// The "." that separates a piece number from the rest of the path, or npos.
std::size_t lastDot(const std::string& path) {
    return path.rfind('.');
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

int numberWidth(long long pieceCount) {
    return static_cast<int>(std::to_string(pieceCount).size());
}

std::string numberText(long long i, int width) {
    std::string digits = std::to_string(i);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

std::string pieceFolder(FileSystem& fs, const std::string& sourcePath) {
    const std::string parent = fs.GetParentFolderName(sourcePath);
    // A source named without a folder has its set beside it in the current folder; plain
    // concatenation would put it at the root of the file system.
    if (parent.empty())
        return "Split Files of " + fs.GetFileName(sourcePath);
    return parent + kPathSeparator + "Split Files of " + fs.GetFileName(sourcePath);
}

std::string piecePath(const std::string& folder, const std::string& fileName, long long i,
                      int width) {
    return folder + kPathSeparator + fileName + "." + numberText(i, width);
}

std::string piecePattern(const std::string& folder, const std::string& fileName, int width) {
    return folder + kPathSeparator + fileName + "." +
           std::string(static_cast<std::size_t>(width), '?');
}

bool isNumeric(const std::string& text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t digitsStart = i;
    while (i < n && isDigit(text[i]))
        ++i;
    if (i == digitsStart)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        const std::size_t exponentStart = i;
        while (i < n && isDigit(text[i]))
            ++i;
        if (i == exponentStart)
            return false;
    }
    while (i < n && isBlank(text[i]))
        ++i;
    return i == n;
}

std::optional<std::string> patternFromPiece(const std::string& path) {
    const std::size_t dot = lastDot(path);
    // Without any ".", the whole path is the last part, and the "." is added after it.
    const std::string head = dot == std::string::npos ? path : path.substr(0, dot);
    const std::string last = dot == std::string::npos ? path : path.substr(dot + 1);
    if (!isNumeric(last))
        return std::nullopt;
    return head + "." + std::string(last.size(), '?');
}

std::string firstPiecePath(const std::string& pattern) {
    if (pattern.empty())
        return pattern;
    std::string path = pattern;
    std::size_t i = path.size() - 1;
    path[i] = '1';
    while (i > 0 && path[i - 1] == '?') {
        --i;
        path[i] = '0';
    }
    return path;
}

std::optional<std::string> destinationFromChosen(const std::string& name) {
    const std::size_t dot = lastDot(name);
    if (dot == std::string::npos)
        return name;
    if (!isNumeric(name.substr(dot + 1)))
        return name;
    // One "." before a number names a piece of a set made from a file without an extension.
    if (name.find('.') == dot)
        return std::nullopt;
    return name.substr(0, dot);
}

} // namespace carvel::PieceSet
