// Runs Qelview's window in this process with the accessibility annotation
// service replaced by a recorder (Wine 8's own keeps nothing: its
// SetHwndPropStr answers E_NOTIMPL, and another process's
// AccessibleObjectFromWindow answers E_NOINTERFACE), drives it as a user and a
// screen reader would, and prints every annotation call between the steps, as
// UTF-8 lines of tab-separated fields.
#include "program.h"
#include "viewer_application.h"

#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
// The window's thread records, the driving thread reads.
SRWLOCK recordLock = SRWLOCK_INIT;
std::vector<std::wstring> record;

struct Locked {
    Locked() { AcquireSRWLockExclusive(&recordLock); }
    ~Locked() { ReleaseSRWLockExclusive(&recordLock); }
};
HWND window, list1Field, picture;

void note(std::wstring line)
{
    const Locked lock;
    record.push_back(std::move(line));
}

std::wstring named(HWND control, const MSAAPROPID& property)
{
    std::wstring line = control == list1Field ? L"Combo1 field"
                        : control == picture  ? L"Image1"
                                              : L"another control";
    if (IsEqualGUID(property, PROPID_ACC_NAME))
        return line + L"\tname";
    if (IsEqualGUID(property, PROPID_ACC_ROLE))
        return line + L"\trole";
    return line + (IsEqualGUID(property, PROPID_ACC_DESCRIPTION) ? L"\tdescription" : L"\t?");
}

// Records the calls for one object of the client area; every other call fails.
struct Recorder final : IAccPropServices, IClassFactory {
    HRESULT WINAPI QueryInterface(REFIID id, void** object) override
    {
        *object = nullptr;
        if (IsEqualIID(id, IID_IClassFactory))
            *object = static_cast<IClassFactory*>(this);
        else if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IAccPropServices))
            *object = static_cast<IAccPropServices*>(this);
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG WINAPI AddRef() override { return 2; }
    ULONG WINAPI Release() override { return 1; }
    HRESULT WINAPI CreateInstance(IUnknown*, REFIID id, void** object) override
    {
        return QueryInterface(id, object);
    }
    HRESULT WINAPI LockServer(BOOL) override { return S_OK; }
    HRESULT WINAPI SetHwndPropStr(HWND hwnd, DWORD object, DWORD child, MSAAPROPID property,
                                  LPCWSTR text) override
    {
        if (object == DWORD(OBJID_CLIENT) && child == CHILDID_SELF)
            note(L"set\t" + named(hwnd, property) + L"\t" + text);
        return S_OK;
    }
    HRESULT WINAPI SetHwndProp(HWND hwnd, DWORD object, DWORD child, MSAAPROPID property,
                               VARIANT value) override
    {
        if (object == DWORD(OBJID_CLIENT) && child == CHILDID_SELF && value.vt == VT_I4)
            note(L"set\t" + named(hwnd, property) + L"\t" + std::to_wstring(value.lVal));
        return S_OK;
    }
    HRESULT WINAPI ClearHwndProps(HWND hwnd, DWORD object, DWORD child,
                                  const MSAAPROPID* properties, int count) override
    {
        for (int i = 0; object == DWORD(OBJID_CLIENT) && child == CHILDID_SELF && i < count; ++i)
            note(L"clear\t" + named(hwnd, properties[i]));
        return S_OK;
    }
    // clang-format off
    HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
    HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override { return E_NOTIMPL; }
    // clang-format on
} recorder;

// Waits up to ten seconds for a condition of the window; false if it never holds.
template <typename Condition> bool waitFor(Condition condition)
{
    for (int tries = 0; tries < 500; ++tries) {
        {
            const Locked lock;
            if (condition())
                return true;
        }
        Sleep(20);
    }
    return false;
}

bool recorded(const wchar_t* start)
{
    return waitFor([start] { return !record.empty() && record.back().starts_with(start); });
}

// A user picks the first eyebrows item and tabs on; a screen reader asks for the picture.
DWORD WINAPI drive(void*)
{
    if (!waitFor([] { return (window = FindWindowW(L"MorphViewerWindow", nullptr)); }))
        return 1;
    waitFor([] { return IsWindowVisible(window) != FALSE; });
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    GetComboBoxInfo(GetDlgItem(window, 101), &parts);
    list1Field = parts.hwndItem;
    picture = GetDlgItem(window, 120);
    // Once the window answers, it has shown and painted.
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    note(L"shown");
    PostMessageW(list1Field, WM_KEYDOWN, VK_DOWN, 0);
    recorded(L"set\tCombo1 field");
    note(L"Tab");
    PostMessageW(list1Field, WM_KEYDOWN, VK_TAB, 0);
    recorded(L"clear\tCombo1 field");
    note(L"a screen reader asks for the picture");
    SendMessageTimeoutW(picture, WM_GETOBJECT, 0, LPARAM(OBJID_CLIENT), SMTO_ABORTIFHUNG, 5000,
                        &answer);
    note(L"closed");
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}
} // namespace

int wmain()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    DWORD cookie = 0;
    if (FAILED(CoRegisterClassObject(CLSID_AccPropServices, static_cast<IClassFactory*>(&recorder),
                                     CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie)))
        return 3;
    const HANDLE driver = CreateThread(nullptr, 0, drive, nullptr, 0, nullptr);
    const int exitCode = runViewer(qelviewProgram());
    WaitForSingleObject(driver, INFINITE);
    for (const std::wstring& line : record) {
        std::string utf8(std::size_t(WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0,
                                                         nullptr, nullptr)),
                         '\0');
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), int(utf8.size()), nullptr,
                            nullptr);
        std::printf("%s\n", utf8.c_str());
    }
    return exitCode;
}
