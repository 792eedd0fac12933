#pragma once

#include "InProcessRegistry.h"

#include <set>
#include <vector>

namespace carvel {

// Test double: a registry the test fills beforehand, which records every call with its
// arguments and can be told to fail chosen operations ("openKey", "createKey", "setValue",
// "queryValue", "deleteValue", "closeKey").
class RecordingRegistry final : public IRegistry {
public:
    struct Call {
        std::string operation;
        RegRoot root = RegRoot::LocalMachine;
        std::string subKey;
        RegKey key = 0;
        std::string name;
        std::uint32_t number = 0; // access mask, index or value type, as the operation has
        std::string data;
        std::uint32_t length = 0; // data length, or name buffer size for enumerations
    };

    // Seeds a value, creating its key; not recorded.
    void seed(RegRoot root, const std::string& subKey, const std::string& name,
              const std::string& data, std::uint32_t type = REG_SZ);
    void seedKey(RegRoot root, const std::string& subKey);
    // Reads a value as the registry holds it now; not recorded.
    std::optional<RegValueData> valueOf(RegRoot root, const std::string& subKey,
                                        const std::string& name);

    void fail(const std::string& operation) { m_failing.insert(operation); }
    const std::vector<Call>& calls() const { return m_calls; }
    std::vector<Call> callsOf(const std::string& operation) const;
    void clear() { m_calls.clear(); }
    std::size_t openKeyCount() const { return m_store.openKeyCount(); }

    std::optional<RegKey> openKey(RegRoot root, const std::string& subKey,
                                  std::uint32_t access) override;
    std::optional<RegKey> createKey(RegRoot root, const std::string& subKey,
                                    const std::string& keyClass, std::uint32_t options,
                                    std::uint32_t access) override;
    std::optional<RegValueName> enumValue(RegKey key, std::uint32_t index,
                                          std::uint32_t nameBufferSize) override;
    std::optional<std::string> enumKey(RegKey key, std::uint32_t index,
                                       std::uint32_t nameBufferSize) override;
    std::optional<RegValueData> queryValue(RegKey key, const std::string& name) override;
    bool setValue(RegKey key, const std::string& name, std::uint32_t type, const std::string& data,
                  std::uint32_t length) override;
    bool deleteValue(RegKey key, const std::string& name) override;
    bool closeKey(RegKey key) override;

private:
    bool failing(const std::string& operation) const { return m_failing.count(operation) > 0; }

    InProcessRegistry m_store;
    std::vector<Call> m_calls;
    std::set<std::string> m_failing;
};

} // namespace carvel
