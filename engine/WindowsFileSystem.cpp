#include "WindowsFileSystem.h"

#include "PathSeparator.h"
#include "WideText.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <random>
#include <utility>

#include <windows.h>
// windows.h names its A/W calls by macros that would rename the service's own methods.
#undef MoveFile
#undef DeleteFile

namespace carvel {

namespace {

// Bytes moved per ReadFile/WriteFile: large calls cost Windows (and Wine) far less per byte.
constexpr DWORD kBufferSize = 1024 * 1024;

[[noreturn]] void failText(const std::string& what, const std::string& path,
                           const std::string& reason) {
    throw FileSystemError(what + " " + path + ": " + reason);
}

[[noreturn]] void fail(const std::string& what, const std::string& path, DWORD error) {
    failText(what, path, systemMessage(error));
}

constexpr const char* kNotRegular = "it is not a regular file";

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool equalsAscii(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'a' && x <= 'z' ? x - 32 : x) == (y >= 'a' && y <= 'z' ? y - 32 : y);
           });
}

// The path as Windows takes it: absolute, with backslashes, in the long form that passes the
// 260-character limit and every name unchanged. Names of devices are refused first, since the
// long form would make them into files that other programs can neither open nor delete.
std::wstring longPath(const std::string& what, const std::string& path) {
    if (const std::string device = WindowsFileSystem::deviceName(path); !device.empty())
        failText(what, path,
                 "\"" + device + "\" is the name of a device on Windows, not of a file");
    const std::wstring wide = toWide(path);
    if (wide.empty())
        fail(what, path, ERROR_PATH_NOT_FOUND);
    if (wide.rfind(L"\\\\?\\", 0) == 0)
        return wide;
    DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    size = size == 0 ? 0 : ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (size == 0 || size >= full.size())
        fail(what, path, ::GetLastError());
    full.resize(size);
    if (full.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// The file's attributes, or INVALID_FILE_ATTRIBUTES for a name that is not there (or no name).
DWORD attributesOf(const std::string& path) {
    try {
        return ::GetFileAttributesW(longPath("", path).c_str());
    } catch (const FileSystemError&) {
        return INVALID_FILE_ATTRIBUTES;
    }
}

class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE release() { return std::exchange(m_handle, INVALID_HANDLE_VALUE); }
    void reset() {
        if (valid())
            ::CloseHandle(release());
    }

private:
    HANDLE m_handle;
};

// A file handle opened without buffering of our own: bytes pass through unchanged.
class WindowsTextStream final : public TextStream {
public:
    WindowsTextStream(HANDLE handle, std::string path)
        : m_handle(handle), m_path(std::move(path)) {}

    std::string Read(FileLength count) override {
        std::string bytes(static_cast<std::size_t>(count), '\0');
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::size_t got = readSome(bytes.data() + done, bytes.size() - done);
            if (got == 0)
                failText("Cannot read file", m_path, "the file ended early");
            done += got;
        }
        return bytes;
    }

    void Write(std::string_view bytes) override { writeAll(bytes.data(), bytes.size()); }

    void Sync() override {
        if (!::FlushFileBuffers(m_handle.get()))
            fail("Cannot write file", m_path, ::GetLastError());
    }

    void Close() override {
        if (!::CloseHandle(m_handle.release()))
            fail("Cannot close file", m_path, ::GetLastError());
    }

    std::size_t readSome(char* data, std::size_t size) {
        DWORD got = 0;
        const auto ask = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        if (!::ReadFile(m_handle.get(), data, ask, &got, nullptr))
            fail("Cannot read file", m_path, ::GetLastError());
        return got;
    }

    void writeAll(const char* data, std::size_t size) {
        while (size > 0) {
            DWORD put = 0;
            const auto ask = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
            if (!::WriteFile(m_handle.get(), data, ask, &put, nullptr))
                fail("Cannot write file", m_path, ::GetLastError());
            if (put == 0)
                fail("Cannot write file", m_path, ERROR_DISK_FULL);
            data += put;
            size -= put;
        }
    }

    HANDLE handle() const { return m_handle.get(); }
    const std::string& path() const { return m_path; }

private:
    Handle m_handle;
    std::string m_path;
};

[[noreturn]] void failTaken(const std::string& path) {
    failText("Cannot create file", path,
             "a file of that name appeared while the join ran; it is kept unchanged");
}

