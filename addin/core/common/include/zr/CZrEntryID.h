#pragma once
// An entry id (or store id) whose bytes belong to MAPI's allocator. Every
// copy owns new bytes; the destructor frees them.
//
//     CZrEntryID id;
//     id.SetHex("0A1B");           // two bytes 0x0A 0x1B
//     store->OpenEntry(id.Size(), id.EntryID(), ...);

#include "com/Bstr.h"
#include "mapi/MapiTypes.h"

class CZrEntryID {
public:
    CZrEntryID() = default;
    CZrEntryID(const CZrEntryID& other);
    CZrEntryID& operator=(const CZrEntryID& other);
    ~CZrEntryID();

    // Frees the bytes; the value is empty afterwards.
    void Clear();
    // A deep copy; assigning an object to itself changes nothing. When
    // memory runs out the value is empty.
    void Assign(const CZrEntryID& other);
    // FALSE and no change for a count without bytes; otherwise a copy of
    // the bytes (FALSE, and an empty value, when memory runs out).
    BOOL Set(ULONG count, const BYTE* bytes);
    // Two hexadecimal digits per byte. An empty text, a text of odd length
    // or one with a character that is not a digit gives an empty value.
    void SetHex(const char* text);
    // The same from UTF-16 text, as the client's EntryID and StoreID
    // properties give it; null gives an empty value.
    void SetHexW(const OLECHAR* text);

    // False only for a count whose bytes are missing.
    bool IsValid() const { return m_cb == 0 || m_lpb != nullptr; }
    bool IsEmpty() const { return m_cb == 0; }
    ULONG Size() const { return m_cb; }
    const BYTE* Bytes() const { return m_lpb; }
    LPENTRYID EntryID() const { return reinterpret_cast<LPENTRYID>(m_lpb); }

private:
    ULONG m_cb = 0;
    LPBYTE m_lpb = nullptr;
};
