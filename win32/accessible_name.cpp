#include "accessible_name.h"

#include <oleacc.h>
#include <wrl/client.h>

#include <iterator>

namespace {
Microsoft::WRL::ComPtr<IAccPropServices> propertyServices()
{
    Microsoft::WRL::ComPtr<IAccPropServices> services;
    CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                     &services);
    return services;
}
} // namespace

void annotateAccessibleGraphic(HWND window, const wchar_t* name)
{
    const auto services = propertyServices();
    if (!services)
        return;
    services->SetHwndPropStr(window, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, name);
    VARIANT role{};
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_GRAPHIC;
    services->SetHwndProp(window, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE, role);
}

void annotateAccessibleDescription(HWND window, const wchar_t* description)
{
    const auto services = propertyServices();
    if (!services)
        return;
    services->SetHwndPropStr(window, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                             description);
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void clearAccessibleAnnotation(HWND window)
{
    const auto services = propertyServices();
    if (!services)
        return;
    MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE, PROPID_ACC_DESCRIPTION};
    services->ClearHwndProps(window, DWORD(OBJID_CLIENT), CHILDID_SELF, properties,
                             int(std::size(properties)));
}
