#include "accessible_name.h"

#include <iterator>

IAccPropServices* AccessibleAnnotations::services()
{
    if (!m_started) {
        m_started = true;
        CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                         &m_services);
    }
    return m_services.Get();
}

void AccessibleAnnotations::describeGraphic(HWND window, const wchar_t* name,
                                            const wchar_t* description)
{
    IAccPropServices* const annotations = services();
    if (!annotations)
        return;
    annotations->SetHwndPropStr(window, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, name);
    VARIANT role{};
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_GRAPHIC;
    annotations->SetHwndProp(window, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE, role);
    annotations->SetHwndPropStr(window, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                                description);
}

void AccessibleAnnotations::announce(HWND control, const wchar_t* text)
{
    IAccPropServices* const annotations = services();
    if (!annotations)
        return;
    annotations->SetHwndPropStr(control, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                                text);
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void AccessibleAnnotations::clear(HWND window)
{
    // Nothing was set before the service started.
    if (!m_services)
        return;
    MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE, PROPID_ACC_DESCRIPTION};
    m_services->ClearHwndProps(window, DWORD(OBJID_CLIENT), CHILDID_SELF, properties,
                               int(std::size(properties)));
}
