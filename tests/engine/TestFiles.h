#pragma once

#include "PathSeparator.h"

#ifdef _WIN32
#include "WindowsFileSystem.h"
#else
#include "PosixFileSystem.h"
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

namespace carvel {

#ifdef _WIN32
using NativeFileSystem = WindowsFileSystem;
#else
using NativeFileSystem = PosixFileSystem;
#endif

namespace test {

inline const std::string kSep(1, kPathSeparator);

// underWine: Wine creates files slowly, so tests that make tens of thousands of them run only on
// Linux and on Windows itself. noSuchFile, noSuchPath: the system's words for a file, and a folder
// on the way to it, that are not there.
#ifdef _WIN32
bool underWine();
std::string noSuchFile();
std::string noSuchPath();
#else
inline bool underWine() {
    return false;
}
inline std::string noSuchFile() {
    return "No such file or directory";
}
inline std::string noSuchPath() {
    return "No such file or directory";
}
#endif

// Linux copies through the kernel or a read/write loop; Windows has the loop alone, which both
// settings then test.
inline void useKernelCopy([[maybe_unused]] NativeFileSystem& fs, [[maybe_unused]] bool enabled) {
#ifndef _WIN32
    fs.setKernelCopy(enabled);
#endif
}

// Linux builds a join's result as an unnamed file or a hidden named one; Windows always as a
// hidden named file that closing deletes.
inline void useUnnamedFiles([[maybe_unused]] NativeFileSystem& fs, [[maybe_unused]] bool enabled) {
#ifndef _WIN32
    fs.setUnnamedFiles(enabled);
#endif
}

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir() {
#ifdef _WIN32
        std::random_device seed;
        const auto name =
            std::filesystem::temp_directory_path() / ("carvel-test-" + std::to_string(seed()));
        if (!std::filesystem::create_directory(name))
            throw std::runtime_error("cannot create " + name.string());
        m_path = name.string();
#else
        std::string name = (std::filesystem::temp_directory_path() / "carvel-test-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        m_path = name;
#endif
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const {
        return m_path;
    }
    std::string operator/(const std::string& name) const {
        return m_path + kPathSeparator + name;
    }

private:
    std::string m_path;
};

// Paths are UTF-8, which Windows' narrow file calls would take for the ANSI code page.
inline std::filesystem::path utf8Path(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(utf8Path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every byte value, several times over, in an order that shows a shifted or dropped byte.
inline std::string everyByte(std::size_t length) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

// The names in a folder.
inline std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

inline bool exists(const std::string& path) {
    return std::filesystem::exists(path);
}

} // namespace test
} // namespace carvel
