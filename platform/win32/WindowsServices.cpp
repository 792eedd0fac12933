#include "WindowsServices.h"

#include "WideText.h"

#include <vector>

#include <windows.h>

namespace carvel {

WindowsFileFinder::~WindowsFileFinder() {
    for (const auto& [handle, search] : m_open)
        ::FindClose(search);
}

FindResult WindowsFileFinder::findFirstFile(const std::string& pattern) {
    if (pattern.empty() || pattern.find('\0') != std::string::npos)
        return {FindStatus::BadName, 0, ""};
    WIN32_FIND_DATAW data{};
    const HANDLE search = ::FindFirstFileW(toWide(pattern).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return {::GetLastError() == ERROR_INVALID_NAME ? FindStatus::BadName : FindStatus::NotFound,
                0, ""};
    const std::uint32_t handle = m_nextHandle++;
    m_open[handle] = search;
    return {FindStatus::Found, handle, toUtf8(data.cFileName)};
}

void WindowsFileFinder::findClose(std::uint32_t handle) {
    if (const auto it = m_open.find(handle); it != m_open.end()) {
        ::FindClose(it->second);
        m_open.erase(it);
    }
}

std::optional<std::string> WindowsLongPathName::getLongPathName(const std::string& path,
                                                                std::uint32_t bufferSize) {
    const std::wstring wide = toWide(path);
    const DWORD size = wide.empty() ? 0 : ::GetLongPathNameW(wide.c_str(), nullptr, 0);
    if (size == 0)
        return std::nullopt;
    std::wstring longer(size, L'\0');
    const DWORD length = ::GetLongPathNameW(wide.c_str(), longer.data(), size);
    if (length == 0 || length >= size)
        return std::nullopt;
    longer.resize(length);
    std::string text = toUtf8(longer);
    if (text.size() + 1 > bufferSize)
        return std::nullopt;
    return text;
}

OsVersionInfo WindowsOsVersion::getVersionEx(std::uint32_t recordSize) {
    OsVersionInfo info;
    info.size = recordSize;
    info.platformId = VER_PLATFORM_WIN32_NT;
    using RtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto get = reinterpret_cast<RtlGetVersion>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (get != nullptr && get(&version) == 0) {
        info.majorVersion = version.dwMajorVersion;
        info.minorVersion = version.dwMinorVersion;
        info.buildNumber = version.dwBuildNumber;
        info.platformId = version.dwPlatformId;
        info.csdVersion = toUtf8(version.szCSDVersion);
    }
    return info;
}

std::string WindowsEnvironment::expandEnvironmentStrings(const std::string& text,
                                                         std::uint32_t bufferSize) {
    const std::wstring wide = toWide(text);
    const DWORD size = ::ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
    std::wstring expanded(size, L'\0');
    const DWORD length =
        size == 0 ? 0 : ::ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), size);
    expanded.resize(length > 0 ? length - 1 : 0);
    std::string out = toUtf8(expanded);
    if (bufferSize == 0)
        return {};
    if (out.size() + 1 > bufferSize)
        out.resize(bufferSize - 1);
    return out;
}

std::uint32_t WindowsFileVersion::getFileVersionInfoSize(const std::string& path) {
    DWORD ignored = 0;
    return ::GetFileVersionInfoSizeW(toWide(path).c_str(), &ignored);
}

std::optional<FixedFileInfo> WindowsFileVersion::queryFixedFileInfo(const std::string& path,
                                                                    std::uint32_t bufferSize) {
    std::vector<unsigned char> buffer(bufferSize);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (bufferSize == 0 ||
        !::GetFileVersionInfoW(toWide(path).c_str(), 0, bufferSize, buffer.data()) ||
        !::VerQueryValueW(buffer.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        fixed == nullptr || length < sizeof *fixed)
        return std::nullopt;
    return FixedFileInfo{fixed->dwSignature, fixed->dwFileVersionMS, fixed->dwFileVersionLS,
                         fixed->dwProductVersionMS, fixed->dwProductVersionLS};
}

} // namespace carvel
