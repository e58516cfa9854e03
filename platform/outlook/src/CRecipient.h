#pragma once
// One recipient of a mail item, or the user of the name space. A recipient
// of a message changes its type in the message's recipient table.

#include "OutlookMailItem.h"

#include "com/ComPtr.h"
#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"
#include "mapi/IMessage.h"

#include <string>

namespace pollenta::outlook {

class CRecipient : public pollenta::com::CUnknownImpl<CRecipient, pollenta::com::CDispatchImpl<CRecipient, Recipient>> {
public:
    // `message` null: a recipient of no message (the current user).
    CRecipient(IMessage* message, LONG rowId, std::string name, std::string address, LONG type);

    static std::span<const pollenta::com::DispatchMember<CRecipient>> DispatchMembers();

    STDMETHODIMP get_Name(BSTR* name) override;
    STDMETHODIMP get_Address(BSTR* address) override;
    STDMETHODIMP get_Type(LONG* type) override;
    STDMETHODIMP put_Type(LONG type) override;

private:
    CComPtr<IMessage> m_message;
    LONG m_rowId;
    std::string m_name;
    std::string m_address;
    LONG m_type;
};

}  // namespace pollenta::outlook
