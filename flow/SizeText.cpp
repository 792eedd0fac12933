#include "flow/SizeText.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <system_error>

namespace carvel::SizeText {

namespace {

std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string localDigits(long long value, const NumberFormat& format) {
    std::string out;
    for (const char c : std::to_string(value))
        out += c >= '0' && c <= '9' ? utf8(format.zeroDigit + static_cast<char32_t>(c - '0'))
                                    : std::string(1, c);
    return out;
}

std::string oneDecimal(double value, const NumberFormat& format) {
    // nearbyint follows the current rounding mode, which is to-nearest-even unless changed.
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const auto tenths = static_cast<long long>(std::nearbyint(value * 10.0));
    std::fesetround(previous);
    std::string text = localDigits(tenths / 10, format);
    if (tenths % 10 != 0)
        text += format.decimalPoint + localDigits(tenths % 10, format);
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool startsWith(const std::string& text, std::size_t at, const std::string& part) {
    return !part.empty() && text.compare(at, part.size(), part) == 0;
}

// The text in the form of the C locale: ASCII digits, "." for the decimal point, "," between
// groups, "-" for a minus; empty when it holds anything else.
std::string plainForm(const std::string& text, const NumberFormat& format) {
    const std::string minus = utf8(U'\u2212');
    const bool groupsWithSpace =
        format.groupSeparator == utf8(U'\u00a0') || format.groupSeparator == utf8(U'\u202f');
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        if (startsWith(text, at, format.decimalPoint)) {
            out += '.';
            at += format.decimalPoint.size();
            continue;
        }
        if (startsWith(text, at, format.groupSeparator)) {
            out += ',';
            at += format.groupSeparator.size();
            continue;
        }
        // Where the locale groups with a space of its own, as French does, a plain one serves.
        if (text[at] == ' ' && groupsWithSpace) {
            out += ',';
            ++at;
            continue;
        }
        if (startsWith(text, at, minus)) {
            out += '-';
            at += minus.size();
            continue;
        }
        bool localDigit = false;
        if (format.zeroDigit != U'0') {
            for (char32_t digit = 0; digit < 10 && !localDigit; ++digit) {
                const std::string spelled = utf8(format.zeroDigit + digit);
                if (startsWith(text, at, spelled)) {
                    out += static_cast<char>('0' + digit);
                    at += spelled.size();
                    localDigit = true;
                }
            }
        }
        if (localDigit)
            continue;
        const char c = text[at];
        if (!(isDigit(c) || c == '+' || c == '-' || c == 'e' || c == 'E'))
            return {};
        out += c;
        ++at;
    }
    return out;
}

[[noreturn]] void typeMismatch() {
    throw std::runtime_error("Type mismatch");
}

} // namespace

std::string fileSize(FileLength bytes, const NumberFormat& format) {
    constexpr FileLength kKilobyte = 1024;
    constexpr FileLength kMegabyte = 1024 * 1024;
    if (bytes < kKilobyte)
        return std::to_string(bytes) + " Bytes";
    if (bytes < kMegabyte)
        return oneDecimal(static_cast<double>(bytes) / kKilobyte, format) + " KB";
    return oneDecimal(static_cast<double>(bytes) / kMegabyte, format) + " MB";
}

double readNumber(const std::string& text, const NumberFormat& format) {
    if (format.read)
        return format.read(text);
    const std::size_t first = text.find_first_not_of(" \t\n\v\f\r");
    if (first == std::string::npos)
        typeMismatch();
    const std::string plain =
        plainForm(text.substr(first, text.find_last_not_of(" \t\n\v\f\r") + 1 - first), format);

    // [sign] digits with optional groups of three [. digits] [e [sign] digits]; the digits
    // before or after the point may be missing, not both.
    std::size_t i = 0;
    const std::size_t n = plain.size();
    bool negative = false;
    if (i < n && (plain[i] == '+' || plain[i] == '-'))
        negative = plain[i++] == '-';
    std::string number;
    std::size_t run = 0;
    bool grouped = false;
    for (; i < n && (isDigit(plain[i]) || plain[i] == ','); ++i) {
        if (plain[i] == ',') {
            // A separator follows one to three digits, or exactly three after another one.
            if (run == 0 || run > 3 || (grouped && run != 3))
                typeMismatch();
            grouped = true;
            run = 0;
            continue;
        }
        number += plain[i];
        ++run;
    }
    if (grouped && run != 3)
        typeMismatch();
    const std::size_t wholeDigits = number.size();
    std::size_t fractionDigits = 0;
    if (i < n && plain[i] == '.') {
        number += plain[i++];
        for (; i < n && isDigit(plain[i]); ++i, ++fractionDigits)
            number += plain[i];
    }
    if (wholeDigits + fractionDigits == 0)
        typeMismatch();
    long long exponent = 0;
    if (i < n && (plain[i] == 'e' || plain[i] == 'E')) {
        const std::size_t start = number.size();
        number += plain[i++];
        if (i < n && (plain[i] == '+' || plain[i] == '-'))
            number += plain[i++];
        const std::size_t digitsAt = number.size();
        for (; i < n && isDigit(plain[i]); ++i)
            number += plain[i];
        if (number.size() == digitsAt)
            typeMismatch();
        const char* digits = number.data() + start + 1;
        if (*digits == '+')
            ++digits; // from_chars takes no plus sign
        (void)std::from_chars(digits, number.data() + number.size(), exponent);
    }
    if (i != n)
        typeMismatch();

    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too large for a double is an overflow; too small to tell from 0 is no number read.
        const std::size_t lead = number.find_first_not_of("0.");
        const bool large =
            lead != std::string::npos &&
            static_cast<long long>(wholeDigits) - static_cast<long long>(lead) + exponent > 0;
        if (large)
            throw std::runtime_error("Overflow");
        typeMismatch();
    }
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        typeMismatch();
    return negative ? -value : value;
}

} // namespace carvel::SizeText
