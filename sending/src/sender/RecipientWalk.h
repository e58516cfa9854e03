#pragma once
// A walk over a recipient table and, depth first, over the members of every
// distribution list it meets. A list met again while it is being walked
// (one that holds itself, directly or through others) is not entered again.

#include "CWEListPath.h"

#include "mapi/IAddrBook.h"
#include "mapi/IDistList.h"
#include "mapi/IMAPITable.h"
#include "mapi/IMailUser.h"

#include <string>

class CWERecipientCallback {
public:
    virtual ~CWERecipientCallback() = default;
    // A distribution list is about to be walked.
    virtual void EnterList(IDistList* list) {}
    // One entry that is not a list; `user` is null when entries are not opened.
    virtual void Recipient(IDistList* parentList, IMailUser* user, const char* rowDisplayName) = 0;
    virtual bool IsCancelled() { return false; }
    // Runs waiting window messages between rows.
    virtual void Pump() {}
    // A failure of one row, with the fixed English text of the walk.
    virtual void RowError(const char* text) {}
};

class CWERecipientWalk {
public:
    CWERecipientWalk(IAddrBook* addressBook, CWERecipientCallback& callback, bool openEntries)
        : m_addressBook(addressBook), m_callback(callback), m_openEntries(openEntries)
    {
    }

    // 0, or the HRESULT of a failed table call (SetColumns: `failedCall` 11,
    // QueryRows: 12, so that the caller can name it).
    HRESULT Walk(IMAPITable* table, IDistList* parentList, bool toOnly, int* failedCall = nullptr);

private:
    void Row(const SRow& row, IDistList* parentList, bool toOnly);
    bool EnterList(IUnknown* entry, const std::string& key);

    IAddrBook* m_addressBook;
    CWERecipientCallback& m_callback;
    bool m_openEntries;
    CWEListPath m_path;
};
