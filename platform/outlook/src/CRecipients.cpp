#include "CRecipients.h"

#include "CRecipient.h"
#include "TableCollection.h"
#include "DispatchAccessors.h"

#include "com/ComVariant.h"
#include "com/Text.h"
#include "mapi/MapiAdmin.h"
#include "mapi/MapiUtil.h"

namespace pollenta::outlook {

namespace {

enum Column { kRowId, kName, kAddress, kType, kColumnCount };

std::string TextAt(const SRow& row, Column column)
{
    const SPropValue& value = row.lpProps[column];
    return PROP_TYPE(value.ulPropTag) == PT_STRING8 ? value.Value.lpszA : "";
}

LONG LongAt(const SRow& row, Column column)
{
    const SPropValue& value = row.lpProps[column];
    return PROP_TYPE(value.ulPropTag) == PT_LONG ? value.Value.l : 0;
}

std::string Trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\"");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\"") - first + 1);
}

}  // namespace

void SplitMailbox(const std::string& text, std::string& name, std::string& address)
{
    const std::size_t open = text.rfind('<');
    const std::size_t close = text.rfind('>');
    if (open != std::string::npos && close != std::string::npos && close > open) {
        address = Trim(text.substr(open + 1, close - open - 1));
        name = Trim(text.substr(0, open));
        if (name.empty())
            name = address;
        return;
    }
    address = Trim(text);
    name = address;
}

CRecipients::CRecipients(IMessage* message) : m_message(message) {}

std::span<const pollenta::com::DispatchMember<CRecipients>> CRecipients::DispatchMembers()
{
    using T = CRecipients;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"Count", 0x50, &GetLong<T, &T::get_Count>},
        {"Item", 0x51, &GetItem<T, Recipient, &T::Item>},
    };
    return members;
}

HRESULT CRecipients::ReadRows(LPSRowSet* rows)
{
    CComPtr<IMAPITable> table;
    if (HRESULT hr = m_message->GetRecipientTable(0, &table); FAILED(hr))
        return hr;
    SizedSPropTagArray(kColumnCount, columns) = {kColumnCount,
                                                 {PR_ROWID, PR_DISPLAY_NAME_A, PR_EMAIL_ADDRESS_A, PR_RECIPIENT_TYPE}};
    return HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, rows);
}

STDMETHODIMP CRecipients::get_Count(LONG* count)
{
    return CountTableRows([this](LPSRowSet* rows) { return ReadRows(rows); }, count);
}

STDMETHODIMP CRecipients::Item(VARIANT index, Recipient** recipient)
{
    if (!recipient)
        return E_POINTER;
    *recipient = nullptr;
    return ItemOfTableRows(
        [this](LPSRowSet* rows) { return ReadRows(rows); }, index,
        [](const SRow& row) { return TextAt(row, kName); },
        [&](const SRow& row) {
            return CRecipient::CreateInstance(IID_Recipient, reinterpret_cast<void**>(recipient), m_message.p,
                                              LongAt(row, kRowId), TextAt(row, kName), TextAt(row, kAddress),
                                              LongAt(row, kType));
        });
}

STDMETHODIMP CRecipients::Add(BSTR text, Recipient** recipient)
{
    if (recipient)
        *recipient = nullptr;
    std::string name;
    std::string address;
    SplitMailbox(pollenta::com::AnsiFromBstr(text), name, address);
    if (address.empty())
        return E_INVALIDARG;
    if (HRESULT hr = pollenta::mapi::WriteSmtpRecipient(m_message, MODRECIP_ADD, 0, name, address, MAPI_TO); FAILED(hr))
        return hr;
    if (!recipient)
        return S_OK;
    LONG count = 0;
    if (HRESULT hr = get_Count(&count); FAILED(hr))
        return hr;
    CComVariant last(count);
    return Item(last, recipient);
}

}  // namespace pollenta::outlook
