#pragma once
// One attachment of a mail item, by its number in the message.

#include "OutlookMailItem.h"

#include "com/ComPtr.h"
#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"
#include "mapi/IMessage.h"

#include <string>

namespace pollenta::outlook {

class CAttachment
    : public pollenta::com::CUnknownImpl<CAttachment, pollenta::com::CDispatchImpl<CAttachment, Attachment>> {
public:
    CAttachment(IMessage* message, ULONG number, std::string fileName);

    static std::span<const pollenta::com::DispatchMember<CAttachment>> DispatchMembers();

    STDMETHODIMP get_FileName(BSTR* name) override;
    STDMETHODIMP get_MAPIOBJECT(IUnknown** attach) override;

private:
    CComPtr<IMessage> m_message;
    ULONG m_number;
    std::string m_fileName;
};

}  // namespace pollenta::outlook
