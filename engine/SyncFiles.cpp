#include "SyncFiles.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace carvel {

namespace {

// 768 syncs of pieces already written back took 3.1 s one after another and 0.07 s on eight
// threads (ext4 on a virtual disk with a write-back cache): the kernel merges the cache
// flushes that arrive together. More threads gained nothing.
constexpr int kSyncThreads = 8;

} // namespace

void syncFiles(FileSystem& fs, const std::vector<std::string>& paths,
               const std::function<void()>& tick) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::mutex failureLock;
    std::exception_ptr failure;
    const auto work = [&](bool caller) {
        for (std::size_t i = next++; i < paths.size() && !stop; i = next++) {
            try {
                fs.SyncFile(paths[i]);
                if (caller && tick)
                    tick();
            } catch (...) {
                const std::lock_guard<std::mutex> lock(failureLock);
                if (!failure)
                    failure = std::current_exception();
                stop = true;
            }
        }
    };
    std::vector<std::thread> helpers;
    for (int i = 1; i < kSyncThreads && static_cast<std::size_t>(i) < paths.size(); ++i) {
        try {
            helpers.emplace_back(work, false);
        } catch (const std::system_error&) {
            break; // fewer threads, down to the caller's alone
        }
    }
    work(true);
    for (auto& helper : helpers)
        helper.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace carvel
