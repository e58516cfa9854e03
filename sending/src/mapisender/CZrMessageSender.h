#pragma once
// The second sending method: one copy of the client's mail item per
// address on its To line (lists expanded, members of "exclude" lists left
// out, every address once), the Cc and Bcc recipients on every copy, the
// macros replaced per copy, each copy sent through the Outbox, and a report
// window to follow and stop it. Failures throw the component's error.

#include "CZrAdrMap.h"
#include "CZrMsgRecipsTemplate.h"
#include "CZrReportDlg.h"

#include "errors/CZrException.h"
#include "sender/CWEListPath.h"

#include "com/ComPtr.h"
#include "com/Dispatch.h"
#include "mapi/IAddrBook.h"
#include "mapi/IDistList.h"
#include "mapi/IMAPIFolder.h"
#include "mapi/IMAPISession.h"
#include "mapi/IMAPITable.h"
#include "mapi/IMessage.h"
#include "mapi/IMsgStore.h"

#include <string>
#include <vector>

class TMMailItem;

class CZrMessageSender {
public:
    CZrMessageSender() = default;
    CZrMessageSender(const CZrMessageSender&) = delete;
    CZrMessageSender& operator=(const CZrMessageSender&) = delete;
    // Members go in reverse order: the report window first, the application last.
    ~CZrMessageSender() = default;

    // 0 once copies went out (those that failed are in the report);
    // TM_E_CANCELLED when the user stopped the sending (the copies sent so
    // far stay sent); TM_E_ALLEXCLUDED when no copy went out at all: every
    // recipient excluded or refused, or every copy failed.
    HRESULT Solvenda(TMMailItem* lpTMMailItem, IDispatch* lpMailItem, HWND parent, bool showReport,
                     const std::string& caption, const std::string& text);

    CZrReportDlg& Report() { return m_report; }
    // Called for every address the walk meets.
    void AddRecipient(IDistList* parentList, const SRow& row);

private:
    void Prepare(IDispatch* lpMailItem);
    void ScanRecipients(IMAPITable* table, IDistList* parentList);
    BOOL OpenDistListContent(const SRow& row, IDistList* parentList, IDistList** lppDistList,
                             IMAPITable** lppDLContentsTable);
    void PrepareAddressListAndClearRecipients(IMAPITable* table);
    void OpenDefStoreAndFolder();
    void DistributeMessage();
    void SendCopyToRecipient(const std::string& address, const CZrAdrMapEntry& entry);
    void RollbackMessage(const std::string& entryIdText);
    static void CopyMessage(IMAPIFolder* lpOutbox, IMessage* lpSource, IMessage** lppCopy);
    static void GetMessageStringIDs(IMessage* message, std::string& storeId, std::string& entryId);

    TMMailItem* m_lpTMMailItem = nullptr;
    CComPtr<IDispatch> m_spApplication;
    int m_nOutlookVersion = 0;
    CComPtr<IDispatch> m_NameSpace;
    CComPtr<IMAPISession> m_spSession;
    CComPtr<IAddrBook> m_spAddrBook;
    CComPtr<IMessage> m_spTemplateMessage;
    int m_nBodyFormat = 0;
    HWND m_hParent = nullptr;
    bool m_bShowReport = true;
    std::string m_strCaption;
    std::string m_strText;
    CZrAdrMap m_adrMap;
    CZrMsgRecipsTemplate m_recipsTemplate;
    CComPtr<IMsgStore> m_spDefMsgStore;
    CComPtr<IMAPIFolder> m_spOutbox;
    CZrReportDlg m_report;
    CWEListPath m_listPath;
    // Entries of the To line without an address, refused as they are met.
    std::vector<CZrException> m_refused;
    int m_nSent = 0;
};
