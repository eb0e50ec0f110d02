// A file that lives in memory only (memfd), for targets whose parser opens a path:
// the bytes are written once, and the path reads them back like any file.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace radio::test {

class MemoryFile {
public:
    MemoryFile(const std::uint8_t* data, std::size_t size) : m_fd(memfd_create("fuzz", 0))
    {
        std::size_t done = 0;
        while (m_fd >= 0 && done < size) {
            const ssize_t n = ::write(m_fd, data + done, size - done);
            if (n <= 0) {
                std::abort();  // the target would test nothing
            }
            done += std::size_t(n);
        }
        if (m_fd < 0) {
            std::abort();
        }
    }
    ~MemoryFile() { ::close(m_fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::string Path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

private:
    int m_fd;
};

}  // namespace radio::test
