#include "PosixFileFinder.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <memory>

namespace carvel {

FindResult PosixFileFinder::findFirstFile(const std::string& pattern) {
    if (pattern.empty() || pattern.find('\0') != std::string::npos)
        return {FindStatus::BadName, 0, ""};
    const std::size_t slash = pattern.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
                               : slash == 0               ? std::string("/")
                                                          : pattern.substr(0, slash);
    const std::string wanted = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    if (wanted.empty())
        return {FindStatus::NotFound, 0, ""};

    std::string found;
    if (wanted.find_first_of("*?") == std::string::npos) {
        struct stat info {};
        if (::stat(pattern.c_str(), &info) != 0)
            return {FindStatus::NotFound, 0, ""};
        found = wanted;
    } else {
        const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
        if (!dir)
            return {FindStatus::NotFound, 0, ""};
        while (const dirent* entry = ::readdir(dir.get())) {
            const std::string name = entry->d_name;
            if (name == "." || name == ".." || ::fnmatch(wanted.c_str(), name.c_str(), 0) != 0)
                continue;
            if (found.empty() || name < found)
                found = name;
        }
        if (found.empty())
            return {FindStatus::NotFound, 0, ""};
    }
    const std::uint32_t handle = m_nextHandle++;
    m_open.insert(handle);
    return {FindStatus::Found, handle, found};
}

} // namespace carvel
