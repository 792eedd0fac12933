#include "PosixFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace carvel {

namespace {

// The read/write loop moves this much per system call: as coreutils' ioblksize.h measured, gains
// stop well below this size, and it keeps the program's memory small whatever the piece size.
constexpr std::size_t kBufferSize = 256 * 1024;

// The kernel copy is asked for this much at a time, so that long copies report progress (and
// the window repaints) within a second or so even on slow media; a call per 8 MiB costs nothing.
constexpr FileLength kKernelChunk = 8 * 1024 * 1024;

[[noreturn]] void fail(const std::string& what, const std::string& path, int error) {
    throw FileSystemError(what + " " + path + ": " + std::strerror(error));
}

[[noreturn]] void failText(const std::string& what, const std::string& path,
                           const std::string& reason) {
    throw FileSystemError(what + " " + path + ": " + reason);
}

// A plain binary file descriptor: bytes pass through unchanged.
class PosixTextStream final : public TextStream {
public:
    PosixTextStream(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    ~PosixTextStream() override {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    PosixTextStream(const PosixTextStream&) = delete;
    PosixTextStream& operator=(const PosixTextStream&) = delete;

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

    void Close() override {
        const int fd = m_fd;
        m_fd = -1;
        // On Linux the descriptor is gone even when close reports EINTR, so it is not retried.
        if (::close(fd) != 0 && errno != EINTR)
            fail("Cannot close file", m_path, errno);
    }

    // Up to size bytes, 0 at the end of the file.
    std::size_t readSome(char* data, std::size_t size) {
        for (;;) {
            const ssize_t got = ::read(m_fd, data, size);
            if (got >= 0)
                return static_cast<std::size_t>(got);
            if (errno != EINTR)
                fail("Cannot read file", m_path, errno);
        }
    }

    // Loops over short writes; a write that takes nothing means the disk is full.
    void writeAll(const char* data, std::size_t size) {
        while (size > 0) {
            const ssize_t put = ::write(m_fd, data, size);
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                fail("Cannot write file", m_path, errno);
            }
            if (put == 0)
                fail("Cannot write file", m_path, ENOSPC);
            data += put;
            size -= static_cast<std::size_t>(put);
        }
    }

    int fd() const { return m_fd; }
    const std::string& path() const { return m_path; }

private:
    int m_fd;
    std::string m_path;
};

bool statPath(const std::string& path, struct stat& info) {
    return ::stat(path.c_str(), &info) == 0;
}

// Errors of the kernel copy that mean "not offered here", after which the plain loop may take
// over as long as nothing was copied yet.
bool kernelCopyUnsupported(int error) {
    return error == ENOSYS || error == EXDEV || error == EINVAL || error == EOPNOTSUPP;
}

// Errors of a copy that belong to the file written rather than the file read.
bool isWriteSideError(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

} // namespace

PosixFileSystem::PosixFileSystem() = default;
PosixFileSystem::~PosixFileSystem() = default;

bool PosixFileSystem::FileExists(const std::string& path) {
    struct stat info {};
    return statPath(path, info) && !S_ISDIR(info.st_mode);
}

bool PosixFileSystem::FolderExists(const std::string& path) {
    struct stat info {};
    return statPath(path, info) && S_ISDIR(info.st_mode);
}

std::vector<std::string> PosixFileSystem::ListFiles(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        fail("Cannot list folder", folder, errno);
    std::vector<std::string> names;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr)
            break;
        const std::string name = entry->d_name;
        if (entry->d_type == DT_DIR)
            continue;
        // A link or an entry of unknown kind counts as the file it reaches, as FileExists does.
        struct stat info {};
        if (entry->d_type != DT_REG &&
            (::fstatat(::dirfd(dir), name.c_str(), &info, 0) != 0 || S_ISDIR(info.st_mode)))
            continue;
        names.push_back(name);
    }
    const int error = errno;
    ::closedir(dir);
    if (error != 0)
        fail("Cannot list folder", folder, error);
    return names;
}

void PosixFileSystem::CreateFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0)
        fail("Cannot create folder", path, errno);
}

void PosixFileSystem::DeleteFolder(const std::string& path, bool force) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!FolderExists(path))
        fail("Cannot delete folder", path, ENOENT);
    if (!force) {
        // A read-only file stops the deletion before anything is removed.
        for (fs::recursive_directory_iterator it(path, error), end; !error && it != end;
             it.increment(error)) {
            struct stat info {};
            if (::lstat(it->path().c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                (info.st_mode & S_IWUSR) == 0)
                failText("Cannot delete folder", path,
                         "the file " + it->path().string() + " is read-only");
        }
        if (error)
            failText("Cannot delete folder", path, error.message());
    }
    fs::remove_all(path, error);
    if (error)
        failText("Cannot delete folder", path, error.message());
}

std::string PosixFileSystem::GetParentFolderName(const std::string& path) {
    std::size_t end = path.find_last_not_of('/');
    if (end == std::string::npos)
        return {};
    const std::size_t separator = path.rfind('/', end);
    if (separator == std::string::npos)
        return {};
    const std::size_t parentEnd = path.find_last_not_of('/', separator);
    // A file in the root keeps the root with its separator.
    if (parentEnd == std::string::npos)
        return "/";
    return path.substr(0, parentEnd + 1);
}

