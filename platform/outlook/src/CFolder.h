#pragma once
// A folder of a store, known by the store's and its own entry id; it is
// opened again for every question, so that it always answers for the
// store's present state.

#include "OutlookContext.h"
#include "OutlookNameSpace.h"

#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"
#include "mapi/IMAPIFolder.h"
#include "mapi/IMsgStore.h"

#include <string>

namespace pollenta::outlook {

class CFolder : public pollenta::com::CUnknownImpl<CFolder, pollenta::com::CDispatchImpl<CFolder, MAPIFolder>> {
public:
    CFolder(ContextPtr context, std::string storeId, std::string entryId);

    static std::span<const pollenta::com::DispatchMember<CFolder>> DispatchMembers();

    STDMETHODIMP get_EntryID(BSTR* entryId) override;
    STDMETHODIMP get_StoreID(BSTR* storeId) override;
    STDMETHODIMP get_Name(BSTR* name) override;
    STDMETHODIMP get_Items(_Items** items) override;
    STDMETHODIMP get_Folders(_Folders** folders) override;

    HRESULT Open(CComPtr<IMsgStore>& store, CComPtr<IMAPIFolder>& folder) const;

private:
    ContextPtr m_context;
    std::string m_storeId;
    std::string m_entryId;
};

HRESULT MakeFolder(const ContextPtr& context, const std::string& storeId, const std::string& entryId,
                   MAPIFolder** folder);

}  // namespace pollenta::outlook
