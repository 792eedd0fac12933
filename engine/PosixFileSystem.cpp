#include "PosixFileSystem.h"

#include "UnfinishedFiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <linux/fs.h>
#include <linux/magic.h>
#include <random>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
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

// Waits until the file's bytes, and what reading them back needs (its length, its blocks), are on
// the disk. The file's name is its folder's to keep.
void syncDescriptor(int fd, const std::string& path) {
    while (::fdatasync(fd) != 0) {
        if (errno != EINTR)
            failText("Cannot write file " + path, "to the disk", std::strerror(errno));
    }
}

// A plain binary file descriptor: bytes pass through unchanged.
class PosixTextStream final : public TextStream {
public:
    PosixTextStream(int fd, std::string path, bool diskSync = true)
        : m_fd(fd), m_path(std::move(path)), m_diskSync(diskSync) {}
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

    // A hint: the write-back runs while the caller goes on, and errors show at the Sync.
    void StartSync() override {
        if (m_diskSync)
            ::sync_file_range(m_fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    }

    void Sync() override {
        if (m_diskSync)
            syncDescriptor(m_fd, m_path);
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
    bool m_diskSync;
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

// Files of /proc and /sys are regular files whose length (0, or a page) says nothing of what
// reading them gives.
bool onPseudoFileSystem(const std::string& path) {
    struct statfs info {};
    return ::statfs(path.c_str(), &info) == 0 &&
           (info.f_type == PROC_SUPER_MAGIC || info.f_type == SYSFS_MAGIC);
}

constexpr const char* kNotRegular = "it is not a regular file";

// The folder a path's file is in, for the calls that need one: "." for a bare name.
std::string folderOf(PosixFileSystem& fs, const std::string& path) {
    const std::string folder = fs.GetParentFolderName(path);
    return folder.empty() ? std::string(".") : folder;
}

// The first free name of the form folder/.carvel-join-XXXXXXXX (eight letters or digits) that
// take manages to create; empty, with errno set, when none could be.
std::string freeName(const std::string& folder,
                     const std::function<bool(const std::string&)>& take) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    const std::string prefix = folder.back() == '/' ? folder : folder + "/";
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        std::string name = prefix + ".carvel-join-";
        for (int i = 0; i < 8; ++i)
            name += kLetters[pick(random)];
        if (take(name))
            return name;
        error = errno;
    }
    errno = error;
    return {};
}

[[noreturn]] void failTaken(const std::string& path) {
    failText("Cannot create file", path,
             "a file of that name appeared while the join ran; it is kept unchanged");
}

// The join's result. Where the file system offers it, a file without a name (O_TMPFILE), which
// a killed program cannot leave behind, linked in under its name once complete; elsewhere a
// hidden named file beside the destination, removed on failure and listed so that a program
// ended by a signal removes it too; where neither can be made or would change the owner of the
// file replaced, the destination itself, written as a plain create would.
class PosixResultFile final : public ResultFile {
public:
    enum class Kind { Unnamed, Named, InPlace };

    PosixResultFile(int fd, Kind kind, std::string path, std::string tempPath, bool replace)
        : m_stream(fd, path), m_kind(kind), m_path(std::move(path)),
          m_tempPath(std::move(tempPath)), m_replace(replace) {}
    ~PosixResultFile() override { forgetName(true); }
    PosixResultFile(const PosixResultFile&) = delete;
    PosixResultFile& operator=(const PosixResultFile&) = delete;

    TextStream& stream() override { return m_stream; }

