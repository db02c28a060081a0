#include "viewer_window.h"

#include "accessible_name.h"
#include "catalogue_rules.h"
#include "dpi.h"
#include "form_appearance.h"
#include "form_layout.h"
#include "high_contrast.h"
#include "picture_file.h"
#include "program.h"
#include "program_directory.h"
#include "text.h"

#include <utility>

namespace {
constexpr wchar_t className[] = L"MorphViewerWindow";
// A fixed dialog frame: a title bar with the window menu and its close box,
// no minimise or maximise box and no sizing border.
constexpr DWORD frameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD frameExtendedStyle = WS_EX_DLGMODALFRAME;
// Posted to the window after a list's notifications; wParam is the list.
constexpr UINT listSettledMessage = WM_APP + 1;
// The built-in picture's resource name, the same in every program's resources.
constexpr wchar_t builtInPictureResource[] = L"BUILTIN_PICTURE";
// The application icon's group, which the window shows too.
constexpr WORD iconGroup = 1;

ATOM registerClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = HICON(LoadImageW(instance, MAKEINTRESOURCEW(iconGroup), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                         LR_DEFAULTCOLOR));
    windowClass.hIconSm = HICON(LoadImageW(instance, MAKEINTRESOURCEW(iconGroup), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXSMICON),
                                           GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass);
}

// The built-in picture's bytes, from the program's resources.
std::vector<std::uint8_t> builtInPicture(HINSTANCE instance)
{
    const HRSRC resource = FindResourceW(instance, builtInPictureResource, RT_RCDATA);
    const HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        return {};
    return {bytes, bytes + SizeofResource(instance, resource)};
}

RgbColour rgbOf(COLORREF colour)
{
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

COLORREF colourRef(RgbColour colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

SIZE frameSize(UINT dpi)
{
    const PixelSize client = formClientSize(int(dpi));
    return windowSizeForClient({client.width, client.height}, frameStyle, frameExtendedStyle, dpi);
}
} // namespace

ViewerWindow::ViewerWindow(const Program& program)
    : m_program(program), m_behaviour(program.catalogue, programDirectory())
{}

ViewerWindow::~ViewerWindow()
{
    if (m_window)
        DestroyWindow(m_window);
    if (m_owner)
        DestroyWindow(m_owner);
}

bool ViewerWindow::create(HINSTANCE instance)
{
    static const ATOM registered = registerClass(instance, windowProcedure);
    if (!registered)
        return false;
    // A window that has an owner gets no taskbar button; the owner is never
    // shown.
    m_owner = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                              nullptr);
    // Made at the primary screen's origin, so that it has that screen's
    // resolution before it is sized and centred there.
    m_window = CreateWindowExW(frameExtendedStyle, className, wide(m_program.windowCaption).c_str(),
                               frameStyle, 0, 0, 0, 0, m_owner, nullptr, instance, this);
    if (!m_owner || !m_window)
        return false;
    // The window menu offers only Move and Close: the window can be neither
    // sized, minimised nor maximised.
    const HMENU windowMenu = GetSystemMenu(m_window, FALSE);
    for (const UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE})
        DeleteMenu(windowMenu, command, MF_BYCOMMAND);

    m_dpi = windowDpi(m_window);
    m_fonts = windowFonts(m_dpi, m_program.catalogue, wide(DescriptionHeading));
    if (!createFormControls(m_window, m_program.catalogue, m_dpi, m_fonts, m_controls))
        return false;
    m_controls.picture.setAnnotations(m_annotations);
    load();
    // Sized for its client area at its resolution, centred in its screen's
    // work area and topmost for the rest of its life, in one move.
    const SIZE frame = frameSize(m_dpi);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(m_window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const PixelRect place =
        centredFrame({work.left, work.top, work.right - work.left, work.bottom - work.top},
                     {frame.cx, frame.cy});
    SetWindowPos(m_window, HWND_TOPMOST, place.x, place.y, place.width, place.height,
                 SWP_NOACTIVATE);
    return true;
}

