#include "window_fonts.h"

#include "dpi.h"
#include "form_appearance.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace {
GdiObject<HFONT> labelFont(const LabelFont& font, UINT dpi)
{
    LOGFONTW description{};
    // A negative height asks for the character height, which is what a size
    // in points means: 10.5 pt is 14 px at 96 dpi.
    description.lfHeight = -MulDiv(font.tenthsOfPoint, int(dpi), 720);
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
    return GdiObject<HFONT>(CreateFontIndirectW(&description));
}
} // namespace

WindowFonts windowFonts(UINT dpi)
{
    // The lists hold the model's Japanese names: they take the message
    // font's size in a Japanese face, since a Chinese system's message font
    // would draw them in Chinese forms. Where that face is missing, the
    // character set steers the font mapper to another Japanese face.
    LOGFONTW lists = messageFont(dpi);
    constexpr wchar_t japaneseFace[] = L"Yu Gothic UI";
    std::copy_n(japaneseFace, std::size(japaneseFace), lists.lfFaceName);
    lists.lfCharSet = SHIFTJIS_CHARSET;
    return {labelFont(CaptionFont, dpi), labelFont(DescriptionFont, dpi),
            GdiObject<HFONT>(CreateFontIndirectW(&lists))};
}
