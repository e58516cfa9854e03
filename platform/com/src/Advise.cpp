#include "com/ComPtr.h"
#include "com/ConnectionPoint.h"

namespace pollenta::com {

HRESULT AtlAdvise(IUnknown* container, IUnknown* sink, REFIID iid, DWORD* cookie)
{
    if (!container || !cookie) return E_INVALIDARG;
    CComQIPtr<IConnectionPointContainer> points(container);
    if (!points) return E_NOINTERFACE;
    CComPtr<IConnectionPoint> point;
    const HRESULT hr = points->FindConnectionPoint(iid, &point);
    if (FAILED(hr)) return hr;
    return point->Advise(sink, cookie);
}

HRESULT AtlUnadvise(IUnknown* container, REFIID iid, DWORD cookie)
{
    if (!container) return E_INVALIDARG;
    CComQIPtr<IConnectionPointContainer> points(container);
    if (!points) return E_NOINTERFACE;
    CComPtr<IConnectionPoint> point;
    const HRESULT hr = points->FindConnectionPoint(iid, &point);
    if (FAILED(hr)) return hr;
    return point->Unadvise(cookie);
}

}  // namespace pollenta::com
