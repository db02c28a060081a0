#pragma once

#include "form_layout.h"
#include "gdi_object.h"

#include <string>

#include <windows.h>

class AccessibleAnnotations;

// The picture area: a child window that shows one bitmap from its top-left
// corner, takes no focus and tells its parent of a double-click with
// WM_COMMAND and STN_DBLCLK, as a static control would.
class PictureArea {
public:
    PictureArea() = default;
    PictureArea(const PictureArea&) = delete;
    PictureArea& operator=(const PictureArea&) = delete;

    // Creates the area as a child of parent at this place with this control
    // identifier; screen readers call it by accessibleName.
    bool create(HWND parent, const PixelRect& place, int identifier, const wchar_t* accessibleName);
    HWND window() const { return m_window; }

    // Where the area tells screen readers what it is, once one asks.
    void setAnnotations(AccessibleAnnotations& annotations) { m_annotations = &annotations; }

    // Names what the picture shows, for screen readers and in the window
    // text, which other programs can read.
    void setAccessibleDescription(const wchar_t* description);

    // Shows this bitmap in place of the one before, which it hands back.
    GdiObject<HBITMAP> show(GdiObject<HBITMAP> bitmap);

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    void paint();
    void annotate();

    HWND m_window = nullptr;
    std::wstring m_accessibleName;
    AccessibleAnnotations* m_annotations = nullptr;
    // True once a screen reader has asked for the area.
    bool m_annotated = false;
    GdiObject<HBITMAP> m_bitmap;
};
