#include "regular_file.h"

#include <QFile>

#include <algorithm>
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

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes)
{
    // Opening without blocking, then asking the opened file what it is, means a
    // FIFO without a writer cannot hang the open, and nothing can swap the file
    // between the check and the read.
    const FileDescriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        return std::nullopt;

    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > maxBytes)
        return std::nullopt;

    // The file may grow while it is read; reading one byte past the cap tells.
    QByteArray content(static_cast<qsizetype>(status.st_size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < content.size()) {
        const ssize_t count = ::read(file.get(), content.data() + filled,
                                     static_cast<size_t>(content.size() - filled));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            break;
        filled += count;
        if (filled > maxBytes)
            return std::nullopt;
        if (filled == content.size())
            content.resize(std::min<qsizetype>(content.size() * 2, maxBytes + 1));
    }
    content.truncate(filled);
    return content;
}
