#pragma once

#include "FileSystem.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace carvel {

// Hashes files on threads of its own while the caller copies, so that checksums cost little
// wall time. Each part is read through the file-system service, in bounded memory. Where no
// thread can be started, fewer do the work, or the caller's own thread in wait().
class FileHasher {
public:
    // Opens a stream positioned at the first byte of a part.
    using Opener = std::function<std::unique_ptr<TextStream>()>;
    struct Part {
        Opener open;
        FileLength length = 0;
        // Where the part lies in the bytes that the caller tells ready() as they are written,
        // for bytes read back as soon as they are there; -1 when all of it is there now.
        FileLength at = -1;
    };
    struct Task {
        std::vector<Part> parts;
        // One digest per part; else one digest of all the parts in their order.
        bool digestEach = false;
        // The digest the task should come to, if known: a difference is noted at once.
        std::string expected;
    };
    struct Result {
        std::vector<std::string> digests;
        FileLength length = 0; // bytes hashed
        std::exception_ptr error;
        // Not hashed: a part of it never became ready before wait().
        bool skipped = false;
    };

    // A whole file of the given length, read from its start.
    static Task wholeFile(FileSystem& fs, const std::string& path, FileLength length,
                          std::string expected = {});

    FileHasher(std::vector<Task> tasks, int threads);
    // Stops the threads at their next step and waits for them.
    ~FileHasher();
    FileHasher(const FileHasher&) = delete;
    FileHasher& operator=(const FileHasher&) = delete;

    // The first count bytes that parts lie in may now be read.
    void ready(FileLength count);
    FileLength hashed() const { return m_hashed.load(); }
    // True once a task with an expected digest came out different, or failed.
    bool mismatchFound() const { return m_mismatch.load(); }
    // Waits for every task, calling tick now and then (which may throw to give up); the results
    // in the order of the tasks. Parts not ready by now are not waited for: their tasks are
    // skipped.
    std::vector<Result> wait(const std::function<void()>& tick);

private:
    void work();
    void run(const Task& task, Result& result);
    // False when the bytes up to end will never be ready; throws Stopped once the hasher is
    // destroyed.
    bool waitReady(FileLength end);

    std::vector<Task> m_tasks;
    std::vector<Result> m_results;
    std::atomic<std::size_t> m_next{0};
    std::atomic<std::size_t> m_done{0};
    std::atomic<FileLength> m_hashed{0};
    std::atomic<bool> m_mismatch{false};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_readyChanged;
    FileLength m_ready = 0;
    bool m_closed = false; // no more parts become ready
    std::vector<std::thread> m_threads;
};

} // namespace carvel
