#include "com/ConnectionPointImpl.h"

#include "EnumConnections.h"

namespace pollenta::com {

CConnectionPointImpl::CConnectionPointImpl(IConnectionPointContainer* owner, REFIID iid) : m_owner(owner), m_iid(iid)
{
}

CConnectionPointImpl::~CConnectionPointImpl()
{
    for (const CONNECTDATA& connection : m_connections) connection.pUnk->Release();
}

STDMETHODIMP CConnectionPointImpl::QueryInterface(REFIID iid, void** out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CConnectionPointImpl::AddRef() { return m_owner->AddRef(); }

STDMETHODIMP_(ULONG) CConnectionPointImpl::Release() { return m_owner->Release(); }

STDMETHODIMP CConnectionPointImpl::GetConnectionInterface(IID* iid)
{
    if (!iid) return E_POINTER;
    *iid = m_iid;
    return S_OK;
}

STDMETHODIMP CConnectionPointImpl::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    if (!container) return E_POINTER;
    m_owner->AddRef();
    *container = m_owner;
    return S_OK;
}

STDMETHODIMP CConnectionPointImpl::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    IUnknown* held = nullptr;
    if (FAILED(sink->QueryInterface(m_iid, reinterpret_cast<void**>(&held))) || !held)
        return CONNECT_E_CANNOTCONNECT;
    *cookie = m_nextCookie++;
    m_connections.push_back(CONNECTDATA{held, *cookie});
    return S_OK;
}

STDMETHODIMP CConnectionPointImpl::Unadvise(DWORD cookie)
{
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        if (it->dwCookie != cookie) continue;
        IUnknown* sink = it->pUnk;
        m_connections.erase(it);
        sink->Release();
        return S_OK;
    }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP CConnectionPointImpl::EnumConnections(IEnumConnections** connections)
{
    if (!connections) return E_POINTER;
    return CEnumConnections::CreateInstance(IID_IEnumConnections, reinterpret_cast<void**>(connections),
                                            m_connections);
}

std::vector<CComPtr<IUnknown>> CConnectionPointImpl::Sinks() const
{
    std::vector<CComPtr<IUnknown>> sinks;
    for (const CONNECTDATA& connection : m_connections) sinks.emplace_back(connection.pUnk);
    return sinks;
}

HRESULT CConnectionPointImpl::Fire(DISPID id, std::span<CComVariant> args)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    HRESULT first = S_OK;
    for (const CComPtr<IUnknown>& sink : Sinks()) {
        CComQIPtr<IDispatch> dispatch(sink.p);
        if (!dispatch) continue;
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        const HRESULT hr = dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        if (FAILED(hr) && SUCCEEDED(first)) first = hr;
    }
    return first;
}

STDMETHODIMP CConnectionPointContainerImpl::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    if (points) *points = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CConnectionPointContainerImpl::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    if (!point) return E_POINTER;
    *point = nullptr;
    for (CConnectionPointImpl* candidate : m_points) {
        if (candidate->Iid() != iid) continue;
        candidate->AddRef();
        *point = candidate;
        return S_OK;
    }
    return CONNECT_E_NOCONNECTION;
}

}  // namespace pollenta::com
