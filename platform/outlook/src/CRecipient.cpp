#include "CRecipient.h"

#include "DispatchAccessors.h"

#include "com/Text.h"
#include "mapi/MapiAdmin.h"
#include "mapi/MapiUtil.h"

namespace pollenta::outlook {

CRecipient::CRecipient(IMessage* message, LONG rowId, std::string name, std::string address, LONG type)
    : m_message(message), m_rowId(rowId), m_name(std::move(name)), m_address(std::move(address)), m_type(type)
{}

std::span<const pollenta::com::DispatchMember<CRecipient>> CRecipient::DispatchMembers()
{
    using T = CRecipient;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"Name", 0x3001, &GetText<T, &T::get_Name>},
        {"Address", 0x3003, &GetText<T, &T::get_Address>},
        {"Type", 0xC15, &GetPutLong<T, &T::get_Type, &T::put_Type>},
    };
    return members;
}

STDMETHODIMP CRecipient::get_Name(BSTR* name)
{
    if (!name)
        return E_POINTER;
    *name = pollenta::com::BstrFromAnsi(m_name);
    return S_OK;
}

STDMETHODIMP CRecipient::get_Address(BSTR* address)
{
    if (!address)
        return E_POINTER;
    *address = pollenta::com::BstrFromAnsi(m_address);
    return S_OK;
}

STDMETHODIMP CRecipient::get_Type(LONG* type)
{
    if (!type)
        return E_POINTER;
    *type = m_type;
    return S_OK;
}

STDMETHODIMP CRecipient::put_Type(LONG type)
{
    if (type < MAPI_TO || type > MAPI_BCC)
        return E_INVALIDARG;
    if (m_message) {
        if (HRESULT hr =
                pollenta::mapi::WriteSmtpRecipient(m_message, MODRECIP_MODIFY, m_rowId, m_name, m_address, type);
            FAILED(hr))
            return hr;
    }
    m_type = type;
    return S_OK;
}

}  // namespace pollenta::outlook
