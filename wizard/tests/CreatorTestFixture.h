#pragma once
// A registry of the test's own with the project library registered by
// regsvr, a data folder for its projects, an answer database and a page
// folder; and the wizard's steps run the way its pages run them.

#include "wizard/CWEFieldsDataSet.h"
#include "wizard/CWEHTMLChecker.h"
#include "wizard/CWEProjectCreator.h"

#include "IHubberly.h"
#include "com/Activation.h"
#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/SafeArray.h"
#include "html/MimeCodePages.h"
#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"
#include "win/CodePage.h"
#include "win/Registry.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

class CreatorTestFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetText(HKEY_CURRENT_USER, "Software\\Velquin Ltd\\Pollenta", "DataDir", DataDir().string());
        SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\11.0\\Access\\Menu Add-Ins", "", "");
        const std::string command =
            "'" + std::string(POLLENTA_BIN_DIR) + "/regsvr' /s '" + std::string(POLLENTA_BIN_DIR) + "/Gastrel.so'";
        ASSERT_EQ(0, std::system(command.c_str()));
        ASSERT_EQ(S_OK, CoInitialize(nullptr));
        sqlite3* db = nullptr;
        ASSERT_EQ(SQLITE_OK, sqlite3_open(DatabasePath().c_str(), &db));
        sqlite3_exec(db, "CREATE TABLE Existing (a INTEGER)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    void TearDown() override
    {
        m_hubberly.Release();
        CoUninitialize();
    }

    static void SetText(HKEY root, const std::string& path, const char* name, const std::string& text)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyEx(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                               static_cast<DWORD>(text.size() + 1)));
        RegCloseKey(key);
    }

    std::filesystem::path DataDir() const { return m_folder.Path() / "data"; }
    std::string DatabasePath() const { return (m_folder.Path() / "answers.db").string(); }

    // Checks the page, builds its fields and fills the settings as the
    // wizard's pages do; the check must pass with warnings at most.
    void Prepare(const std::string& pagePath, const char* charset = "windows-1251")
    {
        ASSERT_EQ(0x200022B0u, CWEHTMLChecker().Check(m_document, pagePath, m_errors, m_settings))
            << (m_errors.GetCount() ? m_errors.GetText(0) : "");
        ASSERT_EQ(0u, m_errors.CountErrors()) << m_errors.GetText(0);
        m_settings.m_strSourcePath = pagePath;
        m_settings.m_strConnectionString = "Provider=SQLite;Data Source=" + DatabasePath();
        m_settings.m_strRecordSource = "Survey Results";
        std::vector<MIMECPINFO> pages;
        EnumCodePages(MIMECONTF_BROWSER, 0, pages);
        for (const MIMECPINFO& page : pages) {
            if (ToNarrow(page.wszWebCharset, CP_UTF8) == charset)
                m_settings.m_CodePage = page;
        }
        m_fields.BuildInCodePage(m_document, ToNarrow(m_settings.m_CodePage.wszWebCharset, CP_UTF8));
        m_errors.RemoveAll();
    }

    int Create(int mode = CWEProjectCreator::kCreating)
    {
        CWEProjectCreator creator(&m_document, &m_errors, &m_settings, &m_fields, mode);
        return creator.Create();
    }

    IHubberly* Hubberly()
    {
        if (!m_hubberly) {
            CLSID clsid = GUID_NULL;
            EXPECT_EQ(S_OK, CLSIDFromProgID(kHubberlyProgIDW, &clsid));
            EXPECT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IHubberly,
                                             reinterpret_cast<void**>(&m_hubberly)));
        }
        return m_hubberly;
    }

    std::vector<LONG> Projects()
    {
        CComVariant list;
        EXPECT_EQ(S_OK, Hubberly()->EnumProjects(0, &list));
        std::vector<LONG> ids;
        if (!(list.vt & VT_ARRAY) || !list.parray)
            return ids;
        LONG lower = 0;
        LONG upper = -1;
        SafeArrayGetLBound(list.parray, 1, &lower);
        SafeArrayGetUBound(list.parray, 1, &upper);
        for (LONG i = lower; i <= upper; ++i) {
            LONG id = 0;
            SafeArrayGetElement(list.parray, &i, &id);
            ids.push_back(id);
        }
        return ids;
    }

    std::string Property(LONG id, const char* name)
    {
        CComVariant value;
        EXPECT_EQ(S_OK, Hubberly()->GetProjectProperty(id, CComVariant(name), &value));
        value.ChangeType(VT_BSTR);
        return value.vt == VT_BSTR ? pollenta::com::AnsiFromBstr(value.bstrVal) : std::string();
    }

    // A project value as the project library keeps it in the registry.
    static std::string StoredValue(LONG id, const char* name)
    {
        HKEY key = nullptr;
        const std::string path = "Software\\Velquin Ltd\\Pollenta\\Projects\\" + std::to_string(id);
        if (RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "(no key)";
        char buffer[2048] = {};
        DWORD size = sizeof buffer - 1;
        DWORD type = 0;
        const LONG rc = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        return rc == ERROR_SUCCESS ? std::string(buffer) : "(no value)";
    }

    std::string Scalar(const std::string& sql) const
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(DatabasePath().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* statement = nullptr;
        std::string result;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
            result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return result;
    }

    // Nothing of a failed run may stay: no project, no project folder, no table.
    void ExpectNothingLeft()
    {
        EXPECT_TRUE(Projects().empty());
        std::size_t folders = 0;
        if (std::filesystem::exists(DataDir()))
            for (const auto& entry : std::filesystem::directory_iterator(DataDir()))
                folders += entry.is_directory() ? 1 : 0;
        EXPECT_EQ(0u, folders);
        EXPECT_EQ("0", Scalar("SELECT count(*) FROM sqlite_master WHERE name = 'Survey Results'"));
    }

    std::string ErrorList() const
    {
        std::string text;
        for (std::size_t i = 0; i < m_errors.GetCount(); ++i)
            text += m_errors.GetText(i) + "\n";
        return text;
    }

    pollenta::testsupport::TempFolder m_folder{"pollenta-wizard"};
    pollenta::testsupport::TempRegistry m_registry{m_folder.Path() / "registry"};
    CComPtr<IHubberly> m_hubberly;
    CWEHTMLDocument m_document;
    CWEErrors m_errors;
    CWEProjectSettings m_settings;
    CWEFieldsDataSet m_fields;
};
