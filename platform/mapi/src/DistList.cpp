#include "DistList.h"

#include "AddrBook.h"
#include "MapiTable.h"
#include "MemoryRows.h"

namespace pollenta::mapi {

CDistList::CDistList(std::shared_ptr<CAddressBookFile> book, LONGLONG id, CAddrBook* addrBook, CPropMap props)
    : TPropObject<IDistList>({IID_IMAPIProp, IID_IMAPIContainer, IID_IDistList}), m_book(std::move(book)), m_id(id),
      m_addrBook(addrBook)
{
    m_addrBook->AddRef();
    FixProps(std::move(props), {PR_ENTRYID, PR_INSTANCE_KEY, PR_RECORD_KEY, PR_OBJECT_TYPE,
                                                       PR_DISPLAY_TYPE, PR_SEARCH_KEY, PR_ADDRTYPE_A});
}

CDistList::~CDistList() { m_addrBook->Release(); }

void CDistList::Save(ULONG) { m_book->SaveProps(m_id, m_props); }

HRESULT CDistList::GetContentsTable(ULONG, LPMAPITABLE* table)
{
    if (!table) return MAPI_E_INVALID_PARAMETER;
    *table = nullptr;
    return Guard([&] {
        std::vector<CPropMap> rows;
        for (const std::string& member : m_book->Members(m_id)) {
            ULONG type = 0;
            CPropMap row = m_addrBook->PropsOf(member, type);
            // A member that has been removed from the book is left out.
            if (!row.empty()) rows.push_back(std::move(row));
        }
        std::vector<ULONG> columns = {PR_ENTRYID,    PR_INSTANCE_KEY,    PR_DISPLAY_NAME_A, PR_OBJECT_TYPE,
                                      PR_DISPLAY_TYPE, PR_EMAIL_ADDRESS_A, PR_ADDRTYPE_A};
        *table = new CMapiTable(std::make_unique<CMemoryRows>(std::move(rows), std::move(columns)));
        return S_OK;
    });
}

HRESULT CDistList::GetHierarchyTable(ULONG, LPMAPITABLE* table)
{
    if (table) *table = nullptr;
    return MAPI_E_NO_SUPPORT;
}

HRESULT CDistList::OpenEntry(ULONG cb, LPENTRYID eid, LPCIID iid, ULONG flags, ULONG* type, LPUNKNOWN* object)
{
    return m_addrBook->OpenEntry(cb, eid, iid, flags, type, object);
}

}  // namespace pollenta::mapi
