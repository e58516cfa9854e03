#pragma once
// Row sets and property values that MAPI hands out, freed when they go.

#include "mapi/MapiUtil.h"

#include <memory>
#include <string>

struct RowsDeleter {
    void operator()(SRowSet* rows) const { FreeProws(rows); }
};
using RowsPtr = std::unique_ptr<SRowSet, RowsDeleter>;

// The rows of `table` whose property `equals.ulPropTag` has the value of
// `equals`, with `columns`; `rows` owns what came even when the query fails.
HRESULT QueryRowsWhere(IMAPITable* table, LPSPropTagArray columns, SPropValue equals, RowsPtr& rows);

// A binary property (an entry id, say), "" when the object has none.
std::string BinaryProp(IMAPIProp* object, ULONG tag);
