#pragma once

#include "IFileFinder.h"

#include <map>
#include <set>
#include <vector>

namespace carvel {

// Test double: finds exactly the paths the test added, a doubled separator counting as one,
// answering the name the test gave for each (the path's last element unless given), and
// records every lookup and close.
class ScriptedFileFinder final : public IFileFinder {
public:
    void addFile(const std::string& path, std::string reportedName = {}) {
        if (reportedName.empty())
            reportedName = path.substr(path.rfind('/') + 1);
        m_files[collapsed(path)] = std::move(reportedName);
    }
    void addBadName(const std::string& path) { m_badNames.insert(path); }

    FindResult findFirstFile(const std::string& pattern) override {
        m_lookups.push_back(pattern);
        if (m_badNames.count(pattern) > 0)
            return {FindStatus::BadName, 0, ""};
        const auto found = m_files.find(collapsed(pattern));
        if (found == m_files.end())
            return {FindStatus::NotFound, 0, ""};
        const std::uint32_t handle = m_nextHandle++;
        m_openHandles.insert(handle);
        return {FindStatus::Found, handle, found->second};
    }
    void findClose(std::uint32_t handle) override { m_openHandles.erase(handle); }

    const std::vector<std::string>& lookups() const { return m_lookups; }
    std::size_t openHandles() const { return m_openHandles.size(); }

private:
    // A run of separators names one folder level, as it does on the platform.
    static std::string collapsed(const std::string& path) {
        std::string out;
        for (const char c : path)
            if (c != '/' || out.empty() || out.back() != '/')
                out += c;
        return out;
    }

    std::map<std::string, std::string> m_files;
    std::set<std::string> m_badNames;
    std::vector<std::string> m_lookups;
    std::set<std::uint32_t> m_openHandles;
    std::uint32_t m_nextHandle = 1;
};

} // namespace carvel
