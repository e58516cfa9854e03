#include "CAttachment.h"

#include "DispatchAccessors.h"

#include "com/Text.h"
#include "mapi/IAttachment.h"
#include "mapi/MapiFlags.h"

namespace pollenta::outlook {

CAttachment::CAttachment(IMessage* message, ULONG number, std::string fileName)
    : m_message(message), m_number(number), m_fileName(std::move(fileName))
{}

std::span<const pollenta::com::DispatchMember<CAttachment>> CAttachment::DispatchMembers()
{
    using T = CAttachment;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"FileName", 0x3704, &GetText<T, &T::get_FileName>},
        {"MAPIOBJECT", 0xF100, &GetUnknown<T, &T::get_MAPIOBJECT>},
    };
    return members;
}

STDMETHODIMP CAttachment::get_FileName(BSTR* name)
{
    if (!name)
        return E_POINTER;
    *name = pollenta::com::BstrFromAnsi(m_fileName);
    return S_OK;
}

STDMETHODIMP CAttachment::get_MAPIOBJECT(IUnknown** attach)
{
    if (!attach)
        return E_POINTER;
    *attach = nullptr;
    CComPtr<IAttachment> opened;
    if (HRESULT hr = m_message->OpenAttach(m_number, nullptr, MAPI_BEST_ACCESS, &opened); FAILED(hr))
        return hr;
    *attach = opened.Detach();
    return S_OK;
}

}  // namespace pollenta::outlook
