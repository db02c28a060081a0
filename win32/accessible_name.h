#pragma once

#include <windows.h>

#include <oleacc.h>
#include <wrl/client.h>

// What screen readers are told about the window's controls beyond what the
// controls say themselves, through the accessibility runtime's property
// annotations (a COM service, so no accessibility DLL is linked). The service
// starts on first use, which is when a screen reader first asks or an
// announcement is made: a window nobody reads aloud never starts it. Does
// nothing where the service is missing.
class AccessibleAnnotations {
public:
    // Tells screen readers that this window is a picture called name, showing
    // what description says.
    void describeGraphic(HWND window, const wchar_t* name, const wchar_t* description);

    // Has screen readers speak text as news of this control, which has the
    // focus: set as its description, with the event they listen for. It stays
    // until clear(control), which must come before the focus returns there.
    void announce(HWND control, const wchar_t* text);

    // Drops whatever was set for this window; also before it goes.
    void clear(HWND window);

private:
    IAccPropServices* services();

    Microsoft::WRL::ComPtr<IAccPropServices> m_services;
    bool m_started = false;
};
