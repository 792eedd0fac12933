#pragma once

#include "FileSystem.h"

#include <memory>

namespace carvel {

// The file-system service on a POSIX system: plain binary file descriptors, no buffering of
// our own, copies through the kernel where it offers them.
class PosixFileSystem final : public FileSystem {
public:
    PosixFileSystem();
    ~PosixFileSystem() override;

    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    std::vector<std::string> ListFiles(const std::string& folder) override;
    void CreateFolder(const std::string& path) override;
    void DeleteFolder(const std::string& path, bool force) override;
    std::string GetParentFolderName(const std::string& path) override;
    std::string GetFileName(const std::string& path) override;
    std::unique_ptr<TextStream> OpenTextFile(const std::string& path) override;
    std::unique_ptr<TextStream> OpenReceivedFile(const std::string& path) override;
    bool IsLink(const std::string& path) override;
    std::unique_ptr<TextStream> CreateTextFile(const std::string& path, bool overwrite) override;
    FileLength FileLen(const std::string& path) override;

    void CopyBytes(TextStream& from, TextStream& to, FileLength count,
                   const CopyProgress& progress) override;
    std::unique_ptr<ResultFile> CreateResultFile(const std::string& path, bool replace) override;
    void MoveFile(const std::string& from, const std::string& to) override;
    void DeleteFile(const std::string& path) override;
    void SyncFile(const std::string& path) override;
    void SyncFolder(const std::string& path) override;
    bool SameFile(const std::string& a, const std::string& b) override;
    bool IsWithin(const std::string& path, const std::string& folder) override;
    std::unique_ptr<FileLock> LockFile(const std::string& path) override;
    std::string FinalPath(const std::string& path) override;
    std::string FileStamp(const std::string& path) override;
    FileLength LargestFile(const std::string& folder) override;

    // Turns the kernel copy off, so that the read/write loop can be tested and measured.
    void setKernelCopy(bool enabled) { m_kernelCopy = enabled; }
    // Turns unnamed files (O_TMPFILE) off, so that the named temporary file a join falls back to
    // on other file systems can be tested.
    void setUnnamedFiles(bool enabled) { m_unnamedFiles = enabled; }
    // Turns the syncs of files made by CreateTextFile, and of folders, off, so that tests of
    // thousands of pieces do not wait for the disk thousands of times. The programs never do.
    void setDiskSync(bool enabled) { m_diskSync = enabled; }

private:
    bool m_kernelCopy = true;
    bool m_unnamedFiles = true;
    bool m_diskSync = true;
    std::unique_ptr<char[]> m_buffer; // the read/write loop's buffer, made on first use
};

} // namespace carvel