bool setDeleteOnClose(HANDLE handle, bool remove) {
    // Its one member was renamed by windows.h's DeleteFile macro, so it is set by position.
    FILE_DISPOSITION_INFO disposition{static_cast<BOOLEAN>(remove)};
    return ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                        sizeof disposition) != 0;
}

// The join's result: a hidden file beside the destination, marked to be deleted when its
// handle closes, so that a failure, a stop or even a killed program leaves nothing behind.
// Commit clears the mark and renames the file by its handle; without replace, a file that took
// the name meanwhile is kept.
class WindowsResultFile final : public ResultFile {
public:
    WindowsResultFile(HANDLE handle, std::string path, std::wstring target, bool replace)
        : m_stream(handle, path), m_path(std::move(path)), m_target(std::move(target)),
          m_replace(replace) {}

    TextStream& stream() override { return m_stream; }

    // A handle of its own on the same file, so that reading back leaves the writing where it is.
    std::unique_ptr<TextStream> ReadBack(FileLength offset) override {
        Handle reader(::ReOpenFile(m_stream.handle(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   FILE_FLAG_SEQUENTIAL_SCAN));
        LARGE_INTEGER at{};
        at.QuadPart = offset;
        if (!reader.valid() || !::SetFilePointerEx(reader.get(), at, nullptr, FILE_BEGIN))
            return nullptr;
        return std::make_unique<WindowsTextStream>(reader.release(), m_path);
    }

    void Commit() override {
        const HANDLE handle = m_stream.handle();
        if (!::FlushFileBuffers(handle))
            fail("Cannot write file", m_path, ::GetLastError());
        FILE_BASIC_INFO basic{};
        basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        if (!::SetFileInformationByHandle(handle, FileBasicInfo, &basic, sizeof basic) ||
            !setDeleteOnClose(handle, false))
            fail("Cannot create file", m_path, ::GetLastError());
        // The rename takes the name in the system's own form: "\??\" where the long form has
        // "\\?\".
        const std::wstring name = L"\\??\\" + m_target.substr(4);
        const std::size_t nameBytes = name.size() * sizeof(wchar_t);
        std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
        auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
        rename->ReplaceIfExists = m_replace ? TRUE : FALSE;
        rename->RootDirectory = nullptr;
        rename->FileNameLength = static_cast<DWORD>(nameBytes);
        std::memcpy(rename->FileName, name.data(), nameBytes);
        if (!::SetFileInformationByHandle(handle, FileRenameInfo, rename,
                                          static_cast<DWORD>(buffer.size()))) {
            const DWORD error = ::GetLastError();
            setDeleteOnClose(handle, true);
            if (!m_replace && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS))
                failTaken(m_path);
            fail("Cannot create file", m_path, error);
        }
        m_stream.Close();
    }

private:
    WindowsTextStream m_stream;
    std::string m_path;
    std::wstring m_target;
    bool m_replace;
};

class WindowsFileLock final : public FileLock {
public:
    explicit WindowsFileLock(HANDLE handle) : m_handle(handle) {}

private:
    Handle m_handle;
};

// The lock takes one byte far beyond any file's end: Windows' locks keep others from the bytes
// they cover, and a split's lock must let everyone read the source.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;
constexpr DWORD kLockOffsetLow = 0xFFFFFFF0;

// What a walk over a folder's tree meets, deepest entries first, the folder itself last.
struct TreeEntry {
    std::wstring path;
    std::string name; // as the user would write it
    DWORD attributes;
};

void listTree(const std::wstring& folder, const std::string& shown, std::vector<TreeEntry>& out) {
    WIN32_FIND_DATAW data{};
    Handle search;
    const HANDLE found = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                            FindExSearchNameMatch, nullptr, 0);
    if (found == INVALID_HANDLE_VALUE)
        fail("Cannot list folder", shown, ::GetLastError());
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        TreeEntry entry{folder + L"\\" + name, shown + kPathSeparator + toUtf8(name),
                        data.dwFileAttributes};
        // A link to a folder is removed as the link, never followed into.
        if ((entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
            listTree(entry.path, entry.name, out);
        out.push_back(std::move(entry));
    } while (::FindNextFileW(found, &data));
    const DWORD error = ::GetLastError();
    ::FindClose(found);
    if (error != ERROR_NO_MORE_FILES)
        fail("Cannot list folder", shown, error);
}

