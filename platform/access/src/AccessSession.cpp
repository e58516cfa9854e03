#include "AccessSession.h"

#include "ado/AdoCreate.h"
#include "ado/AdoGuids.h"
#include "com/ErrorInfo.h"
#include "win/CaseFolding.h"
#include "win/CodePage.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

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

// The program finds a form whatever the case of its name ("FRMARMORMATCH"
// opens "frmArmorMatch"); a file of exactly that name comes first.
std::optional<fs::path> FormFile(const fs::path& folder, const std::string& fileName)
{
    std::error_code error;
    if (fs::is_regular_file(folder / fileName, error))
        return folder / fileName;
    std::optional<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string candidate = entry.path().filename().string();
        if (EqualsNoCase(candidate, fileName) && entry.is_regular_file(error) && (!found || entry.path() < *found))
            found = entry.path();
    }
    return found;
}

// Form names come as ANSI text; files and the forms' own names are UTF-8.
std::string Utf8Name(const std::string& ansi) { return Recode(ansi, CP_ACP, CP_UTF8); }

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
    const std::string wanted = Utf8Name(name);
    for (const auto& form : m_forms)
        if (EqualsNoCase(form->Name(), wanted))
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
        const std::optional<fs::path> file = FormFile(folder, Utf8Name(name) + extension);
        std::string bytes;
        if (!file || !ReadFile(*file, bytes))
            continue;
        FormTextReadResult read = ReadFormText(bytes);
        if (!read.ok)
            return Report(E_FAIL, "The form \"" + file->filename().string() + "\" is damaged at line " +
                                      std::to_string(read.line) + ": " + read.error);
        m_forms.push_back(std::make_shared<FormModel>(file->stem().string(), std::move(read.document)));
        return S_OK;
    }
    return Report(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), "The database has no form \"" + name + "\".");
}

HRESULT AccessSession::CloseForm(const std::string& name)
{
    const std::string wanted = Utf8Name(name);
    std::erase_if(m_forms, [&](const auto& form) { return EqualsNoCase(form->Name(), wanted); });
    return S_OK;
}

}  // namespace pollenta::access
