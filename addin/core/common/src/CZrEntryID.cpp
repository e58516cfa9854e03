#include "zr/CZrEntryID.h"

#include "com/Text.h"
#include "mapi/MapiUtil.h"

#include <cstring>
#include <string>

CZrEntryID::CZrEntryID(const CZrEntryID& other)
{
    Assign(other);
}

CZrEntryID& CZrEntryID::operator=(const CZrEntryID& other)
{
    Assign(other);
    return *this;
}

CZrEntryID::~CZrEntryID()
{
    Clear();
}

void CZrEntryID::Clear()
{
    if (m_lpb)
        MAPIFreeBuffer(m_lpb);
    m_cb = 0;
    m_lpb = nullptr;
}

void CZrEntryID::Assign(const CZrEntryID& other)
{
    if (&other == this)
        return;
    Set(other.m_cb, other.m_lpb);
}

BOOL CZrEntryID::Set(ULONG count, const BYTE* bytes)
{
    if (count != 0 && !bytes)
        return FALSE;
    // The source may be a part of this value's own bytes.
    LPBYTE copy = nullptr;
    if (count != 0) {
        if (FAILED(MAPIAllocateBuffer(count, reinterpret_cast<LPVOID*>(&copy)))) {
            Clear();
            return FALSE;
        }
        std::memcpy(copy, bytes, count);
    }
    Clear();
    m_cb = count;
    m_lpb = copy;
    return TRUE;
}

void CZrEntryID::SetHex(const char* text)
{
    Clear();
    const std::size_t length = text ? std::strlen(text) : 0;
    if (length == 0 || length % 2 != 0)
        return;
    const ULONG count = static_cast<ULONG>(length / 2);
    LPBYTE bytes = nullptr;
    if (FAILED(MAPIAllocateBuffer(count, reinterpret_cast<LPVOID*>(&bytes))))
        return;
    if (!FBinFromHex(const_cast<LPSTR>(text), bytes)) {
        MAPIFreeBuffer(bytes);
        return;
    }
    m_cb = count;
    m_lpb = bytes;
}

void CZrEntryID::SetHexW(const OLECHAR* text)
{
    if (!text) {
        Clear();
        return;
    }
    SetHex(pollenta::com::AnsiFromOleString(text).c_str());
}
