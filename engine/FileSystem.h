#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace carvel {

// Lengths and offsets are 64-bit everywhere, so sources of 2 GiB and more split and join.
using FileLength = std::int64_t;

// A failed file or folder operation. The description names the operation, the path and the
// system's reason: "Cannot create file /a/b/photos.zip.3: No space left on device".
class FileSystemError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Told the bytes copied so far by a long copy, now and then.
using CopyProgress = std::function<void(std::int64_t copied)>;

// One open file, either for reading or for writing, positioned at its next byte. Bytes pass
// through unchanged: no translation, no line ends added, NUL bytes kept.
class TextStream {
public:
    virtual ~TextStream() = default;
    // The next count bytes; callers never ask for more than remain.
    virtual std::string Read(FileLength count) = 0;
    virtual void Write(std::string_view bytes) = 0;
    // Flushes and releases the file; a failure to write back is reported here.
    virtual void Close() = 0;
    // Starts putting what was written so far on the disk and returns at once, so that a later
    // Sync or SyncFile of it finds little left to wait for. It may do nothing.
    virtual void StartSync() {}
    // Returns once what was written so far is on the disk itself, not only in the system's
    // cache: a power cut after it loses none of it. Its name takes SyncFolder of its folder.
    virtual void Sync() = 0;
};

// The file a join builds: written through stream(), put in place under its name by Commit.
// Destroyed before Commit, it is discarded and leaves no file behind; only where it had to be
// written into the existing file itself (no file can be made beside it, or its owner could not
// be kept) does a failure leave that file partly written.
class ResultFile {
public:
    virtual ~ResultFile() = default;
    virtual TextStream& stream() = 0;
    // Closes the file and puts it in place; fails when the name is taken and may not be replaced.
    virtual void Commit() = 0;
    // A stream that reads the result from offset as it was written so far, so that a check sees
    // the bytes that went into it; empty where the result cannot be read.
    virtual std::unique_ptr<TextStream> ReadBack(FileLength offset) {
        (void)offset;
        return nullptr;
    }
    // True when the result is the existing destination itself, left unchanged until the first
    // write: whatever fails after that leaves it partly overwritten.
    virtual bool InPlace() const { return false; }
};

// A lock held for as long as the object lives.
class FileLock {
public:
    virtual ~FileLock() = default;
};

// The file-system service: every file and folder operation of the programs passes through it.
// A failed operation throws FileSystemError naming the operation, the path and the reason.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool FileExists(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // The names of the files in a folder, in no particular order: one look at the folder, where
    // asking for each name in turn would cost a look per piece.
    virtual std::vector<std::string> ListFiles(const std::string& folder) = 0;
    virtual void CreateFolder(const std::string& path) = 0;
    // Deletes the folder and everything in it; without force a read-only file inside stops it.
    // Whatever would stop the deletion is found before anything is deleted.
    virtual void DeleteFolder(const std::string& path, bool force) = 0;
    virtual std::string GetParentFolderName(const std::string& path) = 0;
    virtual std::string GetFileName(const std::string& path) = 0;
    // Opens a regular file for reading, positioned at the first byte.
    virtual std::unique_ptr<TextStream> OpenTextFile(const std::string& path) = 0;
    // Opens a file the program did not write (a piece, a set's checksum file or script) as
    // OpenTextFile does, but never through a symbolic link: a link, even one put in its place
    // after any look at it, fails with linkRefusalText's description.
    virtual std::unique_ptr<TextStream> OpenReceivedFile(const std::string& path) {
        return OpenTextFile(path);
    }
    // True when path names a symbolic link itself, whatever it points to. A file system
    // without links has none.
    virtual bool IsLink(const std::string&) { return false; }
    // Creates an empty file for writing; with overwrite an existing file is replaced.
    virtual std::unique_ptr<TextStream> CreateTextFile(const std::string& path, bool overwrite) = 0;
    // The length of a regular file; anything else (a pipe, a device, a file of /proc whose length
    // says nothing of its content) fails with a description that says so.
    virtual FileLength FileLen(const std::string& path) = 0;

    // Moves the next count bytes of from to the end of to, in bounded memory whatever count is.
    // Fewer than count bytes left in from is an error.
    virtual void CopyBytes(TextStream& from, TextStream& to, FileLength count,
                           const CopyProgress& progress) = 0;
    // Creates the file that a join builds under path, out of sight until it is complete. With
    // replace, an existing file of that name is replaced and keeps its owner and permissions; it
    // must be a regular file that may be written. Without, a file that takes the name meanwhile
    // is kept and the commit fails. The name is checked here, before anything is written.
    virtual std::unique_ptr<ResultFile> CreateResultFile(const std::string& path, bool replace) = 0;
    // Renames from to to, replacing a file named to in one step.
    virtual void MoveFile(const std::string& from, const std::string& to) = 0;
    virtual void DeleteFile(const std::string& path) = 0;
    // True when both paths name one existing file, however each is spelt (links included).
    virtual bool SameFile(const std::string& a, const std::string& b) = 0;
    // True when path, with every link followed, lies inside folder, so that deleting the folder
    // deletes it.
    virtual bool IsWithin(const std::string& path, const std::string& folder) = 0;
    // Locks the file against a second lock on it, by this program or another, until the lock is
    // destroyed. Empty when another holds it.
    virtual std::unique_ptr<FileLock> LockFile(const std::string& path) = 0;
    // Sync of a file already closed: returns once its content is on the disk.
    virtual void SyncFile(const std::string& path) = 0;
    // Returns once the folder's entries are on the disk: the files made, renamed and deleted in
    // it keep their names through a power cut.
    virtual void SyncFolder(const std::string& path) = 0;
    // The file that writing to path reaches: symbolic links followed to the file they name,
    // which need not exist yet. A file system without links has path itself.
    virtual std::string FinalPath(const std::string& path) { return path; }
    // What tells one state of a file's content from another (its length, identity and times of
    // change), so that a file that changed meanwhile can be told; empty where nothing tells it.
    virtual std::string FileStamp(const std::string& path) {
        (void)path;
        return {};
    }
    // The longest file the file system holding folder can store, for a result that could not
    // fit to be refused before anything is written (FAT32: 4 GiB less one byte).
    virtual FileLength LargestFile(const std::string& folder) {
        (void)folder;
        return INT64_MAX;
    }
};

// Why a received file that is a link is neither read nor joined: an archive can carry a link
// to a file its receiver may read and others may not, and a join would copy that file out.
inline std::string linkRefusalText(const std::string& path) {
    return "Cannot open file " + path +
           ": it is a link, and links are not joined. Copy the file itself in its place.";
}

// The one service object of the program, created on first use and kept until it ends.
FileSystem& fileSystem();

} // namespace carvel