void ViewerWindow::load()
{
    for (const PictureToShow& picture : m_behaviour.startupPictures())
        if (showPictureFile(picture))
            break;
}

void ViewerWindow::show()
{
    ShowWindow(m_window, SW_SHOWNORMAL);
    UpdateWindow(m_window);
    // Shown from a process that the user just started, the window may take
    // the foreground; without it, keys would go to whichever window had them.
    SetForegroundWindow(m_window);
    SetFocus(GetNextDlgTabItem(m_window, nullptr, FALSE));
}

void ViewerWindow::applyResolution(UINT dpi)
{
    m_dpi = dpi;
    std::wstring description(std::size_t(GetWindowTextLengthW(m_controls.description())), L'\0');
    GetWindowTextW(m_controls.description(), description.data(), int(description.size() + 1));
    WindowFonts fonts = windowFonts(dpi, m_program.catalogue, description);
    layOutFormControls(m_controls, m_program.catalogue, dpi, fonts);
    // The controls have let go of the old fonts; they can go now.
    m_fonts = std::move(fonts);
    const SIZE frame = frameSize(dpi);
    SetWindowPos(m_window, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The shown picture again, sharp at the new device size.
    if (!m_shownPicture.empty()) {
        if (auto bitmap = m_decoder.decode(m_shownPicture, pictureDeviceSize()))
            m_decoder.recycle(m_controls.picture.show(std::move(bitmap)));
    }
}

void ViewerWindow::resolutionChanged(UINT dpi, const RECT& suggested)
{
    applyResolution(dpi);
    SetWindowPos(m_window, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE ViewerWindow::pictureDeviceSize() const
{
    const PixelRect area = pixelRect(controlLayout("Image1"), int(m_dpi));
    return {area.width, area.height};
}

bool ViewerWindow::showPicture(std::vector<std::uint8_t> jpeg)
{
    auto bitmap = m_decoder.decode(jpeg, pictureDeviceSize());
    if (!bitmap)
        return false;
    m_decoder.recycle(m_controls.picture.show(std::move(bitmap)));
    m_shownPicture = std::move(jpeg);
    return true;
}

bool ViewerWindow::showPictureFile(const std::optional<PictureToShow>& picture)
{
    // Any failure, from a missing file to a broken picture, keeps the
    // picture shown, and its name, and is reported nowhere.
    if (!picture)
        return false;
    std::vector<std::uint8_t> bytes;
    if (picture->source == PictureSource::BuiltIn)
        bytes = builtInPicture(HINSTANCE(GetWindowLongPtrW(m_window, GWLP_HINSTANCE)));
    else if (auto file = readPictureFile(picture->path))
        bytes = std::move(file->bytes);
    if (!showPicture(std::move(bytes)))
        return false;
    m_controls.picture.setAccessibleDescription(wide(picture->name).c_str());
    return true;
}

void ViewerWindow::listPicked(std::size_t list)
{
    const auto pick =
        m_behaviour.pick(list, SendMessageW(m_controls.lists[list], CB_GETCURSEL, 0, 0));
    if (!pick)
        return;
    showPictureFile(pick->picture);
    const std::wstring description = wide(pick->description);
    showDescription(description);
    announce(pick->announcement);
}

void ViewerWindow::showDescription(const std::wstring& text)
{
    // The font that shows the text whole, before the text.
    GdiObject<HFONT> smaller = smallerDescriptionFont(m_fonts, m_dpi, text);
    if (smaller || m_fonts.smallerDescription) {
        SendMessageW(m_controls.description(), WM_SETFONT,
                     WPARAM(smaller ? smaller.get() : m_fonts.description.get()), FALSE);
        m_fonts.smallerDescription = std::move(smaller);
    }
    SetWindowTextW(m_controls.description(), text.c_str());
}

void ViewerWindow::announce(const std::u16string& text)
{
    // Screen readers speak a change of the focused control's description
    // after its new text. The description panel and the picture never take
    // the focus; a list's edit field has it, not the list itself.
    const HWND focus = GetFocus();
    if (text.empty() || !focus || !IsChild(m_window, focus))
        return;
    if (m_announcedOn != focus)
        forgetAnnouncement();
    m_annotations.announce(focus, wide(text).c_str());
    m_announcedOn = focus;
}

void ViewerWindow::forgetAnnouncement()
{
    // Left in place, it would be read again as the control's description
    // whenever the focus comes back.
    if (m_announcedOn)
        m_annotations.clear(m_announcedOn);
    m_announcedOn = nullptr;
}

void ViewerWindow::listSettled(std::size_t list)
{
    if (list < m_picks.size() && m_picks[list].settle())
        listPicked(list);
}

void ViewerWindow::command(int identifier, WORD code, HWND control)
{
    const int list = identifier - FirstListIdentifier;
    if (list >= 0 && list < int(m_controls.lists.size()) && control == m_controls.lists[list]) {
        if (code == CBN_KILLFOCUS)
            forgetAnnouncement();
        const bool open = SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
        if (m_picks[list].notified(code, open))
            PostMessageW(m_window, listSettledMessage, WPARAM(list), 0);
        return;
    }
    if (identifier == PictureIdentifier && code == STN_DBLCLK) {
        const auto reset = m_behaviour.doubleClick();
        if (showPictureFile(reset))
            announce(reset->announcement);
    }
    // Return and Escape reach the window as IDOK and IDCANCEL through the
    // dialog keys; neither does anything here.
}

LRESULT ViewerWindow::labelColours(HDC context, HWND label)
{
    // A caption asks just before it paints.
    leaveListUncovered(m_controls, label, context);
    const PanelColours desktop{rgbOf(GetSysColor(COLOR_3DFACE)), rgbOf(GetSysColor(COLOR_BTNTEXT))};
    const PanelColours colours =
        label == m_controls.description() ? descriptionColours(highContrastOn(), desktop) : desktop;
    SetTextColor(context, colourRef(colours.text));
    SetBkColor(context, colourRef(colours.background));
    if (colours.background == desktop.background)
        return LRESULT(GetSysColorBrush(COLOR_3DFACE));
    if (!m_panelBrush || m_panelColour != colours.background) {
        m_panelBrush = GdiObject<HBRUSH>(CreateSolidBrush(colourRef(colours.background)));
        m_panelColour = colours.background;
    }
    return LRESULT(m_panelBrush.get());
}

LRESULT ViewerWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam), HWND(lParam));
        return 0;
    case listSettledMessage:
        listSettled(std::size_t(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        return labelColours(HDC(wParam), HWND(lParam));
    case WM_SYSCOLORCHANGE:
        // High Contrast turned on or off, or other system colours.
        RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
    case WM_DPICHANGED:
        resolutionChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SETTINGCHANGE:
        // The user chose another message font: the lists take it up.
        if (wParam == SPI_SETNONCLIENTMETRICS)
            applyResolution(m_dpi);
        break;
    case WM_ACTIVATE:
        // The focus comes back to the control that had it, as in a dialog.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(m_window, focus))
                m_focusWhenInactive = focus;
        } else {
            const bool remembered = m_focusWhenInactive && IsWindow(m_focusWhenInactive) &&
                                    IsChild(m_window, m_focusWhenInactive);
            SetFocus(remembered ? m_focusWhenInactive
                                : GetNextDlgTabItem(m_window, nullptr, FALSE));
        }
        return 0;
    case WM_SYSCOMMAND:
        // Also refused when asked for by other means than the window menu.
        switch (wParam & 0xFFF0) {
        case SC_SIZE:
        case SC_MINIMIZE:
        case SC_MAXIMIZE:
            return 0;
        default:
            break;
        }
        break;
    case WM_DESTROY:
        forgetAnnouncement();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT CALLBACK ViewerWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(creation->lpCreateParams));
        static_cast<ViewerWindow*>(creation->lpCreateParams)->m_window = window;
    }
    auto* viewer = reinterpret_cast<ViewerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY && viewer) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        viewer->m_window = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (!viewer)
        return DefWindowProcW(window, message, wParam, lParam);
    return viewer->handle(message, wParam, lParam);
}
