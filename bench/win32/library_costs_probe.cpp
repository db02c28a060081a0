// Splits what a program's window creation costs beyond a bare window's: once
// a window exists (so that Wine's display driver is up), times each service
// the programs' window takes in turn, as its first user.
//
// Usage: win32_library_costs_probe PICTURE PICTURE2
// Prints "<step>_ns=<nanoseconds the step took>" lines.

#include "first_paint.h"
#include "wic_floor.h"

#include <objbase.h>
#include <oleacc.h>
#include <shellapi.h>

#include <cwchar>

namespace {
std::int64_t lastStep = 0;

void stepDone(const char* name)
{
    const std::int64_t now = performanceCounterNanoseconds();
    report(name, now - lastStep);
    lastStep = now;
}

// Draws a text's extent in a font, which loads and opens the face.
void measureText(HDC context, HFONT font, const wchar_t* text)
{
    const HGDIOBJ previous = SelectObject(context, font);
    SIZE extent;
    GetTextExtentPoint32W(context, text, int(std::wcslen(text)), &extent);
    SelectObject(context, previous);
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 3)
        return 2;
    lastStep = performanceCounterNanoseconds();
    const HWND window = CreateWindowExW(0, L"Static", L"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                        nullptr, instance, nullptr);
    if (!window)
        return 1;
    stepDone("window_ns");

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    stepDone("com_ns");

    const HDC context = GetDC(window);
    LOGFONTW labels{};
    labels.lfHeight = -14;
    labels.lfCharSet = GB2312_CHARSET;
    std::wcscpy(labels.lfFaceName, L"\u5fae\u8f6f\u96c5\u9ed1");
    const HFONT labelFont = CreateFontIndirectW(&labels);
    measureText(context, labelFont, L"\u8868\u60c5\u8bf4\u660e");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HFONT listFont = CreateFontIndirectW(&metrics.lfMessageFont);
    measureText(context, listFont, L"\u771f\u9762\u76ee");
    stepDone("fonts_ns");

    IAccPropServices* services = nullptr;
    CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                     reinterpret_cast<void**>(&services));
    stepDone("accessibility_ns");

    WicFloor decoder;
    stepDone("wic_factory_ns");
    const long first = decoder.readAndDecode(arguments[1], 299, 300);
    stepDone("first_decode_ns");
    const long second = decoder.readAndDecode(arguments[2], 299, 300);
    stepDone("next_decode_ns");

    if (services)
        services->Release();
    DeleteObject(listFont);
    DeleteObject(labelFont);
    ReleaseDC(window, context);
    return first > 0 && second > 0 ? 0 : 1;
}
