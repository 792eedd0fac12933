#pragma once

#include "FileSystem.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace carvel {

// Test double: passes every operation to a real file system, but holds the k-th copy (counted
// from 1) before it begins until the test releases it, so that a test can act while work is
// surely in the middle of a set.
class GatedFileSystem final : public FileSystem {
public:
    GatedFileSystem(FileSystem& real, int holdCopy) : m_real(real), m_holdCopy(holdCopy) {}

    bool held() const { return m_held; }
    void release() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_released = true;
        m_wake.notify_all();
    }

    void CopyBytes(TextStream& from, TextStream& to, FileLength count,
                   const CopyProgress& progress) override {
        if (++m_copies == m_holdCopy) {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_held = true;
            m_wake.wait(lock, [this] { return m_released; });
        }
        m_real.CopyBytes(from, to, count, progress);
    }

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

private:
    FileSystem& m_real;
    const int m_holdCopy;
    std::atomic<int> m_copies{0};
    std::atomic<bool> m_held{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_released = false;
};

} // namespace carvel
