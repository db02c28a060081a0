#include "form_controls.h"

#include "catalogue_rules.h"
#include "form_appearance.h"
#include "form_layout.h"
#include "text_font_fit.h"
#include "text.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

// Creation order is z-order, first on top, and the dialog keys walk it for
// the tab order. Screen readers name a combo box after the static control
// just before it in z-order, so each caption label is created just before its
// list: Label1, Combo1, Label2, Combo2, ... Label5, then the picture area,
// which thus lies at the bottom. Tab stops are on the lists alone, so Tab and
// Shift+Tab cycle Combo1 to Combo4.
//
// This order puts each caption above its list, and the two share one pixel
// column (a caption ends on the column where its list begins). The list
// must cover that column, so each caption's window region leaves out what
// its list covers: the caption then neither draws there nor takes the mouse
// there, and the list shows whole, with the geometry unchanged.

namespace {
constexpr std::array<const char*, 4> listNames{"Combo1", "Combo2", "Combo3", "Combo4"};
constexpr std::array<const char*, 5> labelNames{"Label1", "Label2", "Label3", "Label4", "Label5"};

// The dropped lists show this many items before they scroll.
constexpr int visibleListItems = 8;

HWND createLabel(HWND parent, HINSTANCE instance, int identifier, std::u16string_view text,
                 DWORD extraStyle)
{
    // SS_NOPREFIX: no caption holds an access-key marker, so "&" is shown.
    return CreateWindowExW(0, WC_STATICW, wide(text).c_str(),
                           WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | extraStyle, 0, 0, 0, 0,
                           parent, HMENU(INT_PTR(identifier)), instance, nullptr);
}

HWND createList(HWND parent, HINSTANCE instance, int identifier, const Category& category)
{
    // CBS_DROPDOWN: a field the user can type into. No CBS_SORT: the items
    // keep the catalogue's order. Typing starts no completion of any kind.
    const HWND list = CreateWindowExW(
        0, WC_COMBOBOXW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 0, 0,
        0, parent, HMENU(INT_PTR(identifier)), instance, nullptr);
    if (!list)
        return nullptr;
    for (const CatalogueEntry& entry : category.entries)
        SendMessageW(list, CB_ADDSTRING, 0, LPARAM(wide(entry.listText).c_str()));
    // The field shows the category's name with no item selected.
    SetWindowTextW(list, wide(category.initialText).c_str());
    SendMessageW(list, CB_SETMINVISIBLE, visibleListItems, 0);
    return list;
}

RECT screenRect(const PixelRect& rect)
{
    return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

// The caption's region: its own rectangle less the part its list covers, in
// the caption's own coordinates.
HRGN captionRegion(const PixelRect& caption, const PixelRect& list)
{
    const HRGN region = CreateRectRgn(0, 0, caption.width, caption.height);
    RECT shared;
    const RECT captionRect = screenRect(caption);
    const RECT listRect = screenRect(list);
    if (IntersectRect(&shared, &captionRect, &listRect)) {
        const HRGN covered = CreateRectRgn(shared.left - caption.x, shared.top - caption.y,
                                           shared.right - caption.x, shared.bottom - caption.y);
        CombineRgn(region, region, covered, RGN_DIFF);
        DeleteObject(covered);
    }
    return region;
}

void place(HWND control, const PixelRect& rect)
{
    SetWindowPos(control, nullptr, rect.x, rect.y, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

int closedHeight(HWND list)
{
    RECT closed;
    GetWindowRect(list, &closed);
    return int(closed.bottom - closed.top);
}

// A closed drop-down list is as high as its field and the border around it;
// the field takes the height asked for, however large the font. The border
// is found by trying: systems add different margins to the field.
void keepClosedHeight(HWND list, int height)
{
    auto field = int(SendMessageW(list, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    for (int attempt = 0; attempt < 3 && field > 0 && closedHeight(list) != height; ++attempt) {
        field -= closedHeight(list) - height;
        if (field > 0)
            SendMessageW(list, CB_SETITEMHEIGHT, WPARAM(-1), field);
    }
}

HWND fieldOf(HWND list)
{
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    return GetComboBoxInfo(list, &parts) ? parts.hwndItem : nullptr;
}

// The width and height the text of a list's field has, within its margins.
TextExtent textRoom(HWND list)
{
    const HWND field = fieldOf(list);
    RECT area{};
    if (!field || !GetClientRect(field, &area))
        return {0, 0};
    const auto margins = DWORD(SendMessageW(field, EM_GETMARGINS, 0, 0));
    // The caret needs a pixel past the last character.
    return {int(SendMessageW(list, CB_GETITEMHEIGHT, WPARAM(-1), 0)),
            int(area.right - area.left) - LOWORD(margins) - HIWORD(margins) - 1};
}

std::wstring textOf(HWND list, LRESULT item)
{
    std::wstring text(
        std::size_t(std::max<LRESULT>(0, SendMessageW(list, CB_GETLBTEXTLEN, WPARAM(item), 0))),
        L'\0');
    if (!text.empty())
        SendMessageW(list, CB_GETLBTEXT, WPARAM(item), LPARAM(text.data()));
    return text;
}

// Every text the lists show: their items and what their fields hold now.
std::vector<std::wstring> listTexts(const FormControls& controls)
{
    std::vector<std::wstring> texts;
    for (const HWND list : controls.lists) {
        std::wstring field(std::size_t(GetWindowTextLengthW(list)), L'\0');
        GetWindowTextW(list, field.data(), int(field.size() + 1));
        texts.push_back(std::move(field));
        for (LRESULT item = 0, count = SendMessageW(list, CB_GETCOUNT, 0, 0); item < count; ++item)
            texts.push_back(textOf(list, item));
    }
    return texts;
}
} // namespace

bool createFormControls(HWND parent, const ExpressionCatalogue& catalogue, FormControls& controls)
{
    const auto instance = HINSTANCE(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    for (std::size_t k = 0; k < controls.lists.size(); ++k) {
        const Category& category = catalogue.categories[k];
        controls.labels[k] =
            createLabel(parent, instance, FirstLabelIdentifier + int(k), category.caption, 0);
        controls.lists[k] = createList(parent, instance, FirstListIdentifier + int(k), category);
        if (!controls.labels[k] || !controls.lists[k])
            return false;
    }
    // SS_EDITCONTROL breaks a line inside a word, as a multiline edit
    // control does, so Chinese text, which has no spaces, wraps too.
    controls.labels[4] =
        createLabel(parent, instance, FirstLabelIdentifier + 4, DescriptionHeading, SS_EDITCONTROL);
    if (!controls.labels[4])
        return false;
    return controls.picture.create(parent, PictureIdentifier, wide(PictureAreaName).c_str());
}

void layOutFormControls(const FormControls& controls, UINT dpi, const WindowFonts& fonts)
{
    const int resolution = int(dpi);
    for (std::size_t k = 0; k < controls.lists.size(); ++k) {
        const PixelRect list = pixelRect(controlLayout(listNames[k]), resolution);
        const PixelRect caption = pixelRect(controlLayout(labelNames[k]), resolution);
        SendMessageW(controls.labels[k], WM_SETFONT, WPARAM(fonts.captions.get()), FALSE);
        place(controls.labels[k], caption);
        SetWindowRgn(controls.labels[k], captionRegion(caption, list), TRUE);

        SendMessageW(controls.lists[k], WM_SETFONT, WPARAM(fonts.lists.get()), TRUE);
        // A drop-down combo box takes its closed height from its font; the
        // height given here is that of the field and its open list together.
        PixelRect withList = list;
        withList.height += visibleListItems * MulDiv(list.height, 4, 5);
        place(controls.lists[k], withList);
        keepClosedHeight(controls.lists[k], list.height);
    }
    SendMessageW(controls.description(), WM_SETFONT, WPARAM(fonts.description.get()), FALSE);
    place(controls.description(), pixelRect(controlLayout("Label5"), resolution));
    place(controls.picture.window(), pixelRect(controlLayout("Image1"), resolution));
    InvalidateRect(GetParent(controls.description()), nullptr, TRUE);
}

GdiObject<HFONT> smallerListFont(const FormControls& controls)
{
    const auto font = HFONT(SendMessageW(controls.lists[0], WM_GETFONT, 0, 0));
    LOGFONTW description{};
    if (!font || !GetObjectW(font, sizeof description, &description))
        return {};
    const TextExtent room = textRoom(controls.lists[0]);
    const std::vector<std::wstring> texts = listTexts(controls);
    const HDC context = CreateCompatibleDC(nullptr);
    if (!context)
        return {};
    TEXTMETRICW metrics{};
    const HGDIOBJ original = SelectObject(context, font);
    GetTextMetricsW(context, &metrics);
    const int desktopSize = int(metrics.tmHeight);
    const int size = fittingFontSize(desktopSize, SmallestListFontPixels, room, [&](int pixels) {
        LOGFONTW smaller = description;
        // A positive height asks for the whole line, as measured here.
        smaller.lfHeight = pixels;
        const GdiObject<HFONT> candidate(CreateFontIndirectW(&smaller));
        SelectObject(context, candidate.get());
        TextExtent extent{0, 0};
        TEXTMETRICW lineMetrics{};
        GetTextMetricsW(context, &lineMetrics);
        extent.height = int(lineMetrics.tmHeight);
        for (const std::wstring& text : texts) {
            SIZE drawn{};
            GetTextExtentPoint32W(context, text.c_str(), int(text.size()), &drawn);
            extent.width = std::max(extent.width, int(drawn.cx));
        }
        SelectObject(context, original);
        return extent;
    });
    SelectObject(context, original);
    DeleteDC(context);
    if (size >= desktopSize)
        return {};
    description.lfHeight = size;
    return GdiObject<HFONT>(CreateFontIndirectW(&description));
}
