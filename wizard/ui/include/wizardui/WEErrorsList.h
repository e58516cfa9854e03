#pragma once
// The list of a check's or a creation's errors: the severity of each
// message in column 0, its text in column 1, in the collection's order.

#include "ui/ListCtrl.h"

#include <string>
#include <utility>
#include <vector>

// A (message id, text) pair as the errors collection holds it.
using WEErrorItem = std::pair<DWORD, std::string>;

class CWEErrorsList : public CListCtrl {
public:
    // Full-row selection and the "Status" and "Description" columns.
    void InitColumns();
    // Shows exactly these errors; what the list showed before goes.
    void Fill(const std::vector<WEErrorItem>& errors);
};

// The caption of a message id's severity, from its two top bits:
// "Success", "Information", "Warning" or "Fatal error".
std::string SeverityCaption(DWORD messageId);
