#include "ChecksumFile.h"

namespace carvel::ChecksumFile {

namespace {

constexpr std::size_t kDigestLength = 64;
constexpr std::string_view kTag = "SHA256 (";
constexpr std::string_view kTagEnd = ") = ";

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The 64 hex digits at the start of text in lower case, or nothing.
std::optional<std::string> digestAt(std::string_view text) {
    if (text.size() < kDigestLength)
        return std::nullopt;
    std::string digest;
    for (std::size_t i = 0; i < kDigestLength; ++i) {
        const int value = hexValue(text[i]);
        if (value < 0)
            return std::nullopt;
        digest += "0123456789abcdef"[value];
    }
    return digest;
}

// A name as written, its escapes undone; nothing when an escape is unknown.
std::optional<std::string> unescape(std::string_view written) {
    std::string name;
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] != '\\') {
            name += written[i];
            continue;
        }
        if (++i == written.size())
            return std::nullopt;
        switch (written[i]) {
        case '\\':
            name += '\\';
            break;
        case 'n':
            name += '\n';
            break;
        case 'r':
            name += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return name;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// What a line holds: an entry, nothing to check (a comment or a blank line), or neither.
enum class Kind { Entry, Nothing, Unreadable };

Kind parseLine(std::string_view text, Entry& entry) {
    // A CR the name ends with is written escaped, so a bare one is a line end of another system.
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    if (text.empty() || text.front() == '#')
        return Kind::Nothing;
    const bool escaped = text.front() == '\\';
    if (escaped)
        text.remove_prefix(1);

    std::string_view written;
    if (text.substr(0, kTag.size()) == kTag) {
        // SHA256 (name) = digest: the digest is the line's last 64 characters.
        if (text.size() < kTag.size() + kTagEnd.size() + kDigestLength)
            return Kind::Unreadable;
        const std::size_t end = text.size() - kDigestLength - kTagEnd.size();
        auto digest = digestAt(text.substr(end + kTagEnd.size()));
        if (!digest || text.substr(end, kTagEnd.size()) != kTagEnd)
            return Kind::Unreadable;
        entry.digest = std::move(*digest);
        written = text.substr(kTag.size(), end - kTag.size());
    } else {
        // digest, a blank, then a blank (text), "*" (binary) or the name itself.
        auto digest = digestAt(text);
        if (!digest || text.size() < kDigestLength + 2 || text[kDigestLength] != ' ')
            return Kind::Unreadable;
        entry.digest = std::move(*digest);
        written = text.substr(kDigestLength + 1);
        if (written.front() == ' ' || written.front() == '*')
            written.remove_prefix(1);
    }
    if (escaped) {
        auto name = unescape(written);
        if (!name)
            return Kind::Unreadable;
        entry.name = std::move(*name);
    } else {
        entry.name = written;
    }
    // "./F.1" names the file F.1 beside the checksum file, as sha256sum reads it.
    while (entry.name.size() > 2 && entry.name.compare(0, 2, "./") == 0)
        entry.name.erase(0, 2);
    return entry.name.empty() || entry.name == "." || entry.name == "./" ? Kind::Unreadable
                                                                         : Kind::Entry;
}

} // namespace

std::string line(const std::string& digest, const std::string& name) {
    std::string written;
    bool escaped = false;
    for (char c : name) {
        switch (c) {
        case '\\':
            written += "\\\\";
            escaped = true;
            break;
        case '\n':
            written += "\\n";
            escaped = true;
            break;
        case '\r':
            written += "\\r";
            escaped = true;
            break;
        default:
            written += c;
        }
    }
    return (escaped ? "\\" : "") + digest + "  " + written + "\n";
}

std::optional<std::vector<Entry>> parse(std::string_view text, std::string* problem) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    std::vector<Entry> entries;
    for (long long number = 1; !text.empty(); ++number) {
        const std::size_t end = text.find('\n');
        Entry entry;
        switch (parseLine(text.substr(0, end), entry)) {
        case Kind::Entry:
            entries.push_back(std::move(entry));
            break;
        case Kind::Nothing:
            break;
        case Kind::Unreadable:
            if (problem)
                *problem = "line " + std::to_string(number) + " is not a SHA-256 checksum line";
            return std::nullopt;
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    if (entries.empty()) {
        if (problem)
            *problem = "it holds no checksum";
        return std::nullopt;
    }
    return entries;
}

} // namespace carvel::ChecksumFile
