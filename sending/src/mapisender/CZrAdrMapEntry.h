#pragma once
// One recipient of a sending: its row, whether it is sent to, and the
// distribution list it came from.

#include "mapi/MapiTypes.h"

#include <string>

class CZrAdrMapEntry {
public:
    CZrAdrMapEntry() = default;
    CZrAdrMapEntry(const CZrAdrMapEntry& other);
    CZrAdrMapEntry& operator=(const CZrAdrMapEntry& other);
    ~CZrAdrMapEntry();

    // Takes the values as they are; the caller keeps them.
    void Borrow(ULONG count, LPSPropValue values, bool send, const std::string& listName);

    // "Name <address>", the name or the address alone, or "".
    std::string GetRecipientText() const;

    ULONG m_cValues = 0;
    LPSPropValue m_lpProps = nullptr;
    bool m_bOwnsValues = false;
    int m_nSend = 0;
    std::string m_strDistListName;

private:
    void FreeValues();
};
