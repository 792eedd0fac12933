#include "SizeText.h"

#include <cctype>
#include <charconv>
#include <stdexcept>
#include <system_error>

namespace carvel {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

double unitOf(std::string unit) {
    for (char& c : unit)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (unit.empty() || unit == "B")
        return 1.0;
    if (unit == "K" || unit == "KB")
        return 1024.0;
    if (unit == "M" || unit == "MB")
        return 1024.0 * 1024.0;
    if (unit == "G" || unit == "GB")
        return 1024.0 * 1024.0 * 1024.0;
    return 0.0;
}

} // namespace

double sizeTextBytes(const std::string& text) {
    const auto notASize = [&] {
        return std::runtime_error("Type mismatch: \"" + text + "\" is not a size");
    };
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t numberStart = i;
    std::size_t digits = 0;
    for (; i < n && isDigit(text[i]); ++i)
        ++digits;
    if (i < n && text[i] == '.')
        for (++i; i < n && isDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        throw notASize();
    if (i < n && (text[i] == 'e' || text[i] == 'E') && i + 1 < n &&
        (isDigit(text[i + 1]) ||
         ((text[i + 1] == '+' || text[i + 1] == '-') && i + 2 < n && isDigit(text[i + 2])))) {
        i += 2;
        while (i < n && isDigit(text[i]))
            ++i;
    }
    const std::size_t numberEnd = i;
    while (i < n && text[i] == ' ')
        ++i;
    std::size_t unitEnd = text.find_last_not_of(' ');
    const std::string unit = i <= unitEnd && unitEnd != std::string::npos
                                 ? text.substr(i, unitEnd + 1 - i)
                                 : std::string();
    const double factor = unitOf(unit);
    if (factor == 0.0)
        throw notASize();

    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data() + numberStart, text.data() + numberEnd, value);
    if (error == std::errc::result_out_of_range)
        throw std::overflow_error("Overflow");
    if (error != std::errc() || end != text.data() + numberEnd)
        throw notASize();
    return (negative ? -value : value) * factor;
}

} // namespace carvel
