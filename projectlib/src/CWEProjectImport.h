#pragma once
// Makes a finalized project from a form of a database without a user
// interface: the desktop database program opens the form, the project
// library generates its page. A failure after the project was created
// deletes it again, and the program is quit on every way out.

#include "CWEImportCommand.h"

#include "IHubberly.h"
#include "com/ComPtr.h"

class CWEProjectImport {
public:
    // Result codes; the message of each is the string of IDS_IMPORT_RESULT_BASE
    // plus the code.
    enum Result : LONG {
        kInvalidCommandLine = -1,
        kDone = 0,
        kNoLibrary = 1,
        kNoAccess = 2,
        kNoDatabase = 3,
        kNoProject = 4,
        kProjectExists = 5,
        kNoDoCmd = 6,
        kNoForm = 7,
        kNoForms = 8,
        kFormUnreachable = 9,
        kGenerationFailed = 10,
        kSevereWarnings = 11,
        kNotFinalized = 12,
    };

    struct Outcome {
        LONG result = kDone;
        HRESULT hr = S_OK;  // of the step that failed
        LONG warnings = 0;
    };

    // COM must be initialised on the thread.
    static Outcome Run(const CWEImportCommand& command);

private:
    explicit CWEProjectImport(const CWEImportCommand& command) : m_command(command) {}
    Outcome Import();
    Outcome WithAccess();
    Outcome GenerateAndFinalize(IDispatch* form);
    Outcome Fail(LONG result, HRESULT hr);

    const CWEImportCommand& m_command;
    CComPtr<IHubberly> m_hubberly;
    CComPtr<IDispatch> m_access;
    LONG m_projectId = 0;
    LONG m_warnings = 0;
};
