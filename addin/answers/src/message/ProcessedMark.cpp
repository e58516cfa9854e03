#include "message/ProcessedMark.h"

#include "util/CZrMapiBufferPtr.h"

HRESULT GetProcessedPropTag(IMAPIProp* object, ULONG& tag)
{
    MAPINAMEID nameId{};
    nameId.lpguid = const_cast<LPGUID>(&PSETID_PollentaAnswers);
    nameId.ulKind = MNID_ID;
    nameId.Kind.lID = kProcessedMarkName;
    LPMAPINAMEID names[] = {&nameId};
    CZrMapiBufferPtr<SPropTagArray> tags;
    const HRESULT hr = object->GetIDsFromNames(1, names, MAPI_CREATE, &tags);
    if (hr != S_OK || !tags || tags->cValues != 1 || PROP_TYPE(tags->aulPropTag[0]) == PT_ERROR)
        return E_FAIL;
    tag = CHANGE_PROP_TYPE(tags->aulPropTag[0], PT_LONG);
    return S_OK;
}

bool IsMessageProcessed(IMessage* message)
{
    ULONG tag = 0;
    if (FAILED(GetProcessedPropTag(message, tag)))
        return false;
    CZrMapiBufferPtr<SPropValue> value;
    return SUCCEEDED(HrGetOneProp(message, tag, &value)) && value->ulPropTag == tag && value->Value.l > 0;
}

HRESULT SetProcessedProp(IMessage* message)
{
    ULONG tag = 0;
    HRESULT hr = GetProcessedPropTag(message, tag);
    if (FAILED(hr))
        return hr;
    SPropValue value{};
    value.ulPropTag = tag;
    value.Value.l = 1;
    CZrMapiBufferPtr<SPropProblemArray> problems;
    hr = message->SetProps(1, &value, &problems);
    if (FAILED(hr))
        return hr;
    if (problems && problems->cProblem > 0)
        return E_FAIL;
    return message->SaveChanges(KEEP_OPEN_READWRITE);
}
