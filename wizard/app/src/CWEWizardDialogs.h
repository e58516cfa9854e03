#pragma once
// The dialogs that the pages open but do not own: the data-link prompt
// that yields a connection string, the list of a database's tables, and the
// editor of the SQL request for table creation. Each is a function, the
// wizard's own dialog unless a caller plugs in another.

#include "win/Types.h"

#include <functional>
#include <string>

class CWnd;

// What the SQL request editor starts from and what it hands back.
struct CWESqlEdit {
    std::string m_strText;    // in: the request in force; out: the edited request
    LONG m_lCheck = 1;        // in and out: "Do preliminary check of the SQL-request"
    std::string m_strDefault; // the generated request, for "Restore Default"
};

class CWEWizardDialogs {
public:
    // The wizard's own dialogs.
    CWEWizardDialogs();

    // True with a new connection string; false when the user cancelled or
    // the database cannot be used (which the prompt has said).
    std::function<bool(CWnd* owner, std::string& connection)> m_chooseDataSource;
    std::function<void(CWnd* owner, const std::string& connection)> m_showTables;
    // True when the editor ended with "Save and close".
    std::function<bool(CWnd* owner, CWESqlEdit& edit)> m_editSql;

    static CWEWizardDialogs& Instance();
};
