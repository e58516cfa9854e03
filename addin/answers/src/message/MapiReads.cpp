#include "message/MapiReads.h"

#include "util/CZrMapiBufferPtr.h"

#include "mapi/MapiGuids.h"

namespace {

constexpr DWORD kPropertyMissing = 0xE00022C4;

}  // namespace

bool ReadStringProp(IMAPIProp* object, ULONG tag, std::string& text)
{
    CZrMapiBufferPtr<SPropValue> value;
    if (FAILED(HrGetOneProp(object, tag, &value)) || !value || PROP_TYPE(value->ulPropTag) == PT_ERROR ||
        !value->Value.lpszA)
        return false;
    text = value->Value.lpszA;
    return true;
}

bool ReadEntryIdProp(IMAPIProp* object, ULONG tag, CZrEntryID& id)
{
    CZrMapiBufferPtr<SPropValue> value;
    if (FAILED(HrGetOneProp(object, tag, &value)) || !value || PROP_TYPE(value->ulPropTag) == PT_ERROR)
        return false;
    return id.Set(value->Value.bin.cb, value->Value.bin.lpb) != FALSE;
}

bool ReadEntryIdProp(IMAPIProp* object, ULONG tag, CZrEntryID& id, CWELog& log, const char* interfaceName,
                     const char* propertyName)
{
    if (ReadEntryIdProp(object, tag, id))
        return true;
    log.Write(kPropertyMissing, {interfaceName, propertyName});
    return false;
}

HRESULT OpenStore(IMAPISession* session, const CZrEntryID& id, CComPtr<IMsgStore>& store, CWELog& log,
                  const char* call)
{
    store.Release();
    const HRESULT hr =
        session->OpenMsgStore(0, id.Size(), id.EntryID(), &IID_IMsgStore, MAPI_BEST_ACCESS, &store);
    log.LogMapiCall(call, hr, session);
    return hr;
}

HRESULT OpenFolder(IMsgStore* store, const CZrEntryID& id, CComPtr<IMAPIFolder>& folder, CWELog& log,
                   const char* call)
{
    folder.Release();
    ULONG type = 0;
    CComPtr<IUnknown> object;
    const HRESULT hr = store->OpenEntry(id.Size(), id.EntryID(), &IID_IMAPIFolder, MAPI_BEST_ACCESS, &type, &object);
    log.LogMapiCall(call, hr, store);
    if (FAILED(hr))
        return hr;
    if (type != MAPI_FOLDER)
        return E_FAIL;
    folder = CComQIPtr<IMAPIFolder>(object.p);
    return folder ? S_OK : E_FAIL;
}
