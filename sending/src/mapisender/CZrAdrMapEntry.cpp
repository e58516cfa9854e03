#include "CZrAdrMapEntry.h"

#include "FindRowProp.h"

#include "errors/ZrThrow.h"
#include "mapi/MapiUtil.h"

#include <utility>

CZrAdrMapEntry::CZrAdrMapEntry(const CZrAdrMapEntry& other)
{
    *this = other;
}

CZrAdrMapEntry& CZrAdrMapEntry::operator=(const CZrAdrMapEntry& other)
{
    if (this == &other)
        return *this;
    LPSPropValue copy = nullptr;
    if (other.m_lpProps) {
        SCODE sc = ScDupPropset(static_cast<int>(other.m_cValues), other.m_lpProps, nullptr, &copy);
        if (FAILED(sc))
            ThrowMapiResult(0xC00022E9, sc, "ScDupPropset", ZR_HERE);
    }
    FreeValues();
    m_cValues = other.m_lpProps ? other.m_cValues : 0;
    m_lpProps = copy;
    m_bOwnsValues = copy != nullptr;
    m_nSend = other.m_nSend;
    m_strDistListName = other.m_strDistListName;
    return *this;
}

CZrAdrMapEntry::~CZrAdrMapEntry()
{
    FreeValues();
}

void CZrAdrMapEntry::Borrow(ULONG count, LPSPropValue values, bool send, const std::string& listName)
{
    FreeValues();
    m_cValues = count;
    m_lpProps = values;
    m_nSend = send ? 1 : 0;
    m_strDistListName = listName;
}

std::string CZrAdrMapEntry::GetRecipientText() const
{
    const std::string name = RowText(m_cValues, m_lpProps, PR_DISPLAY_NAME);
    std::string address = RowText(m_cValues, m_lpProps, PR_SMTP_ADDRESS);
    if (address.empty())
        address = RowText(m_cValues, m_lpProps, PR_EMAIL_ADDRESS);
    if (!name.empty() && !address.empty())
        return name + " <" + address + ">";
    return name.empty() ? address : name;
}

void CZrAdrMapEntry::FreeValues()
{
    if (m_bOwnsValues)
        MAPIFreeBuffer(m_lpProps);
    m_lpProps = nullptr;
    m_cValues = 0;
    m_bOwnsValues = false;
}
