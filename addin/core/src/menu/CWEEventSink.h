#pragma once
// One advised dispatch event sink: advised on a source for one event
// interface, unadvised on request or when it goes.
//
//     CWEEventSink close;
//     close.Advise(explorer, IID_ExplorerEvents, [](DISPID id, DispatchCall&) { ...; return S_OK; });

#include "com/ComPtr.h"
#include "com/EventSink.h"

class CWEEventSink {
public:
    CWEEventSink() = default;
    ~CWEEventSink() { Unadvise(); }
    CWEEventSink(const CWEEventSink&) = delete;
    CWEEventSink& operator=(const CWEEventSink&) = delete;

    HRESULT Advise(IUnknown* source, REFIID iid, pollenta::com::EventHandler handler);
    void Unadvise();
    bool IsAdvised() const { return m_spSource != nullptr; }

private:
    CComPtr<IUnknown> m_spSource;
    IID m_iid{};
    DWORD m_dwCookie = 0;
};
