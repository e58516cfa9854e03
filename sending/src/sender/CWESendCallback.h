#pragma once
// The walk that makes the copies: one per recipient entry not yet served.

#include "RecipientWalk.h"

#include "com/ComPtr.h"
#include "com/Dispatch.h"
#include "mapi/IMessage.h"

#include <string>

class CWEPersonalSender;

class CWESendCallback : public CWERecipientCallback {
public:
    explicit CWESendCallback(CWEPersonalSender& sender) : m_sender(sender) {}

    void Recipient(IDistList* parentList, IMailUser* user, const char* rowDisplayName) override;
    bool IsCancelled() override;
    void Pump() override;
    void RowError(const char* text) override;

    // 0 when a copy was submitted, 1 when the entry is skipped, E_FAIL after
    // a reported error.
    HRESULT ProcessRecipient(IDistList* parentList, IMailUser* user, const char* rowDisplayName);

private:
    HRESULT MakeCopy(const std::string& address, CComPtr<IMessage>& copy);
    HRESULT ReplaceToRecipients(const std::string& address, IMessage* copy, IMailUser* user,
                                const char* rowDisplayName);
    HRESULT Submit(const std::string& address, IMessage* copy, IDistList* parentList, IMailUser* user);

    CWEPersonalSender& m_sender;
};
