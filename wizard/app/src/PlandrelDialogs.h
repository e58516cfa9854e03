#pragma once
// The wizard's page dialogs, registered under the program's module.

#include "win/Types.h"

// The header title of a page (its string id), 0 for a page shown without
// header. One place for the titles, so that the sheet's header band takes
// them from here.
UINT PageHeaderTitleId(UINT dialogId);

void RegisterPlandrelDialogs();
