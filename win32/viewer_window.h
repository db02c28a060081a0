#pragma once

#include "accessible_name.h"
#include "form_appearance.h"
#include "form_controls.h"
#include "gdi_object.h"
#include "list_pick.h"
#include "picture_decoder.h"
#include "viewer_behaviour.h"
#include "window_fonts.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Program;

// The program's one window: the fixed dialog frame with its lists, labels and
// picture, the handlers of picks and of a double-click on the picture, and
// everything that follows the window's resolution.
class ViewerWindow {
public:
    explicit ViewerWindow(const Program& program);
    ~ViewerWindow();
    ViewerWindow(const ViewerWindow&) = delete;
    ViewerWindow& operator=(const ViewerWindow&) = delete;

    // Creates the window with its controls and runs its load step, hidden,
    // centred in its screen's work area; false when a window could not be
    // created.
    bool create(HINSTANCE instance);

    // Shows the window as the foreground window, with the keyboard focus in
    // the first list in the tab order.
    void show();

    // The window, for the message loop's dialog keys.
    HWND window() const { return m_window; }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void load();
    // Lays the whole window out again, at a new resolution or for a new
    // desktop font.
    void applyResolution(UINT dpi);
    void resolutionChanged(UINT dpi, const RECT& suggested);
    void command(int identifier, WORD code, HWND control);
    void listSettled(std::size_t list);
    void listPicked(std::size_t list);
    // True when the picture, a file's or the built-in one, shows.
    bool showPictureFile(const std::optional<PictureToShow>& picture);
    void showDescription(const std::wstring& text);
    // Has screen readers speak what the core decided, if anything, as news of
    // the control with the focus; and forgets it once the focus leaves.
    void announce(const std::u16string& text);
    void forgetAnnouncement();
    bool showPicture(std::vector<std::uint8_t> jpeg);
    SIZE pictureDeviceSize() const;
    LRESULT labelColours(HDC context, HWND label);

    const Program& m_program;
    const ViewerBehaviour m_behaviour;
    HWND m_owner = nullptr;
    HWND m_window = nullptr;
    // One annotation service for the window's life, started when first needed.
    AccessibleAnnotations m_annotations;
    FormControls m_controls;
    std::array<ListPick, 4> m_picks;
    WindowFonts m_fonts;
    // The description panel's background, where it is not the desktop's.
    GdiObject<HBRUSH> m_panelBrush;
    RgbColour m_panelColour{};
    PictureDecoder m_decoder;
    // The shown picture's file bytes, to decode it again at a new resolution
    // without reading any file.
    std::vector<std::uint8_t> m_shownPicture;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    HWND m_focusWhenInactive = nullptr;
    // The control that carries the last announcement, until the focus leaves.
    HWND m_announcedOn = nullptr;
};
