#pragma once
// Named properties and the follow-up flag of a message.

#include "resources/KestrinResources.h"

#include "mapi/IMessage.h"

// The property id of a numeric named property of `guid`, without creating
// it; `defaultId` when the object cannot tell.
WORD GetNamedPropId(IMAPIProp* object, const GUID& guid, LONG name, WORD defaultId);

enum class FlagMode { Flagged = 1, Complete = 2, Cleared = 3 };
// Sets the follow-up flag with the add-in's string `flagTextId` as its text
// (none when cleared) and saves the message. A failing SetProps, or one that reports a problem,
// returns its failure (E_FAIL for a problem) and the message is not saved.
HRESULT MarkMessageWithFlag(IMessage* message, FlagMode mode, UINT flagTextId = IDS_FLAG_TEXT);
