#pragma once

namespace carvel {

// The hourglass over the program while a split or join runs. Restored when the guard goes out
// of scope, so every path out of a Start handler, an exception's too, brings the arrow back.
class BusyPointer final {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    // Brings the normal pointer back before the result message is shown.
    void restore();

private:
    bool m_active = true;
};

} // namespace carvel
