#pragma once
// A fresh SQLite file in a folder of its own, with helpers to write it and
// read it back with the sqlite3 library itself.

#include "SqliteTestFile.h"

#include "ado/AdoCreate.h"
#include "ado/Recordset.h"
#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

class AdoTestDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_file.SetPath(m_path);
        Sql("CREATE TABLE Answers (\r\n\tID INTEGER PRIMARY KEY, Name VARCHAR(10), Age INTEGER, Agree BIT,\r\n"
            "\tBorn DATETIME, Score DOUBLE, Price CURRENCY, Notes TEXT, Photo BLOB, Nick VARCHAR(20) NOT NULL DEFAULT 'x')");
    }
    void Sql(const std::string& sql) { m_file.Sql(sql); }
    std::string Scalar(const std::string& sql) { return m_file.Scalar(sql); }

    std::string ConnectionString() const { return "Provider=SQLite;Data Source=" + m_path; }

    CComPtr<_Recordset> NewRecordset()
    {
        CComPtr<_Recordset> recordset;
        EXPECT_EQ(AdoCreateInstance(CLSID_Recordset, IID__Recordset, reinterpret_cast<void**>(&recordset)), S_OK);
        return recordset;
    }

    // The values of one column of every record from the current one on, as text.
    static std::vector<std::string> Column(_Recordset* records, const char* name)
    {
        std::vector<std::string> values;
        VARIANT_BOOL eof = VARIANT_TRUE;
        while (SUCCEEDED(records->get_EOF(&eof)) && !eof) {
            CComPtr<Fields> fields;
            CComPtr<Field> field;
            CComVariant value;
            records->get_Fields(&fields);
            fields->get_Item(CComVariant(name), &field);
            field->get_Value(&value);
            value.ChangeType(VT_BSTR);
            values.push_back(pollenta::com::AnsiFromBstr(value.bstrVal));
            records->MoveNext();
        }
        return values;
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

    // Waits up to five seconds for the write-ahead log to be checkpointed
    // and removed, which SQLite does when the file's last handle closes (and
    // not while a handle stays open for statements never finalized).
    bool LogRemovedWithin5s() const
    {
        for (int i = 0; i < 100 && std::filesystem::exists(m_path + "-wal"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return !std::filesystem::exists(m_path + "-wal");
    }

    pollenta::testsupport::TempFolder m_folder{"pollenta-ado"};
    std::string m_dir = m_folder.Path().string();
    std::string m_path = m_dir + "/answers.db";
    SqliteTestFile m_file;
};
