#include "processor/CWEScanSink.h"

#include "processor/CWEInboxProcessor.h"

#include "util/CZrMapiBufferPtr.h"

HRESULT CWEScanSink::OnMessage(IMAPISession* session, IMsgStore* store, IMessage* message)
{
    if (!session || !store || !message)
        return E_FAIL;
    CWEMessageQueueItem item;
    const HRESULT hr = MakeQueueItem(message, item);
    if (FAILED(hr))
        return hr;
    m_processor.PushScanItem(item);
    return S_OK;
}

bool CWEScanSink::IsStopRequested()
{
    return m_processor.IsStopRequested(*this);
}

HRESULT CWEScanSink::MakeQueueItem(IMessage* message, CWEMessageQueueItem& item)
{
    SizedSPropTagArray(2, tags) = {2, {PR_ENTRYID, PR_STORE_ENTRYID}};
    ULONG count = 0;
    CZrMapiBufferPtr<SPropValue> values;
    if (FAILED(message->GetProps(reinterpret_cast<LPSPropTagArray>(&tags), 0, &count, &values)) || count != 2 ||
        values.get()[0].ulPropTag != PR_ENTRYID || values.get()[1].ulPropTag != PR_STORE_ENTRYID)
        return MAPI_E_NOT_FOUND;
    const SBinary& entry = values.get()[0].Value.bin;
    const SBinary& store = values.get()[1].Value.bin;
    if (!item.m_MessageId.Set(entry.cb, entry.lpb) || !item.m_StoreId.Set(store.cb, store.lpb))
        return MAPI_E_NOT_FOUND;
    return S_OK;
}
