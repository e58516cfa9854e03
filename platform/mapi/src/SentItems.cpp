#include "SentItems.h"

#include "EntryId.h"
#include "FileTime.h"
#include "mapi/MapiFlags.h"

#include <vector>

namespace pollenta::mapi {

std::optional<CEvent> FileAsSent(CStoreFile& store, const SentMessage& sent, LONGLONG sentItems)
{
    const CPropMap& props = sent.content.m_props;
    store.Dequeue(sent.message);
    auto deleteAfter = props.find(PROP_ID(PR_DELETE_AFTER_SUBMIT));
    if (deleteAfter != props.end() && deleteAfter->second.Int()) {
        store.DeleteTree(sent.message);
        return std::nullopt;
    }
    auto flags = props.find(PROP_ID(PR_MESSAGE_FLAGS));
    LONG value = flags != props.end() ? static_cast<LONG>(flags->second.Int()) : 0;
    const CPropValue sentFlags =
        CPropValue::Long(PR_MESSAGE_FLAGS, (value & ~(MSGFLAG_SUBMIT | MSGFLAG_UNSENT)) | MSGFLAG_READ);
    const CPropValue delivered = CPropValue::Time(PR_MESSAGE_DELIVERY_TIME, NowFileTime());
    std::vector<const CPropValue*> values;
    for (const CPropValue& stamped : sent.stamped) values.push_back(&stamped);
    values.push_back(&sentFlags);
    values.push_back(&delivered);
    store.SetProps(sent.message, values);
    store.Move(sent.message, sentItems);
    CEvent event;
    event.type = fnevObjectMoved;
    event.objType = MAPI_MESSAGE;
    event.entryId = CEntryId::ForObject(store.Uid(), MAPI_MESSAGE, sent.message);
    event.parentId = CEntryId::ForObject(store.Uid(), MAPI_FOLDER, sentItems);
    event.oldId = event.entryId;
    event.oldParentId = CEntryId::ForObject(store.Uid(), MAPI_FOLDER, sent.waitedIn);
    return event;
}

}  // namespace pollenta::mapi
