#pragma once

#include <windows.h>

// Tells screen readers that this window is a picture called name, through
// the accessibility runtime's property annotations (a COM service, so no
// accessibility DLL is linked). Does nothing where the service is missing.
void annotateAccessibleGraphic(HWND window, const wchar_t* name);

// Tells screen readers what the picture in this window shows, and that it
// changed.
void annotateAccessibleDescription(HWND window, const wchar_t* description);

// Drops what annotateAccessibleGraphic and annotateAccessibleDescription set, as the window goes.
void clearAccessibleAnnotation(HWND window);
