#pragma once

#include "FileSystem.h"
#include "flow/NumberFormat.h"

#include <string>

namespace carvel::SizeText {

// A file's size as the split panel shows it: bytes below 1 KB, kilobytes below 1 MB, megabytes
// above; one decimal at most, rounded to the even neighbour, without grouping, in the locale's
// own digits and decimal point ("1.5 KB", "1,5 KB").
std::string fileSize(FileLength bytes, const NumberFormat& format);

// The piece size typed by the user, read in the locale's way of writing numbers (a sign, a
// fraction and an exponent allowed, blanks around it ignored). Throws std::runtime_error with
// the conversion error's description otherwise: "Type mismatch", or "Overflow" for a number
// beyond the floating-point range.
double readNumber(const std::string& text, const NumberFormat& format);

} // namespace carvel::SizeText
