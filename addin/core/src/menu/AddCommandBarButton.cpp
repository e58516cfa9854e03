#include "menu/AddCommandBarButton.h"

#include "menu/AddAddInPopup.h"

#include "util/MakeGuidText.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"

HRESULT AddCommandBarButton(CommandBarControls* controls, const CommandBarButtonSpec& spec,
                            CComPtr<_CommandBarButton>& button)
{
    const CComVariant leftOut = LeftOutArgument();
    CComPtr<CommandBarControl> control;
    if (HRESULT hr = controls->Add(CComVariant(static_cast<LONG>(msoControlButton)), leftOut, leftOut, leftOut,
                                   CComVariant(true), &control);
        FAILED(hr))
        return hr;
    CComQIPtr<_CommandBarButton> made(control.p);
    if (!made)
        return E_NOINTERFACE;
    made->put_Style(spec.style);
    made->put_Visible(VARIANT_TRUE);
    made->put_Caption(CComBSTR(spec.caption));
    made->put_TooltipText(CComBSTR(spec.tooltip));
    made->put_Tag(CComBSTR(MakeGuidText()));
    made->put_Enabled(spec.enabled ? VARIANT_TRUE : VARIANT_FALSE);
    made->put_BeginGroup(spec.beginGroup ? VARIANT_TRUE : VARIANT_FALSE);
    button = made;
    return S_OK;
}
