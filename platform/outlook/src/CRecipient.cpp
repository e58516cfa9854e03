#include "CRecipient.h"

#include "DispatchAccessors.h"

#include "com/Text.h"
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
        SPropValue props[5] = {};
        props[0].ulPropTag = PR_ROWID;
        props[0].Value.l = m_rowId;
        props[1].ulPropTag = PR_RECIPIENT_TYPE;
        props[1].Value.l = type;
        props[2].ulPropTag = PR_DISPLAY_NAME_A;
        props[2].Value.lpszA = m_name.data();
        props[3].ulPropTag = PR_EMAIL_ADDRESS_A;
        props[3].Value.lpszA = m_address.data();
        props[4].ulPropTag = PR_ADDRTYPE_A;
        props[4].Value.lpszA = const_cast<char*>("SMTP");
        ADRLIST list{};
        list.cEntries = 1;
        list.aEntries[0].cValues = 5;
        list.aEntries[0].rgPropVals = props;
        if (HRESULT hr = m_message->ModifyRecipients(MODRECIP_MODIFY, &list); FAILED(hr))
            return hr;
    }
    m_type = type;
    return S_OK;
}

}  // namespace pollenta::outlook
