// Starts a program's window with the front end's own code, as the program
// does, and reports its first paint. Built once per program, with that
// program's resources: its manifest and built-in picture count too.
//
// Usage: win32_startup_probe_<program> Qelview|Velview

#include "common_controls.h"
#include "first_paint.h"
#include "program.h"
#include "system_library.h"
#include "viewer_window.h"

#include <objbase.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int)
{
    // The steps' ends are reported on the way, for the driver's split of the
    // start-up; the few microseconds each report takes are left in.
    report("entry_ns", performanceCounterNanoseconds());
    restrictDllSearchToSystem32();
    const Program& program =
        std::wcscmp(arguments, L"Velview") == 0 ? velviewProgram() : qelviewProgram();
    // What runViewer does before its message loop.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    report("com_ns", performanceCounterNanoseconds());
    initialiseCommonControls();
    report("common_controls_ns", performanceCounterNanoseconds());
    static ViewerWindow viewer(program);
    if (!viewer.create(instance))
        return 1;
    report("created_ns", performanceCounterNanoseconds());
    watchFirstPaint(viewer.window());
    viewer.show();
    runUntilFirstPaint(viewer.window());
}
