#pragma once
// A message store file: folders, messages, recipients and attachments are
// rows of `objects` (type, parent), their properties rows of `props`; named
// property ids live in `names` and the submission queue in `queue`. One
// instance per file and process, shared by every object that uses it.

#include "PropValue.h"
#include "SqlDatabase.h"
#include "com/Guid.h"

#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace pollenta::mapi {

class CStoreFile {
public:
    enum class Role { Root, IpmSubtree, Inbox, Outbox, SentItems, DeletedItems, Drafts };
    enum class QueueState { NotQueued, Deleted, Waiting };

    // Creates a new store with its special folders; MAPI_E_COLLISION when
    // the file exists.
    static std::shared_ptr<CStoreFile> Create(const std::string& path, const std::string& displayName);
    // MAPI_E_NOT_FOUND when the file does not exist, MAPI_E_CORRUPT_STORE
    // when it is not a store.
    static std::shared_ptr<CStoreFile> Open(const std::string& path);

    const MAPIUID& Uid() const { return m_uid; }
    const std::string& Path() const { return m_db.Path(); }
    std::string DisplayName();
    // Serialises use of the file by the threads of this process; take it for
    // anything that must be done as one step.
    std::recursive_mutex& Mutex() { return m_mutex; }
    CSqlDatabase& Db() { return m_db; }

    LONGLONG SpecialFolder(Role role);
    // False when there is no such object.
    bool ObjectInfo(LONGLONG id, ULONG& type, LONGLONG& parent);
    LONGLONG CreateObject(ULONG type, LONGLONG parent);
    // A new object with its properties.
    LONGLONG CreateObject(ULONG type, LONGLONG parent, const CPropMap& props);
    std::vector<LONGLONG> Children(LONGLONG parent, ULONG type);
    struct Child {
        LONGLONG id = 0;
        ULONG type = 0;
        CPropMap props;
    };
    // Every child of `parent` with its type and properties, oldest first.
    std::vector<Child> LoadChildren(LONGLONG parent);
    void Move(LONGLONG id, LONGLONG parent);
    LONGLONG CopyTree(LONGLONG id, LONGLONG parent);
    void DeleteTree(LONGLONG id);

    CPropMap LoadProps(LONGLONG id);
    bool LoadProp(LONGLONG id, ULONG propId, CPropValue& value);
    void ReplaceProps(LONGLONG id, const CPropMap& props);
    void SetProp(LONGLONG id, const CPropValue& value);
    // Sets each of the values; their property ids differ.
    void SetProps(LONGLONG id, std::span<const CPropValue* const> values);
    void RemoveProp(LONGLONG id, ULONG propId);

    // The property id (0x8000 and up) of a named property, or 0 when it has
    // none and `create` is false. An id once given to a name is never taken
    // back, so ids found are kept and asked again without the file.
    ULONG PropIdFromName(const GUID& guid, ULONG kind, LONG lid, const std::string& name, bool create);

    void Enqueue(LONGLONG message);
    // False when the message was not queued.
    bool Dequeue(LONGLONG message);
    // Whether `message` is queued and, when it is, whether it still exists
    // and in which folder it waits.
    QueueState Queued(LONGLONG message, LONGLONG& folder);
    std::vector<LONGLONG> Queue();

private:
    explicit CStoreFile(const std::string& path);
    void CreateSchema(const std::string& displayName);
    // Brings a file written by an earlier version to the present schema.
    void Migrate();
    void LoadIdentity();
    ULONG LookUpPropId(const std::string& guidBytes, ULONG kind, LONGLONG key, const std::string& text, bool create);
    static std::shared_ptr<CStoreFile> Shared(const std::string& path, bool create, const std::string& displayName);

    CSqlDatabase m_db;
    MAPIUID m_uid{};
    std::recursive_mutex m_mutex;
    // Named property ids found so far, by guid bytes, kind, lid and name;
    // its own lock, so that a lookup never waits for a write to the file.
    std::mutex m_namesLock;
    std::map<std::tuple<std::string, ULONG, LONGLONG, std::string>, ULONG> m_names;
};

}  // namespace pollenta::mapi
