#pragma once
// The report list of a data source's tables: type in column 0, name in
// column 1, each row's record (name, type) kept by the list until it goes.

#include "ui/ListCtrl.h"

#include <memory>
#include <string>
#include <vector>

struct WETableRow {
    std::string name;
    std::string type;
};

class CWETablesListCtrl : public CListCtrl {
public:
    // Full-row selection and the "Type" and "Name" columns.
    void InitColumns();
    // False when the list refused the row.
    bool AddTable(const std::string& type, const std::string& name);
    // The first selected row's record, or null.
    const WETableRow* GetSelectedTable(int* item = nullptr) const;

private:
    std::vector<std::unique_ptr<WETableRow>> m_rows;
};
