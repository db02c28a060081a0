// The baseline for Qelview's start-up: the least a careful Win32 programmer
// would write for a window of the same shape, reporting its first paint the
// same way. The same frame, owner and icon; the same ten controls with the
// same classes, styles and fonts, each created at its place with its font
// before its text and items, each closed list as high as its place; the same
// 56 items; Qel\0.jpg read and decoded once with WIC at the picture area's
// device size. Nothing else: no screen reader annotations, no fitting of
// fonts, no second layout pass.
//
// Usage: win32_minimal_window_probe

#include "catalogue_rules.h"
#include "expression_catalogue.h"
#include "first_paint.h"
#include "form_appearance.h"
#include "form_layout.h"
#include "program.h"

#include <commctrl.h>
#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {
constexpr DWORD frameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD frameExtendedStyle = WS_EX_DLGMODALFRAME;
const char* const listNames[] = {"Combo1", "Combo2", "Combo3", "Combo4"};
const char* const labelNames[] = {"Label1", "Label2", "Label3", "Label4"};

HBRUSH pinkBrush;
HBITMAP picture;

std::wstring text(std::u16string_view utf16)
{
    return {utf16.begin(), utf16.end()};
}

HFONT labelFont(const LabelFont& font, UINT dpi)
{
    LOGFONTW description{};
    description.lfHeight = -MulDiv(font.tenthsOfPoint, int(dpi), 720);
    description.lfWeight = font.weight;
    description.lfCharSet = GB2312_CHARSET;
    const std::wstring face = text(font.face);
    face.copy(description.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&description);
}

HFONT listFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    LOGFONTW font = metrics.lfMessageFont;
    // With its terminating NUL: the message font's face may have a longer
    // name, whose end would otherwise stay and name a face that no system
    // has, which the font mapper replaces with another one.
    const wchar_t face[] = L"Yu Gothic UI";
    std::copy(std::begin(face), std::end(face), font.lfFaceName);
    font.lfCharSet = SHIFTJIS_CHARSET;
    return CreateFontIndirectW(&font);
}

HBITMAP decode(const wchar_t* path, int width, int height)
{
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    std::vector<BYTE> bytes(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr);
    CloseHandle(file);
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    IWICBitmapScaler* scaler = nullptr;
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &pixels, nullptr, 0);
    const UINT stride = UINT(width) * 4;
    const bool decoded =
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromMemory(bytes.data(), read)) &&
        SUCCEEDED(factory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, &decoder)) &&
        SUCCEEDED(decoder->Initialize(stream, WICDecodeMetadataCacheOnDemand)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                        nullptr, 0.0, WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(factory->CreateBitmapScaler(&scaler)) &&
        SUCCEEDED(scaler->Initialize(converter, UINT(width), UINT(height),
                                     WICBitmapInterpolationModeFant)) &&
        bitmap &&
        SUCCEEDED(
            scaler->CopyPixels(nullptr, stride, stride * UINT(height), static_cast<BYTE*>(pixels)));
    for (IUnknown* object :
         std::initializer_list<IUnknown*>{scaler, converter, frame, decoder, stream, factory})
        if (object)
            object->Release();
    if (!decoded && bitmap) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

LRESULT CALLBACK pictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT painting;
    const HDC target = BeginPaint(window, &painting);
    BITMAP size{};
    if (picture && GetObjectW(picture, sizeof size, &size)) {
        const HDC source = CreateCompatibleDC(target);
        const HGDIOBJ previous = SelectObject(source, picture);
        BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
    }
    EndPaint(window, &painting);
    return 0;
}

LRESULT CALLBACK frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLORSTATIC && GetDlgCtrlID(HWND(lParam)) == 115) {
        SetTextColor(HDC(wParam), RGB(0, 0, 0));
        SetBkColor(HDC(wParam), RGB(255, 192, 192));
        return LRESULT(pinkBrush);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, UINT style,
                   HICON icon, HICON smallIcon)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

