#pragma once
// The dialogs that the pages open but do not own: the data-link prompt
// that yields a connection string, the list of a database's tables, and the
// editor of the SQL request for table creation. Each is a function that the
// dialog's module (or a test) plugs in; a page whose dialog is not plugged
// in leaves its data as it is.

#include "win/Types.h"

#include <functional>
#include <string>

// What the SQL request editor starts from and what it hands back.
struct CWESqlEdit {
    std::string m_strText;    // in: the request in force; out: the edited request
    LONG m_lCheck = 1;        // in and out: "Do preliminary check of the SQL-request"
    std::string m_strDefault; // the generated request, for "Restore Default"
};

class CWEWizardDialogs {
public:
    // True with a new connection string; false when the user cancelled.
    std::function<bool(HWND owner, std::string& connection)> m_chooseDataSource;
    std::function<void(HWND owner, const std::string& connection)> m_showTables;
    // True when the editor ended with "Save and close".
    std::function<bool(HWND owner, CWESqlEdit& edit)> m_editSql;

    static CWEWizardDialogs& Instance();
};
