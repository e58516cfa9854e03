#include "CCommandBarButton.h"

namespace pollenta::outlook {

CCommandBarButton::CCommandBarButton() : m_clickPoint(this, IID__CommandBarButtonEvents)
{
    AddConnectionPoint(&m_clickPoint);
}

std::span<const pollenta::com::DispatchMember<CCommandBarButton>> CCommandBarButton::DispatchMembers()
{
    using T = CCommandBarButton;
    static const auto members = [] {
        std::array<pollenta::com::DispatchMember<T>, 12> all{};
        const auto common = CommonMembers();
        std::copy(common.begin(), common.end(), all.begin());
        all[10] = {"Style", 0x6003000B, &GetPutLong<T, &T::get_Style, &T::put_Style>};
        all[11] = {"FaceId", 0x60030003, &GetPutLong<T, &T::get_FaceId, &T::put_FaceId>};
        return all;
    }();
    return members;
}

void* CCommandBarButton::QueryInterfaceExtra(REFIID iid)
{
    if (iid == IID_CommandBarControl)
        return static_cast<CommandBarControl*>(static_cast<_CommandBarButton*>(this));
    return nullptr;
}

STDMETHODIMP CCommandBarButton::Execute()
{
    if (!m_enabled)
        return S_FALSE;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    CComVariant args[2];
    args[0] = static_cast<IDispatch*>(static_cast<_CommandBarButton*>(this));
    args[1].vt = VT_BOOL | VT_BYREF;
    args[1].pboolVal = &cancel;
    return m_clickPoint.Fire(DISPID_CommandBarButtonEvents_Click, args);
}

STDMETHODIMP CCommandBarButton::get_Style(LONG* style)
{
    if (!style)
        return E_POINTER;
    *style = m_style;
    return S_OK;
}

STDMETHODIMP CCommandBarButton::put_Style(LONG style)
{
    m_style = style;
    return S_OK;
}

STDMETHODIMP CCommandBarButton::get_FaceId(LONG* faceId)
{
    if (!faceId)
        return E_POINTER;
    *faceId = m_faceId;
    return S_OK;
}

STDMETHODIMP CCommandBarButton::put_FaceId(LONG faceId)
{
    m_faceId = faceId;
    return S_OK;
}

}  // namespace pollenta::outlook
