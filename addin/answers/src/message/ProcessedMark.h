#pragma once
// The processed mark: a named long property of the system's own property
// set, value 1 once the add-in has taken a message. A message is never
// examined twice, across restarts and crashes alike.

#include "mapi/IMessage.h"
#include "mapi/IMsgStore.h"

// {7C1E4D2A-5B36-4F0E-9A41-2D8C6B3F5E17}
inline constexpr GUID PSETID_PollentaAnswers = {
    0x7C1E4D2A, 0x5B36, 0x4F0E, {0x9A, 0x41, 0x2D, 0x8C, 0x6B, 0x3F, 0x5E, 0x17}};
inline constexpr LONG kProcessedMarkName = 0x8001;

// The mark's tag in the object's store, mapped on first use. E_FAIL when
// the store cannot map it.
HRESULT GetProcessedPropTag(IMAPIProp* object, ULONG& tag);
// Present with a value above 0.
bool IsMessageProcessed(IMessage* message);
// Writes 1 and saves the message, keeping it open.
HRESULT SetProcessedProp(IMessage* message);
