#pragma once
// A folder of tens of thousands of messages, as Sent Items holds them after
// a few surveys: one message saved through MAPI, copied straight in the
// store file with SQL, each copy with its own subject ("<subject> <n>").
// Saving each through MAPI would take minutes.

#include "com/ComPtr.h"
#include "mapi/MapiUtil.h"

#include <sqlite3.h>

#include <stdexcept>
#include <string>

namespace largefolder {

inline void Exec(sqlite3* db, const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(text);
    }
}

inline std::string Quoted(const std::string& text)
{
    char* quoted = sqlite3_mprintf("%Q", text.c_str());
    std::string result = quoted;
    sqlite3_free(quoted);
    return result;
}

// Copies the store's newest message `copies` times into its folder, the
// n-th message of the copies and their model "<subject> <n>", with SQL
// alone: the store tells nobody of them.
inline void Copy(const std::string& storePath, int copies, const std::string& subject)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(storePath.c_str(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot open " + storePath);
    sqlite3_busy_timeout(db, 10000);
    try {
        Exec(db, "BEGIN IMMEDIATE");
        Exec(db, "CREATE TEMP TABLE model AS SELECT MAX(id) AS id FROM objects WHERE type = " +
                     std::to_string(MAPI_MESSAGE));
        Exec(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(copies) +
                     ") INSERT INTO objects(type, parent) SELECT o.type, o.parent FROM objects o, n"
                     " WHERE o.id = (SELECT id FROM model)");
        Exec(db, "INSERT INTO props(obj, id, type, value) SELECT o.id, p.id, p.type,"
                 " CASE WHEN p.id = " +
                     std::to_string(PROP_ID(PR_SUBJECT_A)) + " THEN " + Quoted(subject) +
                     " || ' ' || (o.id - m.id + 1) ELSE p.value END"
                     " FROM model m, objects o, props p WHERE o.id > m.id AND p.obj = m.id");
        Exec(db, "DROP TABLE model");
        Exec(db, "COMMIT");
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

// `count` messages from Bob to Ann in `folder` of the store file `storePath`.
inline void Fill(IMAPIFolder* folder, const std::string& storePath, int count, const std::string& subject)
{
    CComPtr<IMessage> message;
    if (FAILED(folder->CreateMessage(nullptr, 0, &message)))
        throw std::runtime_error("CreateMessage");
    SPropValue props[4] = {};
    const std::string first = subject + " 1";
    props[0].ulPropTag = PR_SUBJECT_A;
    props[0].Value.lpszA = const_cast<char*>(first.c_str());
    props[1].ulPropTag = PR_SENDER_NAME_A;
    props[1].Value.lpszA = const_cast<char*>("Bob Example");
    props[2].ulPropTag = PR_SENDER_EMAIL_ADDRESS_A;
    props[2].Value.lpszA = const_cast<char*>("bob@example.org");
    props[3].ulPropTag = PR_BODY_A;
    props[3].Value.lpszA = const_cast<char*>("Please answer the questions of this survey by replying.");
    if (FAILED(message->SetProps(4, props, nullptr)) || FAILED(message->SaveChanges(0)))
        throw std::runtime_error("SaveChanges");
    Copy(storePath, count - 1, subject);
}

}  // namespace largefolder
