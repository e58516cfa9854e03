#include "AccessSession.h"

#include "ado/AdoCreate.h"
#include "ado/AdoGuids.h"
#include "com/ErrorInfo.h"
#include "win/CodePage.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <strings.h>

namespace fs = std::filesystem;

namespace pollenta::access {

namespace {

constexpr const char* kSource = "Access.Application";
// The form files of a database lie in this folder beside it.
constexpr const char* kFormsFolder = "forms";
constexpr const char* kFormExtensions[] = {".bas", ".form", ".txt"};

HRESULT Report(HRESULT hr, const std::string& text) { return pollenta::com::ReportError(hr, text, kSource); }

bool ReadFile(const fs::path& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

BSTR Utf8Bstr(const std::string& text)
{
    const std::u16string wide = ToWide(text, CP_UTF8);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

}  // namespace

HRESULT AccessSession::OpenDatabase(const std::string& path)
{
    CloseDatabase();
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return Report(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), "The database \"" + path + "\" does not exist.");
    CComPtr<_Connection> connection;
    HRESULT hr = AdoCreateInstance(CLSID_Connection, IID__Connection, reinterpret_cast<void**>(&connection));
    if (FAILED(hr))
        return Report(hr, "The database engine cannot be started.");
    BSTR text = Utf8Bstr("Provider=SQLite;Data Source=" + path);
    hr = connection->Open(text, nullptr, nullptr, 0);
    SysFreeString(text);
    if (FAILED(hr))
        return Report(hr, "The database \"" + path + "\" cannot be opened.");
    m_path = path;
    m_connection = connection;
    return S_OK;
}

void AccessSession::CloseDatabase()
{
    m_forms.clear();
    if (m_connection)
        m_connection->Close();
    m_connection = nullptr;
    m_path.clear();
}

std::shared_ptr<const FormModel> AccessSession::FindForm(const std::string& name) const
{
    for (const auto& form : m_forms)
        if (strcasecmp(form->Name().c_str(), name.c_str()) == 0)
            return form;
    return nullptr;
}

HRESULT AccessSession::OpenForm(const std::string& name)
{
    if (!HasDatabase())
        return Report(E_FAIL, "No database is open.");
    if (FindForm(name))
        return S_OK;
    // A name is one file of the forms folder, never a path.
    if (name.empty() || name.find_first_of("/\\") != std::string::npos || name == "." || name == "..")
        return Report(E_INVALIDARG, "\"" + name + "\" is no form name.");
    const fs::path folder = fs::path(m_path).parent_path() / kFormsFolder;
    for (const char* extension : kFormExtensions) {
        std::string bytes;
        if (!ReadFile(folder / (name + extension), bytes))
            continue;
        FormTextReadResult read = ReadFormText(bytes);
        if (!read.ok)
            return Report(E_FAIL, "The form \"" + name + extension + "\" is damaged at line " +
                                      std::to_string(read.line) + ": " + read.error);
        m_forms.push_back(std::make_shared<FormModel>(name, std::move(read.document)));
        return S_OK;
    }
    return Report(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), "The database has no form \"" + name + "\".");
}

HRESULT AccessSession::CloseForm(const std::string& name)
{
    std::erase_if(m_forms, [&](const auto& form) { return strcasecmp(form->Name().c_str(), name.c_str()) == 0; });
    return S_OK;
}

}  // namespace pollenta::access
