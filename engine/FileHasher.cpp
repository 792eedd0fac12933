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
struct Skipped {};

} // namespace

FileHasher::Task FileHasher::wholeFile(FileSystem& fs, const std::string& path, FileLength length,
                                       std::string expected) {
    Task task;
    // A file with a digest to match is a received piece, never read through a link.
    const bool received = !expected.empty();
    task.parts.push_back({[&fs, path, received] {
                              return received ? fs.OpenReceivedFile(path) : fs.OpenTextFile(path);
                          },
                          length, -1});
    task.expected = std::move(expected);
    return task;
}

FileHasher::FileHasher(std::vector<Task> tasks, int threads)
    : m_tasks(std::move(tasks)), m_results(m_tasks.size()) {
    const auto count =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)), m_tasks.size());
    // Room for every thread first: a thread left running when the constructor throws would end
    // the program.
    m_threads.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        try {
            m_threads.emplace_back([this] { work(); });
        } catch (const std::exception&) {
            // The system gives no more threads (ulimit -u, memory): those started do the work,
            // and with none, wait() does it on the caller's thread.
            break;
        }
    }
}

FileHasher::~FileHasher() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_readyChanged.notify_all();
    for (auto& thread : m_threads)
        thread.join();
}

void FileHasher::ready(FileLength count) {
    {
        const std::lock_guard lock(m_mutex);
        m_ready = std::max(m_ready, count);
    }
    m_readyChanged.notify_all();
}

bool FileHasher::waitReady(FileLength end) {
    std::unique_lock lock(m_mutex);
    m_readyChanged.wait(lock, [&] { return m_stop || m_closed || m_ready >= end; });
    if (m_stop)
        throw Stopped{};
    return m_ready >= end;
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
        } catch (const Skipped&) {
            m_results[i] = Result{};
            m_results[i].skipped = true;
        } catch (...) {
            m_results[i].error = std::current_exception();
            m_mismatch = true;
        }
        ++m_done;
    }
}

void FileHasher::run(const Task& task, Result& result) {
    Sha256 sha;
    for (const Part& part : task.parts) {
        // Opened once its first byte is there, and read a step behind the writing.
        const auto there = [&](FileLength upTo) {
            if (part.at >= 0 && !waitReady(part.at + upTo))
                throw Skipped{};
        };
        there(std::min<FileLength>(part.length, 1));
        auto stream = part.open();
        for (FileLength left = part.length; left > 0;) {
            if (m_stop)
                throw Stopped{};
            const FileLength ask = std::min(left, kChunk);
            there(part.length - left + ask);
            const std::string bytes = stream->Read(ask);
            sha.update(bytes.data(), bytes.size());
            left -= ask;
            result.length += ask;
            m_hashed += ask;
        }
        // Released without Close: nothing was written, so there is nothing to report.
        if (task.digestEach)
            result.digests.push_back(sha.finish());
    }
    if (!task.digestEach)
        result.digests.push_back(sha.finish());
}

std::vector<FileHasher::Result> FileHasher::wait(const std::function<void()>& tick) {
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_readyChanged.notify_all();
    if (m_threads.empty())
        work();
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
