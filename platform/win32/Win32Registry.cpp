#include "Win32Registry.h"

#include "WideText.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <windows.h>

namespace carvel {

namespace {

HKEY rootKey(RegRoot root) {
    switch (root) {
    case RegRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegRoot::Users:
        return HKEY_USERS;
    case RegRoot::CurrentConfig:
        return HKEY_CURRENT_CONFIG;
    case RegRoot::DynData:
        return HKEY_DYN_DATA;
    }
    return nullptr;
}

bool isText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// Text values are UTF-16 in the registry: read up to the first null, whether or not the writer
// stored one.
std::string textOf(const std::vector<BYTE>& bytes) {
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty())
        std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return toUtf8(text.substr(0, text.find(L'\0')));
}

} // namespace

Win32Registry::~Win32Registry() {
    for (const auto& [handle, key] : m_open)
        ::RegCloseKey(static_cast<HKEY>(key));
}

void* Win32Registry::keyOf(RegKey key) const {
    const auto open = m_open.find(key);
    return open == m_open.end() ? nullptr : open->second;
}

std::optional<RegKey> Win32Registry::keep(void* key) {
    const RegKey handle = m_nextHandle++;
    m_open.emplace(handle, key);
    return handle;
}

std::optional<RegKey> Win32Registry::openKey(RegRoot root, const std::string& subKey,
                                             std::uint32_t access) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(rootKey(root), toWide(subKey).c_str(), 0, access, &key) != ERROR_SUCCESS)
        return std::nullopt;
    return keep(key);
}

std::optional<RegKey> Win32Registry::createKey(RegRoot root, const std::string& subKey,
                                               const std::string& keyClass, std::uint32_t options,
                                               std::uint32_t access) {
    HKEY key = nullptr;
    std::wstring wideClass = toWide(keyClass);
    if (::RegCreateKeyExW(rootKey(root), toWide(subKey).c_str(), 0,
                          wideClass.empty() ? nullptr : wideClass.data(), options, access, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return keep(key);
}

std::optional<RegValueName> Win32Registry::enumValue(RegKey key, std::uint32_t index,
                                                     std::uint32_t nameBufferSize) {
    HKEY open = static_cast<HKEY>(keyOf(key));
    if (open == nullptr || nameBufferSize == 0)
        return std::nullopt;
    std::wstring name(nameBufferSize, L'\0');
    DWORD length = nameBufferSize;
    DWORD type = 0;
    if (::RegEnumValueW(open, index, name.data(), &length, nullptr, &type, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return std::nullopt;
    name.resize(length);
    return RegValueName{toUtf8(name), type};
}

std::optional<std::string> Win32Registry::enumKey(RegKey key, std::uint32_t index,
                                                  std::uint32_t nameBufferSize) {
    HKEY open = static_cast<HKEY>(keyOf(key));
    if (open == nullptr || nameBufferSize == 0)
        return std::nullopt;
    std::wstring name(nameBufferSize, L'\0');
    DWORD length = nameBufferSize;
    if (::RegEnumKeyExW(open, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return std::nullopt;
    name.resize(length);
    return toUtf8(name);
}

std::optional<RegValueData> Win32Registry::queryValue(RegKey key, const std::string& name) {
    HKEY open = static_cast<HKEY>(keyOf(key));
    if (open == nullptr)
        return std::nullopt;
    const std::wstring wideName = toWide(name);
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = ::RegQueryValueExW(open, wideName.c_str(), nullptr, &type, nullptr, &size);
    std::vector<BYTE> bytes;
    // The value may grow between the two calls: ask again with the larger size.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        bytes.resize(size);
        status = ::RegQueryValueExW(open, wideName.c_str(), nullptr, &type, bytes.data(), &size);
        if (status == ERROR_SUCCESS) {
            bytes.resize(size);
            if (isText(type))
                return RegValueData{type, textOf(bytes)};
            return RegValueData{type, std::string(bytes.begin(), bytes.end())};
        }
    }
    return std::nullopt;
}

bool Win32Registry::setValue(RegKey key, const std::string& name, std::uint32_t type,
                             const std::string& data, std::uint32_t length) {
    HKEY open = static_cast<HKEY>(keyOf(key));
    if (open == nullptr)
        return false;
    const std::string given = data.substr(0, std::min<std::size_t>(data.size(), length));
    std::vector<BYTE> bytes(given.begin(), given.end());
    if (isText(type)) {
        // The caller counted UTF-8 bytes; the registry keeps UTF-16, with the null counted when
        // the caller counted it.
        std::wstring text = toWide(given.substr(0, given.find('\0')));
        if (length > given.size() || given.find('\0') != std::string::npos)
            text.push_back(L'\0');
        bytes.resize(text.size() * sizeof(wchar_t));
        std::memcpy(bytes.data(), text.data(), bytes.size());
    }
    return ::RegSetValueExW(open, toWide(name).c_str(), 0, type, bytes.data(),
                            static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

bool Win32Registry::deleteValue(RegKey key, const std::string& name) {
    HKEY open = static_cast<HKEY>(keyOf(key));
    return open != nullptr && ::RegDeleteValueW(open, toWide(name).c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::closeKey(RegKey key) {
    const auto open = m_open.find(key);
    if (open == m_open.end())
        return false;
    const bool closed = ::RegCloseKey(static_cast<HKEY>(open->second)) == ERROR_SUCCESS;
    m_open.erase(open);
    return closed;
}

} // namespace carvel
