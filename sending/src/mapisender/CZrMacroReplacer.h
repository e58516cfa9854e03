#pragma once
// The registered macros of one copy replaced by one recipient's values, in
// the subject and the body of a MAPI message or of a mail item of the
// client, each body in the form its format needs.

#include "CZrUniformMacroList.h"

#include "com/ComPtr.h"
#include "com/Dispatch.h"
#include "mapi/IMessage.h"

class CZrMacroReplacer {
public:
    CZrMacroReplacer(TMMailItem* lpTMMailItem, IAddrBook* lpAddrBook, const std::string& key,
                     const CZrAdrMapEntry& entry, int bodyFormat);

    void Replace(IMessage* lpMessage);
    void Replace(IDispatch* lpMailItem);
    // "Name <address>" of the recipient's values, for the report.
    std::string GetRecipientText() const;

private:
    void MergeMAPIMessageSubject(IMessage* lpMessage);
    void MergeMAPIMessageText(IMessage* lpMessage, int part);
    void MergeMessageText(IDispatch* lpMailItem, int part);
    int FormatOf(int part) const;

    TMMailItem* m_lpTMMailItem;
    CComPtr<IAddrBook> m_spAddrBook;
    std::string m_strKey;
    CZrAdrMapEntry m_entry;
    int m_nBodyFormat;
    CZrUniformMacroList m_list;
};
