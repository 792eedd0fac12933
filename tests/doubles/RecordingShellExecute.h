#pragma once

#include "IShellExecute.h"

#include <string>
#include <utility>
#include <vector>

namespace carvel {

// Test double: records each verb and file it is asked to open, and opens nothing.
class RecordingShellExecute final : public IShellExecute {
public:
    void execute(const std::string& verb, const std::string& file) override {
        m_calls.emplace_back(verb, file);
    }
    const std::vector<std::pair<std::string, std::string>>& calls() const { return m_calls; }

private:
    std::vector<std::pair<std::string, std::string>> m_calls;
};

} // namespace carvel
