#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace carvel {

// The registry's predefined roots.
enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };

// An open key; 0 is never a valid one.
using RegKey = std::uint32_t;

inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;

inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr std::uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr std::uint32_t KEY_ALL_ACCESS = 0xF003F;

inline constexpr std::uint32_t REG_OPTION_NON_VOLATILE = 0;

struct RegValueName {
    std::string name;
    std::uint32_t type = 0;
};

struct RegValueData {
    std::uint32_t type = 0;
    std::string data;
};

// The registry: keys under the predefined roots holding named values. Key and value names
// compare without regard to letter case; the empty value name is the key's default value.
// A failed call answers nullopt or false.
class IRegistry {
public:
    virtual ~IRegistry() = default;
    virtual std::optional<RegKey> openKey(RegRoot root, const std::string& subKey,
                                          std::uint32_t access) = 0;
    virtual std::optional<RegKey> createKey(RegRoot root, const std::string& subKey,
                                            const std::string& keyClass, std::uint32_t options,
                                            std::uint32_t access) = 0;
    // The value at a position, or nullopt past the last one or when its name does not fit.
    virtual std::optional<RegValueName> enumValue(RegKey key, std::uint32_t index,
                                                  std::uint32_t nameBufferSize) = 0;
    // The name of the subkey at a position, or nullopt past the last one.
    virtual std::optional<std::string> enumKey(RegKey key, std::uint32_t index,
                                               std::uint32_t nameBufferSize) = 0;
    virtual std::optional<RegValueData> queryValue(RegKey key, const std::string& name) = 0;
    // The length counts the data's bytes as the caller passes them, terminating null included.
    virtual bool setValue(RegKey key, const std::string& name, std::uint32_t type,
                          const std::string& data, std::uint32_t length) = 0;
    virtual bool deleteValue(RegKey key, const std::string& name) = 0;
    virtual bool closeKey(RegKey key) = 0;
};

} // namespace carvel
