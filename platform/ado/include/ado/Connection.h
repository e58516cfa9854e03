#pragma once
// A connection to an answer database: an SQLite file named by a connection
// string "Provider=SQLite;Data Source=<file>" (optionally ";Mode=Read"), or
// by its bare path. The file must exist unless the string asks with
// "FailIfMissing=False" for a new database file to be made.

#include "ado/AdoEnums.h"
#include "ado/Errors.h"

struct _Recordset;

struct _Connection : IUnknown {
    STDMETHOD(get_ConnectionString)(BSTR* text) PURE;
    STDMETHOD(put_ConnectionString)(BSTR text) PURE;
    // A null or empty `connectionString` uses the one put before. The user
    // and password are not used by SQLite files; `options` is ignored.
    STDMETHOD(Open)(BSTR connectionString, BSTR userId, BSTR password, LONG options) PURE;
    STDMETHOD(Close)() PURE;
    // Runs the SQL text (one or more statements). When the last statement
    // returns rows and adExecuteNoRecords is not among `options`, *records
    // is an open recordset of them; otherwise it is null. `recordsAffected`
    // may be null.
    STDMETHOD(Execute)(BSTR commandText, VARIANT* recordsAffected, LONG options, _Recordset** records) PURE;
    // adSchemaTables: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE
    // ("TABLE", "VIEW" or "SYSTEM TABLE") of every table and view.
    STDMETHOD(OpenSchema)(SchemaEnum schema, VARIANT restrictions, VARIANT schemaId, _Recordset** records) PURE;
    STDMETHOD(get_Errors)(Errors** errors) PURE;
    STDMETHOD(get_State)(LONG* state) PURE;

protected:
    ~_Connection() = default;
};
POLLENTA_INTERFACE_IID(_Connection, IID__Connection);
