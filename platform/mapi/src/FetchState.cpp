#include "FetchState.h"

#include "SqlStatement.h"

namespace pollenta::mapi {

CFetchState::CFetchState(CStoreFile& store, std::string mailbox) : m_store(store), m_mailbox(std::move(mailbox))
{
    std::lock_guard lock(m_store.Mutex());
    m_store.Db().Exec("CREATE TABLE IF NOT EXISTS fetch_position(mailbox TEXT PRIMARY KEY, "
                      "uid_validity INTEGER NOT NULL, last_uid INTEGER NOT NULL)");
    m_store.Db().Exec("CREATE TABLE IF NOT EXISTS fetched(mailbox TEXT NOT NULL, message_id TEXT NOT NULL, "
                      "PRIMARY KEY(mailbox, message_id))");
}

CFetchState::Position CFetchState::Read()
{
    CSqlStatement select(m_store.Db(), "SELECT uid_validity, last_uid FROM fetch_position WHERE mailbox = ?");
    select.BindText(1, m_mailbox);
    Position position;
    if (select.Step()) position = {static_cast<ULONG>(select.Int(0)), static_cast<ULONG>(select.Int(1))};
    return position;
}

void CFetchState::Write(const Position& position)
{
    CSqlStatement(m_store.Db(), "INSERT OR REPLACE INTO fetch_position(mailbox, uid_validity, last_uid) VALUES(?, ?, ?)")
        .BindText(1, m_mailbox)
        .Bind(2, LONGLONG{position.uidValidity})
        .Bind(3, LONGLONG{position.lastUid})
        .Run();
}

bool CFetchState::Delivered(const std::string& messageId)
{
    CSqlStatement select(m_store.Db(), "SELECT 1 FROM fetched WHERE mailbox = ? AND message_id = ?");
    select.BindText(1, m_mailbox).BindText(2, messageId);
    return select.Step();
}

void CFetchState::RecordDelivered(const std::string& messageId)
{
    CSqlStatement(m_store.Db(), "INSERT OR IGNORE INTO fetched(mailbox, message_id) VALUES(?, ?)")
        .BindText(1, m_mailbox)
        .BindText(2, messageId)
        .Run();
}

}  // namespace pollenta::mapi
