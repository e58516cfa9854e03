#include "StoreFile.h"

#include "EntryId.h"
#include "FileTime.h"
#include "MapiError.h"
#include "PropRows.h"
#include "SqlTransaction.h"
#include "mapi/MapiFlags.h"

#include <filesystem>
#include <map>

namespace pollenta::mapi {

namespace {

constexpr LONGLONG kStoreObject = 0;  // the store's own properties
constexpr ULONG kFirstNamedId = 0x8000;
constexpr ULONG kLastNamedId = 0xFFFE;

const char* const kSchema = R"(
CREATE TABLE info(key TEXT PRIMARY KEY, value BLOB);
CREATE TABLE objects(id INTEGER PRIMARY KEY AUTOINCREMENT, type INTEGER NOT NULL, parent INTEGER NOT NULL);
CREATE INDEX objects_parent ON objects(parent, type);
CREATE TABLE names(id INTEGER PRIMARY KEY, guid BLOB NOT NULL, kind INTEGER NOT NULL, lid INTEGER NOT NULL,
                   name TEXT NOT NULL, UNIQUE(guid, kind, lid, name));
CREATE TABLE special(role INTEGER PRIMARY KEY, folder INTEGER NOT NULL);
CREATE TABLE queue(message INTEGER PRIMARY KEY, submitted INTEGER NOT NULL);
)";

std::mutex g_openLock;
std::map<std::string, std::weak_ptr<CStoreFile>>& OpenFiles()
{
    static std::map<std::string, std::weak_ptr<CStoreFile>> files;
    return files;
}

}  // namespace

CStoreFile::CStoreFile(const std::string& path) : m_db(path)
{
    // With the write-ahead log this keeps every committed change across a
    // crash of the program; only a power cut may lose the last commits.
    m_db.Exec("PRAGMA synchronous=NORMAL");
}

std::shared_ptr<CStoreFile> CStoreFile::Create(const std::string& path, const std::string& displayName)
{
    if (std::filesystem::exists(path)) throw CMapiError(MAPI_E_COLLISION, "The store file \"" + path + "\" exists");
    return Shared(path, true, displayName);
}

std::shared_ptr<CStoreFile> CStoreFile::Open(const std::string& path)
{
    if (!std::filesystem::is_regular_file(path))
        throw CMapiError(MAPI_E_NOT_FOUND, "There is no store file \"" + path + "\"");
    return Shared(path, false, {});
}

std::shared_ptr<CStoreFile> CStoreFile::Shared(const std::string& path, bool create, const std::string& displayName)
{
    std::string key = std::filesystem::absolute(path).lexically_normal().string();
    std::lock_guard lock(g_openLock);
    if (auto existing = OpenFiles()[key].lock()) return existing;
    std::shared_ptr<CStoreFile> file(new CStoreFile(path));
    if (create) file->CreateSchema(displayName);
    else file->Migrate();
    file->LoadIdentity();
    OpenFiles()[key] = file;
    return file;
}

