#include "common_controls.h"

#include "system_library.h"

#include <windows.h>

#include <commctrl.h>

void initialiseCommonControls()
{
    // comctl32 is not one of the KnownDLLs, so it is not imported: an import
    // would be resolved before the program could rule its own folder out.
    // The manifest's activation context still picks version 6 by name.
    using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto initialise = exportedFunction<InitCommonControlsExFunction>(
        loadSystemLibrary(L"comctl32.dll"), "InitCommonControlsEx");
    if (!initialise)
        return;
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_STANDARD_CLASSES;
    initialise(&classes);
}
