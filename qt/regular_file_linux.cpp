#include "regular_file.h"

#include "bounded_read.h"
#include "unique_handle.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct FileDescriptorTraits {
    using Handle = int;
    static int invalid() { return -1; }
    static void close(int fd) { ::close(fd); }
};
} // namespace

std::optional<std::vector<std::uint8_t>> readRegularFile(const std::filesystem::path& path,
                                                         std::int64_t maxBytes)
{
    // Opening without blocking, then asking the opened file what it is, means a
    // FIFO without a writer cannot hang the open, and nothing can swap the file
    // between the check and the read.
    const UniqueHandle<FileDescriptorTraits> file(
        ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file)
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