void CStoreFile::CreateSchema(const std::string& displayName)
{
    m_db.Exec("PRAGMA journal_mode=WAL");
    CSqlTransaction transaction(m_db);
    m_db.Exec(kSchema);
    m_db.Exec(CPropRows::kSchema);
    MAPIUID uid = NewMapiUid();
    CSqlStatement info(m_db, "INSERT INTO info(key, value) VALUES(?, ?)");
    info.BindText(1, "uid").BindBlob(2, std::string(reinterpret_cast<const char*>(uid.ab), 16)).Run();
    info.Reset();
    info.BindText(1, "version").Bind(2, LONGLONG{1}).Run();
    SetProp(kStoreObject, CPropValue::String(PR_DISPLAY_NAME_A, displayName));

    struct Special {
        Role role;
        Role parent;
        const char* name;
    };
    const Special specials[] = {
        {Role::Root, Role::Root, ""},
        {Role::IpmSubtree, Role::Root, "Top of Information Store"},
        {Role::Inbox, Role::IpmSubtree, "Inbox"},
        {Role::Outbox, Role::IpmSubtree, "Outbox"},
        {Role::SentItems, Role::IpmSubtree, "Sent Items"},
        {Role::DeletedItems, Role::IpmSubtree, "Deleted Items"},
        {Role::Drafts, Role::IpmSubtree, "Drafts"},
    };
    std::map<Role, LONGLONG> ids;
    CSqlStatement special(m_db, "INSERT INTO special(role, folder) VALUES(?, ?)");
    LONGLONG now = NowFileTime();
    for (const Special& s : specials) {
        LONGLONG parent = s.role == Role::Root ? 0 : ids[s.parent];
        LONGLONG id = CreateObject(MAPI_FOLDER, parent);
        ids[s.role] = id;
        SetProp(id, CPropValue::String(PR_DISPLAY_NAME_A, s.name));
        SetProp(id, CPropValue::Time(PR_CREATION_TIME, now));
        if (s.parent == Role::IpmSubtree) SetProp(id, CPropValue::String(PR_CONTAINER_CLASS_A, "IPF.Note"));
        special.Bind(1, static_cast<LONGLONG>(s.role)).Bind(2, id).Run();
        special.Reset();
    }
    transaction.Commit();
}

void CStoreFile::Migrate()
{
    {
        CSqlTransaction transaction(m_db);
        bool dropped = CPropRows::DropValueIndex(m_db);
        bool rebuilt = CPropRows::KeepValuesOutOfTheKey(m_db);
        if (!dropped && !rebuilt) return;
        transaction.Commit();
    }
    // An index of every value took as much room as the values, and a
    // rebuilt table leaves the old one's pages free; the file gives them
    // back once. Another process reading the file may keep that from
    // happening now: then the free pages are filled by what comes next.
    try {
        m_db.Exec("VACUUM");
        m_db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
    } catch (const CMapiError&) {
    }
}

void CStoreFile::LoadIdentity()
{
    CSqlStatement stmt(m_db, "SELECT value FROM info WHERE key = 'uid'");
    std::string uid = stmt.Step() ? stmt.Blob(0) : std::string();
    if (uid.size() != 16) throw CMapiError(MAPI_E_CORRUPT_STORE, "The store file \"" + Path() + "\" has no identity");
    std::copy(uid.begin(), uid.end(), m_uid.ab);
}

std::string CStoreFile::DisplayName()
{
    CPropValue value;
    return LoadProp(kStoreObject, PROP_ID(PR_DISPLAY_NAME_A), value) ? value.Text() : std::string();
}

LONGLONG CStoreFile::SpecialFolder(Role role)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db, "SELECT folder FROM special WHERE role = ?");
    stmt.Bind(1, static_cast<LONGLONG>(role));
    if (!stmt.Step()) throw CMapiError(MAPI_E_CORRUPT_STORE, "The store file lacks a standard folder");
    return stmt.Int(0);
}

bool CStoreFile::ObjectInfo(LONGLONG id, ULONG& type, LONGLONG& parent)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db, "SELECT type, parent FROM objects WHERE id = ?");
    stmt.Bind(1, id);
    if (!stmt.Step()) return false;
    type = static_cast<ULONG>(stmt.Int(0));
    parent = stmt.Int(1);
    return true;
}

LONGLONG CStoreFile::CreateObject(ULONG type, LONGLONG parent)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db, "INSERT INTO objects(type, parent) VALUES(?, ?)");
    stmt.Bind(1, static_cast<LONGLONG>(type)).Bind(2, parent).Run();
    return m_db.LastInsertId();
}

LONGLONG CStoreFile::CreateObject(ULONG type, LONGLONG parent, const CPropMap& props)
{
    std::lock_guard lock(m_mutex);
    LONGLONG id = CreateObject(type, parent);
    CPropRows::Insert(m_db, id, props);
    return id;
}

