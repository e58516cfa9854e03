#pragma once
// The MAPI name space: the client's session (MAPIOBJECT), its stores'
// standard folders and items by entry id.

#include "OutlookContext.h"
#include "OutlookNameSpace.h"

#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

namespace pollenta::outlook {

class CNameSpace
    : public pollenta::com::CUnknownImpl<CNameSpace, pollenta::com::CDispatchImpl<CNameSpace, _NameSpace>> {
public:
    explicit CNameSpace(ContextPtr context);

    static std::span<const pollenta::com::DispatchMember<CNameSpace>> DispatchMembers();

    STDMETHODIMP GetDefaultFolder(LONG folderType, MAPIFolder** folder) override;
    STDMETHODIMP GetItemFromID(BSTR entryId, VARIANT storeId, IDispatch** item) override;
    STDMETHODIMP get_CurrentUser(Recipient** user) override;
    STDMETHODIMP get_Folders(_Folders** folders) override;
    STDMETHODIMP get_MAPIOBJECT(IUnknown** session) override;

private:
    ContextPtr m_context;
};

}  // namespace pollenta::outlook
