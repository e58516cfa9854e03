#include "menu/CWEEventSink.h"

#include "com/ConnectionPoint.h"

HRESULT CWEEventSink::Advise(IUnknown* source, REFIID iid, pollenta::com::EventHandler handler)
{
    if (IsAdvised())
        return E_UNEXPECTED;
    if (!source)
        return E_POINTER;
    CComPtr<IDispatch> sink;
    if (HRESULT hr = pollenta::com::CreateEventSink(iid, std::move(handler), &sink); FAILED(hr))
        return hr;
    if (HRESULT hr = pollenta::com::AtlAdvise(source, sink, iid, &m_dwCookie); FAILED(hr))
        return hr;
    m_spSource = source;
    m_iid = iid;
    return S_OK;
}

void CWEEventSink::Unadvise()
{
    if (!m_spSource)
        return;
    pollenta::com::AtlUnadvise(m_spSource, m_iid, m_dwCookie);
    m_spSource.Release();
    m_dwCookie = 0;
}
