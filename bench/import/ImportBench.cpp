// Imports N address book entries from a CSV file (as a spreadsheet writes
// it) into a profile's address book and prints the rate beside the bare
// rate of inserting the same rows (an entry and its five properties each)
// into an address book file of the same tables with SQLite, in one
// transaction, in the same run and folder.
//
//     bench_import [N]     (default 20000 entries, under /tmp)

#include "bench/BenchFolder.h"
#include "bench/BenchRow.h"

#include "com/ComPtr.h"
#include "mapi/AddressBookEdit.h"
#include "mapi/Mapi.h"
#include "mapi/MapiAdmin.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string Csv(int count)
{
    std::string csv = "\xEF\xBB\xBF\"Name\",\"E-mail Address\"\r\n";
    for (int i = 0; i < count; ++i)
        csv += "\"Person " + std::to_string(i) + ", Survey\",person" + std::to_string(i) + "@example.com\r\n";
    return csv;
}

double OursSeconds(const std::string& dir, const std::string& csv, int count)
{
    if (FAILED(pollenta::mapi::CreateProfile("Bench", dir + "/book.db", dir + "/outgoing", true)))
        throw std::runtime_error("CreateProfile failed");
    CComPtr<IMAPISession> session;
    CComPtr<IAddrBook> book;
    if (FAILED(MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &session)) ||
        FAILED(session->OpenAddressBook(0, nullptr, 0, &book)))
        throw std::runtime_error("logon failed");
    pollenta::mapi::CsvImportResult result;
    std::string why;
    const Clock::time_point start = Clock::now();
    if (FAILED(pollenta::mapi::ImportAddressCsv(book, csv, "", result, &why)))
        throw std::runtime_error("import failed: " + why);
    const double seconds = Seconds(start);
    if (result.added != static_cast<std::size_t>(count))
        throw std::runtime_error("imported " + std::to_string(result.added));
    return seconds;
}

void Exec(sqlite3* db, const char* sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

// The same durable rows, written as an address book file keeps them, in
// the journal mode it keeps them in.
double BareSeconds(const std::string& dir, int count)
{
    sqlite3* db = nullptr;
    if (sqlite3_open((dir + "/bare.db").c_str(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot open the bare file");
    Exec(db, "PRAGMA journal_mode=WAL");
    Exec(db, "PRAGMA synchronous=NORMAL");
    Exec(db, "CREATE TABLE entries(id INTEGER PRIMARY KEY AUTOINCREMENT, type INTEGER NOT NULL);"
             "CREATE TABLE props(obj INTEGER NOT NULL, id INTEGER NOT NULL, type INTEGER NOT NULL, value,"
             " PRIMARY KEY(obj, id)) WITHOUT ROWID;");
    sqlite3_stmt* entry = nullptr;
    sqlite3_stmt* prop = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO entries(type) VALUES(6)", -1, &entry, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO props(obj, id, type, value) VALUES(?, ?, 30, ?)", -1, &prop, nullptr);
    const Clock::time_point start = Clock::now();
    Exec(db, "BEGIN IMMEDIATE");
    for (int i = 0; i < count; ++i) {
        const std::string name = "Person " + std::to_string(i) + ", Survey";
        const std::string address = "person" + std::to_string(i) + "@example.com";
        sqlite3_step(entry);
        sqlite3_reset(entry);
        const sqlite3_int64 id = sqlite3_last_insert_rowid(db);
        const std::pair<int, std::string> values[] = {
            {0x3001, name}, {0x39FE, address}, {0x3003, address}, {0x3002, "SMTP"}, {0x800F, "SMTP:" + address}};
        for (const auto& [propId, text] : values) {
            sqlite3_bind_int64(prop, 1, id);
            sqlite3_bind_int(prop, 2, propId);
            sqlite3_bind_text(prop, 3, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
            sqlite3_step(prop);
            sqlite3_reset(prop);
        }
    }
    Exec(db, "COMMIT");
    const double seconds = Seconds(start);
    sqlite3_finalize(entry);
    sqlite3_finalize(prop);
    sqlite3_close(db);
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
    if (count <= 0 || argc > 2) {
        std::fprintf(stderr, "usage: bench_import [N]\n");
        return 2;
    }
    int result = 0;
    try {
        const bench::CBenchFolder folder("import");
        const std::string& dir = folder.Path();
        MAPIINIT_0 init = {MAPI_INIT_VERSION, 0};
        if (FAILED(MAPIInitialize(&init)))
            throw std::runtime_error("MAPIInitialize failed");
        const std::string csv = Csv(count);
        const double ours = OursSeconds(dir, csv, count);
        MAPIUninitialize();
        const double bare = BareSeconds(dir, count);
        std::printf("import: %d address book entries from a CSV file\n", count);
        std::printf("  ours  %8.0f entries/s (%.3f s)\n", count / ours, ours);
        std::printf("  bare  %8.0f entries/s (%.3f s)\n", count / bare, bare);
        std::printf("  ratio %8.2f x bare\n", ours / bare);
        bench::PrintRateRow("import: address book entries from CSV", "entries/s", count / ours, count / bare);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_import: %s\n", e.what());
        result = 1;
    }
    return result;
}
