#include "InProcessRegistry.h"

#include "CaseFolding.h"

#include <algorithm>

namespace carvel {

namespace {

// Key paths are compared folded and without stray separators at either end.
std::string foldedPath(const std::string& subKey) {
    std::string path = folded(subKey);
    while (!path.empty() && path.front() == '\\')
        path.erase(path.begin());
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

} // namespace

InProcessRegistry::Key* InProcessRegistry::keyOf(RegKey key) {
    const auto open = m_open.find(key);
    if (open == m_open.end())
        return nullptr;
    const auto found = m_keys.find(open->second);
    return found == m_keys.end() ? nullptr : &found->second;
}

std::optional<RegKey> InProcessRegistry::openKey(RegRoot root, const std::string& subKey,
                                                 std::uint32_t /*access*/) {
    Path path{root, foldedPath(subKey)};
    // The roots themselves always exist.
    if (path.second.empty())
        m_keys.try_emplace(path, Key{});
    if (m_keys.find(path) == m_keys.end())
        return std::nullopt;
    const RegKey handle = m_nextHandle++;
    m_open.emplace(handle, std::move(path));
    return handle;
}

std::optional<RegKey> InProcessRegistry::createKey(RegRoot root, const std::string& subKey,
                                                   const std::string& /*keyClass*/,
                                                   std::uint32_t /*options*/,
                                                   std::uint32_t access) {
    // Every key on the way is created too, as the platform does.
    std::string trimmed = subKey;
    while (!trimmed.empty() && trimmed.back() == '\\')
        trimmed.pop_back();
    std::size_t pos = 0;
    while (pos != std::string::npos) {
        pos = trimmed.find('\\', pos + 1);
        const std::string prefix = trimmed.substr(0, pos);
        Key& created = m_keys[{root, foldedPath(prefix)}];
        if (created.name.empty()) {
            const std::size_t slash = prefix.rfind('\\');
            created.name = slash == std::string::npos ? prefix : prefix.substr(slash + 1);
        }
    }
    return openKey(root, subKey, access);
}

std::optional<RegValueName> InProcessRegistry::enumValue(RegKey key, std::uint32_t index,
                                                         std::uint32_t nameBufferSize) {
    Key* k = keyOf(key);
    if (k == nullptr || index >= k->values.size())
        return std::nullopt;
    const Value& value = k->values[index];
    if (value.name.size() + 1 > nameBufferSize)
        return std::nullopt;
    return RegValueName{value.name, value.type};
}

std::optional<std::string> InProcessRegistry::enumKey(RegKey key, std::uint32_t index,
                                                      std::uint32_t nameBufferSize) {
    const auto open = m_open.find(key);
    if (open == m_open.end())
        return std::nullopt;
    const auto& [root, parent] = open->second;
    const std::string prefix = parent.empty() ? std::string() : parent + "\\";
    std::uint32_t position = 0;
    for (const auto& [path, child] : m_keys) {
        if (path.first != root || path.second.size() <= prefix.size() ||
            path.second.compare(0, prefix.size(), prefix) != 0 ||
            path.second.find('\\', prefix.size()) != std::string::npos)
            continue;
        if (position++ == index) {
            if (child.name.size() + 1 > nameBufferSize)
                return std::nullopt;
            return child.name;
        }
    }
    return std::nullopt;
}

std::optional<RegValueData> InProcessRegistry::queryValue(RegKey key, const std::string& name) {
    Key* k = keyOf(key);
    if (k == nullptr)
        return std::nullopt;
    const std::string wanted = folded(name);
    for (const Value& value : k->values)
        if (folded(value.name) == wanted)
            return RegValueData{value.type, value.data};
    return std::nullopt;
}

bool InProcessRegistry::setValue(RegKey key, const std::string& name, std::uint32_t type,
                                 const std::string& data, std::uint32_t length) {
    Key* k = keyOf(key);
    if (k == nullptr)
        return false;
    // Text is stored up to its terminating null, whatever length the caller counted.
    std::string stored = data.substr(0, std::min<std::size_t>(data.size(), length));
    if (type == REG_SZ || type == REG_EXPAND_SZ)
        stored = stored.substr(0, stored.find('\0'));
    const std::string wanted = folded(name);
    for (Value& value : k->values)
        if (folded(value.name) == wanted) {
            value.type = type;
            value.data = std::move(stored);
            return true;
        }
    k->values.push_back({name, type, std::move(stored)});
    return true;
}

bool InProcessRegistry::deleteValue(RegKey key, const std::string& name) {
    Key* k = keyOf(key);
    if (k == nullptr)
        return false;
    const std::string wanted = folded(name);
    const auto removed = std::remove_if(k->values.begin(), k->values.end(),
                                        [&](const Value& v) { return folded(v.name) == wanted; });
    if (removed == k->values.end())
        return false;
    k->values.erase(removed, k->values.end());
    return true;
}

bool InProcessRegistry::closeKey(RegKey key) {
    return m_open.erase(key) == 1;
}

} // namespace carvel