HWND child(HWND parent, const wchar_t* windowClass, DWORD style, const char* name, UINT dpi,
           int identifier, HFONT font)
{
    const PixelRect place = pixelRect(controlLayout(name), int(dpi));
    // A drop-down list's height is that of its field and its open list.
    const int height = place.height + (style & CBS_DROPDOWN ? 8 * MulDiv(place.height, 4, 5) : 0);
    const HWND control =
        CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, place.x, place.y,
                        place.width, height, parent, HMENU(INT_PTR(identifier)),
                        HINSTANCE(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (font)
        SendMessageW(control, WM_SETFONT, WPARAM(font), FALSE);
    return control;
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    report("entry_ns", performanceCounterNanoseconds());
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    report("com_ns", performanceCounterNanoseconds());
    // comctl32 loaded at run time, as the programs load it.
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    reinterpret_cast<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(reinterpret_cast<void*>(
        GetProcAddress(LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32),
                       "InitCommonControlsEx")))(&classes);
    report("common_controls_ns", performanceCounterNanoseconds());

    const auto icon = [&](int metric) {
        return HICON(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(metric),
                                GetSystemMetrics(metric + 1), LR_DEFAULTCOLOR));
    };
    registerClass(instance, L"MinimalFrame", frameProcedure, 0, icon(SM_CXICON), icon(SM_CXSMICON));
    registerClass(instance, L"MinimalPicture", pictureProcedure, CS_DBLCLKS, nullptr, nullptr);
    const HWND owner = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       instance, nullptr);
    const Program& program = qelviewProgram();
    const HWND window =
        CreateWindowExW(frameExtendedStyle, L"MinimalFrame", text(program.windowCaption).c_str(),
                        frameStyle, 0, 0, 0, 0, owner, nullptr, instance, nullptr);
    if (!window)
        return 1;
    const UINT dpi = GetDpiForWindow(window);
    const HFONT captionFont = labelFont(CaptionFont, dpi);
    const HFONT descriptionFont = labelFont(DescriptionFont, dpi);
    const HFONT listsFont = listFont(dpi);
    pinkBrush = CreateSolidBrush(RGB(255, 192, 192));

    // Each caption just before its list, as the programs order them.
    for (int k = 0; k < 4; ++k) {
        const Category& category = program.catalogue.categories[std::size_t(k)];
        const HWND label = child(window, WC_STATICW, SS_LEFT | SS_NOPREFIX, labelNames[k], dpi,
                                 111 + k, captionFont);
        SetWindowTextW(label, text(category.caption).c_str());
        const HWND list =
            child(window, WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                  listNames[k], dpi, 101 + k, listsFont);
        // The closed list as high as its place: the field height that gives
        // it is found by trying on the first list, as systems draw different
        // borders around the field, then asked of the others at once.
        static int field = 0;
        if (field == 0) {
            const int height = pixelRect(controlLayout(listNames[k]), int(dpi)).height;
            field = int(SendMessageW(list, CB_GETITEMHEIGHT, WPARAM(-1), 0));
            RECT closed;
            for (int attempt = 0; attempt < 3 && GetWindowRect(list, &closed) &&
                                  closed.bottom - closed.top != height;
                 ++attempt) {
                field -= int(closed.bottom - closed.top) - height;
                SendMessageW(list, CB_SETITEMHEIGHT, WPARAM(-1), field);
            }
        } else {
            SendMessageW(list, CB_SETITEMHEIGHT, WPARAM(-1), field);
        }
        for (const CatalogueEntry& entry : category.entries)
            SendMessageW(list, CB_ADDSTRING, 0, LPARAM(text(entry.listText).c_str()));
        SetWindowTextW(list, text(category.initialText).c_str());
        SendMessageW(list, CB_SETMINVISIBLE, 8, 0);
    }
    const HWND description = child(window, WC_STATICW, SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
                                   "Label5", dpi, 115, descriptionFont);
    SetWindowTextW(description, text(DescriptionHeading).c_str());
    const PixelRect area = pixelRect(controlLayout("Image1"), int(dpi));
    child(window, L"MinimalPicture", 0, "Image1", dpi, 120, nullptr);
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    path.resize(path.rfind(L'\\') + 1);
    picture = decode((path + L"Qel\\0.jpg").c_str(), area.width, area.height);

    // Sized for its client area and centred in the work area, in one move.
    const PixelSize client = formClientSize(int(dpi));
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectExForDpi(&frame, frameStyle, FALSE, frameExtendedStyle, dpi);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(window, HWND_TOPMOST, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOACTIVATE);
    report("created_ns", performanceCounterNanoseconds());

    watchFirstPaint(window);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetForegroundWindow(window);
    SetFocus(GetDlgItem(window, 101));
    runUntilFirstPaint(window);
}
