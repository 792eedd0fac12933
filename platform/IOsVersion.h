#pragma once

#include <cstdint>
#include <string>

namespace carvel {

inline constexpr std::uint32_t VER_PLATFORM_WIN32s = 0;
inline constexpr std::uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr std::uint32_t VER_PLATFORM_WIN32_NT = 2;

// The operating system's version record.
struct OsVersionInfo {
    std::uint32_t size = 148;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    std::string csdVersion;
};

class IOsVersion {
public:
    virtual ~IOsVersion() = default;
    // The caller states the record size it expects, as the platform requires.
    virtual OsVersionInfo getVersionEx(std::uint32_t recordSize) = 0;
};

} // namespace carvel
