#include "ChecksumFile.h"

namespace carvel::ChecksumFile {

namespace {

constexpr std::size_t kDigestLength = 64;

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A name as written after the digest, its escapes undone; nothing when an escape is unknown.
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

std::optional<Entry> parseLine(std::string_view text) {
    // A CR the name ends with is written escaped, so a bare one is a line end of another system.
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    const bool escaped = !text.empty() && text.front() == '\\';
    if (escaped)
        text.remove_prefix(1);
    if (text.size() < kDigestLength + 3 || text[kDigestLength] != ' ' ||
        (text[kDigestLength + 1] != ' ' && text[kDigestLength + 1] != '*'))
        return std::nullopt;
    Entry entry;
    for (std::size_t i = 0; i < kDigestLength; ++i) {
        const int value = hexValue(text[i]);
        if (value < 0)
            return std::nullopt;
        entry.digest += "0123456789abcdef"[value];
    }
    const std::string_view written = text.substr(kDigestLength + 2);
    if (!escaped) {
        entry.name = written;
        return entry;
    }
    auto name = unescape(written);
    if (!name)
        return std::nullopt;
    entry.name = std::move(*name);
    return entry;
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

std::optional<std::vector<Entry>> parse(std::string_view text) {
    std::vector<Entry> entries;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt; // every line ends in LF; a file cut short is no checksum file
        auto entry = parseLine(text.substr(0, end));
        if (!entry)
            return std::nullopt;
        entries.push_back(std::move(*entry));
        text.remove_prefix(end + 1);
    }
    if (entries.empty())
        return std::nullopt;
    return entries;
}

} // namespace carvel::ChecksumFile
