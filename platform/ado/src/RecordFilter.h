#pragma once
// Criteria as the Filter property of a recordset takes them: terms of the
// form  Column = 'value'  (or <>, <, >, <=, >=) joined by AND. The column
// may be in [brackets]; a text value is in single quotes with a quote
// inside written twice; a number may stand bare. Texts compare without
// regard to case, as ADO's filters do.

#include "ColumnInfo.h"

#include "com/ComVariant.h"

#include <string>
#include <vector>

namespace pollenta::ado {

class RecordFilter {
public:
    // False, with the reason, for criteria it cannot read or that name a
    // column the recordset lacks.
    bool Parse(const std::string& criteria, const std::vector<ColumnInfo>& columns, std::string& reason);
    bool Matches(const std::vector<CComVariant>& row) const;

private:
    struct Term {
        std::size_t column;
        std::string op;
        std::string value;
    };
    std::vector<Term> m_terms;
};

}  // namespace pollenta::ado
