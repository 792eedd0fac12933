#pragma once

#include "FileSystem.h"

#include <QLocale>
#include <QString>
#include <string>

namespace carvel::SizeText {

// A file's size as the split panel shows it: bytes below 1 KB, kilobytes below 1 MB, megabytes
// above; one decimal at most, rounded to the even neighbour, in the locale's own digits.
QString fileSize(FileLength bytes, const QLocale& locale = QLocale::system());

// The piece size typed by the user, read in the locale's way of writing numbers (a fraction
// allowed). Throws std::runtime_error with the conversion error's description otherwise.
double readNumber(const std::string& text, const QLocale& locale = QLocale::system());

} // namespace carvel::SizeText
