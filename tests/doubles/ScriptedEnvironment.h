#pragma once

#include "IEnvironment.h"
#include "ProcessEnvironment.h"

#include <map>
#include <utility>
#include <vector>

namespace carvel {

// Test double: expands from variables the test set, and records each text and buffer size.
class ScriptedEnvironment final : public IEnvironment {
public:
    void setVariable(const std::string& name, std::string value) {
        m_variables[name] = std::move(value);
    }
    std::string expandEnvironmentStrings(const std::string& text,
                                         std::uint32_t bufferSize) override {
        m_calls.emplace_back(text, bufferSize);
        return ProcessEnvironment::expand(
            text, bufferSize, [this](const std::string& name) -> std::optional<std::string> {
                const auto found = m_variables.find(name);
                if (found == m_variables.end())
                    return std::nullopt;
                return found->second;
            });
    }
    const std::vector<std::pair<std::string, std::uint32_t>>& calls() const { return m_calls; }

private:
    std::map<std::string, std::string> m_variables;
    std::vector<std::pair<std::string, std::uint32_t>> m_calls;
};

} // namespace carvel
