// Prints, as UTF-8 JSON, what another program in the same Wine session can
// read of each visible top-level window and its controls, the way an
// accessibility client reads them. With "syscommand HWND CODE" it instead
// sends that window menu command to the window, as choosing it would; with
// "setting-change HWND" it tells the window that the desktop's fonts
// changed, as the system does when the user chooses another text size; with
// "walk-lists LABEL PICTURE LIST..." it presses Down in each list from its
// first item to its last and prints, after each press, the label's text and
// the picture area's, the class of the control told of it and whether that
// has the focus; with "version FILE NAME..." it prints the version
// resource of a program file as the system reads it; with "message-font
// HEIGHT [FACE]" it sets the system's message font for programs started after.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
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

// A JSON object or array written as it is filled in.
class Json {
public:
    explicit Json(char open) : m_close(open == '{' ? '}' : ']') { m_text += open; }
    Json& key(const char* name)
    {
        separate();
        m_text += '"';
        m_text += name;
        m_text += "\":";
        m_keyed = true;
        return *this;
    }
    Json& raw(const std::string& value)
    {
        separate();
        m_text += value;
        return *this;
    }
    Json& number(long long value) { return raw(std::to_string(value)); }
    Json& handle(HWND window)
    {
        return number(static_cast<long long>(reinterpret_cast<std::intptr_t>(window)));
    }
    Json& boolean(bool value) { return raw(value ? "true" : "false"); }
    Json& text(const std::wstring& value)
    {
        std::string utf8(
            std::size_t(WideCharToMultiByte(CP_UTF8, 0, value.data(), int(value.size()), nullptr, 0,
                                            nullptr, nullptr)),
            '\0');
        WideCharToMultiByte(CP_UTF8, 0, value.data(), int(value.size()), utf8.data(),
                            int(utf8.size()), nullptr, nullptr);
        std::string quoted = "\"";
        for (const char c : utf8) {
            if (c == '"' || c == '\\') {
                quoted += '\\';
                quoted += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
                quoted += escaped;
            } else {
                quoted += c;
            }
        }
        quoted += '"';
        return raw(quoted);
    }
    Json& rectangle(const RECT& r)
    {
        Json list('[');
        list.number(r.left).number(r.top).number(r.right - r.left).number(r.bottom - r.top);
        return raw(list.done());
    }
    std::string done()
    {
        m_text += m_close;
        return m_text;
    }

private:
    void separate()
    {
        if (m_keyed)
            m_keyed = false;
        else if (m_text.size() > 1)
            m_text += ',';
    }
    std::string m_text;
    char m_close;
    bool m_keyed = false;
};

// One WM_GETTEXT into a buffer with room to spare, so that a text changed
// between asking its length and reading it is never cut short.
std::wstring windowText(HWND window)
{
    for (std::size_t room = 1024;; room *= 4) {
        std::wstring text(room, L'\0');
        const LRESULT copied = send(window, WM_GETTEXT, text.size(), LPARAM(text.data()));
        if (copied < 0)
            return {};
        if (std::size_t(copied) + 1 < room) {
            text.resize(std::size_t(copied));
            return text;
        }
    }
}

// The window's text once it differs from before, or as it stands when it has
// not changed within the time a program takes to answer.
std::wstring changedText(HWND window, const std::wstring& before)
{
    const ULONGLONG deadline = GetTickCount64() + Timeout;
    std::wstring text = windowText(window);
    while (text == before && GetTickCount64() < deadline) {
        Sleep(5);
        text = windowText(window);
    }
    return text;
}

