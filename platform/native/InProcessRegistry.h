#pragma once

#include "IRegistry.h"

#include <map>
#include <utility>
#include <vector>

namespace carvel {

// A registry held in the program's memory. The program keeps no settings of its own, so on
// this machine the registry starts empty and forgets everything when the program ends.
class InProcessRegistry final : public IRegistry {
public:
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

    // How many keys are open, so a caller that forgets to close one shows up.
    std::size_t openKeyCount() const { return m_open.size(); }

private:
    struct Value {
        std::string name;
        std::uint32_t type = 0;
        std::string data;
    };
    struct Key {
        std::string name; // as first created, for enumeration
        std::vector<Value> values;
    };
    using Path = std::pair<RegRoot, std::string>; // the folded path

    Key* keyOf(RegKey key);

    std::map<Path, Key> m_keys;
    std::map<RegKey, Path> m_open;
    RegKey m_nextHandle = 1;
};

} // namespace carvel
