#include "platform.h"

#include <QWidget>

#define WIN32_LEAN_AND_MEAN
// MinGW's C++ library defines it already; MSVC's does not.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

void requestStaysOnTop(QWidget& window)
{
    // Qt is told too, so that a native window it creates anew stays on top.
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    SetWindowPos(reinterpret_cast<HWND>(window.winId()), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE);
}
