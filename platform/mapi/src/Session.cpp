#include "Session.h"

#include "AddrBook.h"
#include "EntryId.h"
#include "MapiStatus.h"
#include "MapiTable.h"
#include "MemoryRows.h"
#include "MsgStore.h"
#include "ProfSect.h"

#include <cstring>

namespace pollenta::mapi {

namespace {

HRESULT Hand(IUnknown* object, LPCIID iid, const IID& fallback, void** out)
{
    HRESULT hr = object->QueryInterface(iid ? *iid : fallback, out);
    object->Release();
    return FAILED(hr) ? MAPI_E_INTERFACE_NOT_SUPPORTED : S_OK;
}

}  // namespace

CSession::CSession(CProfile profile)
    : TMapiObject<IMAPISession>({IID_IMAPISession}), m_profile(std::move(profile)),
      m_spooler(CSpooler::ForProfile(m_profile))
{
}

HRESULT CSession::GetLastError(HRESULT hr, ULONG flags, LPMAPIERROR* error) { return m_lastError.Get(hr, flags, error); }

HRESULT CSession::GetMsgStoresTable(ULONG, LPMAPITABLE* table)
{
    if (!table) return MAPI_E_INVALID_PARAMETER;
    *table = nullptr;
    return Guard([&] {
        std::vector<CPropMap> rows;
        for (const CProfile::Store& store : m_profile.m_stores) {
            CPropMap row;
            for (const CPropValue& value :
                 {CPropValue::Binary(PR_ENTRYID, store.entryId), CPropValue::Binary(PR_INSTANCE_KEY, store.entryId),
                  CPropValue::Binary(PR_RECORD_KEY, store.entryId.substr(20)),
                  CPropValue::String(PR_DISPLAY_NAME_A, store.displayName),
                  CPropValue::Bool(PR_DEFAULT_STORE, store.isDefault), CPropValue::Long(PR_OBJECT_TYPE, MAPI_STORE),
                  CPropValue::Long(PR_RESOURCE_TYPE, MAPI_STORE_PROVIDER)})
                row[PROP_ID(value.Tag())] = value;
            rows.push_back(std::move(row));
        }
        *table = new CMapiTable(std::make_unique<CMemoryRows>(
            std::move(rows), std::vector<ULONG>{PR_ENTRYID, PR_DISPLAY_NAME_A, PR_DEFAULT_STORE, PR_INSTANCE_KEY}));
        return S_OK;
    });
}

HRESULT CSession::OpenMsgStore(ULONG_PTR, ULONG cb, LPENTRYID eid, LPCIID iid, ULONG flags, LPMDB* store)
{
    if (!store || !eid) return MAPI_E_INVALID_PARAMETER;
    *store = nullptr;
    return Guard([&] {
        std::string bytes(reinterpret_cast<const char*>(eid), cb);
        if (CEntryId::Parse(bytes).m_kind != CEntryId::Kind::Store)
            throw CMapiError(MAPI_E_INVALID_ENTRYID, "The entry id is not one of a store");
        const CProfile::Store* listed = m_profile.FindStore(bytes);
        if (!listed) throw CMapiError(MAPI_E_NOT_FOUND, "The store is not in the profile");
        std::shared_ptr<CStoreFile> file = CStoreFile::Open(listed->path);
        if (CEntryId::ForStore(file->Uid()).compare(4, std::string::npos, bytes, 4) != 0)
            throw CMapiError(MAPI_E_NOT_FOUND, "The file \"" + listed->path + "\" holds another store");
        bool writable = (flags & (MAPI_BEST_ACCESS | MDB_WRITE)) != 0;
        m_spooler->AddStore(file);
        auto* opened = new CMsgStore(CStoreAccess(file, writable, m_spooler), listed->isDefault);
        return Hand(static_cast<IMsgStore*>(opened), iid, IID_IMsgStore, reinterpret_cast<void**>(store));
    });
}

HRESULT CSession::OpenAddressBook(ULONG_PTR, LPCIID iid, ULONG, LPADRBOOK* book)
{
    if (!book) return MAPI_E_INVALID_PARAMETER;
    *book = nullptr;
    return Guard([&] {
        if (m_profile.m_addressBook.empty()) throw CMapiError(MAPI_E_NOT_FOUND, "The profile has no address book");
        auto* opened = new CAddrBook(CAddressBookFile::Open(m_profile.m_addressBook));
        return Hand(static_cast<IAddrBook*>(opened), iid, IID_IAddrBook, reinterpret_cast<void**>(book));
    });
}

HRESULT CSession::OpenProfileSection(LPMAPIUID uid, LPCIID iid, ULONG, LPPROFSECT* section)
{
    if (!uid || !section) return MAPI_E_INVALID_PARAMETER;
    *section = nullptr;
    if (std::memcmp(uid->ab, pbGlobalProfileSectionGuid.ab, 16) != 0) return MAPI_E_NOT_FOUND;
    return Guard([&] {
        auto* opened = new CProfSect(m_profile.m_name);
        return Hand(static_cast<IProfSect*>(opened), iid, IID_IProfSect, reinterpret_cast<void**>(section));
    });
}

HRESULT CSession::GetStatusTable(ULONG, LPMAPITABLE* table)
{
    if (!table) return MAPI_E_INVALID_PARAMETER;
    *table = nullptr;
    return Guard([&] {
        *table = new CMapiTable(std::make_unique<CMemoryRows>(
            std::vector<CPropMap>{CMapiStatus::SpoolerRow()},
            std::vector<ULONG>{PR_ENTRYID, PR_RESOURCE_TYPE, PR_DISPLAY_NAME_A, PR_STATUS_CODE}));
        return S_OK;
    });
}

HRESULT CSession::OpenEntry(ULONG cb, LPENTRYID eid, LPCIID iid, ULONG flags, ULONG* type, LPUNKNOWN* object)
{
    if (!eid || !type || !object) return MAPI_E_INVALID_PARAMETER;
    *object = nullptr;
    *type = 0;
    CEntryId parsed = CEntryId::Parse(cb, eid);
    switch (parsed.m_kind) {
    case CEntryId::Kind::Status:
        if (parsed.m_type != MAPI_SPOOLER) return MAPI_E_NOT_FOUND;
        *type = MAPI_STATUS;
        return Hand(static_cast<IMAPIStatus*>(new CMapiStatus(m_spooler)), iid, IID_IMAPIStatus,
                    reinterpret_cast<void**>(object));
    case CEntryId::Kind::Store: {
        LPMDB store = nullptr;
        HRESULT hr = OpenMsgStore(0, cb, eid, iid, flags, &store);
        if (SUCCEEDED(hr)) {
            *type = MAPI_STORE;
            *object = store;
        }
        return hr;
    }
    case CEntryId::Kind::Object: {
        std::string storeId = CEntryId::ForStore(parsed.m_uid);
        LPMDB store = nullptr;
        // The object's own flags say how it is opened (MAPI_MODIFY among
        // them, which as a store flag would mean something else).
        HRESULT hr = OpenMsgStore(0, static_cast<ULONG>(storeId.size()), reinterpret_cast<LPENTRYID>(storeId.data()),
                                  nullptr, MAPI_BEST_ACCESS, &store);
        if (FAILED(hr)) return hr;
        hr = store->OpenEntry(cb, eid, iid, flags, type, object);
        store->Release();
        return hr;
    }
    case CEntryId::Kind::AddressEntry:
    case CEntryId::Kind::OneOff: {
        LPADRBOOK book = nullptr;
        HRESULT hr = OpenAddressBook(0, nullptr, 0, &book);
        if (FAILED(hr)) return hr;
        hr = book->OpenEntry(cb, eid, iid, flags, type, object);
        book->Release();
        return hr;
    }
    default: return MAPI_E_INVALID_ENTRYID;
    }
}

HRESULT CSession::CompareEntryIDs(ULONG cb1, LPENTRYID eid1, ULONG cb2, LPENTRYID eid2, ULONG, ULONG* result)
{
    return CMsgStore::CompareIds(cb1, eid1, cb2, eid2, result);
}

HRESULT CSession::Logoff(ULONG_PTR, ULONG, ULONG) { return S_OK; }

}  // namespace pollenta::mapi
