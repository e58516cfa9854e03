#pragma once
// What one Access.Application object has open: the database (an SQLite file
// reached through ADO) and the forms opened from the texts beside it.

#include "FormModel.h"

#include "ado/Connection.h"
#include "com/ComPtr.h"

#include <memory>
#include <string>
#include <vector>

namespace pollenta::access {

class AccessSession {
public:
    // The file must be an SQLite database; any open one is closed first.
    HRESULT OpenDatabase(const std::string& path);
    void CloseDatabase();
    bool HasDatabase() const { return m_connection != nullptr; }
    const std::string& DatabasePath() const { return m_path; }
    _Connection* Connection() const { return m_connection; }

    // Reads forms/<name>.bas (or .form, .txt) of the database's folder. A
    // form that is open already stays as it is.
    HRESULT OpenForm(const std::string& name);
    // S_OK also for a form that is not open, as the program does.
    HRESULT CloseForm(const std::string& name);

    const std::vector<std::shared_ptr<const FormModel>>& OpenForms() const { return m_forms; }
    std::shared_ptr<const FormModel> FindForm(const std::string& name) const;

private:
    std::string m_path;
    CComPtr<_Connection> m_connection;
    std::vector<std::shared_ptr<const FormModel>> m_forms;
};

}  // namespace pollenta::access
