#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace carvel {

// The fixed part of a file's version resource: each version is two 32-bit words, the high
// word of the first holding the major part and the low word of the second the fourth part.
struct FixedFileInfo {
    std::uint32_t signature = 0xFEEF04BD;
    std::uint32_t fileVersionMS = 0;
    std::uint32_t fileVersionLS = 0;
    std::uint32_t productVersionMS = 0;
    std::uint32_t productVersionLS = 0;
};

// The file-version resources of files.
class IFileVersion {
public:
    virtual ~IFileVersion() = default;
    // The size of the file's version resource in bytes; 0 when it has none.
    virtual std::uint32_t getFileVersionInfoSize(const std::string& path) = 0;
    // Reads the resource into a buffer of the given size and answers its fixed part.
    virtual std::optional<FixedFileInfo> queryFixedFileInfo(const std::string& path,
                                                            std::uint32_t bufferSize) = 0;
};

} // namespace carvel
