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

std::filesystem::path programDirectory()
{
    return std::filesystem::path(programFilePath()).parent_path();
}
