#pragma once

#include <string>

namespace carvel {

// A piece size as carvel-cli takes it: a number, a fraction allowed, "." as the decimal point
// whatever the locale, then an optional unit: none or B for bytes, K or KB for 1,024, M or MB
// for 1,048,576, G or GB for 1,073,741,824, in any letter case. Returns the bytes; throws
// std::runtime_error with a description for a text that is not such a size, std::overflow_error
// for one beyond the floating-point range.
double sizeTextBytes(const std::string& text);

} // namespace carvel
