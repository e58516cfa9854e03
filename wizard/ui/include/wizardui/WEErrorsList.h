#pragma once
// The list of a check's or a creation's errors: the severity caption of
// each entry in column 0 ("Fatal error", "Warning", ...), its text in
// column 1, in the collection's order.

#include "ui/ListCtrl.h"
#include "wizard/CWEErrors.h"

class CWEErrorsList : public CListCtrl {
public:
    // Full-row selection and the "Status" and "Description" columns.
    void InitColumns();
    // Shows exactly these errors; what the list showed before goes.
    void Fill(const CWEErrors& errors);
};
