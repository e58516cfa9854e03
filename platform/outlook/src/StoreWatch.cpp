#include "outlook/StoreWatch.h"

#include "mapi/MapiUtil.h"

namespace pollenta::outlook {

namespace {

constexpr ULONG kContentEvents =
    fnevNewMail | fnevObjectCreated | fnevObjectDeleted | fnevObjectModified | fnevObjectMoved | fnevObjectCopied;

std::string Bytes(ULONG size, const ENTRYID* id)
{
    return id ? std::string(reinterpret_cast<const char*>(id), size) : std::string();
}

}  // namespace

HRESULT CStoreWatch::Start(IMsgStore* store, Changed changed, std::unique_ptr<CStoreWatch>& watch)
{
    if (!store || !changed)
        return E_INVALIDARG;
    std::unique_ptr<CStoreWatch> made(new CStoreWatch(store, std::move(changed)));
    CComPtr<IMAPIAdviseSink> sink;
    if (HRESULT hr = HrAllocAdviseSink(&CStoreWatch::OnNotify, made.get(), &sink); FAILED(hr))
        return hr;
    if (HRESULT hr = store->Advise(0, nullptr, kContentEvents, sink, &made->m_connection); FAILED(hr))
        return hr;
    watch = std::move(made);
    return S_OK;
}

CStoreWatch::CStoreWatch(IMsgStore* store, Changed changed) : m_store(store), m_changed(std::move(changed)) {}

CStoreWatch::~CStoreWatch()
{
    if (m_connection)
        m_store->Unadvise(m_connection);
}

ULONG CStoreWatch::OnNotify(LPVOID self, ULONG count, LPNOTIFICATION notifications)
{
    const Changed& changed = static_cast<CStoreWatch*>(self)->m_changed;
    for (ULONG i = 0; i < count; ++i) {
        const NOTIFICATION& n = notifications[i];
        if (n.ulEventType == fnevNewMail) {
            changed(Bytes(n.info.newmail.cbParentID, n.info.newmail.lpParentID), true);
            continue;
        }
        const OBJECT_NOTIFICATION& object = n.info.obj;
        // A folder's own changes leave the messages it lists alone.
        if (object.ulObjType != MAPI_MESSAGE)
            continue;
        const bool listChanged = n.ulEventType != fnevObjectModified;
        if (object.lpParentID)
            changed(Bytes(object.cbParentID, object.lpParentID), listChanged);
        if (object.lpOldParentID &&
            Bytes(object.cbOldParentID, object.lpOldParentID) != Bytes(object.cbParentID, object.lpParentID))
            changed(Bytes(object.cbOldParentID, object.lpOldParentID), true);
    }
    return 0;
}

}  // namespace pollenta::outlook
