#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

// Where one control of the window sits, in twips relative to the client area.
struct ControlLayout {
    std::string_view objectName;
    int left;
    int top;
    int width;
    int height;
    std::optional<int> tabIndex;
};

// A rectangle in pixels, relative to the client area.
struct PixelRect {
    int x;
    int y;
    int width;
    int height;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelSize {
    int width;
    int height;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

inline constexpr int TwipsPerInch = 1440;
// The resolution at which the layout was drawn, 15 twips to the pixel.
inline constexpr int StandardDpi = 96;
inline constexpr int TwipsPerPixel = TwipsPerInch / StandardDpi;
inline constexpr int FormClientWidth = 4485;
inline constexpr int FormClientHeight = 6480;

// The controls in stacking order, first on top: every list lies above every
// label, the picture area at the bottom. A front end may create them in
// another order (each caption just before its list, so that screen readers
// name the list by it), provided what shows keeps this stacking.
inline constexpr std::array<ControlLayout, 10> formControls{{
    {"Combo4", 2760, 6000, 1575, 300, 7},
    {"Combo3", 600, 6000, 1575, 300, 6},
    {"Combo2", 2760, 5520, 1575, 300, 2},
    {"Combo1", 600, 5520, 1575, 300, 0},
    {"Label5", 240, 4555, 3975, 900, 8},
    {"Label4", 2280, 6000, 495, 255, 5},
    {"Label3", 120, 6000, 495, 255, 4},
    {"Label2", 2280, 5520, 495, 255, 3},
    {"Label1", 120, 5520, 495, 255, 1},
    {"Image1", 0, 0, 4500, 4500, std::nullopt},
}};

// Twips to pixels at the given resolution, to the nearest whole pixel.
int twipsToPixels(int twips, int dpi = StandardDpi);

// The control's rectangle in pixels at the given resolution.
PixelRect pixelRect(const ControlLayout& control, int dpi = StandardDpi);

// The client area's size in pixels at the given resolution.
PixelSize formClientSize(int dpi = StandardDpi);

// The layout of the control with this object name; it must be in the table.
const ControlLayout& controlLayout(std::string_view objectName);

// The object names of the controls that have a tab index, in its order. The
// keyboard moves through those of them that take the focus in this order.
std::vector<std::string_view> controlsInTabOrder();

// Where a window's frame of this size goes on a screen: centred in the
// screen's work area, the part that no panel or taskbar covers; a frame larger
// than the work area keeps its top-left corner, and so its title bar, inside.
PixelRect centredFrame(PixelRect workArea, PixelSize frame);
