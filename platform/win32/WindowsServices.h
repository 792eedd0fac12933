#pragma once

#include "IEnvironment.h"
#include "IFileFinder.h"
#include "IFileVersion.h"
#include "ILongPathName.h"
#include "IOsVersion.h"

#include <map>

namespace carvel {

// The native services over Windows' own calls, for the Windows build; names pass as UTF-8.

// FindFirstFileW: the first match in the order the file system gives.
class WindowsFileFinder final : public IFileFinder {
public:
    ~WindowsFileFinder() override;
    FindResult findFirstFile(const std::string& pattern) override;
    void findClose(std::uint32_t handle) override;

private:
    std::map<std::uint32_t, void*> m_open; // our handle -> the search handle
    std::uint32_t m_nextHandle = 1;
};

// GetLongPathNameW.
class WindowsLongPathName final : public ILongPathName {
public:
    std::optional<std::string> getLongPathName(const std::string& path,
                                               std::uint32_t bufferSize) override;
};

// The version Windows really runs (RtlGetVersion), which GetVersionEx hides from programs that
// do not declare it in a manifest.
class WindowsOsVersion final : public IOsVersion {
public:
    OsVersionInfo getVersionEx(std::uint32_t recordSize) override;
};

// ExpandEnvironmentStringsW, its result cut to the buffer as the interface promises.
class WindowsEnvironment final : public IEnvironment {
public:
    std::string expandEnvironmentStrings(const std::string& text,
                                         std::uint32_t bufferSize) override;
};

// GetFileVersionInfoSizeW, GetFileVersionInfoW and VerQueryValueW.
class WindowsFileVersion final : public IFileVersion {
public:
    std::uint32_t getFileVersionInfoSize(const std::string& path) override;
    std::optional<FixedFileInfo> queryFixedFileInfo(const std::string& path,
                                                    std::uint32_t bufferSize) override;
};

} // namespace carvel
