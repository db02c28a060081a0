// The baseline for start-up: one top-level window of the programs' client
// size, with nothing in it, reporting its first paint the same way.
//
// Usage: win32_bare_window_probe          shows the window, reports, ends
//        win32_bare_window_probe clock    reports the counter and its
//                                         frequency at once, for the driver's
//                                         check of the clock

#include "first_paint.h"

#include <cwchar>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int)
{
    if (std::wcscmp(arguments, L"clock") == 0) {
        report("counter_ns", performanceCounterNanoseconds());
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        report("frequency", frequency.QuadPart);
        return 0;
    }
    report("entry_ns", performanceCounterNanoseconds());
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassExW(&windowClass);
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, 299, 432};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const HWND window = CreateWindowExW(
        0, L"BareWindow", L"bare", style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
        frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    report("created_ns", performanceCounterNanoseconds());
    watchFirstPaint(window);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    runUntilFirstPaint(window);
}