std::wstring className(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// Windows whose description changed, as the accessibility events report them.
std::vector<HWND> described;

// The next window but the picture whose description change reaches this
// thread in the time a program takes to answer (once none came, at once).
HWND nextDescribed(HWND picture)
{
    static bool coming = true;
    const ULONGLONG deadline = GetTickCount64() + (coming ? Timeout : 50);
    for (MSG message; GetTickCount64() < deadline;) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        std::erase(described, picture);
        if (!described.empty())
            return std::exchange(described, {}).front();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    coming = false;
    return nullptr;
}

std::string comboItems(HWND combo)
{
    Json items('[');
    const LRESULT count = send(combo, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = send(combo, CB_GETLBTEXTLEN, WPARAM(i));
        std::wstring item(std::size_t(length > 0 ? length : 0) + 1, L'\0');
        const LRESULT copied = send(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(item.data()));
        item.resize(copied > 0 ? std::size_t(copied) : 0);
        items.text(item);
    }
    return items.done();
}

// A menu of another process is readable on Windows, not under Wine: then null.
std::string systemMenu(HWND window)
{
    const HMENU menu = GetSystemMenu(window, FALSE);
    const int count = menu ? GetMenuItemCount(menu) : -1;
    if (count < 0)
        return "null";
    Json items('[');
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, UINT(i), text, 256, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, UINT(i), MF_BYPOSITION);
        Json item('{');
        item.key("id").number(GetMenuItemID(menu, i)).key("text").text(text);
        item.key("grayed").boolean(state & (MF_GRAYED | MF_DISABLED));
        items.raw(item.done());
    }
    return items.done();
}

// The window's direct children, top of the stacking order first.
std::string controls(HWND parent)
{
    Json list('[');
    int z = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
        const std::wstring kind = className(child);
        Json control('{');
        control.key("handle").handle(child).key("class").text(kind);
        control.key("id").number(GetDlgCtrlID(child)).key("z").number(z++);
        // The name the class was registered under, which tells the common
        // controls 6 ("6.0.x!ComboBox") from the system's own: class names
        // share the atom table of clipboard formats, whose names anyone reads.
        wchar_t registered[256] = {};
        GetClipboardFormatNameW(UINT(GetClassLongPtrW(child, GCW_ATOM)), registered, 256);
        control.key("registeredClass").text(registered);
        control.key("text").text(windowText(child)).key("rect").rectangle(r);
        control.key("style").number(GetWindowLongW(child, GWL_STYLE));
        control.key("exStyle").number(GetWindowLongW(child, GWL_EXSTYLE));
        if (_wcsicmp(kind.c_str(), L"ComboBox") == 0) {
            control.key("items").raw(comboItems(child));
            control.key("selection").number(send(child, CB_GETCURSEL));
            // The height of a line of its items, which follows its font, and
            // that of its field.
            control.key("lineHeight").number(send(child, CB_GETITEMHEIGHT, 0));
            control.key("fieldHeight").number(send(child, CB_GETITEMHEIGHT, WPARAM(-1)));
        }
        list.raw(control.done());
    }
    return list.done();
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
    const HWND focus = threadInfo.hwndFocus;
    Json out('{');
    out.key("handle").handle(window).key("class").text(className(window));
    out.key("caption").text(windowText(window)).key("processId").number(processId);
    out.key("owner").handle(GetWindow(window, GW_OWNER));
    out.key("style").number(GetWindowLongW(window, GWL_STYLE));
    out.key("exStyle").number(GetWindowLongW(window, GWL_EXSTYLE));
    out.key("client").raw(Json('[').number(client.right).number(client.bottom).done());
    out.key("windowRect").rectangle(outer).key("dpi").number(GetDpiForWindow(window));
    out.key("focus").handle(focus).key("focusParent").handle(focus ? GetParent(focus) : nullptr);
    out.key("zoomed").boolean(IsZoomed(window)).key("iconic").boolean(IsIconic(window));
    out.key("systemMenu").raw(systemMenu(window)).key("controls").raw(controls(window));
    return out.done();
}

