#pragma once

#include "FileSystem.h"

#include <atomic>
#include <exception>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace carvel {

// Hashes files on threads of its own while the caller copies, so that checksums cost little
// wall time. Each file is read through the file-system service, in bounded memory.
class FileHasher {
public:
    struct Task {
        std::string path;
        // The file is hashed in consecutive parts of these lengths from its start, one digest
        // each; with none, the whole file is one part.
        std::vector<FileLength> lengths;
        // The digest the whole file should have, if known: a difference is noted at once.
        std::string expected;
    };
    struct Result {
        std::vector<std::string> digests;
        FileLength length = 0; // bytes hashed
        std::exception_ptr error;
    };

    FileHasher(FileSystem& fs, std::vector<Task> tasks, int threads);
    // Stops the threads at their next step and waits for them.
    ~FileHasher();
    FileHasher(const FileHasher&) = delete;
    FileHasher& operator=(const FileHasher&) = delete;

    FileLength hashed() const { return m_hashed.load(); }
    // True once a task with an expected digest came out different, or failed.
    bool mismatchFound() const { return m_mismatch.load(); }
    // Waits for every task, calling tick now and then (which may throw to give up); the results
    // in the order of the tasks.
    std::vector<Result> wait(const std::function<void()>& tick);

private:
    void work();
    void run(const Task& task, Result& result);

    FileSystem& m_fs;
    std::vector<Task> m_tasks;
    std::vector<Result> m_results;
    std::atomic<std::size_t> m_next{0};
    std::atomic<std::size_t> m_done{0};
    std::atomic<FileLength> m_hashed{0};
    std::atomic<bool> m_mismatch{false};
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_threads;
};

} // namespace carvel