struct FileId {
    DWORD volume = 0;
    DWORD high = 0;
    DWORD low = 0;
    bool operator==(const FileId&) const = default;
};

std::optional<FileId> idOf(const std::string& path) {
    const Handle file(::CreateFileW(longPath("", path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || !::GetFileInformationByHandle(file.get(), &info))
        return std::nullopt;
    return FileId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// The path with every link and short name resolved, in lower case; empty when it is not there.
std::wstring finalPathOf(const std::string& path) {
    const Handle file(::CreateFileW(longPath("", path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid())
        return {};
    std::wstring final(32768, L'\0');
    const DWORD size =
        ::GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()), 0);
    if (size == 0 || size >= final.size())
        return {};
    final.resize(size);
    ::CharLowerBuffW(final.data(), size);
    return final;
}

} // namespace

WindowsFileSystem::WindowsFileSystem() = default;
WindowsFileSystem::~WindowsFileSystem() = default;

std::string WindowsFileSystem::deviceName(const std::string& path) {
    static constexpr std::array<std::string_view, 6> kNames = {"CON", "PRN",    "AUX",
                                                               "NUL", "CONIN$", "CONOUT$"};
    std::size_t start = path.rfind("\\\\?\\", 0) == 0 ? 4 : 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of(kPathSeparators, start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        // Windows looks at the part before the first dot, without trailing blanks.
        std::string stem = part.substr(0, part.find('.'));
        stem.erase(stem.find_last_not_of(' ') + 1);
        const bool numbered =
            (stem.size() == 4 || (stem.size() == 5 && stem[3] == '\xC2')) &&
            (equalsAscii(stem.substr(0, 3), "COM") || equalsAscii(stem.substr(0, 3), "LPT"));
        const std::string_view digit = numbered ? std::string_view(stem).substr(3) : "";
        const bool numberOk = (digit.size() == 1 && digit[0] >= '1' && digit[0] <= '9') ||
                              digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3";
        if ((numbered && numberOk) ||
            std::any_of(kNames.begin(), kNames.end(),
                        [&](std::string_view name) { return equalsAscii(stem, name); }))
            return part;
        start = end + 1;
    }
    return {};
}

bool WindowsFileSystem::FileExists(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool WindowsFileSystem::FolderExists(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> WindowsFileSystem::ListFiles(const std::string& folder) {
    const std::wstring pattern = longPath("Cannot list folder", folder) + L"\\*";
    WIN32_FIND_DATAW data{};
    const HANDLE found =
        ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                           FIND_FIRST_EX_LARGE_FETCH);
    if (found == INVALID_HANDLE_VALUE)
        fail("Cannot list folder", folder, ::GetLastError());
    std::vector<std::string> names;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(toUtf8(data.cFileName));
    } while (::FindNextFileW(found, &data));
    const DWORD error = ::GetLastError();
    ::FindClose(found);
    if (error != ERROR_NO_MORE_FILES)
        fail("Cannot list folder", folder, error);
    return names;
}

void WindowsFileSystem::CreateFolder(const std::string& path) {
    if (!::CreateDirectoryW(longPath("Cannot create folder", path).c_str(), nullptr))
        fail("Cannot create folder", path, ::GetLastError());
}

void WindowsFileSystem::DeleteFolder(const std::string& path, bool force) {
    const std::wstring root = longPath("Cannot delete folder", path);
    if (!FolderExists(path))
        fail("Cannot delete folder", path, ERROR_PATH_NOT_FOUND);
    std::vector<TreeEntry> entries;
    listTree(root, path, entries);
    // Looked over first, so that a deletion that would stop half-way deletes nothing.
    if (!force)
        for (const TreeEntry& entry : entries)
            if ((entry.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) ==
                FILE_ATTRIBUTE_READONLY)
                failText("Cannot delete folder", path,
                         "the file " + entry.name + " is read-only; nothing was deleted");
    entries.push_back({root, path, FILE_ATTRIBUTE_DIRECTORY});
    for (const TreeEntry& entry : entries) {
        if ((entry.attributes & FILE_ATTRIBUTE_READONLY) != 0)
            ::SetFileAttributesW(entry.path.c_str(),
                                 entry.attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
        const bool folder = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (!(folder ? ::RemoveDirectoryW(entry.path.c_str()) : ::DeleteFileW(entry.path.c_str())))
            fail("Cannot delete folder", path, ::GetLastError());
    }
}

std::string WindowsFileSystem::GetParentFolderName(const std::string& path) {
    const std::size_t end = path.find_last_not_of(kPathSeparators);
    if (end == std::string::npos)
        return {};
    const std::size_t separator = path.find_last_of(kPathSeparators, end);
    if (separator == std::string::npos)
        return {};
    const std::size_t parentEnd = path.find_last_not_of(kPathSeparators, separator);
    // A file in a root keeps the root with its separator: "\", "C:\".
    if (parentEnd == std::string::npos || path[parentEnd] == ':')
        return path.substr(0, separator + 1);
    return path.substr(0, parentEnd + 1);
}

std::string WindowsFileSystem::GetFileName(const std::string& path) {
    const std::size_t end = path.find_last_not_of(kPathSeparators);
    if (end == std::string::npos)
        return {};
    const std::size_t separator = path.find_last_of(kPathSeparators, end);
    const std::size_t start = separator == std::string::npos ? 0 : separator + 1;
    return path.substr(start, end + 1 - start);
}

std::unique_ptr<TextStream> WindowsFileSystem::OpenTextFile(const std::string& path) {
    const std::wstring name = longPath("Cannot open file", path);
    // Others may go on reading, writing, even deleting the file while it is read, as they may
    // on Linux: a piece open in another program can still be joined.
    Handle file(::CreateFileW(name.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        const DWORD error = ::GetLastError();
        if (FolderExists(path))
            failText("Cannot open file", path, "it is a folder");
        fail("Cannot open file", path, error);
    }
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        failText("Cannot open file", path, kNotRegular);
    return std::make_unique<WindowsTextStream>(file.release(), path);
}

std::unique_ptr<TextStream> WindowsFileSystem::OpenReceivedFile(const std::string& path) {
    // Opened as the link itself where it is one, so that a link put in after a look is found
    // here too and never followed.
    Handle file(::CreateFileW(longPath("Cannot open file", path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid())
        return OpenTextFile(path); // the same failure, told as for any file
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.get(), &info))
        fail("Cannot open file", path, ::GetLastError());
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        throw FileSystemError(linkRefusalText(path));
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        failText("Cannot open file", path, "it is a folder");
    return std::make_unique<WindowsTextStream>(file.release(), path);
}

std::string WindowsFileSystem::FileStamp(const std::string& path) {
    // The file's identity, length and times: a rewrite in place changes the last two.
    const Handle file(::CreateFileW(longPath("", path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{};
    if (!file.valid() || !::GetFileInformationByHandle(file.get(), &info) ||
        !::GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic))
        return {};
    return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) +
           ":" + std::to_string(info.nFileIndexLow) + ":" + std::to_string(info.nFileSizeHigh) +
           ":" + std::to_string(info.nFileSizeLow) + ":" +
           std::to_string(basic.LastWriteTime.QuadPart) + ":" +
           std::to_string(basic.ChangeTime.QuadPart);
}

bool WindowsFileSystem::IsLink(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

void WindowsFileSystem::SyncFile(const std::string& path) {
    if (!m_diskSync)
        return;
    // Flushing needs a handle that may write; others keep every kind of access meanwhile.
    Handle file(::CreateFileW(longPath("Cannot write file", path).c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || !::FlushFileBuffers(file.get()))
        fail("Cannot write file", path, ::GetLastError());
}

void WindowsFileSystem::SyncFolder(const std::string&) {
    // NTFS journals its names, and a folder has no write-back of its own that a program can
    // wait for here: the files' flushes are what is left to the disk.
}

std::unique_ptr<TextStream> WindowsFileSystem::CreateTextFile(const std::string& path,
                                                              bool overwrite) {
    const std::wstring name = longPath("Cannot create file", path);
    Handle file(::CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              overwrite ? CREATE_ALWAYS : CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
    if (!file.valid())
        fail("Cannot create file", path, ::GetLastError());
    return std::make_unique<WindowsTextStream>(file.release(), path);
}

FileLength WindowsFileSystem::FileLen(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(longPath("Cannot get the length of file", path).c_str(),
                                GetFileExInfoStandard, &data))
        fail("Cannot get the length of file", path, ::GetLastError());
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        failText("Cannot get the length of file", path, kNotRegular);
    return static_cast<FileLength>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                   data.nFileSizeLow);
}

void WindowsFileSystem::CopyBytes(TextStream& from, TextStream& to, FileLength count,
                                  const CopyProgress& progress) {
    auto* source = dynamic_cast<WindowsTextStream*>(&from);
    auto* target = dynamic_cast<WindowsTextStream*>(&to);
    if (source == nullptr || target == nullptr)
        throw std::logic_error("CopyBytes needs streams of the same file system");
    if (!m_buffer)
        m_buffer = std::make_unique<char[]>(kBufferSize);
    FileLength copied = 0;
    while (copied < count) {
        const auto ask = static_cast<std::size_t>(
            std::min<FileLength>(count - copied, static_cast<FileLength>(kBufferSize)));
        const std::size_t got = source->readSome(m_buffer.get(), ask);
        if (got == 0)
            failText("Cannot read file", source->path(), "the file ended early");
        target->writeAll(m_buffer.get(), got);
        copied += static_cast<FileLength>(got);
        if (progress)
            progress(copied);
    }
}

std::unique_ptr<ResultFile> WindowsFileSystem::CreateResultFile(const std::string& path,
                                                                bool replace) {
    const std::wstring target = longPath("Cannot create file", path);
    // Checked now rather than when the result is put in place, after the whole copy.
    if (toWide(GetFileName(path)).size() > MAX_PATH - 5)
        fail("Cannot create file", path, ERROR_FILENAME_EXCED_RANGE);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            failText("Cannot create file", path, "it is a folder");
        if (!replace)
            failTaken(path);
        // Windows would refuse to rename over it only after the whole copy.
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
            fail("Cannot create file", path, ERROR_ACCESS_DENIED);
    }
    const std::wstring folder = target.substr(0, target.find_last_of(L'\\'));
    static const wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kLetters) - 2);
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
        std::wstring name = folder + L"\\.carvel-join-";
        for (int i = 0; i < 8; ++i)
            name += kLetters[pick(random)];
        Handle file(::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                  FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        error = ::GetLastError();
        if (!file.valid())
            continue;
        // Marked before the first byte: from here on nothing can leave the file behind.
        if (!setDeleteOnClose(file.get(), true)) {
            error = ::GetLastError();
            file.reset();
            ::DeleteFileW(name.c_str());
            break;
        }
        return std::make_unique<WindowsResultFile>(file.release(), path, target, replace);
    }
    fail("Cannot create file", path, error);
}

void WindowsFileSystem::MoveFile(const std::string& from, const std::string& to) {
    const std::string what = "Cannot rename file " + from + " to";
    if (!::MoveFileExW(longPath(what, from).c_str(), longPath(what, to).c_str(),
                       MOVEFILE_REPLACE_EXISTING))
        fail(what, to, ::GetLastError());
}

void WindowsFileSystem::DeleteFile(const std::string& path) {
    if (!::DeleteFileW(longPath("Cannot delete file", path).c_str()))
        fail("Cannot delete file", path, ::GetLastError());
}

bool WindowsFileSystem::SameFile(const std::string& a, const std::string& b) {
    const auto first = idOf(a);
    return first && first == idOf(b);
}

bool WindowsFileSystem::IsWithin(const std::string& path, const std::string& folder) {
    const std::wstring file = finalPathOf(path);
    std::wstring inside = finalPathOf(folder);
    if (file.empty() || inside.empty())
        return false;
    if (!isSeparator(inside.back()))
        inside += L'\\';
    return file.size() > inside.size() && file.compare(0, inside.size(), inside) == 0;
}

std::unique_ptr<FileLock> WindowsFileSystem::LockFile(const std::string& path) {
    Handle file(::CreateFileW(longPath("Cannot open file", path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr));
    if (!file.valid())
        fail("Cannot open file", path, ::GetLastError());
    OVERLAPPED where{};
    where.Offset = kLockOffsetLow;
    where.OffsetHigh = kLockOffsetHigh;
    if (!::LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                      &where)) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
            return nullptr;
        // A file system without locks: the work goes on unguarded, as it does on Linux.
        if (error != ERROR_NOT_SUPPORTED && error != ERROR_INVALID_FUNCTION)
            fail("Cannot lock file", path, error);
    }
    return std::make_unique<WindowsFileLock>(file.release());
}

FileSystem& fileSystem() {
    static WindowsFileSystem service;
    return service;
}

} // namespace carvel