std::string PosixFileSystem::GetFileName(const std::string& path) {
    const std::size_t end = path.find_last_not_of('/');
    if (end == std::string::npos)
        return {};
    const std::size_t separator = path.rfind('/', end);
    const std::size_t start = separator == std::string::npos ? 0 : separator + 1;
    return path.substr(start, end + 1 - start);
}

std::unique_ptr<TextStream> PosixFileSystem::OpenTextFile(const std::string& path) {
    // Without blocking, so that a pipe named like a piece cannot hang the program in open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        fail("Cannot open file", path, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        fail("Cannot open file", path, error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        if (S_ISDIR(info.st_mode))
            fail("Cannot open file", path, EISDIR);
        failText("Cannot open file", path, "it is not a regular file");
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return std::make_unique<PosixTextStream>(fd, path);
}

std::unique_ptr<TextStream> PosixFileSystem::CreateTextFile(const std::string& path,
                                                            bool overwrite) {
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (overwrite ? 0 : O_EXCL);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0)
        fail("Cannot create file", path, errno);
    return std::make_unique<PosixTextStream>(fd, path);
}

FileLength PosixFileSystem::FileLen(const std::string& path) {
    struct stat info {};
    if (!statPath(path, info))
        fail("Cannot get the length of file", path, errno);
    return static_cast<FileLength>(info.st_size);
}

void PosixFileSystem::CopyBytes(TextStream& from, TextStream& to, FileLength count,
                                const CopyProgress& progress) {
    auto* source = dynamic_cast<PosixTextStream*>(&from);
    auto* target = dynamic_cast<PosixTextStream*>(&to);
    if (source == nullptr || target == nullptr)
        throw std::logic_error("CopyBytes needs streams of the same file system");

    FileLength copied = 0;
    bool kernel = m_kernelCopy;
    while (kernel && copied < count) {
        const auto ask = static_cast<std::size_t>(std::min(count - copied, kKernelChunk));
        const ssize_t put = ::copy_file_range(source->fd(), nullptr, target->fd(), nullptr, ask, 0);
        if (put < 0) {
            const int error = errno;
            if (error == EINTR)
                continue;
            if (copied == 0 && kernelCopyUnsupported(error)) {
                kernel = false;
                break;
            }
            if (isWriteSideError(error))
                fail("Cannot write file", target->path(), error);
            failText("Cannot copy from " + source->path() + " to", target->path(),
                     std::strerror(error));
        }
        // Nothing copied: the end of the file, or a file system whose kernel copy cannot tell
        // (some report 0 for files they cannot copy). The read/write loop tells which.
        if (put == 0)
            break;
        copied += put;
        if (progress)
            progress(copied);
    }
    if (copied == count)
        return;

    if (!m_buffer)
        m_buffer = std::make_unique<char[]>(kBufferSize);
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

std::unique_ptr<TextStream> PosixFileSystem::CreateTempFileBeside(const std::string& path,
                                                                  std::string& tempPath) {
    // The file the new one will replace: it must be one that creating it anew could replace,
    // and the new file keeps its owner and permissions.
    struct stat existing {};
    const bool replaces = statPath(path, existing);
    if (replaces) {
        if (S_ISDIR(existing.st_mode))
            fail("Cannot create file", path, EISDIR);
        if (!S_ISREG(existing.st_mode))
            failText("Cannot create file", path, "it is not a regular file");
        if (::access(path.c_str(), W_OK) != 0)
            fail("Cannot create file", path, errno);
    }
    // A bare name has no folder: the temporary file goes into the current one.
    const std::string folder = GetParentFolderName(path);
    const std::string prefix = folder.empty()         ? std::string("./")
                               : folder.back() == '/' ? folder
                                                      : folder + "/";
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix + ".carvel-join-";
        for (int i = 0; i < 8; ++i)
            name += kLetters[pick(random)];
        // 0666 less the umask, as a new file would have got had it been created under its name.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (replaces) {
                // Best effort: only the content is the join's promise. Set-id bits are not
                // carried over to content that is new.
                [[maybe_unused]] const int owner = ::fchown(fd, existing.st_uid, existing.st_gid);
                [[maybe_unused]] const int mode = ::fchmod(fd, existing.st_mode & 0777);
            }
            tempPath = name;
            return std::make_unique<PosixTextStream>(fd, name);
        }
        if (errno != EEXIST)
            fail("Cannot create a temporary file in folder", folder, errno);
    }
    fail("Cannot create a temporary file in folder", folder, EEXIST);
}

void PosixFileSystem::MoveFile(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0)
        fail("Cannot rename file " + from + " to", to, errno);
}

void PosixFileSystem::DeleteFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0)
        fail("Cannot delete file", path, errno);
}

bool PosixFileSystem::SameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    return statPath(a, first) && statPath(b, second) && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

std::string PosixFileSystem::FinalPath(const std::string& path) {
    std::string current = path;
    // As many links in a row as Linux itself follows before it gives up with ELOOP.
    for (int links = 0; links < 40; ++links) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::error_code error;
        const std::string target = std::filesystem::read_symlink(current, error).string();
        if (error)
            failText("Cannot read link", current, error.message());
        // A relative target is relative to the folder that holds the link.
        const std::string folder = GetParentFolderName(current);
        if (target.rfind('/', 0) == 0 || folder.empty())
            current = target;
        else
            current = folder.back() == '/' ? folder + target : folder + "/" + target;
    }
    fail("Cannot follow link", path, ELOOP);
}

FileSystem& fileSystem() {
    static PosixFileSystem service;
    return service;
}

} // namespace carvel
