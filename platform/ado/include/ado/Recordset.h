#pragma once
// The records of one table or view, or of a query result, with the means to
// add a record. Adding is one transaction per record: the record is stored
// whole or not at all.

#include "ado/Connection.h"
#include "ado/Fields.h"

struct _Recordset : IUnknown {
    // `source` names a table or view (plain, in [brackets] or "quotes");
    // `activeConnection` is a connection string (VT_BSTR) or an open
    // connection (VT_UNKNOWN/VT_DISPATCH holding a _Connection).
    STDMETHOD(Open)(VARIANT source, VARIANT activeConnection, CursorTypeEnum cursorType, LockTypeEnum lockType,
                    LONG options) PURE;
    STDMETHOD(Close)() PURE;
    STDMETHOD(get_State)(LONG* state) PURE;
    // Null detaches the recordset from its connection; another connection
    // can be given only while the recordset is closed.
    STDMETHOD(putref_ActiveConnection)(_Connection* connection) PURE;
    STDMETHOD(get_Fields)(Fields** fields) PURE;
    STDMETHOD(get_Status)(LONG* status) PURE;
    STDMETHOD(get_EOF)(VARIANT_BOOL* eof) PURE;
    STDMETHOD(MoveNext)() PURE;
    // Starts a new record whose fields keep the table's defaults until set.
    // Field lists and values are not taken: both must be missing.
    STDMETHOD(AddNew)(VARIANT fieldList, VARIANT values) PURE;
    // Stores the new record. On failure the record's status carries the
    // reason (adRecIntegrityViolation, adRecConcurrencyViolation, ...).
    STDMETHOD(Update)(VARIANT fields, VARIANT values) PURE;
    // Shows only the records that criteria such as "TABLE_NAME = 'Answers'"
    // hold for (terms joined by AND; texts compared without regard to
    // case) and moves to the first of them; an empty text, null or 0 shows
    // every record again.
    STDMETHOD(put_Filter)(VARIANT criteria) PURE;

protected:
    ~_Recordset() = default;
};
POLLENTA_INTERFACE_IID(_Recordset, IID__Recordset);
