#pragma once
// A profile as the registry keeps it, under
// HKCU\Software\Pollenta\MAPI\Profiles\<name>: the address book file, the
// outgoing folder, the drop folder of incoming mail, the spooler's hold
// switch, the user's name and address that outgoing mail is sent as
// (SenderName, SenderAddress) and, under Stores\<n>, each store's file,
// display name, entry id and whether it is the default; under Account, its
// mail account.
// The Profiles key's "DefaultProfile" value names the default profile.

#include "mapi/MailAccount.h"
#include "mapi/MapiTypes.h"

#include <string>
#include <vector>

namespace pollenta::mapi {

class CProfile {
public:
    struct Store {
        std::string path;
        std::string displayName;
        std::string entryId;
        bool isDefault = false;
    };
    // Whom the profile's mail comes from; an empty address sends nothing.
    struct Identity {
        std::string name;
        std::string address;
    };

    // An empty name loads the default profile; MAPI_E_LOGON_FAILED when
    // there is none of that name.
    static CProfile Load(const std::string& name);
    static void Create(const std::string& name, const std::string& addressBook, const std::string& outgoing,
                       bool makeDefault, const std::string& dropFolder);
    static void AddStore(const std::string& name, const Store& store);
    static void SetIdentity(const std::string& name, const Identity& identity);
    // An account with an empty SMTP URL removes the profile's account.
    static void SetAccount(const std::string& name, const MailAccount& account);
    static bool Held(const std::string& name);
    // Held so that even a flush sends nothing.
    static bool FlushHeld(const std::string& name);
    static void SetHeld(const std::string& name, bool held, bool holdFlush);

    const Store* FindStore(const std::string& entryId) const;
    // The default store, or the first when none is marked; null without
    // stores.
    const Store* DefaultStore() const;

    std::string m_name;
    std::string m_addressBook;
    std::string m_outgoing;
    std::string m_dropFolder;
    Identity m_identity;
    MailAccount m_account;
    std::vector<Store> m_stores;
};

}  // namespace pollenta::mapi
