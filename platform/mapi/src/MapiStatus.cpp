#include "MapiStatus.h"

#include "EntryId.h"

namespace pollenta::mapi {

CMapiStatus::CMapiStatus(std::shared_ptr<CSpooler> spooler)
    : TPropObject<IMAPIStatus>({IID_IMAPIProp, IID_IMAPIStatus}), m_spooler(std::move(spooler))
{
    m_props = SpoolerRow();
}

CPropMap CMapiStatus::SpoolerRow()
{
    CPropMap row;
    for (const CPropValue& value :
         {CPropValue::Binary(PR_ENTRYID, CEntryId::ForStatus(MAPI_SPOOLER)),
          CPropValue::Binary(PR_INSTANCE_KEY, CEntryId::ForStatus(MAPI_SPOOLER)),
          CPropValue::Long(PR_RESOURCE_TYPE, MAPI_SPOOLER), CPropValue::Long(PR_OBJECT_TYPE, MAPI_STATUS),
          CPropValue::String(PR_DISPLAY_NAME_A, "Pollenta Spooler"),
          CPropValue::String(PR_PROVIDER_DISPLAY_A, "Pollenta Spooler"), CPropValue::Long(PR_STATUS_CODE, 1)})
        row[PROP_ID(value.Tag())] = value;
    return row;
}

HRESULT CMapiStatus::FlushQueues(ULONG_PTR, ULONG, LPENTRYID, ULONG flags)
{
    if (flags & ~(FLUSH_UPLOAD | FLUSH_DOWNLOAD | FLUSH_FORCE | FLUSH_NO_UI | FLUSH_ASYNC_OK))
        return MAPI_E_UNKNOWN_FLAGS;
    return Guard([&] {
        // Downloading is taking in the mail waiting in the drop folder now,
        // rather than at the spooler's next round.
        if (flags & FLUSH_UPLOAD || !(flags & FLUSH_DOWNLOAD)) m_spooler->Flush();
        if (flags & FLUSH_DOWNLOAD) m_spooler->DeliverDropped();
        return S_OK;
    });
}

}  // namespace pollenta::mapi
