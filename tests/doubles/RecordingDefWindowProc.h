#pragma once

#include "IDefWindowProc.h"

#include <vector>

namespace carvel {

// Test double: records every message with its arguments and handles none.
class RecordingDefWindowProc final : public IDefWindowProc {
public:
    struct Call {
        std::intptr_t window = 0;
        std::uint32_t message = 0;
        std::uintptr_t wParam = 0;
        std::intptr_t lParam = 0;
    };
    std::intptr_t defWindowProc(std::intptr_t window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) override {
        m_calls.push_back({window, message, wParam, lParam});
        return 0;
    }
    const std::vector<Call>& calls() const { return m_calls; }

private:
    std::vector<Call> m_calls;
};

} // namespace carvel
