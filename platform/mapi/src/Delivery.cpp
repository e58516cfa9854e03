#include "Delivery.h"

#include "EntryId.h"
#include "FileTime.h"
#include "MimeBridge.h"
#include "Notifier.h"
#include "mapi/MapiFlags.h"
#include "mapi/Mime.h"

namespace pollenta::mapi {

LONGLONG CDelivery::Deliver(CStoreFile& store, LONGLONG folder, std::span<const BYTE> mime)
{
    CMessageContent content = CMimeBridge::FromMime(ParseMime(mime), NowFileTime());
    LONGLONG id = content.SaveNew(store, folder);
    CEvent created;
    created.type = fnevObjectCreated;
    created.objType = MAPI_MESSAGE;
    created.entryId = CEntryId::ForObject(store.Uid(), MAPI_MESSAGE, id);
    created.parentId = CEntryId::ForObject(store.Uid(), MAPI_FOLDER, folder);
    CNotifier::Instance().Raise(store.Uid(), created);
    CEvent newMail = created;
    newMail.type = fnevNewMail;
    newMail.messageClass = "IPM.Note";
    CNotifier::Instance().Raise(store.Uid(), newMail);
    return id;
}

}  // namespace pollenta::mapi
