#pragma once
// The errors of a long step shown in a report list: the severity caption
// ("Fatal error", "Warning", ...) and the text of each entry, in order.

#include "wizard/CWEErrors.h"

#include "ui/ListCtrl.h"

void SetUpErrorColumns(CListCtrl& list);
void FillErrorList(CListCtrl& list, const CWEErrors& errors);
