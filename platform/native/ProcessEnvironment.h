#pragma once

#include "IEnvironment.h"

#include <functional>
#include <optional>

namespace carvel {

// Expands references from this process's environment.
class ProcessEnvironment final : public IEnvironment {
public:
    std::string expandEnvironmentStrings(const std::string& text,
                                         std::uint32_t bufferSize) override;

    // The expansion rule itself, over any source of variables.
    static std::string
    expand(const std::string& text, std::uint32_t bufferSize,
           const std::function<std::optional<std::string>(const std::string&)>& lookup);
};

} // namespace carvel
