#include "CCommandBarButton.h"

#include "com/SafeArray.h"
#include "ui/Clipboard.h"

#include <cstring>

namespace pollenta::outlook {

CCommandBarButton::CCommandBarButton() : m_clickPoint(this, IID__CommandBarButtonEvents)
{
    AddConnectionPoint(&m_clickPoint);
}

std::span<const pollenta::com::DispatchMember<CCommandBarButton>> CCommandBarButton::DispatchMembers()
{
    using T = CCommandBarButton;
    static const auto members = [] {
        std::array<pollenta::com::DispatchMember<T>, 13> all{};
        const auto common = CommonMembers();
        std::copy(common.begin(), common.end(), all.begin());
        all[10] = {"Style", 0x6003000B, &GetPutLong<T, &T::get_Style, &T::put_Style>};
        all[11] = {"FaceId", 0x60030003, &GetPutLong<T, &T::get_FaceId, &T::put_FaceId>};
        all[12] = {"PasteFace", 0x6003000A, &CallMethod<T, &T::PasteFace>};
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
    Changed();
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
    Changed();
    return S_OK;
}

STDMETHODIMP CCommandBarButton::PasteFace()
{
    if (!OpenClipboard(nullptr))
        return E_FAIL;
    std::vector<BYTE> face;
    const BOOL found = GetClipboardBytes(CF_BITMAP, face);
    CloseClipboard();
    if (!found || face.empty())
        return E_FAIL;
    m_face = std::move(face);
    Changed();
    return S_OK;
}

STDMETHODIMP CCommandBarButton::get_FacePicture(VARIANT* bytes)
{
    if (!bytes)
        return E_POINTER;
    VariantInit(bytes);
    if (m_face.empty())
        return S_OK;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(m_face.size()));
    void* data = nullptr;
    if (!array || FAILED(SafeArrayAccessData(array, &data))) {
        SafeArrayDestroy(array);
        return E_OUTOFMEMORY;
    }
    std::memcpy(data, m_face.data(), m_face.size());
    SafeArrayUnaccessData(array);
    bytes->vt = VT_ARRAY | VT_UI1;
    bytes->parray = array;
    return S_OK;
}

}  // namespace pollenta::outlook
