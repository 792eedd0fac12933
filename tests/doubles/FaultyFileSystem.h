#pragma once

#include "FileSystem.h"

#include <atomic>
#include <string>

namespace carvel {

// Test double: passes every operation to a real file system, and fails the k-th create, read,
// write or close (counted from 1, per kind) the way the real one would, or runs out of space
// after a number of bytes written. A copy counts as one read and one write.
class FaultyFileSystem final : public FileSystem {
public:
    explicit FaultyFileSystem(FileSystem& real) : m_real(real) {}

    void failCreate(int k) { m_failCreate = k; }
    void failRead(int k) { m_failRead = k; }
    void failWrite(int k) { m_failWrite = k; }
    void failClose(int k) { m_failClose = k; }
    // The disk holds this many more bytes; the write that goes beyond puts what fits, then fails.
    void diskFullAfter(FileLength bytes) { m_spaceLeft = bytes; }

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
    std::unique_ptr<TextStream> OpenTextFile(const std::string& path) override;
    std::unique_ptr<TextStream> CreateTextFile(const std::string& path, bool overwrite) override;
    FileLength FileLen(const std::string& path) override { return m_real.FileLen(path); }
    void CopyBytes(TextStream& from, TextStream& to, FileLength count,
                   const CopyProgress& progress) override;
    std::unique_ptr<ResultFile> CreateResultFile(const std::string& path, bool replace) override;
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

private:
    friend class FaultyStream;
    friend class FaultyResultFile;
    void countRead(const std::string& path);
    // How many of size bytes fit; throws when none is to be written at all.
    FileLength countWrite(const std::string& path, FileLength size);
    void countClose(const std::string& path);

    FileSystem& m_real;
    int m_failCreate = 0, m_failRead = 0, m_failWrite = 0, m_failClose = 0;
    // The engine's hashing reads files on threads of its own.
    std::atomic<int> m_creates{0}, m_reads{0}, m_writes{0}, m_closes{0};
    FileLength m_spaceLeft = -1;
};

} // namespace carvel
