#pragma once

#include <string>
#include <vector>

namespace carvel {

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
