#include "JoinScriptReader.h"

#include "JoinScript.h"
#include "PieceSet.h"

namespace carvel::JoinScriptReader {

namespace {

// The most pieces a set holds.
constexpr long long kMostPieces = 32766;

// Consumes expected from the front of text when it is there.
bool take(std::string_view& text, const std::string& expected) {
    if (text.substr(0, expected.size()) != expected)
        return false;
    text.remove_prefix(expected.size());
    return true;
}

// The name inside the script's second line, with the doubled "%" made single again.
std::optional<std::string> nameOfTempLine(std::string_view text) {
    const std::string_view head = "@Echo off\r\nDel \"$$";
    const std::string_view end = "$$\" > nul \r\n";
    if (text.substr(0, head.size()) != head)
        return std::nullopt;
    text.remove_prefix(head.size());
    const std::size_t close = text.find(end);
    if (close == std::string_view::npos)
        return std::nullopt;
    const std::string_view quoted = text.substr(0, close);
    std::string name;
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        name += quoted[i];
        if (quoted[i] == '%') {
            if (i + 1 == quoted.size() || quoted[i + 1] != '%')
                return std::nullopt;
            ++i;
        }
    }
    return name;
}

// A script that takes its name from the folder names it by a wildcard in its For line, with a
// "?" for each UTF-16 unit of a character other than a letter, digit, ".", "-" or "_". The name
// given back writes that very script, with a "€" (outside code page 850, one unit) for each "?".
std::optional<std::string> nameOfWildcardLine(std::string_view text) {
    const std::string_view head = "@Echo off\r\nSetlocal\r\nSet \"F=\"\r\nFor %%A in (";
    if (text.substr(0, head.size()) != head)
        return std::nullopt;
    text.remove_prefix(head.size());
    const std::size_t close = text.find(") do Set");
    const std::size_t dot = text.substr(0, close).rfind('.');
    if (close == std::string_view::npos || dot == std::string_view::npos)
        return std::nullopt;
    std::string name;
    for (const char c : text.substr(0, dot))
        name += c == '?' ? std::string("\u20ac") : std::string(1, c);
    return name;
}

std::size_t lineEndsIn(std::string_view text) {
    std::size_t lineEnds = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
         at = text.find("\r\n", at + 2))
        ++lineEnds;
    return lineEnds;
}

} // namespace

std::optional<ScriptSet> parse(std::string_view text) {
    auto fileName = nameOfTempLine(text);
    if (!fileName)
        fileName = nameOfWildcardLine(text);
    if (!fileName || fileName->empty())
        return std::nullopt;
    // Every line but the last ends in CRLF: the lines of the head, of the first piece and of
    // the tail, and one for each further piece.
    const std::size_t fixed =
        lineEndsIn(JoinScript::head(*fileName) + JoinScript::pieceLine(*fileName, 1, 1) +
                   JoinScript::tail(*fileName));
    const long long count =
        static_cast<long long>(lineEndsIn(text)) - static_cast<long long>(fixed) + 1;
    if (count < 1 || count > kMostPieces)
        return std::nullopt;
    // The text must be, line for line, what the split writes for this name and count.
    const int width = PieceSet::numberWidth(count);
    if (!take(text, JoinScript::head(*fileName)))
        return std::nullopt;
    for (long long i = 1; i <= count; ++i)
        if (!take(text, JoinScript::pieceLine(*fileName, i, width)))
            return std::nullopt;
    if (text != JoinScript::tail(*fileName))
        return std::nullopt;
    return ScriptSet{std::move(*fileName), count};
}

} // namespace carvel::JoinScriptReader
