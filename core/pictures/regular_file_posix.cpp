#include "regular_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <string>
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

// File names on these systems are bytes, and desktops write them in UTF-8. An
// unpaired surrogate cannot be written and leaves nothing to open.
std::optional<std::string> utf8FileName(std::u16string_view text)
{
    std::string name;
    name.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            return std::nullopt;
        }
        if (code == 0)
            return std::nullopt;
        if (code < 0x80) {
            name += char(code);
        } else if (code < 0x800) {
            name += char(0xC0 | (code >> 6));
            name += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            name += char(0xE0 | (code >> 12));
            name += char(0x80 | ((code >> 6) & 0x3F));
            name += char(0x80 | (code & 0x3F));
        } else {
            name += char(0xF0 | (code >> 18));
            name += char(0x80 | ((code >> 12) & 0x3F));
            name += char(0x80 | ((code >> 6) & 0x3F));
            name += char(0x80 | (code & 0x3F));
        }
    }
    return name;
}
} // namespace

std::optional<std::vector<std::uint8_t>> readRegularFile(std::u16string_view path,
                                                         std::int64_t maxBytes)
{
    const auto name = utf8FileName(path);
    if (!name)
        return std::nullopt;
    // Opening without blocking, then asking the opened file what it is, means a
    // FIFO without a writer cannot hang the open, and nothing can swap the file
    // between the check and the read.
    const FileDescriptor file(::open(name->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        return std::nullopt;

    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > maxBytes)
        return std::nullopt;

    // The file may grow while it is read; reading one byte past the cap tells.
    std::vector<std::uint8_t> content(static_cast<std::size_t>(status.st_size) + 1);
    std::size_t filled = 0;
    while (filled < content.size()) {
        const ssize_t count = ::read(file.get(), content.data() + filled, content.size() - filled);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            break;
        filled += static_cast<std::size_t>(count);
        if (std::int64_t(filled) > maxBytes)
            return std::nullopt;
        if (filled == content.size())
            content.resize(std::min<std::size_t>(content.size() * 2, std::size_t(maxBytes) + 1));
    }
    content.resize(filled);
    return content;
}
