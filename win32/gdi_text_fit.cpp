#include "gdi_text_fit.h"

#include <algorithm>

namespace {
// How far below the top of a line the ink of these texts reaches: the font's
// ascent and the deepest any glyph goes below the baseline. Line heights
// include room above the glyphs and below their ink, which a label may
// leave out of its box without cutting any ink.
int inkDepth(HDC context, const TEXTMETRICW& metrics, std::wstring_view text)
{
    constexpr MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    int below = 0;
    for (const wchar_t character : text) {
        GLYPHMETRICS glyph{};
        if (GetGlyphOutlineW(context, character, GGO_METRICS, &glyph, 0, nullptr, &identity) !=
            GDI_ERROR)
            below = std::max(below, int(glyph.gmBlackBoxY) - int(glyph.gmptGlyphOrigin.y));
    }
    return int(metrics.tmAscent) + std::min(below, int(metrics.tmDescent));
}

int widestLine(HDC context, const std::vector<std::wstring>& texts)
{
    int widest = 0;
    for (const std::wstring& text : texts) {
        SIZE drawn{};
        GetTextExtentPoint32W(context, text.c_str(), int(text.size()), &drawn);
        widest = std::max(widest, int(drawn.cx));
    }
    return widest;
}
} // namespace

GdiObject<HFONT> smallerFittingFont(HFONT font, int size, int smallest, TextExtent room,
                                    const GdiMeasure& measure, const FontAtSize& fontAt)
{
    const HDC context = CreateCompatibleDC(nullptr);
    if (!context)
        return {};
    const HGDIOBJ original = SelectObject(context, font);
    // The last size tried is most often the one that fits: its font is kept.
    GdiObject<HFONT> candidate;
    int candidateSize = 0;
    const int fitting = fittingFontSize(size, smallest, room, [&](int pixels) {
        if (pixels == size)
            return measure(context);
        const LOGFONTW description = fontAt(pixels);
        SelectObject(context, font);
        candidate = GdiObject<HFONT>(CreateFontIndirectW(&description));
        candidateSize = pixels;
        SelectObject(context, candidate.get());
        return measure(context);
    });
    SelectObject(context, original);
    DeleteDC(context);
    if (fitting >= size)
        return {};
    if (fitting == candidateSize)
        return candidate;
    const LOGFONTW description = fontAt(fitting);
    return GdiObject<HFONT>(CreateFontIndirectW(&description));
}

TextExtent lineExtent(HDC context, const std::vector<std::wstring>& texts)
{
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    return {int(metrics.tmHeight), widestLine(context, texts)};
}

TextExtent labelLineExtent(HDC context, const std::vector<std::wstring>& texts)
{
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    int depth = 0;
    for (const std::wstring& text : texts)
        depth = std::max(depth, inkDepth(context, metrics, text));
    return {depth, widestLine(context, texts)};
}

TextExtent wrappedExtent(HDC context, std::wstring_view text, int width)
{
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    // The flags a left-aligned static control with SS_NOPREFIX and
    // SS_EDITCONTROL draws its text with.
    RECT lines{0, 0, width, 0};
    DrawTextW(context, text.data(), int(text.size()), &lines,
              DT_CALCRECT | DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    const int height = int(lines.bottom - lines.top);
    if (height < int(metrics.tmHeight))
        return {0, int(lines.right - lines.left)};
    return {height - int(metrics.tmHeight) + inkDepth(context, metrics, text),
            int(lines.right - lines.left)};
}
