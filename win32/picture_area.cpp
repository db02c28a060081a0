#include "picture_area.h"

#include "accessible_name.h"

#include <utility>

namespace {
constexpr wchar_t className[] = L"MorphViewerPictureArea";

ATOM registerClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    // A double-click reaches the window only when its class asks for it.
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass);
}
} // namespace

bool PictureArea::create(HWND parent, const PixelRect& place, int identifier,
                         const wchar_t* accessibleName)
{
    const auto instance = HINSTANCE(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    static const ATOM registered = registerClass(instance, windowProcedure);
    if (!registered)
        return false;
    m_window =
        CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, place.x, place.y, place.width,
                        place.height, parent, HMENU(INT_PTR(identifier)), instance, this);
    m_accessibleName = accessibleName;
    return m_window != nullptr;
}

void PictureArea::setAccessibleDescription(const wchar_t* description)
{
    SetWindowTextW(m_window, description);
    if (m_annotated)
        annotate();
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, m_window, OBJID_CLIENT, CHILDID_SELF);
}

void PictureArea::annotate()
{
    if (!m_annotations)
        return;
    std::wstring description(std::size_t(GetWindowTextLengthW(m_window)) + 1, L'\0');
    description.resize(
        std::size_t(GetWindowTextW(m_window, description.data(), int(description.size()))));
    m_annotations->describeGraphic(m_window, m_accessibleName.c_str(), description.c_str());
    m_annotated = true;
}

GdiObject<HBITMAP> PictureArea::show(GdiObject<HBITMAP> bitmap)
{
    GdiObject<HBITMAP> previous = std::exchange(m_bitmap, std::move(bitmap));
    InvalidateRect(m_window, nullptr, FALSE);
    return previous;
}

void PictureArea::paint()
{
    PAINTSTRUCT painting;
    const HDC target = BeginPaint(m_window, &painting);
    RECT area;
    GetClientRect(m_window, &area);
    BITMAP size{};
    if (m_bitmap && GetObjectW(m_bitmap.get(), sizeof size, &size)) {
        // The bitmap was decoded at the area's device size: copied one to one.
        const HDC source = CreateCompatibleDC(target);
        const HGDIOBJ previous = SelectObject(source, m_bitmap.get());
        BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
        ExcludeClipRect(target, 0, 0, size.bmWidth, size.bmHeight);
    }
    FillRect(target, &area, GetSysColorBrush(COLOR_3DFACE));
    EndPaint(m_window, &painting);
}

LRESULT CALLBACK PictureArea::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(creation->lpCreateParams));
    }
    auto* area = reinterpret_cast<PictureArea*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT:
        if (area) {
            area->paint();
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        // WM_PAINT covers every pixel; erasing first would only flicker.
        return 1;
    case WM_GETOBJECT:
        // A screen reader asks for the area for the first time: it is told
        // what the area is before the standard answer goes out.
        if (area && !area->m_annotated)
            area->annotate();
        break;
    case WM_LBUTTONDBLCLK:
        SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), STN_DBLCLK),
                     LPARAM(window));
        return 0;
    case WM_NCDESTROY:
        if (area && area->m_annotated)
            area->m_annotations->clear(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (area)
            area->m_window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
