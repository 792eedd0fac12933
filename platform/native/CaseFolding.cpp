#include "CaseFolding.h"

namespace carvel {

std::string folded(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return folded(a) == folded(b);
}

bool endsWithIgnoringCase(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           equalsIgnoringCase(text.substr(text.size() - ending.size()), ending);
}

} // namespace carvel
