#include "window_fonts.h"

#include "dpi.h"
#include "expression_catalogue.h"
#include "form_appearance.h"
#include "form_layout.h"
#include "gdi_text_fit.h"
#include "text.h"
#include "text_font_fit.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {
LOGFONTW labelFont(const LabelFont& font, int pixels)
{
    LOGFONTW description{};
    // A negative height asks for the character height, which is what a size
    // in points means: 10.5 pt is 14 px at 96 dpi.
    description.lfHeight = -pixels;
    description.lfWeight = font.weight;
    // Where the face is missing, the character set steers the font mapper
    // to a face that covers GB2312.
    description.lfCharSet = GB2312_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face(font.face.begin(), font.face.end());
    std::copy_n(face.c_str(), std::min<std::size_t>(face.size() + 1, LF_FACESIZE),
                description.lfFaceName);
    return description;
}

GdiObject<HFONT> makeFont(const LOGFONTW& description)
{
    return GdiObject<HFONT>(CreateFontIndirectW(&description));
}

// The room every caption has: the least of their boxes.
TextExtent captionRoom(UINT dpi)
{
    TextExtent room = labelRoom(controlLayout("Label1"), int(dpi));
    for (const char* label : {"Label2", "Label3", "Label4"}) {
        const TextExtent box = labelRoom(controlLayout(label), int(dpi));
        room = {std::min(room.height, box.height), std::min(room.width, box.width)};
    }
    return room;
}

// The captions' font: the designed one, or a smaller one where a caption
// would not fit its box.
GdiObject<HFONT> captionFont(UINT dpi, const ExpressionCatalogue& catalogue)
{
    const int pixels = designFontPixels(CaptionFont, int(dpi));
    GdiObject<HFONT> designed = makeFont(labelFont(CaptionFont, pixels));
    std::vector<std::wstring> captions;
    for (const Category& category : catalogue.categories)
        captions.push_back(wide(category.caption));
    GdiObject<HFONT> smaller = smallerFittingFont(
        designed.get(), pixels, SmallestFontPixels, captionRoom(dpi),
        [&](HDC context) { return labelLineExtent(context, captions); },
        [](int size) { return labelFont(CaptionFont, size); });
    return smaller ? std::move(smaller) : std::move(designed);
}
} // namespace

WindowFonts windowFonts(UINT dpi, const ExpressionCatalogue& catalogue,
                        std::wstring_view description)
{
    // The lists hold the model's Japanese names: they take the message
    // font's size in a Japanese face, since a Chinese system's message font
    // would draw them in Chinese forms. Where that face is missing, the
    // character set steers the font mapper to another Japanese face.
    LOGFONTW lists = messageFont(dpi);
    constexpr wchar_t japaneseFace[] = L"Yu Gothic UI";
    std::copy_n(japaneseFace, std::size(japaneseFace), lists.lfFaceName);
    lists.lfCharSet = SHIFTJIS_CHARSET;
    WindowFonts fonts{
        captionFont(dpi, catalogue),
        makeFont(labelFont(DescriptionFont, designFontPixels(DescriptionFont, int(dpi)))),
        {},
        makeFont(lists)};
    fonts.smallerDescription = smallerDescriptionFont(fonts, dpi, description);
    return fonts;
}

GdiObject<HFONT> smallerDescriptionFont(const WindowFonts& fonts, UINT dpi,
                                        std::wstring_view description)
{
    const TextExtent room = labelRoom(controlLayout("Label5"), int(dpi));
    return smallerFittingFont(
        fonts.description.get(), designFontPixels(DescriptionFont, int(dpi)), SmallestFontPixels,
        room, [&](HDC context) { return wrappedExtent(context, description, room.width); },
        [](int size) { return labelFont(DescriptionFont, size); });
}
