#pragma once

#include <string>
#include <vector>

namespace carvel {

// Text inside the programs is UTF-8; Windows takes and gives UTF-16. These convert between the
// two, so that every name keeps every character (Greek, Chinese, emoji) on its way through.
// Bytes that are not UTF-8 become U+FFFD rather than being dropped.
std::wstring toWide(const std::string& text);
std::string toUtf8(const std::wstring& text);
// The program's arguments as UTF-8, read from the wide command line: main's own arguments are
// in the ANSI code page, where a name such as 日本語.bin becomes ???.bin.
std::vector<std::string> wideArguments();
// The system's description of an error code, without its closing full stop and line end.
std::string systemMessage(unsigned long error);

} // namespace carvel
