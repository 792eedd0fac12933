#pragma once

#include "ForwardingFileSystem.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace carvel {

// Test double: passes every operation to a real file system, but fails the k-th create, read,
// write, close or sync (counted from 1, per kind; a sync of a stream, a file or a folder) the way
// the real one would, or runs out of space after a number of bytes written. A copy counts as one
// read and one write. It also records, in order, what changes names or reaches the disk.
class FaultyFileSystem final : public ForwardingFileSystem {
public:
    explicit FaultyFileSystem(FileSystem& real) : ForwardingFileSystem(real) {}

    void failCreate(int k) { m_failCreate = k; }
    void failRead(int k) { m_failRead = k; }
    void failWrite(int k) { m_failWrite = k; }
    void failClose(int k) { m_failClose = k; }
    void failSync(int k) { m_failSync = k; }
    // The disk holds this many more bytes; the write that goes beyond puts what fits, then fails.
    void diskFullAfter(FileLength bytes) { m_spaceLeft = bytes; }
    // Results say they are written into the destination itself, as where no file can be made
    // beside it.
    void resultsInPlace() { m_inPlace = true; }
    // "create P", "sync P" (a stream's or a closed file's), "folder P" (its sync), "delete P",
    // "move A B", "commit P".
    std::vector<std::string> events() {
        const std::lock_guard<std::mutex> lock(m_eventLock);
        return m_events;
    }

    std::unique_ptr<TextStream> OpenTextFile(const std::string& path) override;
    std::unique_ptr<TextStream> CreateTextFile(const std::string& path, bool overwrite) override;
    void CopyBytes(TextStream& from, TextStream& to, FileLength count,
                   const CopyProgress& progress) override;
    std::unique_ptr<ResultFile> CreateResultFile(const std::string& path, bool replace) override;
    void SyncFile(const std::string& path) override;
    void SyncFolder(const std::string& path) override;
    void DeleteFile(const std::string& path) override {
        real().DeleteFile(path);
        record("delete " + path);
    }
    void MoveFile(const std::string& from, const std::string& to) override {
        real().MoveFile(from, to);
        record("move " + from + " " + to);
    }

private:
    friend class FaultyStream;
    friend class FaultyResultFile;
    void countRead(const std::string& path);
    // How many of size bytes fit; throws when none is to be written at all.
    FileLength countWrite(const std::string& path, FileLength size);
    void countClose(const std::string& path);
    void countSync(const std::string& path);
    void record(std::string event) {
        const std::lock_guard<std::mutex> lock(m_eventLock);
        m_events.push_back(std::move(event));
    }

    int m_failCreate = 0, m_failRead = 0, m_failWrite = 0, m_failClose = 0, m_failSync = 0;
    // The engine's hashing reads files on threads of its own.
    std::atomic<int> m_creates{0}, m_reads{0}, m_writes{0}, m_closes{0}, m_syncs{0};
    FileLength m_spaceLeft = -1;
    bool m_inPlace = false;
    std::mutex m_eventLock; // syncs run on several threads
    std::vector<std::string> m_events;
};

} // namespace carvel
