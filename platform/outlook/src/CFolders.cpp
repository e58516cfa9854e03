#include "CFolders.h"

#include "CFolder.h"
#include "CollectionIndex.h"
#include "DispatchAccessors.h"
#include "MapiAccess.h"

#include "com/ComBstr.h"
#include "mapi/MapiUtil.h"

namespace pollenta::outlook {

HRESULT MakeFolders(const ContextPtr& context, std::vector<std::string> storeIds, std::vector<std::string> entryIds,
                    _Folders** folders)
{
    return CFolders::CreateInstance(IID__Folders, reinterpret_cast<void**>(folders), context, std::move(storeIds),
                                    std::move(entryIds));
}

HRESULT ChildFolderIds(IMAPIFolder* folder, std::vector<std::string>& entryIds)
{
    CComPtr<IMAPITable> table;
    if (HRESULT hr = folder->GetHierarchyTable(0, &table); FAILED(hr))
        return hr;
    return ReadEntryIds(table, entryIds);
}

CFolders::CFolders(ContextPtr context, std::vector<std::string> storeIds, std::vector<std::string> entryIds)
    : m_context(std::move(context)), m_storeIds(std::move(storeIds)), m_entryIds(std::move(entryIds))
{}

std::span<const pollenta::com::DispatchMember<CFolders>> CFolders::DispatchMembers()
{
    using T = CFolders;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"Count", 0x50, &GetLong<T, &T::get_Count>},
        {"Item", 0x51, &GetItem<T, MAPIFolder, &T::Item>},
    };
    return members;
}

STDMETHODIMP CFolders::get_Count(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = static_cast<LONG>(m_entryIds.size());
    return S_OK;
}

STDMETHODIMP CFolders::Item(VARIANT index, MAPIFolder** folder)
{
    if (!folder)
        return E_POINTER;
    *folder = nullptr;
    auto nameAt = [this](std::size_t i) {
        CComPtr<MAPIFolder> candidate;
        CComBSTR name;
        if (SUCCEEDED(MakeFolder(m_context, m_storeIds[i], m_entryIds[i], &candidate)))
            candidate->get_Name(&name);
        return name.ToString();
    };
    std::size_t position = 0;
    if (HRESULT hr = CollectionIndex(index, m_entryIds.size(), nameAt, position); FAILED(hr))
        return hr;
    return MakeFolder(m_context, m_storeIds[position], m_entryIds[position], folder);
}

}  // namespace pollenta::outlook