    std::unique_ptr<TextStream> ReadBack(FileLength offset) override {
        const std::string self = "/proc/self/fd/" + std::to_string(m_stream.fd());
        int fd = ::open(self.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 && m_kind != Kind::Unnamed)
            fd =
                ::open((m_kind == Kind::Named ? m_tempPath : m_path).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return nullptr;
        if (::lseek(fd, offset, SEEK_SET) != offset) {
            const int error = errno;
            ::close(fd);
            fail("Cannot read file", m_path, error);
        }
        return std::make_unique<PosixTextStream>(fd, m_path);
    }

    bool InPlace() const override { return m_kind == Kind::InPlace; }

    void Commit() override {
        if (m_kind == Kind::InPlace) {
            // Opened without truncating, so that it stayed whole until the first write; what
            // is left of the old content past the new end goes now.
            const off_t end = ::lseek(m_stream.fd(), 0, SEEK_CUR);
            if (end < 0 || ::ftruncate(m_stream.fd(), end) != 0)
                fail("Cannot write file", m_path, errno);
            m_stream.Close();
            return;
        }
        const std::string self = "/proc/self/fd/" + std::to_string(m_stream.fd());
        if (m_kind == Kind::Unnamed && !m_replace) {
            // linkat never replaces: a file that took the name meanwhile stays.
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, m_path.c_str(), AT_SYMLINK_FOLLOW) !=
                0) {
                if (errno == EEXIST)
                    failTaken(m_path);
                fail("Cannot create file", m_path, errno);
            }
            try {
                m_stream.Close();
            } catch (...) {
                ::unlink(m_path.c_str());
                throw;
            }
            return;
        }
        if (m_kind == Kind::Unnamed) {
            // Replacing takes a name of its own first, then one rename over the old file.
            const std::string folder = m_path.substr(0, m_path.rfind('/') + 1);
            m_tempPath = freeName(folder.empty() ? "." : folder, [&](const std::string& name) {
                return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(),
                                AT_SYMLINK_FOLLOW) == 0;
            });
            if (m_tempPath.empty())
                fail("Cannot create a temporary file in folder", folder, errno);
            UnfinishedFiles::add(m_tempPath);
            m_kind = Kind::Named;
        }
        m_stream.Close();
        if (m_replace) {
            if (::rename(m_tempPath.c_str(), m_path.c_str()) != 0)
                fail("Cannot rename file " + m_tempPath + " to", m_path, errno);
        } else {
            placeWithoutReplacing();
        }
        forgetName(false);
    }

private:
    void placeWithoutReplacing() {
        if (::renameat2(AT_FDCWD, m_tempPath.c_str(), AT_FDCWD, m_path.c_str(), RENAME_NOREPLACE) ==
            0)
            return;
        if (errno == EEXIST)
            failTaken(m_path);
        if (errno != EINVAL && errno != ENOSYS)
            fail("Cannot rename file " + m_tempPath + " to", m_path, errno);
        // A file system without the flag: a second link never replaces either, and the
        // hidden name then goes.
        if (::link(m_tempPath.c_str(), m_path.c_str()) == 0) {
            ::unlink(m_tempPath.c_str());
            return;
        }
        if (errno == EEXIST)
            failTaken(m_path);
        // Nor links: the name is looked at last thing before the rename.
        struct stat info {};
        if (::lstat(m_path.c_str(), &info) == 0)
            failTaken(m_path);
        if (::rename(m_tempPath.c_str(), m_path.c_str()) != 0)
            fail("Cannot rename file " + m_tempPath + " to", m_path, errno);
    }

    // The named temporary file is no longer ours to remove; with remove, it is removed first.
    void forgetName(bool remove) {
        if (m_kind != Kind::Named || m_tempPath.empty())
            return;
        if (remove)
            ::unlink(m_tempPath.c_str());
        UnfinishedFiles::remove(m_tempPath);
        m_tempPath.clear();
    }

    PosixTextStream m_stream;
    Kind m_kind;
    std::string m_path;
    std::string m_tempPath;
    bool m_replace;
};

