#pragma once
// The layouts of the wizard's two database dialogs, registered under the
// module that shows them.

#include "win/Types.h"

void RegisterDatabaseDialogTemplates(HINSTANCE module);
