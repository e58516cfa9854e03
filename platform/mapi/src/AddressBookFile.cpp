#include "AddressBookFile.h"

#include "EntryId.h"
#include "MapiError.h"
#include "PropRows.h"
#include "SqlTransaction.h"
#include "mapi/MapiFlags.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace pollenta::mapi {

namespace {

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS info(key TEXT PRIMARY KEY, value BLOB);"
    "CREATE TABLE IF NOT EXISTS entries(id INTEGER PRIMARY KEY AUTOINCREMENT, type INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS members(list INTEGER NOT NULL, position INTEGER NOT NULL, entryid BLOB NOT NULL,"
    " PRIMARY KEY(list, position));";

std::mutex g_openLock;

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

void Put(CPropMap& props, const CPropValue& value) { props[PROP_ID(value.Tag())] = value; }

}  // namespace

std::shared_ptr<CAddressBookFile> CAddressBookFile::Open(const std::string& path)
{
    static std::map<std::string, std::weak_ptr<CAddressBookFile>> files;
    std::lock_guard lock(g_openLock);
    if (auto existing = files[path].lock()) return existing;
    std::shared_ptr<CAddressBookFile> book(new CAddressBookFile(path));
    CSqlDatabase& db = book->m_db;
    // Kept the way the store files are: a change is one append to the
    // write-ahead log, no journal file made and removed per change, and it
    // outlives a crash of the program. A book that another process holds
    // open in the older mode keeps that mode until it is opened alone.
    try {
        db.Exec("PRAGMA journal_mode=WAL");
    } catch (const CMapiError&) {
    }
    db.Exec("PRAGMA synchronous=NORMAL");
    {
        CSqlTransaction transaction(db);
        db.Exec(kSchema);
        CPropRows::DropValueIndex(db);
        CPropRows::KeepValuesOutOfTheKey(db);
        CSqlStatement exists(db, "SELECT COUNT(*) FROM sqlite_master WHERE name = 'props'");
        exists.Step();
        if (!exists.Int(0)) db.Exec(CPropRows::kSchema);
        CSqlStatement uid(db, "SELECT value FROM info WHERE key = 'uid'");
        std::string bytes = uid.Step() ? uid.Blob(0) : std::string();
        if (bytes.empty()) {
            MAPIUID fresh = NewMapiUid();
            bytes.assign(reinterpret_cast<const char*>(fresh.ab), 16);
            CSqlStatement insert(db, "INSERT INTO info(key, value) VALUES('uid', ?)");
            insert.BindBlob(1, bytes).Run();
        }
        if (bytes.size() != 16) throw CMapiError(MAPI_E_CORRUPT_DATA, "The address book file has no identity");
        std::copy(bytes.begin(), bytes.end(), book->m_uid.ab);
        transaction.Commit();
    }
    files[path] = book;
    return book;
}

LONGLONG CAddressBookFile::Add(ULONG type, const CPropMap& props)
{
    std::lock_guard lock(m_mutex);
    CSqlTransaction transaction(m_db);
    CSqlStatement insert(m_db, "INSERT INTO entries(type) VALUES(?)");
    insert.Bind(1, static_cast<LONGLONG>(type)).Run();
    LONGLONG id = m_db.LastInsertId();
    CPropRows::Replace(m_db, id, props);
    transaction.Commit();
    return id;
}

std::vector<LONGLONG> CAddressBookFile::AddAll(ULONG type, const std::vector<CPropMap>& entries)
{
    std::lock_guard lock(m_mutex);
    CSqlTransaction transaction(m_db);
    std::vector<LONGLONG> ids;
    ids.reserve(entries.size());
    for (const CPropMap& props : entries) {
        CSqlStatement insert(m_db, "INSERT INTO entries(type) VALUES(?)");
        insert.Bind(1, static_cast<LONGLONG>(type)).Run();
        ids.push_back(m_db.LastInsertId());
        CPropRows::Insert(m_db, ids.back(), props);
    }
    transaction.Commit();
    return ids;
}

void CAddressBookFile::Delete(LONGLONG id, const std::string& entryId)
{
    std::lock_guard lock(m_mutex);
    CSqlTransaction transaction(m_db);
    CPropRows::Clear(m_db, id);
    CSqlStatement(m_db, "DELETE FROM members WHERE list = ?").Bind(1, id).Run();
    CSqlStatement(m_db, "DELETE FROM members WHERE entryid = ?").BindBlob(1, entryId).Run();
    CSqlStatement(m_db, "DELETE FROM entries WHERE id = ?").Bind(1, id).Run();
    transaction.Commit();
}

void CAddressBookFile::ReplaceMembers(LONGLONG list, const std::vector<std::string>& entryIds)
{
    std::lock_guard lock(m_mutex);
    CSqlTransaction transaction(m_db);
    CSqlStatement(m_db, "DELETE FROM members WHERE list = ?").Bind(1, list).Run();
    for (std::size_t i = 0; i < entryIds.size(); ++i)
        CSqlStatement(m_db, "INSERT INTO members(list, position, entryid) VALUES(?, ?, ?)")
            .Bind(1, list)
            .Bind(2, static_cast<LONGLONG>(i))
            .BindBlob(3, entryIds[i])
            .Run();
    transaction.Commit();
}

