#include "menu/AddAddInPopup.h"

CComVariant LeftOutArgument()
{
    CComVariant value;
    value.vt = VT_ERROR;
    value.scode = DISP_E_PARAMNOTFOUND;
    return value;
}

HRESULT AddAddInPopup(CommandBar* menuBar, LONG menuId, CComPtr<CommandBarPopup>& popup)
{
    const CComVariant leftOut = LeftOutArgument();
    CComPtr<CommandBarControl> menu;
    menuBar->FindControl(CComVariant(static_cast<LONG>(msoControlPopup)), CComVariant(menuId), leftOut, leftOut,
                         CComVariant(true), &menu);
    CComQIPtr<CommandBarPopup> menuPopup(menu.p);
    CComPtr<CommandBarControls> controls;
    if (!menuPopup || FAILED(menuPopup->get_Controls(&controls)) || !controls)
        return E_FAIL;
    CComPtr<CommandBarControl> added;
    if (HRESULT hr = controls->Add(CComVariant(static_cast<LONG>(msoControlPopup)), leftOut, leftOut, leftOut,
                                   CComVariant(true), &added);
        FAILED(hr))
        return hr;
    popup = CComQIPtr<CommandBarPopup>(added.p);
    return popup ? S_OK : E_FAIL;
}
