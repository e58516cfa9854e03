#pragma once
// Whether a mail item's message has been handed to the spooler (submitted
// and not yet sent): then it is on its way and no longer a draft to clear up.

#include "OutlookMailItem.h"

bool IsSubmitted(_MailItem* mail);
