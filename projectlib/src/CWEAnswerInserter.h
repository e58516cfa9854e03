#pragma once
// Stores one survey answer as a new record of its project's answer table,
// through ADO: the project's connection string and record source, one field
// per posted name, and a list of the fields that could not be set.

#include "idFieldErrors.h"

#include "ado/Recordset.h"

#include <vector>

class CWEAnswerInserter {
public:
    // Insert results; codes 2 to 9 and 12 to 20 mean nothing was stored.
    enum Result : LONG {
        kStored = 0,
        kStoredWithFieldErrors = 1,
        kNoSuchProject = 2,
        kProjectNotCompleted = 3,
        kProjectCorrupted = 4,
        kNoRecordset = 5,
        kCannotOpen = 6,
        kCannotAddNew = 7,
        kCannotReadFields = 8,
        kCannotSave = 9,
    };

    // The IHubberly::InsertData member: E_INVALIDARG for bad arguments,
    // otherwise S_OK with the outcome in *result. *errors is filled only
    // when a record was added, whether or not it was saved.
    HRESULT InsertData(LONG projectID, const VARIANT& data, VARIANT* errors, LONG* result);

private:
    // Reads the project's settings; a result code other than kStored ends the call.
    LONG ReadProject(LONG projectID, std::string& connectionString, std::string& recordSource) const;
    HRESULT SetFields(Fields* fields, SAFEARRAY* data, LONG& result);
    static LONG SaveFailure(_Recordset* recordset);
    HRESULT ErrorList(VARIANT* errors) const;

    std::vector<idFieldErrors> m_fieldErrors;
};
