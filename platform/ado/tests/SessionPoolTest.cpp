// Connections pooled by connection string: a closed connection's handle is
// taken up by the next open, sees what others wrote, is never taken up for a
// file deleted or replaced since, and closes when idle too long and when
// the process ends.

#include "AdoTestDatabase.h"

#include "ado/SessionPool.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class SessionPoolTest : public AdoTestDatabase {
protected:
    void TearDown() override
    {
        pollenta::ado::SetSessionPoolTimeout(60s);
        AdoTestDatabase::TearDown();
    }

    // Opens the connection string, reads the table, which starts the
    // write-ahead log, and closes the connection again, leaving its handle
    // to the pool.
    void OpenAndClose(const std::string& text)
    {
        CComPtr<_Connection> connection;
        ASSERT_EQ(AdoCreateInstance(CLSID_Connection, IID__Connection, reinterpret_cast<void**>(&connection)), S_OK);
        ASSERT_EQ(connection->Open(CComBSTR(text), nullptr, nullptr, -1), S_OK);
        CComPtr<_Recordset> records;
        ASSERT_EQ(connection->Execute(CComBSTR("SELECT count(*) FROM Answers"), nullptr, 1, &records), S_OK);
        ASSERT_EQ(connection->Close(), S_OK);
    }

    HRESULT Open(_Recordset* recordset, const char* table)
    {
        return recordset->Open(CComVariant(table), CComVariant(ConnectionString()), adOpenKeyset, adLockOptimistic,
                               -1);
    }
};

TEST_F(SessionPoolTest, AClosedConnectionStaysOpenUntilIdleTooLong)
{
    pollenta::ado::SetSessionPoolTimeout(300ms);
    OpenAndClose(ConnectionString());
    EXPECT_TRUE(fs::exists(m_path + "-wal")) << "the handle went with its connection";
    EXPECT_TRUE(LogRemovedWithin5s()) << "the idle handle was never closed";
}

TEST_F(SessionPoolTest, APooledHandleSeesWhatOthersWrote)
{
    OpenAndClose(ConnectionString());
    Sql("INSERT INTO Answers (Name) VALUES ('other'); ALTER TABLE Answers ADD COLUMN Late TEXT");
    CComPtr<_Recordset> recordset = NewRecordset();
    ASSERT_EQ(Open(recordset, "Answers"), S_OK);
    ASSERT_EQ(recordset->AddNew(Missing(), Missing()), S_OK);
    EXPECT_EQ(Put(recordset, "Late", CComVariant("mine")), S_OK);
    ASSERT_EQ(recordset->Update(Missing(), Missing()), S_OK);
    EXPECT_EQ(Scalar("SELECT group_concat(coalesce(Name, Late), ',') FROM Answers"), "other,mine");
}

TEST_F(SessionPoolTest, AFileReplacedOrDeletedOnDiskIsNeverServedFromThePool)
{
    OpenAndClose(ConnectionString());
    SqliteTestFile replacement(m_dir + "/replacement.db");
    replacement.Sql("CREATE TABLE Other (Note TEXT); CREATE TABLE Answers (Note TEXT)");
    fs::rename(replacement.Path(), m_path);
    CComPtr<_Recordset> recordset = NewRecordset();
    EXPECT_EQ(Open(recordset, "Other"), S_OK);
    recordset->Close();
    recordset.Release();

    OpenAndClose(ConnectionString());
    fs::remove(m_path);
    fs::remove(m_path + "-wal");
    fs::remove(m_path + "-shm");
    CComPtr<_Recordset> gone = NewRecordset();
    EXPECT_TRUE(FAILED(Open(gone, "Other")));
    EXPECT_FALSE(fs::exists(m_path)) << "a missing database must not be created";
}

TEST_F(SessionPoolTest, IdleHandlesCloseWhenTheProcessEnds)
{
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        OpenAndClose(ConnectionString());
        std::exit(fs::exists(m_path + "-wal") ? 0 : 3);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the child's handle was not pooled";
    EXPECT_FALSE(fs::exists(m_path + "-wal")) << "the pooled handle outlived its process";
}

}  // namespace
