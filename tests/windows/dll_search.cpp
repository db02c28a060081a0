// Loads a DLL by its bare name, as an implicit import or a plain LoadLibrary
// would, after making the programs' own restriction of the DLL search when
// its first argument is "restricted". Exits with 0 when the DLL was found.
#include "system_library.h"

#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
        return 2;
    if (std::wcscmp(argv[1], L"restricted") == 0)
        restrictDllSearchToSystem32();
    return LoadLibraryW(argv[2]) ? 0 : 1;
}
