#pragma once

#include <string>

namespace carvel {

// Help file names, window types, keywords and registry names are compared without regard to
// letter case. Only the ASCII letters fold, so the answer does not depend on the locale.
std::string folded(std::string text);
bool equalsIgnoringCase(const std::string& a, const std::string& b);
bool endsWithIgnoringCase(const std::string& text, const std::string& ending);

} // namespace carvel