std::vector<LONGLONG> CStoreFile::Children(LONGLONG parent, ULONG type)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db, "SELECT id FROM objects WHERE parent = ? AND type = ? ORDER BY id");
    stmt.Bind(1, parent).Bind(2, static_cast<LONGLONG>(type));
    std::vector<LONGLONG> ids;
    while (stmt.Step()) ids.push_back(stmt.Int(0));
    return ids;
}

std::vector<CStoreFile::Child> CStoreFile::LoadChildren(LONGLONG parent)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db,
                       "SELECT objects.id, objects.type, props.id, props.type, props.value FROM objects"
                       " LEFT JOIN props ON props.obj = objects.id WHERE objects.parent = ? ORDER BY objects.id");
    stmt.Bind(1, parent);
    std::vector<Child> children;
    while (stmt.Step()) {
        if (children.empty() || children.back().id != stmt.Int(0))
            children.push_back({stmt.Int(0), static_cast<ULONG>(stmt.Int(1)), {}});
        if (stmt.IsNull(2)) continue;  // a child without properties
        ULONG tag = PROP_TAG(static_cast<ULONG>(stmt.Int(3)), static_cast<ULONG>(stmt.Int(2)));
        children.back().props[PROP_ID(tag)] = CPropRows::Read(stmt, tag, 4);
    }
    return children;
}

void CStoreFile::Move(LONGLONG id, LONGLONG parent)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db, "UPDATE objects SET parent = ? WHERE id = ?");
    stmt.Bind(1, parent).Bind(2, id).Run();
}

LONGLONG CStoreFile::CopyTree(LONGLONG id, LONGLONG parent)
{
    std::lock_guard lock(m_mutex);
    ULONG type = 0;
    LONGLONG oldParent = 0;
    if (!ObjectInfo(id, type, oldParent)) throw CMapiError(MAPI_E_NOT_FOUND, "The object to copy does not exist");
    LONGLONG copy = CreateObject(type, parent);
    CSqlStatement props(m_db,
                        "INSERT INTO props(obj, id, type, value) SELECT ?, id, type, value FROM props WHERE obj = ?");
    props.Bind(1, copy).Bind(2, id).Run();
    CSqlStatement children(m_db, "SELECT id FROM objects WHERE parent = ? AND type <> ?");
    children.Bind(1, id).Bind(2, static_cast<LONGLONG>(MAPI_FOLDER));
    std::vector<LONGLONG> ids;
    while (children.Step()) ids.push_back(children.Int(0));
    for (LONGLONG child : ids) CopyTree(child, copy);
    return copy;
}

void CStoreFile::DeleteTree(LONGLONG id)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement children(m_db, "SELECT id FROM objects WHERE parent = ?");
    children.Bind(1, id);
    std::vector<LONGLONG> ids;
    while (children.Step()) ids.push_back(children.Int(0));
    for (LONGLONG child : ids) DeleteTree(child);
    CPropRows::Clear(m_db, id);
    CSqlStatement object(m_db, "DELETE FROM objects WHERE id = ?");
    object.Bind(1, id).Run();
    CSqlStatement queue(m_db, "DELETE FROM queue WHERE message = ?");
    queue.Bind(1, id).Run();
}

CPropMap CStoreFile::LoadProps(LONGLONG id)
{
    std::lock_guard lock(m_mutex);
    return CPropRows::Load(m_db, id);
}

bool CStoreFile::LoadProp(LONGLONG id, ULONG propId, CPropValue& value)
{
    std::lock_guard lock(m_mutex);
    return CPropRows::LoadOne(m_db, id, propId, value);
}

void CStoreFile::ReplaceProps(LONGLONG id, const CPropMap& props)
{
    std::lock_guard lock(m_mutex);
    CPropRows::Replace(m_db, id, props);
}

void CStoreFile::SetProp(LONGLONG id, const CPropValue& value)
{
    std::lock_guard lock(m_mutex);
    CPropRows::Set(m_db, id, value);
}

void CStoreFile::SetProps(LONGLONG id, std::span<const CPropValue* const> values)
{
    std::lock_guard lock(m_mutex);
    CPropRows::SetAll(m_db, id, values);
}

