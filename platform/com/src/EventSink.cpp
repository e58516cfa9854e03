#include "com/EventSink.h"

#include "com/UnknownImpl.h"

namespace pollenta::com {

namespace {

class CEventSink : public CUnknownImpl<CEventSink, IDispatch> {
public:
    CEventSink(REFIID eventIid, EventHandler handler) : m_eventIid(eventIid), m_handler(std::move(handler)) {}

    void* QueryInterfaceExtra(REFIID iid) { return iid == m_eventIid ? static_cast<IDispatch*>(this) : nullptr; }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info) *info = nullptr;
        return DISP_E_BADINDEX;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT* argErr) override
    {
        if (!params || (params->cArgs > 0 && !params->rgvarg)) return E_INVALIDARG;
        DispatchCall call(flags, params, result, argErr);
        return m_handler(id, call);
    }

private:
    IID m_eventIid;
    EventHandler m_handler;
};

}  // namespace

HRESULT CreateEventSink(REFIID eventIid, EventHandler handler, IDispatch** sink)
{
    if (!sink || !handler) return E_INVALIDARG;
    return CEventSink::CreateInstance(IID_IDispatch, reinterpret_cast<void**>(sink), eventIid, std::move(handler));
}

}  // namespace pollenta::com
