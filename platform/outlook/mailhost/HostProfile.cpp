#include "HostProfile.h"

#include "mapi/Mapi.h"
#include "mapi/MapiAdmin.h"
#include "win/Registry.h"

#include <cstdlib>
#include <filesystem>

namespace mailhost {

namespace {

constexpr const char* kProfilesKey = "Software\\Pollenta\\MailHost\\Profiles";

std::string UserKey(const std::string& profile)
{
    return std::string(kProfilesKey) + "\\" + profile;
}

LONG WriteUser(const std::string& profile, const ProfileUser& user)
{
    HKEY key = nullptr;
    LONG result = RegCreateKeyEx(HKEY_CURRENT_USER, UserKey(profile).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                 &key, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    for (const auto& [name, value] : {std::pair{"UserName", &user.name}, std::pair{"Address", &user.address}}) {
        result = RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                               static_cast<DWORD>(value->size() + 1));
        if (result != ERROR_SUCCESS)
            break;
    }
    RegCloseKey(key);
    return result;
}

std::string ReadValue(HKEY key, const char* name)
{
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return "";
    return buffer;
}

// The profile MAPI logs on to when it is given no name; "" when none is set.
std::string DefaultProfileName()
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Pollenta\\MAPI\\Profiles", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    const std::string name = ReadValue(key, "DefaultProfile");
    RegCloseKey(key);
    return name;
}

// Profiles made before the MAPI profile kept the user had it only here; the
// spooler reads it from the MAPI profile.
void CopyUserToMapiProfile(const std::string& profile)
{
    std::string name, address;
    if (FAILED(pollenta::mapi::ProfileIdentity(profile, name, address)) || !address.empty())
        return;
    const ProfileUser user = ReadProfileUser(profile);
    if (!user.address.empty())
        pollenta::mapi::SetProfileIdentity(profile, user.name, user.address);
}

}  // namespace

std::string DataFolder()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return std::string(data) + "/pollenta";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.local/share/pollenta";
}

std::string ProfileFolder(const std::string& profile)
{
    return DataFolder() + "/profiles/" + profile;
}

HRESULT CreateHostProfile(const std::string& profile, const ProfileUser& user, bool makeDefault)
{
    const std::filesystem::path folder = ProfileFolder(profile);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return E_ACCESSDENIED;
    const std::string book = (folder / "addressbook.db").string();
    const std::string store = (folder / "Personal Folders.store").string();
    if (std::filesystem::exists(store))
        return MAPI_E_COLLISION;
    if (HRESULT hr = pollenta::mapi::CreateProfile(profile, book, (folder / "outgoing").string(), makeDefault,
                                                   (folder / "drop").string());
        FAILED(hr))
        return hr;
    if (HRESULT hr = pollenta::mapi::CreateStore(profile, store, "Personal Folders", true, nullptr); FAILED(hr))
        return hr;
    if (HRESULT hr = pollenta::mapi::SetProfileIdentity(profile, user.name, user.address); FAILED(hr))
        return hr;
    if (!user.address.empty())
        pollenta::mapi::AddMailUser(book, user.name.empty() ? user.address : user.name, user.address, {});
    return WriteUser(profile, user) == ERROR_SUCCESS ? S_OK : E_FAIL;
}

std::string ProfileName(const std::string& profile)
{
    return profile.empty() ? DefaultProfileName() : profile;
}

HRESULT LogOn(const std::string& profile, CComPtr<IMAPISession>& session, std::string& usedProfile)
{
    const ULONG flags = MAPI_EXTENDED | MAPI_NEW_SESSION;
    usedProfile = ProfileName(profile);
    if (!usedProfile.empty())
        CopyUserToMapiProfile(usedProfile);
    HRESULT hr = MAPILogonEx(0, usedProfile.empty() ? nullptr : usedProfile.data(), nullptr, flags, &session);
    if (SUCCEEDED(hr) || !profile.empty())
        return hr;
    // A first run: the default profile is made where the user keeps data.
    usedProfile = kDefaultProfile;
    if (hr = MAPILogonEx(0, usedProfile.data(), nullptr, flags, &session); SUCCEEDED(hr))
        return hr;
    const std::string user = std::getenv("USER") ? std::getenv("USER") : "user";
    if (hr = CreateHostProfile(usedProfile, {user, user + "@localhost"}, true); FAILED(hr))
        return hr;
    return MAPILogonEx(0, usedProfile.data(), nullptr, flags, &session);
}

ProfileUser ReadProfileUser(const std::string& profile)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, UserKey(profile).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    ProfileUser user{ReadValue(key, "UserName"), ReadValue(key, "Address")};
    RegCloseKey(key);
    return user;
}

}  // namespace mailhost
