#pragma once

#include "ForwardingFileSystem.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace carvel {

// Test double: passes every operation to a real file system, but holds the k-th copy (counted
// from 1) before it begins until the test releases it, so that a test can act while work is
// surely in the middle of a set.
class GatedFileSystem final : public ForwardingFileSystem {
public:
    GatedFileSystem(FileSystem& real, int holdCopy)
        : ForwardingFileSystem(real), m_holdCopy(holdCopy) {}

    bool held() const { return m_held; }
    void release() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_released = true;
        m_wake.notify_all();
    }

    void CopyBytes(TextStream& from, TextStream& to, FileLength count,
                   const CopyProgress& progress) override {
        if (++m_copies == m_holdCopy) {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_held = true;
            m_wake.wait(lock, [this] { return m_released; });
        }
        real().CopyBytes(from, to, count, progress);
    }

private:
    const int m_holdCopy;
    std::atomic<int> m_copies{0};
    std::atomic<bool> m_held{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_released = false;
};

} // namespace carvel
