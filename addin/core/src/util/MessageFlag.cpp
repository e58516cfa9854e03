#include "util/MessageFlag.h"

#include "resources/KestrinResources.h"
#include "util/CZrMapiBufferPtr.h"

#include "mapi/MapiGuids.h"

namespace {

// The follow-up flag text of the common property set.
constexpr LONG kFlagTextName = 0x8530;
constexpr WORD kFlagTextDefaultId = 0x801E;

constexpr LONG kFlagStatusNone = 0;
constexpr LONG kFlagStatusComplete = 1;
constexpr LONG kFlagStatusFlagged = 2;

}  // namespace

WORD GetNamedPropId(IMAPIProp* object, const GUID& guid, LONG name, WORD defaultId)
{
    MAPINAMEID nameId{};
    nameId.lpguid = const_cast<LPGUID>(&guid);
    nameId.ulKind = MNID_ID;
    nameId.Kind.lID = name;
    LPMAPINAMEID names[] = {&nameId};
    CZrMapiBufferPtr<SPropTagArray> tags;
    if (FAILED(object->GetIDsFromNames(1, names, 0, &tags)) || !tags || tags->cValues != 1)
        return defaultId;
    // A name the object has not mapped comes back as an error tag.
    const ULONG tag = tags->aulPropTag[0];
    if (PROP_TYPE(tag) == PT_ERROR || PROP_ID(tag) == 0)
        return defaultId;
    return static_cast<WORD>(PROP_ID(tag));
}

HRESULT MarkMessageWithFlag(IMessage* message, FlagMode mode, UINT flagTextId)
{
    const WORD textId = GetNamedPropId(message, PSETID_Common, kFlagTextName, kFlagTextDefaultId);
    const std::string text = mode == FlagMode::Cleared ? std::string() : KestrinString(flagTextId);
    const BOOL requested = mode == FlagMode::Flagged;

    SPropValue values[4] = {};
    values[0].ulPropTag = PR_RESPONSE_REQUESTED;
    values[0].Value.b = static_cast<unsigned short>(requested);
    values[1].ulPropTag = PR_REPLY_REQUESTED;
    values[1].Value.b = static_cast<unsigned short>(requested);
    values[2].ulPropTag = PROP_TAG(PT_STRING8, textId);
    values[2].Value.lpszA = const_cast<LPSTR>(text.c_str());
    values[3].ulPropTag = PR_FLAG_STATUS;
    values[3].Value.l = mode == FlagMode::Flagged    ? kFlagStatusFlagged
                        : mode == FlagMode::Complete ? kFlagStatusComplete
                                                     : kFlagStatusNone;

    CZrMapiBufferPtr<SPropProblemArray> problems;
    const HRESULT hr = message->SetProps(4, values, &problems);
    if (FAILED(hr))
        return hr;
    if (problems && problems->cProblem > 0)
        return E_FAIL;
    return message->SaveChanges(KEEP_OPEN_READWRITE);
}