class PosixFileLock final : public FileLock {
public:
    explicit PosixFileLock(int fd) : m_fd(fd) {}
    ~PosixFileLock() override {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    PosixFileLock(const PosixFileLock&) = delete;
    PosixFileLock& operator=(const PosixFileLock&) = delete;

private:
    int m_fd;
};

// Flags that keep a file, or the entries of a folder, from being deleted even by root.
bool cannotBeDeleted(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false; // a link, a socket: nothing to tell, the deletion will say
    int flags = 0;
    const bool got = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    ::close(fd);
    return got && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0;
}

// Why the entry of folder cannot be removed from it, or empty when nothing says it cannot.
std::string whyUndeletable(const std::string& folder, const std::string& entry) {
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return "the folder " + folder + " may not be emptied: " + std::strerror(errno);
    if (cannotBeDeleted(folder))
        return "the folder " + folder + " is immutable or append-only";
    if (cannotBeDeleted(entry))
        return entry + " is immutable or append-only";
    struct stat folderInfo {
    }, info{};
    const uid_t me = ::geteuid();
    // In a sticky folder (such as /tmp) only the owner of an entry or of the folder removes it.
    if (me != 0 && ::stat(folder.c_str(), &folderInfo) == 0 && (folderInfo.st_mode & S_ISVTX) &&
        ::lstat(entry.c_str(), &info) == 0 && info.st_uid != me && folderInfo.st_uid != me)
        return entry + " belongs to another user in a sticky folder";
    return {};
}

// The type that the mount holding path gives in /proc/self/mountinfo ("fuse.fusefat"), empty
// when it cannot be told.
std::string fuseType(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    std::FILE* mounts = std::fopen("/proc/self/mountinfo", "re");
    if (mounts == nullptr)
        return {};
    std::string type;
    char line[4096];
    while (std::fgets(line, sizeof line, mounts) != nullptr) {
        // id parent major:minor root point options... - type source options
        unsigned major = 0, minor = 0;
        const char* dash = std::strstr(line, " - ");
        char found[256] = "";
        if (std::sscanf(line, "%*u %*u %u:%u", &major, &minor) == 2 && dash != nullptr &&
            std::sscanf(dash + 3, "%255s", found) == 1 && major == major(info.st_dev) &&
            minor == minor(info.st_dev))
            type = found;
    }
    std::fclose(mounts);
    return type;
}

} // namespace

PosixFileSystem::PosixFileSystem() {
    // A write beyond the file-size limit (ulimit -f) then fails with EFBIG and is reported as
    // any write error is, instead of the signal ending the program in the middle of its work.
    std::signal(SIGXFSZ, SIG_IGN);
}
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
    // Looked over first, so that a deletion that would stop half-way deletes nothing and the old
    // set stays whole: a read-only file (without force), an immutable file, a folder that may
    // not be emptied.
    const auto refuse = [&](const std::string& reason) {
        failText("Cannot delete folder", path, reason + "; nothing was deleted");
    };
    std::string why = whyUndeletable(folderOf(*this, path), path);
    for (fs::recursive_directory_iterator it(path, error), end; why.empty() && !error && it != end;
         it.increment(error)) {
        const std::string entry = it->path().string();
        why = whyUndeletable(it->path().parent_path().string(), entry);
        struct stat info {};
        if (why.empty() && !force && ::lstat(entry.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            (info.st_mode & S_IWUSR) == 0)
            why = "the file " + entry + " is read-only";
    }
    if (!why.empty())
        refuse(why);
    if (error)
        failText("Cannot delete folder", path, error.message());
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

namespace {

// Without blocking, so that a pipe named like a piece cannot hang the program in open.
std::unique_ptr<TextStream> openForReading(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | flags);
    if (fd < 0 && errno == ELOOP && (flags & O_NOFOLLOW) != 0)
        throw FileSystemError(linkRefusalText(path));
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
        failText("Cannot open file", path, kNotRegular);
    }
    if (onPseudoFileSystem(path)) {
        ::close(fd);
        failText("Cannot open file", path, kNotRegular);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return std::make_unique<PosixTextStream>(fd, path);
}

} // namespace

