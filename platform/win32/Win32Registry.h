#pragma once

#include "IRegistry.h"

#include <map>

namespace carvel {

// The system's registry (RegOpenKeyExW and its kin), in the program's own view (64-bit for the
// 64-bit programs). Names and texts pass as UTF-8; texts are read up to their terminating null.
class Win32Registry final : public IRegistry {
public:
    ~Win32Registry() override;
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
    void* keyOf(RegKey key) const;
    std::optional<RegKey> keep(void* key);

    std::map<RegKey, void*> m_open; // our handle -> the HKEY
    RegKey m_nextHandle = 1;
};

} // namespace carvel
