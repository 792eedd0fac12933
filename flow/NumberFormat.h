#pragma once

#include <functional>
#include <string>

namespace carvel {

// How the user's locale writes numbers, as the front end reads it from the system: the size
// shown beside the source and the piece size typed are in this form.
struct NumberFormat {
    std::string decimalPoint = ".";
    // Accepted between groups of three digits when a number is read; never written.
    std::string groupSeparator = ",";
    // The locale's digit zero; the other nine follow it in Unicode.
    char32_t zeroDigit = U'0';
    // The front end's own reading of a typed number, where its platform reads numbers in the
    // locale's way (grouping, blanks and exponents as the locale has them); the reading of
    // the fields above otherwise. Throws as SizeText::readNumber does.
    std::function<double(const std::string& text)> read;
};

} // namespace carvel
