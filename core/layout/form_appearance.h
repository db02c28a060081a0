#pragma once

#include <cstdint>
#include <string_view>

// The font a label carries: its face, its size in tenths of a point and its
// weight, as the window was designed with them.
struct LabelFont {
    std::u16string_view face;
    int tenthsOfPoint;
    int weight;
};

struct RgbColour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

// A panel's background and the colour of its text.
struct PanelColours {
    RgbColour background;
    RgbColour text;
    friend bool operator==(const PanelColours&, const PanelColours&) = default;
};

// The captions of the four lists (Label1 to Label4) and the description
// (Label5) use the same simplified Chinese face at two sizes. Where the face
// is missing, any face covering the GB2312 characters takes its place.
inline constexpr std::u16string_view LabelFace = u"微软雅黑";
inline constexpr LabelFont CaptionFont{LabelFace, 105, 400};
inline constexpr LabelFont DescriptionFont{LabelFace, 90, 400};

// The description panel's light pink, and its text's black, the window text
// of a default desktop. The text keeps its colour under a dark theme, where
// the theme's light text would be unreadable on the pink.
inline constexpr RgbColour DescriptionBackground{255, 192, 192};
inline constexpr RgbColour DescriptionForeground{0, 0, 0};

// The description's colours on a desktop whose windows take these colours:
// the pink with its dark text, whatever the theme; under High Contrast the
// desktop's own, as the user asked for them.
PanelColours descriptionColours(bool highContrast, PanelColours desktop);

// Whether a desktop that reports no High Contrast setting of its own is one:
// its windows are pure black on white, or pure white on black, as the
// high-contrast themes draw them and no ordinary theme does.
bool looksHighContrast(PanelColours desktop);

// What screen readers hear for the picture area.
inline constexpr std::u16string_view PictureAreaName = u"表情图片";

// What screen readers hear for the close button of the title strip the window
// draws itself where the window system draws no title bar.
inline constexpr std::u16string_view CloseButtonName = u"关闭";
