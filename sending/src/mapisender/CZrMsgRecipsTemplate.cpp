#include "CZrMsgRecipsTemplate.h"

#include "errors/ZrThrow.h"
#include "mapi/MapiUtil.h"

#include <cstring>

CZrMsgRecipsTemplate::~CZrMsgRecipsTemplate()
{
    if (m_lpList)
        FreePadrlist(m_lpList);
}

void CZrMsgRecipsTemplate::Allocate(ULONG cEntries)
{
    if (cEntries == 0)
        ThrowInvalidArgument("cEntries > 0", ZR_HERE);
    if (m_lpList)
        ThrowComponentError(0xC000230A, ZR_HERE);
    LPVOID buffer = nullptr;
    SCODE sc = MAPIAllocateBuffer(static_cast<ULONG>(CbNewADRLIST(cEntries)), &buffer);
    if (FAILED(sc))
        ThrowMapiResult(0xC00022E8, sc, "MAPIAllocateBuffer", ZR_HERE);
    std::memset(buffer, 0, CbNewADRLIST(cEntries));
    m_lpList = static_cast<LPADRLIST>(buffer);
    m_cCapacity = cEntries;
}

void CZrMsgRecipsTemplate::AddRecipient(const SRow& row)
{
    if (!m_lpList)
        ThrowComponentError(0xC00022C8, ZR_HERE);
    if (m_lpList->cEntries >= m_cCapacity)
        ThrowComponentError(0xC00022C5, ZR_HERE);
    LPSPropValue copy = nullptr;
    SCODE sc = ScDupPropset(static_cast<int>(row.cValues), row.lpProps, nullptr, &copy);
    if (FAILED(sc))
        ThrowMapiResult(0xC00022EA, sc, "ScDupPropset", ZR_HERE);
    m_lpList->aEntries[m_lpList->cEntries] = {0, row.cValues, copy};
    ++m_lpList->cEntries;
    ++m_cFixed;
}

void CZrMsgRecipsTemplate::SubstLastRecipient(const CZrAdrMapEntry& entry)
{
    if (!m_lpList)
        ThrowComponentError(0xC00022C8, ZR_HERE);
    if (m_cFixed >= m_cCapacity)
        ThrowComponentError(0xC00022C5, ZR_HERE);
    LPSPropValue copy = nullptr;
    SCODE sc = ScDupPropset(static_cast<int>(entry.m_cValues), entry.m_lpProps, nullptr, &copy);
    if (FAILED(sc))
        ThrowMapiResult(0xC00022EE, sc, "ScDupPropset", ZR_HERE);
    ADRENTRY& personal = m_lpList->aEntries[m_cFixed];
    MAPIFreeBuffer(personal.rgPropVals);
    personal = {0, entry.m_cValues, copy};
    m_lpList->cEntries = m_cFixed + 1;
}
