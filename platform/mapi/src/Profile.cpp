#include "Profile.h"

#include "MapiError.h"
#include "RegistryKey.h"

namespace pollenta::mapi {

namespace {

const std::string kProfilesKey = "Software\\Pollenta\\MAPI\\Profiles";
// SpoolerHold: 0 sends, 1 waits for a flush, this waits even then.
constexpr DWORD kHoldFlush = 2;

std::string ProfileKey(const std::string& name) { return kProfilesKey + "\\" + name; }
std::string AccountKey(const std::string& name) { return ProfileKey(name) + "\\Account"; }

MailAccount LoadAccount(const std::string& name)
{
    CRegistryKey key(HKEY_CURRENT_USER, AccountKey(name), false);
    MailAccount account;
    if (!key.Valid()) return account;
    account.smtpUrl = key.String("SmtpUrl");
    account.imapUrl = key.String("ImapUrl");
    account.user = key.String("User");
    account.passwordFile = key.String("PasswordFile");
    account.caFile = key.String("CaFile");
    account.pollSeconds = key.Dword("PollSeconds", account.pollSeconds);
    account.retryMaxSeconds = key.Dword("RetryMaxSeconds", account.retryMaxSeconds);
    return account;
}

}  // namespace

CProfile CProfile::Load(const std::string& name)
{
    CProfile profile;
    profile.m_name = name;
    if (profile.m_name.empty()) {
        CRegistryKey profiles(HKEY_CURRENT_USER, kProfilesKey, false);
        profile.m_name = profiles.String("DefaultProfile");
        if (profile.m_name.empty()) throw CMapiError(MAPI_E_LOGON_FAILED, "There is no default profile");
    }
    CRegistryKey key(HKEY_CURRENT_USER, ProfileKey(profile.m_name), false);
    if (!key.Valid()) throw CMapiError(MAPI_E_LOGON_FAILED, "There is no profile \"" + profile.m_name + "\"");
    profile.m_addressBook = key.String("AddressBook");
    profile.m_outgoing = key.String("Outgoing");
    profile.m_dropFolder = key.String("DropFolder");
    profile.m_identity = {key.String("SenderName"), key.String("SenderAddress")};
    profile.m_account = LoadAccount(profile.m_name);
    CRegistryKey stores(HKEY_CURRENT_USER, ProfileKey(profile.m_name) + "\\Stores", false);
    for (const std::string& sub : stores.SubKeys()) {
        CRegistryKey storeKey(HKEY_CURRENT_USER, ProfileKey(profile.m_name) + "\\Stores\\" + sub, false);
        Store store;
        store.path = storeKey.String("Path");
        store.displayName = storeKey.String("DisplayName");
        store.entryId = storeKey.Binary("EntryID");
        store.isDefault = storeKey.Dword("Default", 0) != 0;
        if (!store.path.empty() && !store.entryId.empty()) profile.m_stores.push_back(store);
    }
    return profile;
}

void CProfile::Create(const std::string& name, const std::string& addressBook, const std::string& outgoing,
                      bool makeDefault, const std::string& dropFolder)
{
    if (name.empty() || name.find('\\') != std::string::npos)
        throw CMapiError(MAPI_E_INVALID_PARAMETER, "A profile name must be a single key name");
    CRegistryKey key(HKEY_CURRENT_USER, ProfileKey(name), true);
    key.SetString("AddressBook", addressBook);
    key.SetString("Outgoing", outgoing);
    key.SetString("DropFolder", dropFolder);
    key.SetDword("SpoolerHold", 0);
    if (makeDefault) {
        CRegistryKey profiles(HKEY_CURRENT_USER, kProfilesKey, true);
        profiles.SetString("DefaultProfile", name);
    }
}

void CProfile::AddStore(const std::string& name, const Store& store)
{
    CRegistryKey stores(HKEY_CURRENT_USER, ProfileKey(name) + "\\Stores", true);
    std::string sub = std::to_string(stores.SubKeys().size() + 1);
    CRegistryKey key(HKEY_CURRENT_USER, ProfileKey(name) + "\\Stores\\" + sub, true);
    key.SetString("Path", store.path);
    key.SetString("DisplayName", store.displayName);
    key.SetBinary("EntryID", store.entryId);
    key.SetDword("Default", store.isDefault ? 1 : 0);
}

void CProfile::SetIdentity(const std::string& name, const Identity& identity)
{
    CRegistryKey key(HKEY_CURRENT_USER, ProfileKey(name), false);
    if (!key.Valid()) throw CMapiError(MAPI_E_NOT_FOUND, "There is no profile \"" + name + "\"");
    key.SetString("SenderName", identity.name);
    key.SetString("SenderAddress", identity.address);
}

void CProfile::SetAccount(const std::string& name, const MailAccount& account)
{
    if (!CRegistryKey(HKEY_CURRENT_USER, ProfileKey(name), false).Valid())
        throw CMapiError(MAPI_E_NOT_FOUND, "There is no profile \"" + name + "\"");
    if (account.smtpUrl.empty()) {
        RegDeleteTree(HKEY_CURRENT_USER, AccountKey(name).c_str());
        return;
    }
    CRegistryKey key(HKEY_CURRENT_USER, AccountKey(name), true);
    key.SetString("SmtpUrl", account.smtpUrl);
    key.SetString("ImapUrl", account.imapUrl);
    key.SetString("User", account.user);
    key.SetString("PasswordFile", account.passwordFile);
    key.SetString("CaFile", account.caFile);
    key.SetDword("PollSeconds", account.pollSeconds);
    key.SetDword("RetryMaxSeconds", account.retryMaxSeconds);
}

bool CProfile::Held(const std::string& name)
{
    CRegistryKey key(HKEY_CURRENT_USER, ProfileKey(name), false);
    return key.Dword("SpoolerHold", 0) != 0;
}

bool CProfile::FlushHeld(const std::string& name)
{
    CRegistryKey key(HKEY_CURRENT_USER, ProfileKey(name), false);
    return key.Dword("SpoolerHold", 0) == kHoldFlush;
}

void CProfile::SetHeld(const std::string& name, bool held, bool holdFlush)
{
    CRegistryKey key(HKEY_CURRENT_USER, ProfileKey(name), false);
    if (!key.Valid()) throw CMapiError(MAPI_E_NOT_FOUND, "There is no profile \"" + name + "\"");
    key.SetDword("SpoolerHold", held ? (holdFlush ? kHoldFlush : 1) : 0);
}

const CProfile::Store* CProfile::FindStore(const std::string& entryId) const
{
    for (const Store& store : m_stores)
        if (store.entryId.size() == entryId.size() && store.entryId.compare(4, std::string::npos, entryId, 4) == 0)
            return &store;
    return nullptr;
}

const CProfile::Store* CProfile::DefaultStore() const
{
    for (const Store& store : m_stores)
        if (store.isDefault) return &store;
    return m_stores.empty() ? nullptr : &m_stores.front();
}

}  // namespace pollenta::mapi
