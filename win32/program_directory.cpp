#include "program_directory.h"

#include <windows.h>

#include <string>

namespace {
// The full path of the program file. The buffer doubles until the whole path
// fits, since a path may be far longer than MAX_PATH.
std::wstring programFilePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
} // namespace

std::u16string programDirectory()
{
    const std::wstring file = programFilePath();
    const auto separator = file.find_last_of(L'\\');
    if (separator == std::wstring::npos)
        return {};
    std::u16string folder(file.begin(), file.begin() + std::ptrdiff_t(separator));
    // A drive's root is named with its backslash ("C:\"), as Windows shows it.
    if (folder.size() == 2 && folder[1] == u':')
        folder += u'\\';
    return folder;
}
