#pragma once

#include "IStringResources.h"

#include <map>
#include <utility>
#include <vector>

namespace carvel {

// A program's string table. Carvel carries none, so its table is empty; a test fills one
// and reads back which numbers were asked for.
class StringTable final : public IStringResources {
public:
    StringTable() = default;
    explicit StringTable(std::map<std::uint32_t, std::string> strings)
        : m_strings(std::move(strings)) {}

    std::optional<std::string> loadString(std::uint32_t id) override {
        m_requests.push_back(id);
        const auto found = m_strings.find(id);
        if (found == m_strings.end())
            return std::nullopt;
        return found->second;
    }
    const std::vector<std::uint32_t>& requests() const { return m_requests; }

private:
    std::map<std::uint32_t, std::string> m_strings;
    std::vector<std::uint32_t> m_requests;
};

} // namespace carvel
