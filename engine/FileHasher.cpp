#include "FileHasher.h"

#include "Sha256.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace carvel {

namespace {

// Large enough that a read costs little beside hashing it, small enough to keep memory low.
constexpr FileLength kChunk = 1024 * 1024;

struct Stopped {};

} // namespace

FileHasher::FileHasher(FileSystem& fs, std::vector<Task> tasks, int threads)
    : m_fs(fs), m_tasks(std::move(tasks)), m_results(m_tasks.size()) {
    const auto count =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)), m_tasks.size());
    for (std::size_t i = 0; i < count; ++i)
        m_threads.emplace_back([this] { work(); });
}

FileHasher::~FileHasher() {
    m_stop = true;
    for (auto& thread : m_threads)
        thread.join();
}

void FileHasher::work() {
    for (std::size_t i = m_next++; i < m_tasks.size() && !m_stop; i = m_next++) {
        try {
            run(m_tasks[i], m_results[i]);
            const Task& task = m_tasks[i];
            if (!task.expected.empty() && m_results[i].digests.front() != task.expected)
                m_mismatch = true;
        } catch (const Stopped&) {
            return;
        } catch (...) {
            m_results[i].error = std::current_exception();
            m_mismatch = true;
        }
        ++m_done;
    }
}

void FileHasher::run(const Task& task, Result& result) {
    // A file with a digest to match is a received piece, never read through a link.
    auto stream =
        task.expected.empty() ? m_fs.OpenTextFile(task.path) : m_fs.OpenReceivedFile(task.path);
    std::vector<FileLength> parts = task.lengths;
    if (parts.empty())
        parts.push_back(m_fs.FileLen(task.path));
    Sha256 sha;
    for (const FileLength part : parts) {
        for (FileLength left = part; left > 0;) {
            if (m_stop)
                throw Stopped{};
            const FileLength ask = std::min(left, kChunk);
            const std::string bytes = stream->Read(ask);
            sha.update(bytes.data(), bytes.size());
            left -= ask;
            result.length += ask;
            m_hashed += ask;
        }
        result.digests.push_back(sha.finish());
    }
    // Released without Close: nothing was written, so there is nothing to report.
}

std::vector<FileHasher::Result> FileHasher::wait(const std::function<void()>& tick) {
    while (m_done.load() < m_tasks.size()) {
        if (tick)
            tick();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    for (auto& thread : m_threads)
        thread.join();
    m_threads.clear();
    return std::move(m_results);
}

} // namespace carvel
