#include "AnswerProject.h"
#include "AnswerWorldChecks.h"

#include "IHubberly.h"

#include "com/Activation.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>

using AnswerWorldChecks::Check;
using AnswerWorldChecks::CheckHr;

namespace {

void Sql(const std::string& database, const std::string& sql)
{
    sqlite3* db = nullptr;
    Check(sqlite3_open(database.c_str(), &db) == SQLITE_OK, "open " + database);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    const std::string text = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    Check(rc == SQLITE_OK, sql + ": " + text);
}

}  // namespace

LONG AnswerProject::Create(const std::string& database, const std::string& name)
{
    Sql(database, "CREATE TABLE Answers (ID INTEGER PRIMARY KEY, Seq INTEGER, Name TEXT, Notes TEXT, Town TEXT, "
                  "Score DOUBLE, Born DATETIME, RecipientEmail TEXT, SenderEmail TEXT)");
    CLSID clsid = GUID_NULL;
    CheckHr(CLSIDFromProgID(kHubberlyProgIDW, &clsid), "CLSIDFromProgID");
    CComPtr<IHubberly> hubberly;
    CheckHr(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IHubberly,
                             reinterpret_cast<void**>(&hubberly)),
            "CoCreateInstance");
    LONG id = 0;
    CheckHr(hubberly->CreateProject(CComVariant(name), &id), "CreateProject");
    const std::pair<const char*, CComVariant> properties[] = {
        {"ConnectionString", CComVariant("Provider=SQLite;Data Source=" + database)},
        {"RecordSource", CComVariant("[Answers]")},
        {"SuccessMark", CComVariant("[stored]")},
        {"FailedMark", CComVariant("[refused]")},
        {"CollectSenders", CComVariant(LONG(1))},
    };
    for (const auto& [name, value] : properties)
        CheckHr(hubberly->SetProperty(CComVariant(name), value), std::string("SetProperty ") + name);
    CheckHr(hubberly->FinalizeProject(id), "FinalizeProject");
    return id;
}

std::string AnswerProject::Scalar(const std::string& database, const std::string& sql)
{
    sqlite3* db = nullptr;
    std::string value = "<no row>";
    if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        // The collection may be writing an answer this moment.
        sqlite3_busy_timeout(db, 10000);
        auto firstRow = [](void* out, int, char** values, char**) {
            *static_cast<std::string*>(out) = values[0] ? values[0] : "NULL";
            return 1;  // the rest is not wanted
        };
        sqlite3_exec(db, sql.c_str(), firstRow, &value, nullptr);
    }
    sqlite3_close(db);
    return value;
}

long long AnswerProject::Count(const std::string& database, const std::string& where)
{
    return std::atoll(Scalar(database, "SELECT COUNT(*) FROM Answers WHERE " + where).c_str());
}

bool AnswerProject::WaitForRecords(const std::string& database, long long count, int seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (Count(database) < count) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        // Short: tests that pause a backlog ask while it is still being worked.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}
