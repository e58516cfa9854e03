#pragma once
// The mail host's profiles: a MAPI profile with one store, an address book,
// an outgoing folder (where sent mail lands as .eml files) and a drop folder
// (where .eml files are taken in), all in the profile's own folder under
// the user's data folder, plus the user's name and address.

#include "mapi/IMAPISession.h"

#include "com/ComPtr.h"

#include <string>

namespace mailhost {

inline constexpr const char* kDefaultProfile = "Default";

struct ProfileUser {
    std::string name;
    std::string address;
};

// $XDG_DATA_HOME/pollenta, else ~/.local/share/pollenta.
std::string DataFolder();
// DataFolder()/profiles/<name>.
std::string ProfileFolder(const std::string& profile);
// A new profile (the default one when makeDefault); MAPI_E_COLLISION when
// its store exists already.
HRESULT CreateHostProfile(const std::string& profile, const ProfileUser& user, bool makeDefault);
// `profile`, or for an empty name the default profile's name ("" when
// none is set).
std::string ProfileName(const std::string& profile);
// Logs on to `profile`, or with an empty name to the default profile,
// making the default profile first when there is none.
HRESULT LogOn(const std::string& profile, CComPtr<IMAPISession>& session, std::string& usedProfile);
ProfileUser ReadProfileUser(const std::string& profile);

}  // namespace mailhost
