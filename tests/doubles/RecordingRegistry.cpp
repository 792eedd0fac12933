#include "RecordingRegistry.h"

namespace carvel {

void RecordingRegistry::seed(RegRoot root, const std::string& subKey, const std::string& name,
                             const std::string& data, std::uint32_t type) {
    const auto key = m_store.createKey(root, subKey, "", REG_OPTION_NON_VOLATILE, KEY_SET_VALUE);
    m_store.setValue(*key, name, type, data, static_cast<std::uint32_t>(data.size() + 1));
    m_store.closeKey(*key);
}

void RecordingRegistry::seedKey(RegRoot root, const std::string& subKey) {
    const auto key = m_store.createKey(root, subKey, "", REG_OPTION_NON_VOLATILE, KEY_SET_VALUE);
    m_store.closeKey(*key);
}

std::optional<RegValueData> RecordingRegistry::valueOf(RegRoot root, const std::string& subKey,
                                                       const std::string& name) {
    const auto key = m_store.openKey(root, subKey, KEY_QUERY_VALUE);
    if (!key)
        return std::nullopt;
    auto value = m_store.queryValue(*key, name);
    m_store.closeKey(*key);
    return value;
}

std::vector<RecordingRegistry::Call>
RecordingRegistry::callsOf(const std::string& operation) const {
    std::vector<Call> out;
    for (const Call& call : m_calls)
        if (call.operation == operation)
            out.push_back(call);
    return out;
}

std::optional<RegKey> RecordingRegistry::openKey(RegRoot root, const std::string& subKey,
                                                 std::uint32_t access) {
    m_calls.push_back({"openKey", root, subKey, 0, "", access, "", 0});
    if (failing("openKey"))
        return std::nullopt;
    return m_store.openKey(root, subKey, access);
}

std::optional<RegKey> RecordingRegistry::createKey(RegRoot root, const std::string& subKey,
                                                   const std::string& keyClass,
                                                   std::uint32_t options, std::uint32_t access) {
    m_calls.push_back({"createKey", root, subKey, 0, keyClass, access, "", options});
    if (failing("createKey"))
        return std::nullopt;
    return m_store.createKey(root, subKey, keyClass, options, access);
}

std::optional<RegValueName> RecordingRegistry::enumValue(RegKey key, std::uint32_t index,
                                                         std::uint32_t nameBufferSize) {
    m_calls.push_back({"enumValue", {}, "", key, "", index, "", nameBufferSize});
    return m_store.enumValue(key, index, nameBufferSize);
}

std::optional<std::string> RecordingRegistry::enumKey(RegKey key, std::uint32_t index,
                                                      std::uint32_t nameBufferSize) {
    m_calls.push_back({"enumKey", {}, "", key, "", index, "", nameBufferSize});
    return m_store.enumKey(key, index, nameBufferSize);
}

std::optional<RegValueData> RecordingRegistry::queryValue(RegKey key, const std::string& name) {
    m_calls.push_back({"queryValue", {}, "", key, name, 0, "", 0});
    if (failing("queryValue"))
        return std::nullopt;
    return m_store.queryValue(key, name);
}

bool RecordingRegistry::setValue(RegKey key, const std::string& name, std::uint32_t type,
                                 const std::string& data, std::uint32_t length) {
    m_calls.push_back({"setValue", {}, "", key, name, type, data, length});
    if (failing("setValue"))
        return false;
    return m_store.setValue(key, name, type, data, length);
}

bool RecordingRegistry::deleteValue(RegKey key, const std::string& name) {
    m_calls.push_back({"deleteValue", {}, "", key, name, 0, "", 0});
    if (failing("deleteValue"))
        return false;
    return m_store.deleteValue(key, name);
}

bool RecordingRegistry::closeKey(RegKey key) {
    m_calls.push_back({"closeKey", {}, "", key, "", 0, "", 0});
    const bool closed = m_store.closeKey(key);
    return closed && !failing("closeKey");
}

} // namespace carvel
