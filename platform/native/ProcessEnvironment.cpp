#include "ProcessEnvironment.h"

#include <cstdlib>

namespace carvel {

std::string ProcessEnvironment::expand(
    const std::string& text, std::uint32_t bufferSize,
    const std::function<std::optional<std::string>(const std::string&)>& lookup) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('%', pos);
        const std::size_t close =
            open == std::string::npos ? std::string::npos : text.find('%', open + 1);
        if (close == std::string::npos) {
            out += text.substr(pos);
            break;
        }
        out += text.substr(pos, open - pos);
        const std::string name = text.substr(open + 1, close - open - 1);
        const std::optional<std::string> value = name.empty() ? std::nullopt : lookup(name);
        if (value) {
            out += *value;
            pos = close + 1;
        } else {
            // The closing sign may open the next reference, so only the opening one is kept.
            out += '%';
            pos = open + 1;
        }
    }
    if (bufferSize == 0)
        return {};
    if (out.size() + 1 > bufferSize)
        out.resize(bufferSize - 1);
    return out;
}

std::string ProcessEnvironment::expandEnvironmentStrings(const std::string& text,
                                                         std::uint32_t bufferSize) {
    return expand(text, bufferSize, [](const std::string& name) -> std::optional<std::string> {
        const char* value = std::getenv(name.c_str());
        if (value == nullptr)
            return std::nullopt;
        return std::string(value);
    });
}

} // namespace carvel
