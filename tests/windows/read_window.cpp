// Prints, as UTF-8 JSON, what another program in the same Wine session can
// read of each visible top-level window and its controls, the way an
// accessibility client reads them. With "syscommand HWND CODE" it instead
// sends that window menu command to the window, as choosing it would.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {
constexpr UINT Timeout = 2000;

LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, Timeout, &result))
        return -1;
    return LRESULT(result);
}

std::string json(const std::wstring& text)
{
    std::string utf8(std::size_t(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()),
                                                     nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), int(utf8.size()),
                        nullptr, nullptr);
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string json(HWND window)
{
    return std::to_string(reinterpret_cast<std::uintptr_t>(window));
}

std::wstring windowText(HWND window)
{
    const LRESULT length = send(window, WM_GETTEXTLENGTH);
    if (length <= 0)
        return {};
    std::wstring text(std::size_t(length) + 1, L'\0');
    const LRESULT copied = send(window, WM_GETTEXT, text.size(), LPARAM(text.data()));
    text.resize(copied > 0 ? std::size_t(copied) : 0);
    return text;
}

std::wstring className(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::string comboItems(HWND combo)
{
    std::string out = "[";
    const LRESULT count = send(combo, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = send(combo, CB_GETLBTEXTLEN, WPARAM(i));
        std::wstring item(std::size_t(length > 0 ? length : 0) + 1, L'\0');
        const LRESULT copied = send(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(item.data()));
        item.resize(copied > 0 ? std::size_t(copied) : 0);
        out += (i ? "," : "") + json(item);
    }
    return out + "]";
}

// A menu of another process is readable on Windows, not under Wine: then null.
std::string systemMenu(HWND window)
{
    const HMENU menu = GetSystemMenu(window, FALSE);
    const int count = menu ? GetMenuItemCount(menu) : -1;
    if (count < 0)
        return "null";
    std::string out = "[";
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, UINT(i), text, 256, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, UINT(i), MF_BYPOSITION);
        out += std::string(i ? "," : "") + "{\"id\":" +
               std::to_string(GetMenuItemID(menu, i)) + ",\"text\":" + json(text) +
               ",\"grayed\":" + ((state & (MF_GRAYED | MF_DISABLED)) ? "true" : "false") + "}";
    }
    return out + "]";
}

std::string rectangle(const RECT& r)
{
    return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right - r.left) + "," + std::to_string(r.bottom - r.top) + "]";
}

// The window's direct children, top of the stacking order first.
std::string controls(HWND parent)
{
    std::string out = "[";
    int z = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
        const std::wstring kind = className(child);
        out += std::string(z ? "," : "") + "{\"handle\":" + json(child) +
               ",\"class\":" + json(kind) + ",\"id\":" + std::to_string(GetDlgCtrlID(child)) +
               ",\"z\":" + std::to_string(z) + ",\"text\":" + json(windowText(child)) +
               ",\"rect\":" + rectangle(r) +
               ",\"style\":" + std::to_string(GetWindowLongW(child, GWL_STYLE)) +
               ",\"exStyle\":" + std::to_string(GetWindowLongW(child, GWL_EXSTYLE));
        if (_wcsicmp(kind.c_str(), L"ComboBox") == 0)
            out += ",\"items\":" + comboItems(child) +
                   ",\"selection\":" + std::to_string(send(child, CB_GETCURSEL));
        out += "}";
        ++z;
    }
    return out + "]";
}

std::string describe(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    RECT outer{};
    GetWindowRect(window, &outer);
    DWORD processId = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &processId);
    GUITHREADINFO threadInfo{};
    threadInfo.cbSize = sizeof threadInfo;
    GetGUIThreadInfo(thread, &threadInfo);
    return "{\"handle\":" + json(window) + ",\"class\":" + json(className(window)) +
           ",\"caption\":" + json(windowText(window)) + ",\"processId\":" +
           std::to_string(processId) + ",\"owner\":" + json(GetWindow(window, GW_OWNER)) +
           ",\"style\":" + std::to_string(GetWindowLongW(window, GWL_STYLE)) +
           ",\"exStyle\":" + std::to_string(GetWindowLongW(window, GWL_EXSTYLE)) +
           ",\"client\":[" + std::to_string(client.right) + "," + std::to_string(client.bottom) +
           "],\"windowRect\":" + rectangle(outer) + ",\"dpi\":" +
           std::to_string(GetDpiForWindow(window)) + ",\"focus\":" + json(threadInfo.hwndFocus) +
           ",\"focusParent\":" + json(threadInfo.hwndFocus ? GetParent(threadInfo.hwndFocus) : nullptr) +
           ",\"zoomed\":" + (IsZoomed(window) ? "true" : "false") +
           ",\"iconic\":" + (IsIconic(window) ? "true" : "false") +
           ",\"systemMenu\":" + systemMenu(window) + ",\"controls\":" + controls(window) + "}";
}

BOOL CALLBACK collect(HWND window, LPARAM windows)
{
    if (IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wstring(argv[1]) == L"syscommand") {
        const HWND window = reinterpret_cast<HWND>(std::wcstoull(argv[2], nullptr, 0));
        return send(window, WM_SYSCOMMAND, std::wcstoul(argv[3], nullptr, 0)) == -1 ? 1 : 0;
    }
    std::vector<HWND> windows;
    EnumWindows(collect, LPARAM(&windows));
    std::string out = "{\"foreground\":" + json(GetForegroundWindow()) + ",\"windows\":[";
    for (std::size_t i = 0; i < windows.size(); ++i)
        out += (i ? "," : "") + describe(windows[i]);
    out += "]}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
