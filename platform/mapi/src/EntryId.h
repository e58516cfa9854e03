#pragma once
// The entry ids the layer hands out. Every id starts with four flag bytes
// and the uid of the provider that made it:
//   store            provider(16) store uid(16)
//   store object     provider(16) store uid(16) object type(4) row id(8)
//   address entry    provider(16) book uid(16)  object type(4) row id(8)
//   one-off address  one-off uid(16) version(2) flags(2) name\0 type\0 address\0
//   status object    provider(16) resource type(4)

#include "mapi/MapiTypes.h"

#include <string>

namespace pollenta::mapi {

class CEntryId {
public:
    enum class Kind { Invalid, Store, Object, AddressEntry, OneOff, Status };

    static std::string ForStore(const MAPIUID& store);
    static std::string ForObject(const MAPIUID& store, ULONG type, LONGLONG id);
    static std::string ForAddressEntry(const MAPIUID& book, ULONG type, LONGLONG id);
    static std::string ForOneOff(const std::string& name, const std::string& addrType, const std::string& address);
    static std::string ForStatus(ULONG resourceType);
    // Kind::Invalid for anything malformed, of a wrong length or unknown.
    static CEntryId Parse(ULONG cb, const ENTRYID* eid);
    static CEntryId Parse(const std::string& bytes);

    Kind m_kind = Kind::Invalid;
    MAPIUID m_uid{};  // store or address book
    ULONG m_type = 0;
    LONGLONG m_id = 0;
    std::string m_name;
    std::string m_addrType;
    std::string m_address;
};

// The search key of an SMTP address: "SMTP:" and the address in capitals,
// with its terminating zero.
std::string SmtpSearchKey(const std::string& address);
// A new random uid for a store or an address book.
MAPIUID NewMapiUid();
bool operator==(const MAPIUID& a, const MAPIUID& b);

}  // namespace pollenta::mapi
