#include "regular_file.h"

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <string>

namespace {
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};
} // namespace

std::optional<std::vector<std::uint8_t>> readRegularFile(std::u16string_view path,
                                                         std::int64_t maxBytes)
{
    // The path is used exactly as given: the string is only terminated, and
    // wchar_t holds UTF-16 on Windows.
    const std::wstring name(path.begin(), path.end());
    if (name.find(L'\0') != std::wstring::npos)
        return std::nullopt;
    // A directory cannot be opened this way, and the opened handle is asked
    // what it is, so a device, pipe or console behind a file name ("CON.jpg",
    // or a link) is refused before a byte is read and nothing is waited for.
    const FileHandle file(CreateFileW(name.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE || GetFileType(file.get()) != FILE_TYPE_DISK)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file.get(), &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    const std::int64_t size =
        (std::int64_t(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    if (size > maxBytes)
        return std::nullopt;

    // The file may grow while it is read; reading one byte past the cap tells.
    std::vector<std::uint8_t> content(static_cast<std::size_t>(size) + 1);
    std::size_t filled = 0;
    while (filled < content.size()) {
        const DWORD wanted = DWORD(std::min<std::size_t>(content.size() - filled, 1u << 30));
        DWORD count = 0;
        if (!ReadFile(file.get(), content.data() + filled, wanted, &count, nullptr))
            return std::nullopt;
        if (count == 0)
            break;
        filled += count;
        if (std::int64_t(filled) > maxBytes)
            return std::nullopt;
        if (filled == content.size())
            content.resize(std::min<std::size_t>(content.size() * 2, std::size_t(maxBytes) + 1));
    }
    content.resize(filled);
    return content;
}
