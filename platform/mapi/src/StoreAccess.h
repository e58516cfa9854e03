#pragma once
// What every object opened from a store shares: the store file, whether
// it was opened for writing, the spooler that sends its submitted messages,
// and the properties a store works out for its objects.

#include "StoreFile.h"

#include <memory>

namespace pollenta::mapi {

class CSpooler;
struct CEvent;

class CStoreAccess {
public:
    CStoreAccess(std::shared_ptr<CStoreFile> file, bool writable, std::shared_ptr<CSpooler> spooler)
        : m_file(std::move(file)), m_writable(writable), m_spooler(std::move(spooler))
    {
    }

    CStoreFile& File() const { return *m_file; }
    const std::shared_ptr<CStoreFile>& FilePtr() const { return m_file; }
    bool Writable() const { return m_writable; }
    const std::shared_ptr<CSpooler>& Spooler() const { return m_spooler; }

    std::string StoreEntryId() const;
    std::string EntryId(ULONG type, LONGLONG id) const;
    // Fails with MAPI_E_INVALID_ENTRYID for ids that are malformed or belong
    // to another store, MAPI_E_NOT_FOUND for objects that are gone.
    LONGLONG ObjectFromEntryId(ULONG cb, const ENTRYID* eid, ULONG& type, LONGLONG& parent) const;

    // The properties the store computes for an object of `type`.
    static std::vector<ULONG> ComputedTags(ULONG type);
    CPropMap Computed(LONGLONG id, ULONG type, LONGLONG parent) const;
    ULONG SupportMask() const;

    void Notify(const CEvent& event) const;

private:
    std::shared_ptr<CStoreFile> m_file;
    bool m_writable;
    std::shared_ptr<CSpooler> m_spooler;
};

}  // namespace pollenta::mapi
