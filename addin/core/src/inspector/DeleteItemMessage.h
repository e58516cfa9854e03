#pragma once
// Deletes a mail item's message from its folder for good (not into Deleted
// Items), through the add-in's MAPI session: S_OK, or E_FAIL with the
// reason in the add-in's log.

#include "OutlookMailItem.h"

HRESULT DeleteItemMessage(_MailItem* mail);
