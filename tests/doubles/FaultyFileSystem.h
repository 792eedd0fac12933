#pragma once

#include "ForwardingFileSystem.h"

#include <atomic>
#include <string>

namespace carvel {

// Test double: passes every operation to a real file system, but fails the k-th create, read,
// write or close (counted from 1, per kind) the way the real one would, or runs out of space
// after a number of bytes written. A copy counts as one read and one write.
class FaultyFileSystem final : public ForwardingFileSystem {
public:
    explicit FaultyFileSystem(FileSystem& real) : ForwardingFileSystem(real) {}

    void failCreate(int k) { m_failCreate = k; }
    void failRead(int k) { m_failRead = k; }
    void failWrite(int k) { m_failWrite = k; }
    void failClose(int k) { m_failClose = k; }
    // The disk holds this many more bytes; the write that goes beyond puts what fits, then fails.
    void diskFullAfter(FileLength bytes) { m_spaceLeft = bytes; }
    // Results say they are written into the destination itself, as where no file can be made
    // beside it.
    void resultsInPlace() { m_inPlace = true; }

    std::unique_ptr<TextStream> OpenTextFile(const std::string& path) override;
    std::unique_ptr<TextStream> CreateTextFile(const std::string& path, bool overwrite) override;
    void CopyBytes(TextStream& from, TextStream& to, FileLength count,
                   const CopyProgress& progress) override;
    std::unique_ptr<ResultFile> CreateResultFile(const std::string& path, bool replace) override;

private:
    friend class FaultyStream;
    friend class FaultyResultFile;
    void countRead(const std::string& path);
    // How many of size bytes fit; throws when none is to be written at all.
    FileLength countWrite(const std::string& path, FileLength size);
    void countClose(const std::string& path);

    int m_failCreate = 0, m_failRead = 0, m_failWrite = 0, m_failClose = 0;
    // The engine's hashing reads files on threads of its own.
    std::atomic<int> m_creates{0}, m_reads{0}, m_writes{0}, m_closes{0};
    FileLength m_spaceLeft = -1;
    bool m_inPlace = false;
};

} // namespace carvel
