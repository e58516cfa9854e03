#pragma once
// A fresh SQLite file in a folder of its own, with helpers to write it and
// read it back with the sqlite3 library itself.

#include "ado/AdoCreate.h"
#include "ado/Recordset.h"
#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class AdoTestDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/pollenta-ado-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        m_path = m_dir + "/answers.db";
        Sql("CREATE TABLE Answers (\r\n\tID INTEGER PRIMARY KEY, Name VARCHAR(10), Age INTEGER, Agree BIT,\r\n"
            "\tBorn DATETIME, Score DOUBLE, Price CURRENCY, Notes TEXT, Photo BLOB, Nick VARCHAR(20) NOT NULL DEFAULT 'x')");
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // Runs SQL on the file with the sqlite3 library, outside the ADO objects.
    void Sql(const std::string& sql, const std::string& path = {})
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((path.empty() ? m_path : path).c_str(), &db), SQLITE_OK);
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }

    // The first column of the first row of a query, as text ("NULL" for null).
    std::string Scalar(const std::string& sql)
    {
        sqlite3* db = nullptr;
        sqlite3_open(m_path.c_str(), &db);
        sqlite3_stmt* statement = nullptr;
        std::string value = "<no row>";
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(statement, 0);
            value = text ? reinterpret_cast<const char*>(text) : "NULL";
        }
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return value;
    }

    std::string ConnectionString() const { return "Provider=SQLite;Data Source=" + m_path; }

    CComPtr<_Recordset> NewRecordset()
    {
        CComPtr<_Recordset> recordset;
        EXPECT_EQ(AdoCreateInstance(CLSID_Recordset, IID__Recordset, reinterpret_cast<void**>(&recordset)), S_OK);
        return recordset;
    }

    static CComVariant Missing() { return CComVariant(static_cast<LONG>(DISP_E_PARAMNOTFOUND), VT_ERROR); }

    HRESULT OpenAnswers(_Recordset* recordset, const std::string& source = "[Answers]",
                        LockTypeEnum lock = adLockOptimistic)
    {
        return recordset->Open(CComVariant(source), CComVariant(ConnectionString()), adOpenKeyset, lock, -1);
    }

    static HRESULT Put(_Recordset* recordset, const std::string& name, const CComVariant& value)
    {
        CComPtr<Fields> fields;
        HRESULT hr = recordset->get_Fields(&fields);
        CComPtr<Field> field;
        if (SUCCEEDED(hr))
            hr = fields->get_Item(CComVariant(name), &field);
        if (SUCCEEDED(hr))
            hr = field->put_Value(value);
        return hr;
    }

    std::string m_dir;
    std::string m_path;
};
