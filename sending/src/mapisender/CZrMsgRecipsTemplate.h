#pragma once
// The recipient list every copy gets: the template's Cc and Bcc recipients,
// fixed, then one personal recipient replaced for every copy.

#include "CZrAdrMapEntry.h"

#include "mapi/MapiTypes.h"

class CZrMsgRecipsTemplate {
public:
    CZrMsgRecipsTemplate() = default;
    CZrMsgRecipsTemplate(const CZrMsgRecipsTemplate&) = delete;
    CZrMsgRecipsTemplate& operator=(const CZrMsgRecipsTemplate&) = delete;
    ~CZrMsgRecipsTemplate();

    void Allocate(ULONG cEntries);
    void AddRecipient(const SRow& row);
    void SubstLastRecipient(const CZrAdrMapEntry& entry);
    LPADRLIST List() const { return m_lpList; }

private:
    LPADRLIST m_lpList = nullptr;
    ULONG m_cCapacity = 0;
    ULONG m_cFixed = 0;
};
