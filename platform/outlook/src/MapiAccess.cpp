#include "MapiAccess.h"

#include "OutlookGuids.h"

#include "mapi/MapiUtil.h"

namespace pollenta::outlook {

namespace {

class CPropBuffer {
public:
    ~CPropBuffer() { MAPIFreeBuffer(m_value); }
    LPSPropValue* Out() { return &m_value; }
    const SPropValue* operator->() const { return m_value; }

private:
    LPSPropValue m_value = nullptr;
};

LPENTRYID EntryId(const std::string& bytes)
{
    return reinterpret_cast<LPENTRYID>(const_cast<char*>(bytes.data()));
}

HRESULT OpenStoreEntry(IMsgStore* store, const std::string& entryId, const IID& iid, ULONG& type,
                       CComPtr<IUnknown>& object)
{
    return store->OpenEntry(static_cast<ULONG>(entryId.size()), EntryId(entryId), &iid, MAPI_BEST_ACCESS, &type,
                            &object);
}

ULONG StoreFolderTag(LONG kind)
{
    switch (kind) {
    case olFolderOutbox:
        return PR_IPM_OUTBOX_ENTRYID;
    case olFolderSentMail:
        return PR_IPM_SENTMAIL_ENTRYID;
    case olFolderDrafts:
        return PR_IPM_DRAFTS_ENTRYID;
    case olFolderDeletedItems:
        return PR_IPM_WASTEBASKET_ENTRYID;
    default:
        return PR_NULL;
    }
}

}  // namespace

std::string HexFromBytes(const BYTE* data, ULONG size)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(size * 2);
    for (ULONG i = 0; i < size; ++i) {
        text += digits[data[i] >> 4];
        text += digits[data[i] & 0x0F];
    }
    return text;
}

bool BytesFromHex(const std::string& hex, std::string& bytes)
{
    if (hex.size() % 2 != 0)
        return false;
    bytes.assign(hex.size() / 2, '\0');
    return hex.empty() || FBinFromHex(const_cast<char*>(hex.c_str()), reinterpret_cast<LPBYTE>(bytes.data()));
}

std::string ReadText(IMAPIProp* object, ULONG tag)
{
    CPropBuffer value;
    if (FAILED(HrGetOneProp(object, tag, value.Out())) || PROP_TYPE(value->ulPropTag) != PT_STRING8)
        return "";
    return value->Value.lpszA;
}

std::string ReadBinary(IMAPIProp* object, ULONG tag)
{
    CPropBuffer value;
    if (FAILED(HrGetOneProp(object, tag, value.Out())) || PROP_TYPE(value->ulPropTag) != PT_BINARY)
        return "";
    return std::string(reinterpret_cast<const char*>(value->Value.bin.lpb), value->Value.bin.cb);
}

HRESULT WriteText(IMAPIProp* object, ULONG tag, const std::string& text)
{
    SPropValue value{};
    value.ulPropTag = tag;
    value.Value.lpszA = const_cast<char*>(text.c_str());
    return HrSetOneProp(object, &value);
}

HRESULT ReadEntryIds(IMAPITable* table, std::vector<std::string>& ids)
{
    SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
    LPSRowSet rows = nullptr;
    if (HRESULT hr = HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows);
        FAILED(hr))
        return hr;
    for (ULONG i = 0; i < rows->cRows; ++i) {
        const SPropValue& id = rows->aRow[i].lpProps[0];
        if (PROP_TYPE(id.ulPropTag) == PT_BINARY)
            ids.emplace_back(reinterpret_cast<const char*>(id.Value.bin.lpb), id.Value.bin.cb);
    }
    FreeProws(rows);
    return S_OK;
}

HRESULT OpenDefaultStore(IMAPISession* session, CComPtr<IMsgStore>& store)
{
    CComPtr<IMAPITable> table;
    if (HRESULT hr = session->GetMsgStoresTable(0, &table); FAILED(hr))
        return hr;
    SizedSPropTagArray(2, columns) = {2, {PR_ENTRYID, PR_DEFAULT_STORE}};
    LPSRowSet rows = nullptr;
    if (HRESULT hr = HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows);
        FAILED(hr))
        return hr;
    HRESULT hr = MAPI_E_NOT_FOUND;
    for (ULONG i = 0; i < rows->cRows && hr == MAPI_E_NOT_FOUND; ++i) {
        const SPropValue* props = rows->aRow[i].lpProps;
        if (props[1].ulPropTag == PR_DEFAULT_STORE && props[1].Value.b)
            hr = session->OpenMsgStore(0, props[0].Value.bin.cb, reinterpret_cast<LPENTRYID>(props[0].Value.bin.lpb),
                                       nullptr, MAPI_BEST_ACCESS, &store);
    }
    FreeProws(rows);
    return hr;
}

HRESULT OpenStore(IMAPISession* session, const std::string& storeId, CComPtr<IMsgStore>& store)
{
    return session->OpenMsgStore(0, static_cast<ULONG>(storeId.size()), EntryId(storeId), nullptr, MAPI_BEST_ACCESS,
                                 &store);
}

HRESULT OpenFolder(IMsgStore* store, const std::string& entryId, CComPtr<IMAPIFolder>& folder)
{
    ULONG type = 0;
    CComPtr<IUnknown> object;
    if (HRESULT hr = OpenStoreEntry(store, entryId, IID_IMAPIFolder, type, object); FAILED(hr))
        return hr;
    if (type != MAPI_FOLDER)
        return MAPI_E_INVALID_OBJECT;
    return object->QueryInterface(IID_IMAPIFolder, reinterpret_cast<void**>(&folder));
}

HRESULT OpenMessage(IMsgStore* store, const std::string& entryId, CComPtr<IMessage>& message)
{
    ULONG type = 0;
    CComPtr<IUnknown> object;
    if (HRESULT hr = OpenStoreEntry(store, entryId, IID_IMessage, type, object); FAILED(hr))
        return hr;
    message = CComQIPtr<IMessage>(object.p);
    return message ? S_OK : E_NOINTERFACE;
}

namespace {

HRESULT DefaultFolderId(IMsgStore* store, LONG kind, std::string& entryId)
{
    if (kind == olFolderInbox) {
        ULONG size = 0;
        LPENTRYID id = nullptr;
        if (HRESULT hr = store->GetReceiveFolder(nullptr, 0, &size, &id, nullptr); FAILED(hr))
            return hr;
        entryId.assign(reinterpret_cast<const char*>(id), size);
        MAPIFreeBuffer(id);
        return S_OK;
    }
    const ULONG tag = StoreFolderTag(kind);
    if (tag == PR_NULL)
        return MAPI_E_NOT_FOUND;
    entryId = ReadBinary(store, tag);
    return entryId.empty() ? MAPI_E_NOT_FOUND : S_OK;
}

}  // namespace

HRESULT FindDefaultFolder(IMAPISession* session, LONG kind, CComPtr<IMsgStore>& store, std::string& entryId)
{
    if (HRESULT hr = OpenDefaultStore(session, store); FAILED(hr))
        return hr;
    return DefaultFolderId(store, kind, entryId);
}

}  // namespace pollenta::outlook