// The fixed versions, the first translation and each named string of it.
std::string versionInfo(const wchar_t* path, int count, wchar_t** names)
{
    DWORD ignored = 0;
    std::vector<unsigned char> data(GetFileVersionInfoSizeW(path, &ignored));
    if (data.empty() || !GetFileVersionInfoW(path, 0, DWORD(data.size()), data.data()))
        return "null";
    Json out('{');
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
        length >= sizeof *fixed) {
        const auto version = [](DWORD high, DWORD low) {
            Json parts('[');
            parts.number(HIWORD(high)).number(LOWORD(high)).number(HIWORD(low)).number(LOWORD(low));
            return parts.done();
        };
        out.key("fileVersion").raw(version(fixed->dwFileVersionMS, fixed->dwFileVersionLS));
        out.key("productVersion")
            .raw(version(fixed->dwProductVersionMS, fixed->dwProductVersionLS));
        out.key("fileType").number(fixed->dwFileType).key("fileOS").number(fixed->dwFileOS);
    }
    WORD* translation = nullptr;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < 2 * sizeof(WORD))
        return out.done();
    out.key("translation").raw(Json('[').number(translation[0]).number(translation[1]).done());
    Json strings('{');
    for (int i = 0; i < count; ++i) {
        wchar_t query[256];
        std::swprintf(query, 256, L"\\StringFileInfo\\%04x%04x\\%ls", translation[0],
                      translation[1], names[i]);
        const std::wstring name = names[i];
        strings.key(std::string(name.begin(), name.end()).c_str());
        wchar_t* value = nullptr;
        if (VerQueryValueW(data.data(), query, reinterpret_cast<void**>(&value), &length))
            strings.text(std::wstring(value, wcsnlen(value, length)));
        else
            strings.raw("null");
    }
    out.key("strings").raw(strings.done());
    return out.done();
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
    if (argc == 3 && std::wstring(argv[1]) == L"setting-change") {
        const HWND window = reinterpret_cast<HWND>(std::wcstoull(argv[2], nullptr, 0));
        return send(window, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS) == -1 ? 1 : 0;
    }
    if ((argc == 3 || argc == 4) && std::wstring(argv[1]) == L"message-font") {
        // Sets the message font's height, and its face where one is given,
        // for programs started after, as the desktop's settings do; prints
        // the height and face it had.
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        const std::wstring face = metrics.lfMessageFont.lfFaceName;
        std::printf("%ld\n%s\n", metrics.lfMessageFont.lfHeight,
                    std::string(face.begin(), face.end()).c_str());
        metrics.lfMessageFont.lfHeight = std::wcstol(argv[2], nullptr, 0);
        if (argc == 4)
            wcsncpy(metrics.lfMessageFont.lfFaceName, argv[3], LF_FACESIZE - 1);
        return SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics,
                                     SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)
                   ? 0
                   : 1;
    }
    if (argc >= 5 && std::wstring(argv[1]) == L"walk-lists") {
        const HWND label = reinterpret_cast<HWND>(std::wcstoull(argv[2], nullptr, 0));
        const HWND picture = reinterpret_cast<HWND>(std::wcstoull(argv[3], nullptr, 0));
        DWORD process = 0;
        const DWORD thread = GetWindowThreadProcessId(picture, &process);
        SetWinEventHook(
            EVENT_OBJECT_DESCRIPTIONCHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr,
            [](HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
                described.push_back(window);
            },
            process, 0, WINEVENT_OUTOFCONTEXT);
        GUITHREADINFO focus{};
        focus.cbSize = sizeof focus;
        Json lists('[');
        for (int i = 4; i < argc; ++i) {
            const HWND list = reinterpret_cast<HWND>(std::wcstoull(argv[i], nullptr, 0));
            Json texts('[');
            // The key goes where the list's field sends it. The program may
            // finish the pick after the call returns, so the label is read
            // once it has changed: no two entries share a description.
            std::wstring shown = windowText(label);
            for (LRESULT item = 0, count = send(list, CB_GETCOUNT); item < count; ++item) {
                send(list, WM_KEYDOWN, VK_DOWN, 1);
                shown = changedText(label, shown);
                Json pair('[');
                pair.text(shown).text(windowText(picture));
                const HWND told = nextDescribed(picture);
                GetGUIThreadInfo(thread, &focus);
                pair.text(told ? className(told) : L"").boolean(told && told == focus.hwndFocus);
                texts.raw(pair.done());
            }
            lists.raw(texts.done());
        }
        const std::string text = lists.done() + "\n";
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (argc >= 3 && std::wstring(argv[1]) == L"version") {
        const std::string text = versionInfo(argv[2], argc - 3, argv + 3) + "\n";
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    std::vector<HWND> windows;
    EnumWindows(collect, LPARAM(&windows));
    Json described('[');
    for (const HWND window : windows)
        described.raw(describe(window));
    Json out('{');
    out.key("foreground").handle(GetForegroundWindow()).key("windows").raw(described.done());
    const std::string text = out.done() + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}
