#include "platform.h"

#include <QWidget>

#define WIN32_LEAN_AND_MEAN
// MinGW's C++ library defines it already; MSVC's does not.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

void preferPlatformThatKeepsWindowsOnTop()
{}

void requestStaysOnTop(QWidget& window)
{
    // Qt is told too, so that a native window it creates anew stays on top.
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    SetWindowPos(reinterpret_cast<HWND>(window.winId()), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE);
}

void hideFromTaskbar(QWidget& window)
{
    // A top-level window owned by another window gets no taskbar button; the
    // owner is never shown and lives as long as the program.
    static const HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                              GetModuleHandleW(nullptr), nullptr);
    if (owner)
        SetWindowLongPtrW(reinterpret_cast<HWND>(window.winId()), GWLP_HWNDPARENT,
                          reinterpret_cast<LONG_PTR>(owner));
}
