#pragma once

#include "ILongPathName.h"

#include <map>
#include <utility>
#include <vector>

namespace carvel {

// Test double: answers the long forms the test set, fails for every other path, and records
// each path and buffer size it was asked for.
class ScriptedLongPathName final : public ILongPathName {
public:
    void setLongForm(const std::string& path, std::string longForm) {
        m_answers[path] = std::move(longForm);
    }
    std::optional<std::string> getLongPathName(const std::string& path,
                                               std::uint32_t bufferSize) override {
        m_calls.emplace_back(path, bufferSize);
        const auto found = m_answers.find(path);
        if (found == m_answers.end())
            return std::nullopt;
        return found->second;
    }
    const std::vector<std::pair<std::string, std::uint32_t>>& calls() const { return m_calls; }

private:
    std::map<std::string, std::string> m_answers;
    std::vector<std::pair<std::string, std::uint32_t>> m_calls;
};

} // namespace carvel
