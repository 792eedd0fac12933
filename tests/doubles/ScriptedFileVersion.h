#pragma once

#include "IFileVersion.h"

#include <map>
#include <utility>
#include <vector>

namespace carvel {

// Test double: files carry the version the test set (major.minor.third.fourth); every other
// file has no version resource. Records the paths and buffer sizes asked for.
class ScriptedFileVersion final : public IFileVersion {
public:
    void setVersion(const std::string& path, std::uint16_t major, std::uint16_t minor,
                    std::uint16_t third, std::uint16_t fourth) {
        FixedFileInfo info;
        info.fileVersionMS = (std::uint32_t{major} << 16) | minor;
        info.fileVersionLS = (std::uint32_t{third} << 16) | fourth;
        m_files[path] = info;
    }
    std::uint32_t getFileVersionInfoSize(const std::string& path) override {
        m_sizeQueries.push_back(path);
        return m_files.count(path) > 0 ? 1024 : 0;
    }
    std::optional<FixedFileInfo> queryFixedFileInfo(const std::string& path,
                                                    std::uint32_t bufferSize) override {
        m_reads.emplace_back(path, bufferSize);
        const auto found = m_files.find(path);
        if (found == m_files.end())
            return std::nullopt;
        return found->second;
    }
    const std::vector<std::string>& sizeQueries() const { return m_sizeQueries; }
    const std::vector<std::pair<std::string, std::uint32_t>>& reads() const { return m_reads; }

private:
    std::map<std::string, FixedFileInfo> m_files;
    std::vector<std::string> m_sizeQueries;
    std::vector<std::pair<std::string, std::uint32_t>> m_reads;
};

} // namespace carvel
