#pragma once

#include "IShellExecute.h"

#include <string>
#include <utility>
#include <vector>

namespace carvel {

// Test double: records each verb and file it is asked to open, and opens nothing.
class RecordingShellExecute final : public IShellExecute {
public:
    bool execute(const std::string& verb, const std::string& file) override {
        m_calls.emplace_back(verb, file);
        return m_started;
    }
    const std::vector<std::pair<std::string, std::string>>& calls() const { return m_calls; }
    void setNoHandler() { m_started = false; }

private:
    std::vector<std::pair<std::string, std::string>> m_calls;
    bool m_started = true;
};

} // namespace carvel
