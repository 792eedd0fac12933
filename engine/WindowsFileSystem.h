#pragma once

#include "FileSystem.h"

#include <memory>

namespace carvel {

// The file-system service on Windows: every name passes as UTF-16 in its long form ("\\?\"), so
// that any character and paths past 260 characters work; names Windows keeps for its devices
// (CON, NUL, COM1, ...) are refused. Files opened for reading let others read, write and delete
// them meanwhile.
class WindowsFileSystem final : public FileSystem {
public:
    WindowsFileSystem();
    ~WindowsFileSystem() override;

    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    std::vector<std::string> ListFiles(const std::string& folder) override;
    void CreateFolder(const std::string& path) override;
    void DeleteFolder(const std::string& path, bool force) override;
    std::string GetParentFolderName(const std::string& path) override;
    std::string GetFileName(const std::string& path) override;
    std::unique_ptr<TextStream> OpenTextFile(const std::string& path) override;
    std::unique_ptr<TextStream> CreateTextFile(const std::string& path, bool overwrite) override;
    FileLength FileLen(const std::string& path) override;

    void CopyBytes(TextStream& from, TextStream& to, FileLength count,
                   const CopyProgress& progress) override;
    std::unique_ptr<ResultFile> CreateResultFile(const std::string& path, bool replace) override;
    void MoveFile(const std::string& from, const std::string& to) override;
    void DeleteFile(const std::string& path) override;
    bool SameFile(const std::string& a, const std::string& b) override;
    bool IsWithin(const std::string& path, const std::string& folder) override;
    std::unique_ptr<FileLock> LockFile(const std::string& path) override;
    std::unique_ptr<TextStream> OpenReceivedFile(const std::string& path) override;
    bool IsLink(const std::string& path) override;
    std::string FileStamp(const std::string& path) override;
    void SyncFile(const std::string& path) override;
    void SyncFolder(const std::string& path) override;
    // Without, files are not flushed: for tests of names that make tens of thousands of files.
    void setDiskSync(bool enabled) { m_diskSync = enabled; }

    // The name of a device that path names or passes through ("CON", "com1.txt"), or empty.
    static std::string deviceName(const std::string& path);

private:
    std::unique_ptr<char[]> m_buffer; // the copy loop's buffer, made on first use
    bool m_diskSync = true;
};

} // namespace carvel