void CAddressBookFile::AddMember(LONGLONG list, const std::string& entryId)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement insert(m_db,
                         "INSERT INTO members(list, position, entryid)"
                         " VALUES(?1, (SELECT COALESCE(MAX(position), -1) + 1 FROM members WHERE list = ?1), ?2)");
    insert.Bind(1, list).BindBlob(2, entryId).Run();
}

bool CAddressBookFile::Type(LONGLONG id, ULONG& type)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db, "SELECT type FROM entries WHERE id = ?");
    stmt.Bind(1, id);
    if (!stmt.Step()) return false;
    type = static_cast<ULONG>(stmt.Int(0));
    return true;
}

void CAddressBookFile::SaveProps(LONGLONG id, const CPropMap& props)
{
    std::lock_guard lock(m_mutex);
    CSqlTransaction transaction(m_db);
    CPropRows::Replace(m_db, id, props);
    transaction.Commit();
}

std::vector<std::string> CAddressBookFile::Members(LONGLONG list)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db, "SELECT entryid FROM members WHERE list = ? ORDER BY position");
    stmt.Bind(1, list);
    std::vector<std::string> members;
    while (stmt.Step()) members.push_back(stmt.Blob(0));
    return members;
}

std::vector<LONGLONG> CAddressBookFile::Entries()
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db, "SELECT id FROM entries ORDER BY id");
    std::vector<LONGLONG> ids;
    while (stmt.Step()) ids.push_back(stmt.Int(0));
    return ids;
}

bool CAddressBookFile::Entry(LONGLONG id, ULONG& type, CPropMap& props)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db, "SELECT entries.type, props.id, props.type, props.value FROM entries"
                             " LEFT JOIN props ON props.obj = entries.id WHERE entries.id = ?");
    stmt.Bind(1, id);
    props.clear();
    if (!stmt.Step()) return false;
    type = static_cast<ULONG>(stmt.Int(0));
    do {
        if (stmt.IsNull(1)) continue;
        ULONG tag = PROP_TAG(static_cast<ULONG>(stmt.Int(2)), static_cast<ULONG>(stmt.Int(1)));
        props[PROP_ID(tag)] = CPropRows::Read(stmt, tag, 3);
    } while (stmt.Step());
    AddWorkedOut(id, type, props);
    return true;
}

void CAddressBookFile::AddWorkedOut(LONGLONG id, ULONG type, CPropMap& props)
{
    std::string eid = CEntryId::ForAddressEntry(m_uid, type, id);
    Put(props, CPropValue::Binary(PR_ENTRYID, eid));
    Put(props, CPropValue::Binary(PR_INSTANCE_KEY, eid));
    Put(props, CPropValue::Binary(PR_RECORD_KEY, eid));
    Put(props, CPropValue::Long(PR_OBJECT_TYPE, static_cast<LONG>(type)));
    Put(props, CPropValue::Long(PR_DISPLAY_TYPE, type == MAPI_DISTLIST ? DT_DISTLIST : DT_MAILUSER));
    if (type == MAPI_DISTLIST) {
        Put(props, CPropValue::String(PR_ADDRTYPE_A, "MAPIPDL"));
        Put(props, CPropValue::Binary(PR_SEARCH_KEY, eid));
        return;
    }
    if (!props.count(PROP_ID(PR_ADDRTYPE_A))) Put(props, CPropValue::String(PR_ADDRTYPE_A, "SMTP"));
    auto smtp = props.find(PROP_ID(PR_SMTP_ADDRESS_A));
    if (smtp != props.end() && !props.count(PROP_ID(PR_EMAIL_ADDRESS_A)))
        Put(props, CPropValue::String(PR_EMAIL_ADDRESS_A, smtp->second.Text()));
    auto email = props.find(PROP_ID(PR_EMAIL_ADDRESS_A));
    std::string address = email == props.end() ? std::string() : email->second.Text();
    Put(props, CPropValue::Binary(PR_SEARCH_KEY, Upper(props[PROP_ID(PR_ADDRTYPE_A)].Text() + ":" + address) + '\0'));
}

CPropMap CAddressBookFile::OneOffProps(const std::string& entryId, const std::string& name, const std::string& addrType,
                                       const std::string& address)
{
    CPropMap props;
    Put(props, CPropValue::Binary(PR_ENTRYID, entryId));
    Put(props, CPropValue::Binary(PR_INSTANCE_KEY, entryId));
    Put(props, CPropValue::Binary(PR_RECORD_KEY, entryId));
    Put(props, CPropValue::Long(PR_OBJECT_TYPE, MAPI_MAILUSER));
    Put(props, CPropValue::Long(PR_DISPLAY_TYPE, DT_MAILUSER));
    Put(props, CPropValue::String(PR_DISPLAY_NAME_A, name));
    Put(props, CPropValue::String(PR_ADDRTYPE_A, addrType));
    Put(props, CPropValue::String(PR_EMAIL_ADDRESS_A, address));
    if (Upper(addrType) == "SMTP") Put(props, CPropValue::String(PR_SMTP_ADDRESS_A, address));
    Put(props, CPropValue::Binary(PR_SEARCH_KEY, Upper(addrType + ":" + address) + '\0'));
    Put(props, CPropValue::Bool(PR_SEND_RICH_INFO, false));
    return props;
}

}  // namespace pollenta::mapi
