#pragma once
// "Edit SQL-request for table creation" of the creation page and the
// errors page: the editor opens on the request in force; a request it
// hands back changed, or with the check box changed, becomes the user's.

#include "wizard/CWEProjectSettings.h"

class CWnd;

// True when the settings took an edit.
bool EditSqlRequest(CWnd* owner, CWEProjectSettings& settings);
