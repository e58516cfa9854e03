#include "Delivery.h"

#include "EntryId.h"
#include "FileTime.h"
#include "MimeBridge.h"
#include "Notifier.h"
#include "mapi/MapiFlags.h"
#include "mapi/Mime.h"

namespace pollenta::mapi {

void CDelivery::Announce(const CStoreFile& store, LONGLONG folder, LONGLONG id, const std::string& messageClass)
{
    CEvent created;
    created.type = fnevObjectCreated;
    created.objType = MAPI_MESSAGE;
    created.entryId = CEntryId::ForObject(store.Uid(), MAPI_MESSAGE, id);
    created.parentId = CEntryId::ForObject(store.Uid(), MAPI_FOLDER, folder);
    CNotifier::Instance().Raise(store.Uid(), created);
    CEvent newMail = created;
    newMail.type = fnevNewMail;
    newMail.messageClass = messageClass;
    CNotifier::Instance().Raise(store.Uid(), newMail);
}

CMessageContent CDelivery::Read(std::span<const BYTE> mime)
{
    return CMimeBridge::FromMime(ParseMime(mime), NowFileTime());
}

LONGLONG CDelivery::Deliver(CStoreFile& store, LONGLONG folder, std::span<const BYTE> mime)
{
    return DeliverAll(store, folder, {mime}).front();
}

std::vector<LONGLONG> CDelivery::DeliverAll(CStoreFile& store, LONGLONG folder,
                                            const std::vector<std::span<const BYTE>>& mimes)
{
    // Parsed before the store is locked: other users of the store wait only
    // for the writing.
    std::vector<CMessageContent> contents;
    contents.reserve(mimes.size());
    for (std::span<const BYTE> mime : mimes) contents.push_back(Read(mime));
    std::vector<LONGLONG> ids = CMessageContent::SaveNewAll(store, folder, contents);
    for (LONGLONG id : ids) Announce(store, folder, id, "IPM.Note");
    return ids;
}

}  // namespace pollenta::mapi
