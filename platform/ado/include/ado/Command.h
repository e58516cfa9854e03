#pragma once
// A command run on an open connection: one SQL statement, such as the
// CREATE TABLE of a new answer table.
//
//     CComPtr<_Command> command;
//     AdoCreateInstance(CLSID_Command, IID__Command, reinterpret_cast<void**>(&command));
//     command->putref_ActiveConnection(connection);
//     command->put_CommandText(CComBSTR("CREATE TABLE [Survey Results] (q1 VARCHAR(100))"));
//     command->put_CommandType(adCmdText);
//     command->Execute(&affected, nullptr, adCmdText, &records);

#include "ado/Connection.h"

struct _Command : IUnknown {
    STDMETHOD(putref_ActiveConnection)(_Connection* connection) PURE;
    // An empty value, null or the number 0 detaches the command from its
    // connection; an open connection (VT_UNKNOWN/VT_DISPATCH) attaches it.
    STDMETHOD(put_ActiveConnection)(VARIANT connection) PURE;
    STDMETHOD(get_CommandText)(BSTR* text) PURE;
    STDMETHOD(put_CommandText)(BSTR text) PURE;
    // Text commands only (adCmdText, adCmdUnknown or adCmdUnspecified).
    STDMETHOD(put_CommandType)(CommandTypeEnum type) PURE;
    // Runs exactly one statement: text after the first statement fails
    // with DB_E_ERRORSINCOMMAND and runs nothing, so that a name pasted into
    // the text can never start a second statement. `parameters` must be
    // null or missing. Records and the count as Connection::Execute gives them.
    STDMETHOD(Execute)(VARIANT* recordsAffected, VARIANT* parameters, LONG options, _Recordset** records) PURE;

protected:
    ~_Command() = default;
};
POLLENTA_INTERFACE_IID(_Command, IID__Command);
