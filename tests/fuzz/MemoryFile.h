#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

// A fuzz input as a file for readers that take a path: a memory file named through
// /proc/self/fd, rewritten for each input, so that fuzzing writes nothing to disk.
class MemoryFile final {
public:
    MemoryFile()
        : m_fd(memfd_create("fuzz-input", 0)), m_path("/proc/self/fd/" + std::to_string(m_fd)) {
        if (m_fd < 0)
            std::abort();
    }
    ~MemoryFile() { close(m_fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    const std::string& holding(const std::uint8_t* data, std::size_t size) {
        if (ftruncate(m_fd, 0) != 0)
            std::abort();
        for (std::size_t done = 0; done < size;) {
            const ssize_t wrote = pwrite(m_fd, data + done, size - done, static_cast<off_t>(done));
            if (wrote <= 0)
                std::abort();
            done += static_cast<std::size_t>(wrote);
        }
        return m_path;
    }

private:
    int m_fd;
    std::string m_path;
};
