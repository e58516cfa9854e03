#pragma once
// A list of folders: the subfolders of a folder, or the top folder of every
// store of the name space.

#include "OutlookContext.h"
#include "OutlookNameSpace.h"

#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"
#include "mapi/IMAPIFolder.h"

#include <string>
#include <vector>

namespace pollenta::outlook {

class CFolders : public pollenta::com::CUnknownImpl<CFolders, pollenta::com::CDispatchImpl<CFolders, _Folders>> {
public:
    // Store id and folder id of each folder, in order.
    CFolders(ContextPtr context, std::vector<std::string> storeIds, std::vector<std::string> entryIds);

    static std::span<const pollenta::com::DispatchMember<CFolders>> DispatchMembers();

    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP Item(VARIANT index, MAPIFolder** folder) override;

private:
    ContextPtr m_context;
    std::vector<std::string> m_storeIds;
    std::vector<std::string> m_entryIds;
};

HRESULT MakeFolders(const ContextPtr& context, std::vector<std::string> storeIds, std::vector<std::string> entryIds,
                    _Folders** folders);
// The entry ids of the folder's subfolders, in the hierarchy table's order.
HRESULT ChildFolderIds(IMAPIFolder* folder, std::vector<std::string>& entryIds);

}  // namespace pollenta::outlook
