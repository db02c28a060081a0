#pragma once

#include <windows.h>

// The resolution the window is shown at: its monitor's on Windows 10 1607 and
// later, the system's before.
UINT windowDpi(HWND window);

// The size of the whole window, frame included, whose client area has this
// size at this resolution.
SIZE windowSizeForClient(SIZE client, DWORD style, DWORD extendedStyle, UINT dpi);

// The system's message font at this resolution.
LOGFONTW messageFont(UINT dpi);
