#pragma once

#include "IOsVersion.h"

#include <vector>

namespace carvel {

// Test double: answers the version record the test set and records the record size asked for.
class ScriptedOsVersion final : public IOsVersion {
public:
    void set(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
        m_info.platformId = platformId;
        m_info.majorVersion = major;
        m_info.minorVersion = minor;
    }
    OsVersionInfo getVersionEx(std::uint32_t recordSize) override {
        m_sizes.push_back(recordSize);
        return m_info;
    }
    const std::vector<std::uint32_t>& recordSizes() const { return m_sizes; }

private:
    OsVersionInfo m_info;
    std::vector<std::uint32_t> m_sizes;
};

} // namespace carvel
