#include "CInspectors.h"

#include "CMailItem.h"
#include "CollectionIndex.h"
#include "DispatchAccessors.h"

#include <algorithm>

namespace pollenta::outlook {

namespace {

bool SameObject(IUnknown* a, IUnknown* b)
{
    if (!a || !b)
        return false;
    CComPtr<IUnknown> first;
    CComPtr<IUnknown> second;
    a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&first));
    b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&second));
    return first == second;
}

}  // namespace

CInspectors::CInspectors(ContextPtr context) : m_context(std::move(context)), m_events(this, IID_InspectorsEvents)
{
    AddConnectionPoint(&m_events);
    m_context->inspectors = this;
}

CInspectors::~CInspectors()
{
    if (m_context->inspectors == this)
        m_context->inspectors = nullptr;
}

std::span<const pollenta::com::DispatchMember<CInspectors>> CInspectors::DispatchMembers()
{
    using T = CInspectors;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"Count", 0x50, &GetLong<T, &T::get_Count>},
        {"Item", 0x51, &GetItem<T, _Inspector, &T::Item>},
    };
    return members;
}

STDMETHODIMP CInspectors::get_Count(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = static_cast<LONG>(m_inspectors.size());
    return S_OK;
}

STDMETHODIMP CInspectors::Item(VARIANT index, _Inspector** inspector)
{
    if (!inspector)
        return E_POINTER;
    *inspector = nullptr;
    std::size_t position = 0;
    if (HRESULT hr = CollectionIndex(index, m_inspectors.size(), nullptr, position); FAILED(hr))
        return hr;
    *inspector = m_inspectors[position].p;
    (*inspector)->AddRef();
    return S_OK;
}

STDMETHODIMP CInspectors::Add(IDispatch* item, _Inspector** inspector)
{
    if (inspector)
        *inspector = nullptr;
    if (!item)
        return E_INVALIDARG;
    CComPtr<CInspector> made;
    if (HRESULT hr = CInspector::CreateInstance(IID__Inspector, reinterpret_cast<void**>(&made), m_context, item);
        FAILED(hr))
        return hr;
    m_inspectors.push_back(made);
    CComVariant args[1];
    args[0] = static_cast<IDispatch*>(static_cast<_Inspector*>(made.p));
    m_events.Fire(DISPID_InspectorsEvents_NewInspector, args);
    if (CMailItem* mail = dynamic_cast<CMailItem*>(item))
        mail->FireItemEvent(DISPID_ItemEvents_Open);
    if (inspector) {
        *inspector = made.p;
        made->AddRef();
    }
    return S_OK;
}

HRESULT CInspectors::FindFor(IUnknown* item, _Inspector** inspector)
{
    for (const CComPtr<CInspector>& window : m_inspectors) {
        if (!SameObject(window->Item(), item))
            continue;
        *inspector = window.p;
        window->AddRef();
        return S_OK;
    }
    return S_FALSE;
}

bool CInspectors::CloseFor(IUnknown* item)
{
    std::vector<CComPtr<CInspector>> showing;
    for (const CComPtr<CInspector>& window : m_inspectors)
        if (SameObject(window->Item(), item))
            showing.push_back(window);
    for (const CComPtr<CInspector>& window : showing)
        Remove(window);
    return !showing.empty();
}

void CInspectors::Remove(CInspector* inspector)
{
    CComPtr<CInspector> keep(inspector);
    auto found = std::find_if(m_inspectors.begin(), m_inspectors.end(),
                              [inspector](const CComPtr<CInspector>& window) { return window.p == inspector; });
    if (found == m_inspectors.end())
        return;
    m_inspectors.erase(found);
    inspector->NotifyClosed();
}

void CInspectors::CloseAll()
{
    while (!m_inspectors.empty())
        Remove(m_inspectors.back());
}

}  // namespace pollenta::outlook
