#pragma once

#include <windows.h>

#include <bit>

// Takes the program's own folder and the current directory out of the DLL
// search for the rest of the process, so that a DLL planted beside the program
// is never loaded in place of the system's. Call it before anything else.
void restrictDllSearchToSystem32();

// The system DLL of this name, loaded from the system folder only; null when
// it is missing.
HMODULE loadSystemLibrary(const wchar_t* name);

// The named export of a loaded module as a function of the given type, or
// null where this version of Windows lacks it.
template <typename Function> Function exportedFunction(HMODULE module, const char* name)
{
    if (!module)
        return nullptr;
    return std::bit_cast<Function>(GetProcAddress(module, name));
}
