#pragma once

#include "ICursorPosition.h"

namespace carvel {

// Test double: the pointer stands where the test put it; counts the reads.
class ScriptedCursorPosition final : public ICursorPosition {
public:
    void moveTo(ScreenPoint point) { m_point = point; }
    ScreenPoint cursorPos() override {
        ++m_reads;
        return m_point;
    }
    int reads() const { return m_reads; }

private:
    ScreenPoint m_point;
    int m_reads = 0;
};

} // namespace carvel
