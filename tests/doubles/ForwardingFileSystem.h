#pragma once

#include "FileSystem.h"

namespace carvel {

// Test double base: passes every operation to a real file system, so that a double overrides
// only the operations it changes.
class ForwardingFileSystem : public FileSystem {
public:
    explicit ForwardingFileSystem(FileSystem& real) : m_real(real) {}

    bool FileExists(const std::string& path) override { return m_real.FileExists(path); }
    bool FolderExists(const std::string& path) override { return m_real.FolderExists(path); }
    std::vector<std::string> ListFiles(const std::string& folder) override {
        return m_real.ListFiles(folder);
    }
    void CreateFolder(const std::string& path) override { m_real.CreateFolder(path); }
    void DeleteFolder(const std::string& path, bool force) override {
        m_real.DeleteFolder(path, force);
    }
    std::string GetParentFolderName(const std::string& path) override {
        return m_real.GetParentFolderName(path);
    }
    std::string GetFileName(const std::string& path) override { return m_real.GetFileName(path); }
    std::unique_ptr<TextStream> OpenTextFile(const std::string& path) override {
        return m_real.OpenTextFile(path);
    }
    std::unique_ptr<TextStream> CreateTextFile(const std::string& path, bool overwrite) override {
        return m_real.CreateTextFile(path, overwrite);
    }
    FileLength FileLen(const std::string& path) override { return m_real.FileLen(path); }
    void CopyBytes(TextStream& from, TextStream& to, FileLength count,
                   const CopyProgress& progress) override {
        m_real.CopyBytes(from, to, count, progress);
    }
    std::unique_ptr<ResultFile> CreateResultFile(const std::string& path, bool replace) override {
        return m_real.CreateResultFile(path, replace);
    }
    void MoveFile(const std::string& from, const std::string& to) override {
        m_real.MoveFile(from, to);
    }
    void DeleteFile(const std::string& path) override { m_real.DeleteFile(path); }
    bool SameFile(const std::string& a, const std::string& b) override {
        return m_real.SameFile(a, b);
    }
    bool IsWithin(const std::string& path, const std::string& folder) override {
        return m_real.IsWithin(path, folder);
    }
    std::unique_ptr<FileLock> LockFile(const std::string& path) override {
        return m_real.LockFile(path);
    }
    std::string FinalPath(const std::string& path) override { return m_real.FinalPath(path); }
    void SyncFile(const std::string& path) override { m_real.SyncFile(path); }
    void SyncFolder(const std::string& path) override { m_real.SyncFolder(path); }
    std::string FileStamp(const std::string& path) override { return m_real.FileStamp(path); }
    FileLength LargestFile(const std::string& folder) override {
        return m_largest >= 0 ? m_largest : m_real.LargestFile(folder);
    }
    // Tells every folder's file system to hold files of at most bytes.
    void setLargestFile(FileLength bytes) { m_largest = bytes; }

protected:
    FileSystem& real() { return m_real; }
    FileLength m_largest = -1;

private:
    FileSystem& m_real;
};

} // namespace carvel
