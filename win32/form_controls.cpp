#include "form_controls.h"

#include "catalogue_rules.h"
#include "form_appearance.h"
#include "form_layout.h"
#include "gdi_text_fit.h"
#include "text.h"
#include "text_font_fit.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

// Creation order is z-order, first on top, and the dialog keys walk it for
// the tab order. Tab stops are on the lists alone, so they are created in the
// layout's tab order, and Tab and Shift+Tab cycle them in it. Screen readers
// name a combo box after the static control just before it in z-order, so
// each caption label is created just before its list: Label1, Combo1,
// Label2, Combo2, ... Label5, then the picture area, which thus lies at the
// bottom.
//
// This order puts each caption above its list, and the two share one pixel
// column (a caption ends on the column where its list begins). The list
// must cover that column, so a caption leaves out of each paint what its
// list covers (leaveListUncovered), and the list shows whole, with the
// geometry unchanged. The mouse there reaches the list anyway: a static
// control without SS_NOTIFY lets it through to the window beneath.

namespace {
constexpr std::array<const char*, 4> listNames{"Combo1", "Combo2", "Combo3", "Combo4"};
constexpr std::array<const char*, 5> labelNames{"Label1", "Label2", "Label3", "Label4", "Label5"};

// The dropped lists show this many items before they scroll.
constexpr int visibleListItems = 8;

PixelRect placeOf(const char* name, UINT dpi)
{
    return pixelRect(controlLayout(name), int(dpi));
}

HWND createChild(HWND parent, const wchar_t* windowClass, DWORD style, const PixelRect& place,
                 int identifier, HFONT font)
{
    const HWND control =
        CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, place.x, place.y,
                        place.width, place.height, parent, HMENU(INT_PTR(identifier)),
                        HINSTANCE(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (control)
        SendMessageW(control, WM_SETFONT, WPARAM(font), FALSE);
    return control;
}

HWND createLabel(HWND parent, const PixelRect& place, int identifier, HFONT font,
                 std::u16string_view text, DWORD extraStyle)
{
    // SS_NOPREFIX: no caption holds an access-key marker, so "&" is shown.
    const HWND label = createChild(parent, WC_STATICW, SS_LEFT | SS_NOPREFIX | extraStyle, place,
                                   identifier, font);
    if (label)
        SetWindowTextW(label, wide(text).c_str());
    return label;
}

// A drop-down combo box takes its closed height from its font; the height
// it is made with is that of the field and its open list together.
PixelRect withOpenList(PixelRect list)
{
    list.height += visibleListItems * MulDiv(list.height, 4, 5);
    return list;
}

HWND createList(HWND parent, const PixelRect& place, int identifier, HFONT font)
{
    // CBS_DROPDOWN: a field the user can type into. No CBS_SORT: the items
    // keep the catalogue's order. Typing starts no completion of any kind.
    return createChild(parent, WC_COMBOBOXW,
                       WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                       withOpenList(place), identifier, font);
}

void fillList(HWND list, const Category& category)
{
    for (const CatalogueEntry& entry : category.entries)
        SendMessageW(list, CB_ADDSTRING, 0, LPARAM(wide(entry.listText).c_str()));
    // The field shows the category's name with no item selected.
    SetWindowTextW(list, wide(category.initialText).c_str());
    SendMessageW(list, CB_SETMINVISIBLE, visibleListItems, 0);
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
// is found by trying: systems add different margins to the field, and some
// report another field height than the one asked for, so the one asked for
// is what is corrected. Returns the field height asked for last (0 for
// none), which a list like this one takes at the first try.
int keepClosedHeight(HWND list, int height, int field = 0)
{
    const int likely = field;
    if (field > 0)
        SendMessageW(list, CB_SETITEMHEIGHT, WPARAM(-1), field);
    else
        field = int(SendMessageW(list, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    bool asked = likely > 0;
    for (int attempt = 0; attempt < 3 && field > 0 && closedHeight(list) != height; ++attempt) {
        field -= closedHeight(list) - height;
        if (field > 0)
            asked = SendMessageW(list, CB_SETITEMHEIGHT, WPARAM(-1), field) != CB_ERR;
    }
    return asked ? field : 0;
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

// Every text the lists show: their items and what their fields hold first.
std::vector<std::wstring> listTexts(const ExpressionCatalogue& catalogue)
{
    std::vector<std::wstring> texts;
    for (const Category& category : catalogue.categories) {
        texts.push_back(wide(category.initialText));
        for (const CatalogueEntry& entry : category.entries)
            texts.push_back(wide(entry.listText));
    }
    return texts;
}

// The height of a line in this font, which the font rule counts a list's
// font size by.
int lineHeight(HFONT font)
{
    const HDC context = CreateCompatibleDC(nullptr);
    if (!context)
        return 0;
    const HGDIOBJ original = SelectObject(context, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    SelectObject(context, original);
    DeleteDC(context);
    return int(metrics.tmHeight);
}

// A smaller font for the lists, where the font this list has does not fit
// every text whole into its field; nothing where it does. The texts are
// measured once in that very font, which the lists then draw with, so that
// where it fits nothing else is made or measured.
GdiObject<HFONT> smallerListFont(HWND list, const ExpressionCatalogue& catalogue)
{
    const auto font = HFONT(SendMessageW(list, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    if (!font || !GetObjectW(font, sizeof description, &description))
        return {};
    const std::vector<std::wstring> texts = listTexts(catalogue);
    return smallerFittingFont(
        font, lineHeight(font), SmallestListFontPixels, textRoom(list),
        [&](HDC context) { return lineExtent(context, texts); },
        [&](int pixels) {
            LOGFONTW smaller = description;
            // A positive height asks for the whole line, as measured here.
            smaller.lfHeight = pixels;
            return smaller;
        });
}

// Gives the first list the lists' font, fitted: the desktop's, or a smaller
// one in its place where the texts would not fit it. Returns the field height
// keepClosedHeight asked for.
int fitListFont(HWND list, int closedHeight, const ExpressionCatalogue& catalogue,
                WindowFonts& fonts)
{
    int field = keepClosedHeight(list, closedHeight);
    if (GdiObject<HFONT> smaller = smallerListFont(list, catalogue)) {
        SendMessageW(list, WM_SETFONT, WPARAM(smaller.get()), TRUE);
        field = keepClosedHeight(list, closedHeight);
        // The list has let go of the desktop's font; it can go now.
        fonts.lists = std::move(smaller);
    }
    return field;
}
} // namespace

bool createFormControls(HWND parent, const ExpressionCatalogue& catalogue, UINT dpi,
                        WindowFonts& fonts, FormControls& controls)
{
    // The lists in the layout's tab order, each just after its caption.
    std::vector<std::size_t> lists;
    for (const std::string_view name : controlsInTabOrder())
        if (const auto found = std::ranges::find(listNames, name); found != listNames.end())
            lists.push_back(std::size_t(found - listNames.begin()));
    if (lists.size() != controls.lists.size())
        return false;
    int field = 0;
    for (const std::size_t k : lists) {
        const Category& category = catalogue.categories[k];
        const PixelRect caption = placeOf(labelNames[k], dpi);
        const PixelRect list = placeOf(listNames[k], dpi);
        controls.labels[k] = createLabel(parent, caption, FirstLabelIdentifier + int(k),
                                         fonts.captions.get(), category.caption, 0);
        controls.lists[k] =
            createList(parent, list, FirstListIdentifier + int(k), fonts.lists.get());
        if (!controls.labels[k] || !controls.lists[k])
            return false;
        field = k == lists.front() ? fitListFont(controls.lists[k], list.height, catalogue, fonts)
                                   : keepClosedHeight(controls.lists[k], list.height, field);
        fillList(controls.lists[k], category);
    }
    // SS_EDITCONTROL breaks a line inside a word, as a multiline edit
    // control does, so Chinese text, which has no spaces, wraps too.
    controls.labels[4] = createLabel(parent, placeOf("Label5", dpi), FirstLabelIdentifier + 4,
                                     fonts.descriptionShown(), DescriptionHeading, SS_EDITCONTROL);
    if (!controls.labels[4])
        return false;
    return controls.picture.create(parent, placeOf("Image1", dpi), PictureIdentifier,
                                   wide(PictureAreaName).c_str());
}

void layOutFormControls(const FormControls& controls, const ExpressionCatalogue& catalogue,
                        UINT dpi, WindowFonts& fonts)
{
    int field = 0;
    for (std::size_t k = 0; k < controls.lists.size(); ++k) {
        const PixelRect list = placeOf(listNames[k], dpi);
        const PixelRect caption = placeOf(labelNames[k], dpi);
        // Redrawn with its new font even where its place stays.
        SendMessageW(controls.labels[k], WM_SETFONT, WPARAM(fonts.captions.get()), TRUE);
        place(controls.labels[k], caption);

        SendMessageW(controls.lists[k], WM_SETFONT, WPARAM(fonts.lists.get()), TRUE);
        place(controls.lists[k], withOpenList(list));
        field = k == 0 ? fitListFont(controls.lists[0], list.height, catalogue, fonts)
                       : keepClosedHeight(controls.lists[k], list.height, field);
    }
    SendMessageW(controls.description(), WM_SETFONT, WPARAM(fonts.descriptionShown()), FALSE);
    place(controls.description(), placeOf("Label5", dpi));
    place(controls.picture.window(), placeOf("Image1", dpi));
    InvalidateRect(GetParent(controls.description()), nullptr, TRUE);
}

void leaveListUncovered(const FormControls& controls, HWND label, HDC context)
{
    const auto caption =
        std::ranges::find(controls.labels.begin(), controls.labels.end() - 1, label);
    if (caption == controls.labels.end() - 1)
        return;
    RECT captionRect;
    RECT listRect;
    RECT shared;
    if (!GetWindowRect(label, &captionRect) ||
        !GetWindowRect(controls.lists[std::size_t(caption - controls.labels.begin())], &listRect) ||
        !IntersectRect(&shared, &captionRect, &listRect))
        return;
    MapWindowPoints(nullptr, label, reinterpret_cast<POINT*>(&shared), 2);
    ExcludeClipRect(context, shared.left, shared.top, shared.right, shared.bottom);
}
