// A database handle keeps its prepared statements and the descriptions of
// its tables from one record to the next. What others do to the schema
// meanwhile must still be seen, and a handle that closes, in the pool or
// with its connection, must go whole.

#include "AdoTestDatabase.h"

#include "ado/SessionPool.h"

#include <chrono>

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class KeptStatementsTest : public AdoTestDatabase {
protected:
    void SetUp() override
    {
        AdoTestDatabase::SetUp();
        ASSERT_EQ(AdoCreateInstance(CLSID_Connection, IID__Connection, reinterpret_cast<void**>(&m_connection)), S_OK);
        ASSERT_EQ(m_connection->Open(CComBSTR(ConnectionString()), nullptr, nullptr, -1), S_OK);
    }

    void TearDown() override
    {
        m_connection.Release();
        pollenta::ado::SetSessionPoolTimeout(60s);
        AdoTestDatabase::TearDown();
    }

    // Opens `table` on the kept connection and adds one record of the given
    // field values; the first failure's HRESULT, else S_OK.
    HRESULT Insert(const std::string& table, const std::vector<std::pair<std::string, CComVariant>>& values)
    {
        CComPtr<_Recordset> recordset = NewRecordset();
        HRESULT hr = recordset->Open(CComVariant(table), CComVariant(static_cast<IUnknown*>(m_connection.p)),
                                     adOpenKeyset, adLockOptimistic, -1);
        if (SUCCEEDED(hr))
            hr = recordset->AddNew(Missing(), Missing());
        for (const auto& [name, value] : values)
            if (SUCCEEDED(hr))
                hr = Put(recordset, name, value);
        if (SUCCEEDED(hr))
            hr = recordset->Update(Missing(), Missing());
        recordset->putref_ActiveConnection(nullptr);
        return hr;
    }

    CComPtr<_Connection> m_connection;
};

TEST_F(KeptStatementsTest, AColumnAddedOrDroppedByAnotherConnectionIsSeenByTheNextRecord)
{
    ASSERT_EQ(Insert("Answers", {{"Name", CComVariant("first")}, {"Notes", CComVariant("n1")}}), S_OK);
    Sql("ALTER TABLE Answers ADD COLUMN Late TEXT");
    EXPECT_EQ(Insert("Answers", {{"Name", CComVariant("second")}, {"Late", CComVariant("late")}}), S_OK);
    Sql("ALTER TABLE Answers DROP COLUMN Notes");
    EXPECT_EQ(Insert("Answers", {{"Notes", CComVariant("n3")}}), adErrItemNotFound);
    EXPECT_EQ(Insert("Answers", {{"Name", CComVariant("third")}, {"Late", CComVariant("later")}}), S_OK);
    EXPECT_EQ(Scalar("SELECT group_concat(Name || '/' || coalesce(Late, '-'), ',') FROM Answers"),
              "first/-,second/late,third/later");
}

TEST_F(KeptStatementsTest, ATableDroppedAndMadeAgainIsDescribedAnew)
{
    ASSERT_EQ(Insert("Answers", {{"Name", CComVariant("before")}}), S_OK);
    EXPECT_EQ(Insert("Answers", {{"ID", CComVariant(LONG{7})}}), DB_E_ERRORSOCCURRED) << "ID is numbered by SQLite";
    Sql("DROP TABLE Answers; CREATE TABLE Answers (ID TEXT PRIMARY KEY, Score INTEGER, Name TEXT)");
    EXPECT_EQ(Insert("Answers", {{"ID", CComVariant("a")}, {"Name", CComVariant("after")}, {"Score", CComVariant("12")}}),
              S_OK);
    EXPECT_EQ(Scalar("SELECT ID || '/' || Name || '/' || typeof(Score) || Score FROM Answers"), "a/after/integer12");
    Sql("DROP TABLE Answers");
    EXPECT_EQ(Insert("Answers", {{"Name", CComVariant("gone")}}), DB_E_NOTABLE);
}

TEST_F(KeptStatementsTest, ATemporaryTableOfTheConnectionHidesTheStoredOneOfItsName)
{
    ASSERT_EQ(Insert("Answers", {{"Name", CComVariant("stored")}}), S_OK);
    ASSERT_EQ(m_connection->Execute(CComBSTR("CREATE TEMP TABLE Answers (Scratch TEXT)"), nullptr, 0, nullptr), S_OK);
    EXPECT_EQ(Insert("Answers", {{"Name", CComVariant("hidden")}}), adErrItemNotFound);
    EXPECT_EQ(Insert("Answers", {{"Scratch", CComVariant("temporary")}}), S_OK);
    EXPECT_EQ(Scalar("SELECT count(*) FROM Answers"), "1");
}

TEST_F(KeptStatementsTest, RecordsGoToTheirOwnTablesWhenManyTablesTakeTurns)
{
    // More tables than a handle keeps statements and descriptions for.
    constexpr int kTables = 150;
    std::string schema;
    for (int i = 0; i < kTables; ++i)
        schema += "CREATE TABLE T" + std::to_string(i) + " (ID INTEGER PRIMARY KEY, Value TEXT, Number INTEGER);";
    Sql(schema);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < kTables; ++i) {
            SCOPED_TRACE("table T" + std::to_string(i) + ", round " + std::to_string(round));
            // Fields given in another order and number each round: another INSERT.
            std::vector<std::pair<std::string, CComVariant>> values = {{"Value", CComVariant(std::to_string(i))}};
            if (round == 1)
                values.insert(values.begin(), {"Number", CComVariant(LONG{i})});
            ASSERT_EQ(Insert("T" + std::to_string(i), values), S_OK);
        }
    }
    for (int i : {0, 63, 64, 65, 149}) {
        SCOPED_TRACE("table T" + std::to_string(i));
        EXPECT_EQ(Scalar("SELECT group_concat(Value || '/' || coalesce(Number, '-'), ',') FROM T" + std::to_string(i)),
                  std::to_string(i) + "/-," + std::to_string(i) + "/" + std::to_string(i));
    }
}

TEST_F(KeptStatementsTest, AHandleWithKeptStatementsIsPooledAndClosesWholeWhenIdle)
{
    pollenta::ado::SetSessionPoolTimeout(300ms);
    ASSERT_EQ(Insert("Answers", {{"Name", CComVariant("kept")}}), S_OK);
    ASSERT_EQ(m_connection->Close(), S_OK);
    EXPECT_TRUE(fs::exists(m_path + "-wal")) << "the handle was closed instead of pooled";
    EXPECT_TRUE(LogRemovedWithin5s()) << "the idle handle did not close";

    ASSERT_EQ(m_connection->Open(CComBSTR(ConnectionString()), nullptr, nullptr, -1), S_OK);
    ASSERT_EQ(Insert("Answers", {{"Name", CComVariant("again")}}), S_OK);
    ASSERT_EQ(m_connection->Close(), S_OK);
    pollenta::ado::SetSessionPoolTimeout(0ms);
    EXPECT_FALSE(fs::exists(m_path + "-wal")) << "a handle given up at once stayed open";
    EXPECT_EQ(Scalar("SELECT group_concat(Name, ',') FROM Answers"), "kept,again");
}

}  // namespace