std::unique_ptr<TextStream> PosixFileSystem::OpenTextFile(const std::string& path) {
    return openForReading(path, 0);
}

std::unique_ptr<TextStream> PosixFileSystem::OpenReceivedFile(const std::string& path) {
    return openForReading(path, O_NOFOLLOW);
}

bool PosixFileSystem::IsLink(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

std::unique_ptr<TextStream> PosixFileSystem::CreateTextFile(const std::string& path,
                                                            bool overwrite) {
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (overwrite ? 0 : O_EXCL);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0)
        fail("Cannot create file", path, errno);
    return std::make_unique<PosixTextStream>(fd, path, m_diskSync);
}

FileLength PosixFileSystem::FileLen(const std::string& path) {
    struct stat info {};
    if (!statPath(path, info))
        fail("Cannot get the length of file", path, errno);
    if (!S_ISREG(info.st_mode) || onPseudoFileSystem(path))
        failText("Cannot get the length of file", path, kNotRegular);
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

std::unique_ptr<ResultFile> PosixFileSystem::CreateResultFile(const std::string& path,
                                                              bool replace) {
    using Kind = PosixResultFile::Kind;
    const std::string folder = folderOf(*this, path);
    // Checked now rather than when the result is put in place, after the whole copy.
    const long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (GetFileName(path).size() > static_cast<std::size_t>(nameMax > 0 ? nameMax : NAME_MAX))
        fail("Cannot create file", path, ENAMETOOLONG);
    // The file replaced must be one that creating it anew could replace.
    struct stat existing {};
    const bool exists = ::lstat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        fail("Cannot create file", path, EISDIR);
    if (exists && !replace)
        failTaken(path);
    if (exists) {
        if (!S_ISREG(existing.st_mode))
            failText("Cannot create file", path, kNotRegular);
        if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
            fail("Cannot create file", path, errno);
    }

    // 0666 less the umask, as a new file would have got had it been created under its name.
    int fd = -1;
    Kind kind = Kind::Unnamed;
    std::string tempPath;
    if (m_unnamedFiles && ::access("/proc/self/fd", X_OK) == 0)
        fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    int error = fd < 0 && m_unnamedFiles ? errno : EOPNOTSUPP;
    if (fd < 0 && (error == EOPNOTSUPP || error == EISDIR || error == EINVAL)) {
        kind = Kind::Named;
        tempPath = freeName(folder, [&](const std::string& name) {
            fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            return fd >= 0;
        });
        error = errno;
        if (!tempPath.empty())
            UnfinishedFiles::add(tempPath);
    }
    // The replaced file keeps its owner and group, or it is written in place: a file that
    // changed hands, or a join that copied everything and then may not rename over another
    // user's file in a sticky folder, would both be worse. Set-id bits are not carried over.
    if (fd >= 0 && exists &&
        (::fchown(fd, existing.st_uid, existing.st_gid) != 0 ||
         ::fchmod(fd, existing.st_mode & 0777) != 0)) {
        ::close(fd);
        if (!tempPath.empty()) {
            ::unlink(tempPath.c_str());
            UnfinishedFiles::remove(tempPath);
            tempPath.clear();
        }
        fd = -1;
        error = EPERM;
    }
    // No file can be made in the folder, but the destination itself may be written.
    if (fd < 0 && exists && (error == EACCES || error == EPERM)) {
        kind = Kind::InPlace;
        fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
        error = errno;
    }
    if (fd < 0)
        fail("Cannot create file", path, error);
    return std::make_unique<PosixResultFile>(fd, kind, path, tempPath, replace);
}

void PosixFileSystem::SyncFile(const std::string& path) {
    if (!m_diskSync)
        return;
    // Reading is enough to sync, and does not change the file's times; a file that may only be
    // written is opened for writing, as coreutils' sync does.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == EACCES)
        fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        fail("Cannot open file", path, errno);
    try {
        syncDescriptor(fd, path);
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
}

void PosixFileSystem::SyncFolder(const std::string& path) {
    if (!m_diskSync)
        return;
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        fail("Cannot open folder", path, errno);
    int error = 0;
    while (::fsync(fd) != 0 && (error = errno) == EINTR)
        error = 0;
    ::close(fd);
    // A file system that cannot sync a folder keeps no entries of its own to sync: the files'
    // syncs carried their names.
    if (error != 0 && error != EINVAL && error != EOPNOTSUPP)
        failText("Cannot write folder " + path, "to the disk", std::strerror(error));
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

bool PosixFileSystem::IsWithin(const std::string& path, const std::string& folder) {
    const auto resolved = [](const std::string& name) {
        std::unique_ptr<char, decltype(&std::free)> real(::realpath(name.c_str(), nullptr),
                                                         &std::free);
        return real ? std::string(real.get()) : std::string();
    };
    const std::string file = resolved(path);
    std::string inside = resolved(folder);
    if (file.empty() || inside.empty())
        return false;
    if (inside.back() != '/')
        inside += '/';
    return file.size() > inside.size() && file.compare(0, inside.size(), inside) == 0;
}

std::unique_ptr<FileLock> PosixFileSystem::LockFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        fail("Cannot open file", path, errno);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error == EWOULDBLOCK) {
            ::close(fd);
            return nullptr;
        }
        // A file system without locks: the work goes on unguarded, as it always did.
        if (error == ENOLCK || error == EOPNOTSUPP || error == EINVAL)
            break;
        ::close(fd);
        fail("Cannot lock file", path, error);
    }
    return std::make_unique<PosixFileLock>(fd);
}

