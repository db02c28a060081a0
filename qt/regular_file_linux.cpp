#include "regular_file.h"

#include "bounded_read.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};
} // namespace

std::optional<std::vector<std::uint8_t>> readRegularFile(const std::filesystem::path& path,
                                                         std::int64_t maxBytes)
{
    // Opening without blocking, then asking the opened file what it is, means a
    // FIFO without a writer cannot hang the open, and nothing can swap the file
    // between the check and the read.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        return std::nullopt;

    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > maxBytes)
        return std::nullopt;

    return readWithin(status.st_size, maxBytes,
                      [&file](std::uint8_t* buffer, std::size_t capacity) {
                          while (true) {
                              const ssize_t count = ::read(file.get(), buffer, capacity);
                              if (count >= 0 || errno != EINTR)
                                  return std::int64_t(count);
                          }
                      });
}
