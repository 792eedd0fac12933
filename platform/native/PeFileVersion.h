#pragma once

#include "IFileVersion.h"

#include <string>
#include <vector>

namespace carvel {

// Reads the version resource that a Windows executable (a PE file: program, library or
// control) carries in its resource section. Any other file has none.
class PeFileVersion final : public IFileVersion {
public:
    std::uint32_t getFileVersionInfoSize(const std::string& path) override;
    std::optional<FixedFileInfo> queryFixedFileInfo(const std::string& path,
                                                    std::uint32_t bufferSize) override;

    // The bytes of the version resource, at most maxBytes of them; empty when there is none.
    static std::vector<unsigned char> readVersionResource(const std::string& path,
                                                          std::uint32_t maxBytes);
};

} // namespace carvel