std::string PosixFileSystem::FinalPath(const std::string& path) {
    std::string current = path;
    // As many links in a row as Linux itself follows before it gives up with ELOOP.
    for (int links = 0; links < 40; ++links) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        // Followed only where the kernel would follow it for this user (protected_symlinks):
        // a link that another user left in a sticky folder everyone may write to, such as
        // /tmp, would otherwise choose where a file of this user's is made.
        const std::string holder = folderOf(*this, current);
        struct stat sticky {};
        const uid_t me = ::geteuid();
        if (::stat(holder.c_str(), &sticky) == 0 && (sticky.st_mode & S_ISVTX) &&
            (sticky.st_mode & S_IWOTH) && info.st_uid != me && info.st_uid != sticky.st_uid)
            failText("Cannot follow link", current,
                     "it belongs to another user, in a sticky folder that everyone may write to");
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

std::string PosixFileSystem::FileStamp(const std::string& path) {
    struct stat info {};
    if (!statPath(path, info))
        return "gone";
    // The change time moves with every write and cannot be set back, as the modification
    // time can.
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" +
           std::to_string(info.st_size) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec) + ":" + std::to_string(info.st_ctim.tv_sec) + "." +
           std::to_string(info.st_ctim.tv_nsec);
}

FileLength PosixFileSystem::LargestFile(const std::string& folder) {
    constexpr FileLength kFat = 4LL * 1024 * 1024 * 1024 - 1;
    // pathconf's _PC_FILESIZEBITS is no guide: it gives 32 for tmpfs and every FUSE file system.
    struct statfs info {};
    if (::statfs(folder.c_str(), &info) != 0)
        return INT64_MAX;
    if (info.f_type == MSDOS_SUPER_MAGIC)
        return kFat;
    // FAT through FUSE shows only in the type its mount gives itself ("fuse.fusefat").
    if (info.f_type == FUSE_SUPER_MAGIC) {
        const std::string type = fuseType(folder);
        const std::string name = type.substr(type.rfind('.') + 1);
        if (name == "fusefat" || name == "vfat" || name == "msdos" || name == "fat")
            return kFat;
    }
    return INT64_MAX;
}

FileSystem& fileSystem() {
    static PosixFileSystem service;
    return service;
}

} // namespace carvel
