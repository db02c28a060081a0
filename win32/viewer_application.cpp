#include "viewer_application.h"

#include "common_controls.h"
#include "viewer_window.h"

#include <objbase.h>

namespace {
int runMessageLoop(HWND window)
{
    MSG message;
    BOOL received;
    while ((received = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (received == -1)
            return 1;
        // The dialog keys: Tab and Shift+Tab move between the lists.
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return int(message.wParam);
}
} // namespace

int runViewer(const Program& program)
{
    // WIC and the accessibility annotations are COM services, used from
    // this one thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    initialiseCommonControls();
    int exitCode = 1;
    {
        ViewerWindow viewer(program);
        if (viewer.create(GetModuleHandleW(nullptr))) {
            viewer.show();
            exitCode = runMessageLoop(viewer.window());
        }
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return exitCode;
}
