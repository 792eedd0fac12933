#pragma once

#include "IHelpViewer.h"

#include <vector>

namespace carvel {

// Test double: records every request with all its arguments, shows nothing, and answers the
// handle the test set (0 unless set).
class RecordingHelpViewer final : public IHelpViewer {
public:
    struct Call {
        std::intptr_t owner = 0;
        std::optional<std::string> file;
        std::uint32_t command = 0;
        HelpData data;
    };

    std::intptr_t htmlHelp(std::intptr_t owner, const std::optional<std::string>& file,
                           std::uint32_t command, const HelpData& data) override {
        m_calls.push_back({owner, file, command, data});
        return m_answer;
    }

    void setAnswer(std::intptr_t handle) { m_answer = handle; }
    const std::vector<Call>& calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    std::vector<Call> m_calls;
    std::intptr_t m_answer = 0;
};

} // namespace carvel
