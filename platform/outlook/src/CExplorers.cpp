#include "CExplorers.h"

#include "CNameSpace.h"
#include "CollectionIndex.h"
#include "DispatchAccessors.h"

#include <algorithm>

namespace pollenta::outlook {

CExplorers::CExplorers(ContextPtr context) : m_context(std::move(context)), m_events(this, IID_ExplorersEvents)
{
    AddConnectionPoint(&m_events);
}

CExplorers::~CExplorers()
{
    for (const CComPtr<CExplorer>& explorer : m_explorers)
        explorer->Disown();
}

std::span<const pollenta::com::DispatchMember<CExplorers>> CExplorers::DispatchMembers()
{
    using T = CExplorers;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"Count", 0x50, &GetLong<T, &T::get_Count>},
        {"Item", 0x51, &GetItem<T, _Explorer, &T::Item>},
    };
    return members;
}

STDMETHODIMP CExplorers::get_Count(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = static_cast<LONG>(m_explorers.size());
    return S_OK;
}

STDMETHODIMP CExplorers::Item(VARIANT index, _Explorer** explorer)
{
    if (!explorer)
        return E_POINTER;
    *explorer = nullptr;
    std::size_t position = 0;
    if (HRESULT hr = CollectionIndex(index, m_explorers.size(), nullptr, position); FAILED(hr))
        return hr;
    *explorer = m_explorers[position].p;
    (*explorer)->AddRef();
    return S_OK;
}

STDMETHODIMP CExplorers::Add(VARIANT folder, LONG, _Explorer** explorer)
{
    if (explorer)
        *explorer = nullptr;
    CComPtr<MAPIFolder> shown;
    if (folder.vt == VT_DISPATCH && folder.pdispVal) {
        shown = CComQIPtr<MAPIFolder>(folder.pdispVal);
        if (!shown)
            return E_INVALIDARG;
    } else {
        CComPtr<CNameSpace> nameSpace;
        CNameSpace::CreateInstance(IID__NameSpace, reinterpret_cast<void**>(&nameSpace), m_context);
        if (HRESULT hr = nameSpace->GetDefaultFolder(olFolderInbox, &shown); FAILED(hr))
            return hr;
    }
    CComPtr<CExplorer> made;
    if (HRESULT hr = CExplorer::CreateInstance(IID__Explorer, reinterpret_cast<void**>(&made), this, shown.p);
        FAILED(hr))
        return hr;
    m_explorers.push_back(made);
    CComVariant args[1];
    args[0] = static_cast<IDispatch*>(static_cast<_Explorer*>(made.p));
    m_events.Fire(DISPID_ExplorersEvents_NewExplorer, args);
    if (explorer) {
        *explorer = made.p;
        made->AddRef();
    }
    return S_OK;
}

void CExplorers::Remove(CExplorer* explorer)
{
    CComPtr<CExplorer> keep(explorer);
    auto found = std::find_if(m_explorers.begin(), m_explorers.end(),
                              [explorer](const CComPtr<CExplorer>& window) { return window.p == explorer; });
    if (found == m_explorers.end())
        return;
    m_explorers.erase(found);
    explorer->Disown();
    explorer->NotifyClosed();
}

void CExplorers::CloseAll()
{
    while (!m_explorers.empty())
        Remove(m_explorers.back());
}

}  // namespace pollenta::outlook
