#include "inspector/DeleteItemMessage.h"

#include "connect/WEConnect.h"
#include "util/CZrMapiBufferPtr.h"

#include "mapi/IMAPIFolder.h"
#include "mapi/IMessage.h"
#include "mapi/MapiFlags.h"
#include "mapi/MapiUtil.h"
#include "mapi/PropTags.h"

namespace {

constexpr DWORD kPropertyMissing = 0xE00022C4;

bool ReadEntryId(IMessage* message, ULONG tag, const char* name, CZrMapiBufferPtr<SPropValue>& value)
{
    if (FAILED(HrGetOneProp(message, tag, &value)) || !value || PROP_TYPE(value->ulPropTag) == PT_ERROR) {
        g_pAddin->m_Log.Write(kPropertyMissing, {"IMessage", name});
        return false;
    }
    return true;
}

}  // namespace

HRESULT DeleteItemMessage(_MailItem* mail)
{
    CComPtr<IUnknown> object;
    if (HRESULT hr = mail->get_MAPIOBJECT(&object); FAILED(hr) || !object) {
        g_pAddin->m_Log.LogComError("lpMailItem->get_MAPIOBJECT", hr, mail, IID__MailItem);
        return E_FAIL;
    }
    CComQIPtr<IMessage> message(object.p);
    CZrMapiBufferPtr<SPropValue> entryId, parentId, storeId;
    if (!message || !ReadEntryId(message, PR_ENTRYID, "PR_ENTRYID", entryId) ||
        !ReadEntryId(message, PR_PARENT_ENTRYID, "PR_PARENT_ENTRYID", parentId) ||
        !ReadEntryId(message, PR_STORE_ENTRYID, "PR_STORE_ENTRYID", storeId))
        return E_FAIL;
    CComPtr<IMsgStore> store;
    const SBinary& storeBin = storeId->Value.bin;
    if (HRESULT hr = g_pAddin->m_spSession->OpenMsgStore(0, storeBin.cb, reinterpret_cast<LPENTRYID>(storeBin.lpb),
                                                         &IID_IMsgStore, MAPI_BEST_ACCESS, &store);
        FAILED(hr)) {
        g_pAddin->m_Log.LogMapiCall("g_pAddin->m_spSession->OpenMsgStore", hr, g_pAddin->m_spSession.p);
        return E_FAIL;
    }
    ULONG type = 0;
    CComPtr<IUnknown> opened;
    const SBinary& parentBin = parentId->Value.bin;
    if (HRESULT hr = store->OpenEntry(parentBin.cb, reinterpret_cast<LPENTRYID>(parentBin.lpb), &IID_IMAPIFolder,
                                      MAPI_BEST_ACCESS, &type, &opened);
        FAILED(hr) || type != MAPI_FOLDER) {
        g_pAddin->m_Log.LogMapiCall("spMsgStore->OpenEntry", FAILED(hr) ? hr : E_FAIL, store.p);
        return E_FAIL;
    }
    CComQIPtr<IMAPIFolder> folder(opened.p);
    SBinary entry = entryId->Value.bin;
    ENTRYLIST list{1, &entry};
    if (HRESULT hr = folder->DeleteMessages(&list, 0, nullptr, 0); FAILED(hr)) {
        g_pAddin->m_Log.LogMapiCall("spFolder->DeleteMessages", hr, folder.p);
        return E_FAIL;
    }
    return S_OK;
}
