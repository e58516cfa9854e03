#include "mapisession/GetSuperMapiSession.h"

#include "com/ComPtr.h"
#include "com/ComVariant.h"

namespace {

// LCID of the system's default language, as the client's own callers ask.
constexpr LCID kSystemDefaultLcid = 0x800;

HRESULT SessionFromNameSpace(IDispatch* nameSpace, IMAPISession** session)
{
    OLECHAR name[] = u"MAPIOBJECT";
    LPOLESTR names[] = {name};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = nameSpace->GetIDsOfNames(IID_NULL, names, 1, kSystemDefaultLcid, &id);
    if (FAILED(hr))
        return hr;
    DISPPARAMS noArguments = {nullptr, nullptr, 0, 0};
    CComVariant result;
    hr = nameSpace->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &noArguments, &result, nullptr, nullptr);
    if (FAILED(hr))
        return hr;
    if (result.vt != VT_UNKNOWN || !result.punkVal)
        return E_FAIL;
    return result.punkVal->QueryInterface(IID_IMAPISession, reinterpret_cast<void**>(session));
}

HRESULT SessionFromObjectModel(_Application* application, IMAPISession** session)
{
    if (!application)
        return E_FAIL;
    CComPtr<IDispatch> nameSpace;
    HRESULT hr = application->get_Session(&nameSpace);
    if (FAILED(hr))
        return hr;
    if (!nameSpace)
        return E_FAIL;
    return SessionFromNameSpace(nameSpace, session);
}

}  // namespace

HRESULT GetSuperMapiSession(_Application* application, IMAPISession** session)
{
    if (!session)
        return E_INVALIDARG;
    *session = nullptr;
    const HRESULT hr = SessionFromObjectModel(application, session);
    if (SUCCEEDED(hr))
        return hr;
    *session = nullptr;
    // The other way in searches the client library's machine code for its
    // session getter; that library does not exist on this system.
    return E_FAIL;
}

HRESULT GetSuperMapiSessionFromNameSpace(IDispatch* nameSpace, IMAPISession** session)
{
    if (!session)
        return E_INVALIDARG;
    *session = nullptr;
    if (nameSpace && SUCCEEDED(SessionFromNameSpace(nameSpace, session)))
        return S_OK;
    *session = nullptr;
    return E_FAIL;
}
