// Commands on an open connection, the filter of the table schema and new
// database files: what the wizard needs to make an answer table.

#include "AdoTestDatabase.h"

#include "ado/Command.h"
#include "com/ErrorInfo.h"

#include <filesystem>

namespace {

class CommandTest : public AdoTestDatabase {
protected:
    CComPtr<_Connection> Open(const std::string& connectionString)
    {
        CComPtr<_Connection> connection;
        EXPECT_EQ(S_OK, AdoCreateInstance(CLSID_Connection, IID__Connection, reinterpret_cast<void**>(&connection)));
        EXPECT_EQ(S_OK, connection->Open(CComBSTR(connectionString), nullptr, nullptr, -1));
        return connection;
    }

    CComPtr<_Command> NewCommand(_Connection* connection, const std::string& text)
    {
        CComPtr<_Command> command;
        EXPECT_EQ(S_OK, AdoCreateInstance(CLSID_Command, IID__Command, reinterpret_cast<void**>(&command)));
        EXPECT_EQ(S_OK, command->putref_ActiveConnection(connection));
        EXPECT_EQ(S_OK, command->put_CommandText(CComBSTR(text)));
        EXPECT_EQ(S_OK, command->put_CommandType(adCmdText));
        return command;
    }
};

}  // namespace

TEST_F(CommandTest, CreateTableRunsAndDetachingTakesEmptyOrZero)
{
    CComPtr<_Connection> connection = Open(ConnectionString());
    CComPtr<_Command> command =
        NewCommand(connection, "CREATE TABLE [Survey Results] (\r\n\tq1 VARCHAR(100),\r\n\t\"a]b\" INTEGER,\r\n\tc BLOB,"
                               "\r\n\td TEXT)");
    CComVariant affected;
    CComPtr<_Recordset> records;
    ASSERT_EQ(S_OK, command->Execute(&affected, nullptr, adCmdText, &records));
    EXPECT_EQ(nullptr, records.p);
    EXPECT_EQ("q1,a]b,c,d", Scalar("SELECT group_concat(name) FROM pragma_table_info('Survey Results')"));

    EXPECT_EQ(S_OK, command->put_ActiveConnection(CComVariant()));
    EXPECT_EQ(S_OK, command->put_ActiveConnection(CComVariant(LONG{0})));
    EXPECT_TRUE(FAILED(command->Execute(&affected, nullptr, adCmdText, &records)));
}

TEST_F(CommandTest, OnlyOneStatementRunsSoNoNameCanStartASecond)
{
    CComPtr<_Connection> connection = Open(ConnectionString());
    const struct {
        const char* sql;
        bool runs;
    } cases[] = {
        {"CREATE TABLE t1 (a INTEGER);", true},
        {"CREATE TABLE t2 (a INTEGER); -- done\r\n", true},
        {"CREATE TABLE \"a]);DROP TABLE Answers;--\" (x INTEGER)", true},
        {"CREATE TABLE [a]);DROP TABLE Answers;--] (x INTEGER", false},
        {"CREATE TABLE t3 (a INTEGER); DROP TABLE Answers", false},
        {"", false},
        {"NOT SQL AT ALL", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        CComPtr<_Command> command = NewCommand(connection, c.sql);
        const HRESULT hr = command->Execute(nullptr, nullptr, adCmdText, nullptr);
        EXPECT_EQ(c.runs, SUCCEEDED(hr));
        if (FAILED(hr)) {
            EXPECT_NE("", pollenta::com::TakeErrorDescription(command, IID__Command));
        }
    }
    EXPECT_EQ("1", Scalar("SELECT count(*) FROM sqlite_master WHERE name = 'Answers'"));
    EXPECT_EQ("0", Scalar("SELECT count(*) FROM sqlite_master WHERE name = 't3'"));
}

TEST_F(CommandTest, SchemaFilterFindsATableByNameWithoutCase)
{
    Sql("CREATE TABLE \"It's mine\" (a INTEGER)");
    Sql("CREATE TABLE Other (a INTEGER)");
    CComPtr<_Connection> connection = Open(ConnectionString());
    const struct {
        const char* filter;
        std::vector<std::string> names;
    } cases[] = {
        {"TABLE_NAME = 'answers'", {"Answers"}},
        {"TABLE_NAME = 'It''s mine'", {"It's mine"}},
        {"[TABLE_NAME] <> 'Other' AND TABLE_TYPE = 'TABLE'", {"Answers", "It's mine"}},
        {"TABLE_NAME = 'missing'", {}},
        {"", {"Answers", "It's mine", "Other"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        CComPtr<_Recordset> records;
        ASSERT_EQ(S_OK, connection->OpenSchema(adSchemaTables, Missing(), Missing(), &records));
        ASSERT_EQ(S_OK, records->put_Filter(CComVariant(c.filter)));
        EXPECT_EQ(c.names, Column(records, "TABLE_NAME"));
    }
    CComPtr<_Recordset> records;
    ASSERT_EQ(S_OK, connection->OpenSchema(adSchemaTables, Missing(), Missing(), &records));
    EXPECT_TRUE(FAILED(records->put_Filter(CComVariant("TABLE_NAME = 'unclosed"))));
    EXPECT_TRUE(FAILED(records->put_Filter(CComVariant("NO_SUCH = 'x'"))));
    ASSERT_EQ(S_OK, records->put_Filter(CComVariant("TABLE_NAME = 'Other'")));
    ASSERT_EQ(S_OK, records->put_Filter(CComVariant(LONG{0})));
    EXPECT_EQ(3u, Column(records, "TABLE_NAME").size());
}

TEST_F(CommandTest, MissingDatabaseFileIsMadeOnlyWhenAsked)
{
    const std::string path = m_dir + "/new.db";
    CComPtr<_Connection> connection;
    ASSERT_EQ(S_OK, AdoCreateInstance(CLSID_Connection, IID__Connection, reinterpret_cast<void**>(&connection)));
    EXPECT_TRUE(FAILED(connection->Open(CComBSTR("Provider=SQLite;Data Source=" + path), nullptr, nullptr, -1)));
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_EQ(S_OK, connection->Open(CComBSTR("Provider=SQLite;Data Source=" + path + ";FailIfMissing=False"), nullptr,
                                     nullptr, -1));
    EXPECT_TRUE(std::filesystem::exists(path));
}
