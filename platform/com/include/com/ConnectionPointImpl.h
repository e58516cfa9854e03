#pragma once
// The server side of connection points. A CConnectionPointImpl is a member
// of the object that fires the events: it keeps the sinks in the order they
// were advised and shares the owner's reference count. The owner derives
// from CConnectionPointContainerImpl (listing it in its CUnknownImpl) and
// registers its points there.

#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/ConnectionPoint.h"
#include "com/Dispatch.h"

#include <span>
#include <vector>

namespace pollenta::com {

class CConnectionPointImpl : public IConnectionPoint {
public:
    // `owner` is the object the point belongs to (and lives inside).
    CConnectionPointImpl(IConnectionPointContainer* owner, REFIID iid);
    CConnectionPointImpl(const CConnectionPointImpl&) = delete;
    CConnectionPointImpl& operator=(const CConnectionPointImpl&) = delete;
    ~CConnectionPointImpl();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    // The sink must answer QueryInterface for the point's IID, else
    // CONNECT_E_CANNOTCONNECT.
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    // CONNECT_E_NOCONNECTION for a cookie that is not advised.
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

    const IID& Iid() const { return m_iid; }
    // The sinks at this moment, in advise order; a sink may unadvise while
    // the caller walks the list.
    std::vector<CComPtr<IUnknown>> Sinks() const;
    // Calls IDispatch::Invoke(id, DISPATCH_METHOD) on every sink with `args`
    // (lent, not copied: by-reference arguments bring the answers back)
    // in their natural order; returns the first failure, after all sinks had
    // their call.
    HRESULT Fire(DISPID id, std::span<CComVariant> args = {});

private:
    IConnectionPointContainer* m_owner;
    IID m_iid;
    std::vector<CONNECTDATA> m_connections;
    DWORD m_nextCookie = 1;
};

class CConnectionPointContainerImpl : public IConnectionPointContainer {
public:
    using ImplementedInterface = IConnectionPointContainer;

    // Not offered: no caller walks the points.
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    // CONNECT_E_NOCONNECTION for an IID without a point.
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

protected:
    // The point stays owned by the derived object.
    void AddConnectionPoint(CConnectionPointImpl* point) { m_points.push_back(point); }

private:
    std::vector<CConnectionPointImpl*> m_points;
};

}  // namespace pollenta::com
