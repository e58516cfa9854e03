#pragma once
// The messages of a folder, in its contents table's order, as mail items;
// the table is read again only when the folder's messages changed.

#include "OutlookContext.h"
#include "OutlookNameSpace.h"

#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"
#include "mapi/IMAPIFolder.h"
#include "mapi/IMsgStore.h"

#include <string>
#include <vector>

namespace pollenta::outlook {

class CItems : public pollenta::com::CUnknownImpl<CItems, pollenta::com::CDispatchImpl<CItems, _Items>> {
public:
    CItems(ContextPtr context, IMsgStore* store, IMAPIFolder* folder, std::string storeId, std::string folderId);

    static std::span<const pollenta::com::DispatchMember<CItems>> DispatchMembers();

    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP Item(VARIANT index, IDispatch** item) override;

private:
    HRESULT ReadIds(std::shared_ptr<const std::vector<std::string>>& ids);

    ContextPtr m_context;
    CComPtr<IMsgStore> m_store;
    CComPtr<IMAPIFolder> m_folder;
    std::string m_storeId;
    std::string m_folderId;
};

}  // namespace pollenta::outlook