void CStoreFile::RemoveProp(LONGLONG id, ULONG propId)
{
    std::lock_guard lock(m_mutex);
    CPropRows::Remove(m_db, id, propId);
}

ULONG CStoreFile::PropIdFromName(const GUID& guid, ULONG kind, LONG lid, const std::string& name, bool create)
{
    std::string guidBytes(reinterpret_cast<const char*>(&guid), sizeof(GUID));
    LONGLONG key = kind == MNID_ID ? lid : 0;
    std::string text = kind == MNID_ID ? std::string() : name;
    auto known = std::make_tuple(guidBytes, kind, key, text);
    {
        std::lock_guard names(m_namesLock);
        if (auto found = m_names.find(known); found != m_names.end()) return found->second;
    }
    ULONG id = LookUpPropId(guidBytes, kind, key, text, create);
    if (id) {
        std::lock_guard names(m_namesLock);
        m_names.emplace(std::move(known), id);
    }
    return id;
}

ULONG CStoreFile::LookUpPropId(const std::string& guidBytes, ULONG kind, LONGLONG key, const std::string& text,
                               bool create)
{
    std::lock_guard lock(m_mutex);
    auto find = [&]() -> ULONG {
        CSqlStatement stmt(m_db, "SELECT id FROM names WHERE guid = ? AND kind = ? AND lid = ? AND name = ?");
        stmt.BindBlob(1, guidBytes).Bind(2, static_cast<LONGLONG>(kind)).Bind(3, key).BindText(4, text);
        return stmt.Step() ? static_cast<ULONG>(stmt.Int(0)) : 0;
    };
    if (ULONG id = find(); id || !create) return id;
    // Other processes name properties in the same file: the next free id is
    // taken under the write lock, after looking again for the name.
    CSqlTransaction transaction(m_db);
    if (ULONG id = find()) return id;
    CSqlStatement last(m_db, "SELECT COALESCE(MAX(id), ?) FROM names");
    last.Bind(1, static_cast<LONGLONG>(kFirstNamedId - 1));
    last.Step();
    LONGLONG id = last.Int(0) + 1;
    if (id > kLastNamedId)
        throw CMapiError(MAPI_E_NOT_ENOUGH_RESOURCES, "The store has no named property ids left");
    CSqlStatement insert(m_db, "INSERT INTO names(id, guid, kind, lid, name) VALUES(?, ?, ?, ?, ?)");
    insert.Bind(1, id).BindBlob(2, guidBytes).Bind(3, static_cast<LONGLONG>(kind)).Bind(4, key).BindText(5, text).Run();
    transaction.Commit();
    return static_cast<ULONG>(id);
}

void CStoreFile::Enqueue(LONGLONG message)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db, "INSERT OR REPLACE INTO queue(message, submitted) VALUES(?, ?)");
    stmt.Bind(1, message).Bind(2, NowFileTime()).Run();
}

bool CStoreFile::Dequeue(LONGLONG message)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db, "DELETE FROM queue WHERE message = ?");
    stmt.Bind(1, message).Run();
    return m_db.Changes() > 0;
}

CStoreFile::QueueState CStoreFile::Queued(LONGLONG message, LONGLONG& folder)
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db, "SELECT objects.parent FROM queue LEFT JOIN objects ON objects.id = queue.message"
                             " WHERE queue.message = ?");
    stmt.Bind(1, message);
    if (!stmt.Step()) return QueueState::NotQueued;
    if (stmt.IsNull(0)) return QueueState::Deleted;
    folder = stmt.Int(0);
    return QueueState::Waiting;
}

std::vector<LONGLONG> CStoreFile::Queue()
{
    std::lock_guard lock(m_mutex);
    CSqlStatement stmt(m_db, "SELECT message FROM queue ORDER BY submitted, message");
    std::vector<LONGLONG> ids;
    while (stmt.Step()) ids.push_back(stmt.Int(0));
    return ids;
}

}  // namespace pollenta::mapi
