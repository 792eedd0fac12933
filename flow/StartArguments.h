#pragma once

#include <string>

namespace carvel {

// What Carvel's command line asks for: "-S source" opens the split panel with the source filled
// in, "-J piece" the join panel with the piece's set; anything else, nothing.
struct StartRequest {
    enum class Mode { None, Split, Join } mode = Mode::None;
    std::string path; // without the blanks around it
};

// arguments: the program's command line after its own name, as one UTF-8 text. Only its first
// two characters decide, in either letter case.
StartRequest parseStartArguments(const std::string& arguments);

} // namespace carvel
