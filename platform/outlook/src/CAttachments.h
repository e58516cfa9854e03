#pragma once
// The attachments of a mail item, read from its message's attachment table
// each time they are asked for. Add attaches a file by value.

#include "OutlookMailItem.h"

#include "com/ComPtr.h"
#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"
#include "mapi/IMessage.h"

namespace pollenta::outlook {

class CAttachments
    : public pollenta::com::CUnknownImpl<CAttachments, pollenta::com::CDispatchImpl<CAttachments, Attachments>> {
public:
    explicit CAttachments(IMessage* message);

    static std::span<const pollenta::com::DispatchMember<CAttachments>> DispatchMembers();

    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP Item(VARIANT index, Attachment** attachment) override;
    // A source that cannot be read gives its error (ERROR_FILE_NOT_FOUND as an HRESULT for a
    // missing file) and leaves the message as it was.
    STDMETHODIMP Add(VARIANT source, VARIANT type, VARIANT position, VARIANT displayName,
                     Attachment** attachment) override;

private:
    HRESULT ReadRows(LPSRowSet* rows);

    CComPtr<IMessage> m_message;
};

}  // namespace pollenta::outlook
