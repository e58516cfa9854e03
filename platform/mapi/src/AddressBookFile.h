#pragma once
// The address book file of a profile: mail users and distribution lists
// as `entries` with their properties; a list's members are entry ids (of
// entries or one-offs) in order.

#include "PropValue.h"
#include "SqlDatabase.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace pollenta::mapi {

class CAddressBookFile {
public:
    // Made empty when the file does not exist yet.
    static std::shared_ptr<CAddressBookFile> Open(const std::string& path);

    const MAPIUID& Uid() const { return m_uid; }
    std::recursive_mutex& Mutex() { return m_mutex; }

    LONGLONG Add(ULONG type, const CPropMap& props);
    // Entries of one type written in one transaction, as an import brings
    // thousands at once; their ids in order.
    std::vector<LONGLONG> AddAll(ULONG type, const std::vector<CPropMap>& entries);
    // The entry goes, with its members, and from every list that held it.
    void Delete(LONGLONG id, const std::string& entryId);
    void ReplaceMembers(LONGLONG list, const std::vector<std::string>& entryIds);
    void AddMember(LONGLONG list, const std::string& entryId);
    // False when there is no such entry.
    bool Type(LONGLONG id, ULONG& type);
    void SaveProps(LONGLONG id, const CPropMap& props);
    std::vector<std::string> Members(LONGLONG list);
    std::vector<LONGLONG> Entries();

    // The type of an entry and the properties it shows, stored ones and
    // those worked out from them, read in one query; false when there is
    // no such entry.
    bool Entry(LONGLONG id, ULONG& type, CPropMap& props);
    static CPropMap OneOffProps(const std::string& entryId, const std::string& name, const std::string& addrType,
                                const std::string& address);

private:
    explicit CAddressBookFile(const std::string& path) : m_db(path) {}
    void AddWorkedOut(LONGLONG id, ULONG type, CPropMap& props);

    CSqlDatabase m_db;
    MAPIUID m_uid{};
    std::recursive_mutex m_mutex;
};

}  // namespace pollenta::mapi
