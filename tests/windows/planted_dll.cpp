// A DLL planted in a program's folder under the name of a system DLL. Loading
// it leaves a file beside it that names the program it was loaded into; it
// exports nothing, so a caller looking for the real DLL's functions finds none.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    wchar_t self[4096] = {};
    wchar_t program[4096] = {};
    GetModuleFileNameW(module, self, 4096);
    GetModuleFileNameW(nullptr, program, 4096);
    const HANDLE marker = CreateFileW((std::wstring(self) + L".loaded").c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE) {
        const std::wstring line = std::wstring(program) + L"\n";
        DWORD written = 0;
        WriteFile(marker, line.data(), DWORD(line.size() * sizeof(wchar_t)), &written, nullptr);
        CloseHandle(marker);
    }
    return TRUE;
}
