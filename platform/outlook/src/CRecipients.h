#pragma once
// The recipients of a mail item, read from its message's recipient table
// each time they are asked for.

#include "OutlookMailItem.h"

#include "com/ComPtr.h"
#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"
#include "mapi/IMessage.h"

namespace pollenta::outlook {

class CRecipients
    : public pollenta::com::CUnknownImpl<CRecipients, pollenta::com::CDispatchImpl<CRecipients, Recipients>> {
public:
    explicit CRecipients(IMessage* message);

    static std::span<const pollenta::com::DispatchMember<CRecipients>> DispatchMembers();

    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP Item(VARIANT index, Recipient** recipient) override;
    STDMETHODIMP Add(BSTR name, Recipient** recipient) override;

private:
    HRESULT ReadRows(LPSRowSet* rows);

    CComPtr<IMessage> m_message;
};

// "Name <address>" split in two; a bare address is its own name.
void SplitMailbox(const std::string& text, std::string& name, std::string& address);

}  // namespace pollenta::outlook
