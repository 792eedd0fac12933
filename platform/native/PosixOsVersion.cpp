#include "PosixOsVersion.h"

#include <sys/utsname.h>

#include <cstdio>

namespace carvel {

OsVersionInfo PosixOsVersion::getVersionEx(std::uint32_t recordSize) {
    OsVersionInfo info;
    info.size = recordSize;
    info.platformId = VER_PLATFORM_WIN32s;
    struct utsname names {};
    if (::uname(&names) == 0) {
        unsigned major = 0, minor = 0, build = 0;
        std::sscanf(names.release, "%u.%u.%u", &major, &minor, &build);
        info.majorVersion = major;
        info.minorVersion = minor;
        info.buildNumber = build;
        info.csdVersion = names.sysname;
    }
    return info;
}

} // namespace carvel
