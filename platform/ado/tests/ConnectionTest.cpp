#include "AdoTestDatabase.h"

#include "com/ErrorInfo.h"

#include <fstream>

namespace {

class ConnectionTest : public AdoTestDatabase {
protected:
    CComPtr<_Connection> NewConnection()
    {
        CComPtr<_Connection> connection;
        EXPECT_EQ(AdoCreateInstance(CLSID_Connection, IID__Connection, reinterpret_cast<void**>(&connection)), S_OK);
        return connection;
    }

    static std::string FirstError(_Connection* connection)
    {
        CComPtr<Errors> errors;
        connection->get_Errors(&errors);
        LONG count = 0;
        errors->get_Count(&count);
        if (count < 1)
            return {};
        CComPtr<Error> error;
        errors->get_Item(CComVariant(LONG{0}), &error);
        CComBSTR text;
        error->get_Description(&text);
        return pollenta::com::AnsiFromBstr(text);
    }
};

TEST_F(ConnectionTest, OpensByConnectionStringOrBarePathInWriteAheadMode)
{
    for (const std::string& text : {ConnectionString(), m_path, "provider = sqlite ; data source = '" + m_path + "'"}) {
        CComPtr<_Connection> connection = NewConnection();
        ASSERT_EQ(connection->Open(CComBSTR(text), nullptr, nullptr, -1), S_OK) << text;
        LONG state = 0;
        connection->get_State(&state);
        EXPECT_EQ(state, adStateOpen);
        EXPECT_EQ(connection->Close(), S_OK);
    }
    EXPECT_EQ(Scalar("PRAGMA journal_mode"), "wal");
}

TEST_F(ConnectionTest, UnusableDatabasesFailWithAnError)
{
    CComPtr<_Connection> connection = NewConnection();
    const std::string missing = m_dir + "/missing.db";
    EXPECT_TRUE(FAILED(connection->Open(CComBSTR("Data Source=" + missing), nullptr, nullptr, -1)));
    EXPECT_FALSE(std::filesystem::exists(missing)) << "a missing database must not be created";
    EXPECT_NE(FirstError(connection).find("missing.db"), std::string::npos);
    EXPECT_NE(pollenta::com::TakeErrorDescription(connection, IID__Connection).find("missing.db"), std::string::npos);

    const std::string text = m_dir + "/notes.txt";
    std::ofstream(text) << "This is not a database, just a few lines of text that are long enough.\n";
    EXPECT_TRUE(FAILED(connection->Open(CComBSTR(text), nullptr, nullptr, -1)));
    EXPECT_NE(FirstError(connection).find("not a database"), std::string::npos);

    EXPECT_EQ(connection->Open(CComBSTR("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + m_path), nullptr, nullptr, -1),
              adErrProviderNotFound);
    EXPECT_EQ(connection->Open(CComBSTR("Provider=SQLite"), nullptr, nullptr, -1), adErrProviderNotFound);
    LONG state = -1;
    connection->get_State(&state);
    EXPECT_EQ(state, adStateClosed);
}

TEST_F(ConnectionTest, ExecuteRunsStatementsAndReturnsTheLastRecords)
{
    CComPtr<_Connection> connection = NewConnection();
    ASSERT_EQ(connection->Open(CComBSTR(ConnectionString()), nullptr, nullptr, -1), S_OK);
    CComVariant affected;
    CComPtr<_Recordset> records;
    ASSERT_EQ(connection->Execute(CComBSTR("CREATE TABLE [Form answers] (\r\n\tQ1 VARCHAR(50),\r\n\tQ2 INTEGER,\r\n"
                                           "\tQ3 BLOB,\r\n\tQ4 TEXT);\n"
                                           "INSERT INTO [Form answers] (Q1, Q2) VALUES ('a', 1), ('b', 2);"),
                                  &affected, 1, &records),
              S_OK);
    EXPECT_EQ(affected.lVal, 2);
    EXPECT_EQ(records.p, nullptr);
    ASSERT_EQ(connection->Execute(CComBSTR("SELECT Q1 FROM [Form answers] ORDER BY Q2 -- both"), nullptr, 1, &records),
              S_OK);
    ASSERT_NE(records.p, nullptr);
    EXPECT_EQ(Column(records, "q1"), (std::vector<std::string>{"a", "b"}));

    EXPECT_TRUE(FAILED(connection->Execute(CComBSTR("DROP TABLE [No such table]"), nullptr, 1, &records)));
    EXPECT_NE(FirstError(connection).find("No such table"), std::string::npos);
    EXPECT_EQ(connection->Execute(CComBSTR("DROP TABLE [Form answers]"), nullptr, 1, &records), S_OK);
}

TEST_F(ConnectionTest, ALogWrittenRecordByRecordIsFoldedInEarlyAndStaysShort)
{
    CComPtr<_Connection> connection = NewConnection();
    ASSERT_EQ(connection->Open(CComBSTR(ConnectionString()), nullptr, nullptr, -1), S_OK);
    CComPtr<_Recordset> records;
    for (int i = 0; i < 600; ++i) {
        const std::string insert = "INSERT INTO Answers (Name, Age) VALUES ('n" + std::to_string(i) + "', " +
                                   std::to_string(i) + ")";
        ASSERT_EQ(connection->Execute(CComBSTR(insert), nullptr, 1, &records), S_OK);
    }
    // One page or two for each record: about six hundred pages in a log
    // never folded in before a thousand.
    const auto logPages = std::filesystem::file_size(m_path + "-wal") / (4096 + 24);
    EXPECT_LT(logPages, 200u);
    EXPECT_EQ("600", Scalar("SELECT COUNT(*) FROM Answers"));
    EXPECT_EQ(connection->Close(), S_OK);
}

TEST_F(ConnectionTest, TableSchemaListsTablesAndViews)
{
    Sql("CREATE VIEW Adults AS SELECT * FROM Answers WHERE Age >= 18; CREATE TABLE \"It's\" (a)");
    CComPtr<_Connection> connection = NewConnection();
    ASSERT_EQ(connection->Open(CComBSTR(m_path), nullptr, nullptr, -1), S_OK);
    CComPtr<_Recordset> tables;
    ASSERT_EQ(connection->OpenSchema(adSchemaTables, Missing(), Missing(), &tables), S_OK);
    EXPECT_EQ(Column(tables, "TABLE_NAME"), (std::vector<std::string>{"Adults", "Answers", "It's"}));
    ASSERT_EQ(connection->OpenSchema(adSchemaTables, Missing(), Missing(), &tables), S_OK);
    EXPECT_EQ(Column(tables, "TABLE_TYPE"), (std::vector<std::string>{"VIEW", "TABLE", "TABLE"}));
    EXPECT_EQ(connection->OpenSchema(static_cast<SchemaEnum>(4), Missing(), Missing(), &tables),
              adErrFeatureNotAvailable);
}

}  // namespace
