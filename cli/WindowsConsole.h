#pragma once

#include <string>
#include <vector>

namespace carvel {

// The program's arguments as UTF-8, read from the wide command line: main's own arguments are
// in the ANSI code page, where a name such as 日本語.bin becomes ???.bin.
std::vector<std::string> wideArguments();

// Sets the console to show the program's UTF-8 output as such while it lives, and gives the
// console its code page back afterwards.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    unsigned m_oldCodePage;
};

} // namespace carvel
