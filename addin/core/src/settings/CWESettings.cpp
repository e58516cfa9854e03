#include "settings/CWESettings.h"

#include "resources/KestrinResources.h"
#include "settings/FolderRecordFormat.h"
#include "settings/RegistryKey.h"
#include "win/RegistryGroup.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <strings.h>

namespace {

constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE;
constexpr const char* kFoldersKey = "Folders2";
constexpr const char* kDestinationValue = "DstFolder2";
// Keys of the product key that belong to others, never to a profile.
constexpr const char* kReservedKeys[] = {"Projects", "PickerPosition"};
constexpr const char* kReservedProfilePrefix = "Profile ";

struct JournalValue {
    const char* name;
    LONG CWESettings::*field;
};

constexpr JournalValue kJournalValues[] = {
    {"MakeJounral", &CWESettings::m_nMakeJounral},       {"AutoClear", &CWESettings::m_nAutoClear},
    {"KeepDays", &CWESettings::m_nKeepDays},             {"AddJournErrors", &CWESettings::m_nAddJournErrors},
    {"AddJournProcess", &CWESettings::m_nAddJournProcess}, {"AddJournService", &CWESettings::m_nAddJournService},
};

HRESULT FromWin32(LONG error)
{
    return error == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(error));
}

bool IsReservedKeyName(const std::string& name)
{
    return std::any_of(std::begin(kReservedKeys), std::end(kReservedKeys),
                       [&](const char* reserved) { return strcasecmp(reserved, name.c_str()) == 0; });
}

std::string RecordValueName(std::size_t index)
{
    char name[32];
    std::snprintf(name, sizeof name, "%09i", static_cast<int>(index));
    return name;
}

void TakeNumber(const RegistryKey& key, const char* name, LONG& field)
{
    DWORD value = 0;
    if (key.ReadNumber(name, value) == ERROR_SUCCESS)
        field = static_cast<LONG>(value);
}

}  // namespace

CWESettings::CWESettings()
    : m_nIgnoreServFolders(1), m_nMessageAction(0), m_nMakeJounral(1), m_nAutoClear(1), m_nKeepDays(15),
      m_nAddJournErrors(1), m_nAddJournProcess(1), m_nAddJournService(0), m_strRootKey(kRootKey)
{
}

CWESettings& CWESettings::operator=(const CWESettings& other)
{
    if (&other == this)
        return *this;
    m_arrFolders = other.m_arrFolders;
    m_nIgnoreServFolders = other.m_nIgnoreServFolders;
    m_nMessageAction = other.m_nMessageAction;
    m_DstFolder = other.m_DstFolder;
    for (const JournalValue& value : kJournalValues)
        this->*value.field = other.*value.field;
    m_strLogFolderPath = other.m_strLogFolderPath;
    return *this;
}

std::string CWESettings::GetProfileKey() const
{
    if (m_strProfileName.empty())
        return "";
    if (!IsReservedKeyName(m_strProfileName) && m_strProfileName.find('\\') == std::string::npos)
        return m_strRootKey + "\\" + m_strProfileName;
    std::string name = kReservedProfilePrefix + m_strProfileName;
    std::replace(name.begin(), name.end(), '\\', '/');
    return m_strRootKey + "\\" + name;
}

HRESULT CWESettings::LoadJournal()
{
    RegistryKey key;
    if (key.Open(HKEY_CURRENT_USER, m_strRootKey, kReadWrite) != ERROR_SUCCESS)
        return E_FAIL;
    for (const JournalValue& value : kJournalValues)
        TakeNumber(key, value.name, this->*value.field);
    key.ReadText("LogFolderPath", m_strLogFolderPath);
    if (m_strLogFolderPath.empty()) {
        const std::string folder = KestrinModuleFolder();
        if (folder.empty())
            return E_FAIL;
        m_strLogFolderPath = folder + "Logs";
    }
    return S_OK;
}

void CWESettings::LoadFolderList(const std::string& profileKey, HRESULT& result)
{
    RegistryKey key;
    if (key.Open(HKEY_CURRENT_USER, profileKey + "\\" + kFoldersKey, KEY_READ) != ERROR_SUCCESS)
        return;
    std::vector<std::string> names;
    LONG error = key.ValueNames(names);
    if (error != ERROR_SUCCESS) {
        result = FromWin32(error);
        return;
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return std::strcmp(a.c_str(), b.c_str()) < 0; });
    for (const std::string& name : names) {
        std::vector<BYTE> bytes;
        error = key.ReadBinary(name.c_str(), bytes);
        if (error == ERROR_INVALID_DATA)
            continue;  // not a record: values of other types are passed over
        if (error != ERROR_SUCCESS) {
            result = FromWin32(error);
            continue;
        }
        CWEWatchedFolder folder;
        if (!DecodeFolderRecord(bytes, folder)) {
            m_damaged.push_back({std::string(kFoldersKey) + "\\" + name, bytes, m_arrFolders.size()});
            continue;
        }
        m_arrFolders.push_back(folder);
    }
}

HRESULT CWESettings::LoadFolders()
{
    const std::string profileKey = GetProfileKey();
    if (profileKey.empty())
        return S_FALSE;
    HRESULT result = S_OK;
    m_damaged.clear();
    LoadFolderList(profileKey, result);
    RegistryKey key;
    if (key.Open(HKEY_CURRENT_USER, profileKey, kReadWrite) != ERROR_SUCCESS)
        return FAILED(result) ? result : S_FALSE;
    TakeNumber(key, "IgnoreServFolders", m_nIgnoreServFolders);
    TakeNumber(key, "MessageAction", m_nMessageAction);
    m_nFoundMessageAction = m_nMessageAction;
    std::vector<BYTE> bytes;
    if (key.ReadBinary(kDestinationValue, bytes) == ERROR_SUCCESS && !DecodeFolderRecord(bytes, m_DstFolder))
        m_damaged.push_back({kDestinationValue, bytes, 0});
    if (m_DstFolder.m_FolderId.IsEmpty())
        m_nMessageAction = 0;
    return result;
}

void CWESettings::SaveFolders(const std::string& profileKey) const
{
    RegistryKey folders;
    if (folders.Create(HKEY_CURRENT_USER, profileKey + "\\" + kFoldersKey, kReadWrite) != ERROR_SUCCESS)
        return;
    // Damaged records keep their place among the others.
    std::size_t written = 0;
    auto damaged = m_damaged.begin();
    for (std::size_t index = 0; index <= m_arrFolders.size(); ++index) {
        for (; damaged != m_damaged.end() && damaged->position == index; ++damaged)
            if (damaged->name != kDestinationValue)
                folders.WriteBinary(RecordValueName(written++).c_str(), damaged->bytes);
        if (index < m_arrFolders.size())
            folders.WriteBinary(RecordValueName(written++).c_str(), EncodeFolderRecord(m_arrFolders[index]));
    }
}

const std::vector<BYTE>* CWESettings::DamagedDestination() const
{
    for (const DamagedRecord& record : m_damaged)
        if (record.name == kDestinationValue)
            return &record.bytes;
    return nullptr;
}

HRESULT CWESettings::Save()
{
    // The profile's key is removed and written anew: as one write, so that
    // no moment on the disk holds it half written or gone.
    RegistryChangeGroup group;
    const std::string profileKey = GetProfileKey();
    if (!profileKey.empty()) {
        RegDeleteTree(HKEY_CURRENT_USER, profileKey.c_str());
        RegistryKey key;
        if (key.Create(HKEY_CURRENT_USER, profileKey, kReadWrite) != ERROR_SUCCESS)
            return E_FAIL;
        SaveFolders(profileKey);
        key.WriteNumber("IgnoreServFolders", static_cast<DWORD>(m_nIgnoreServFolders));
        // A move whose target is damaged is off while the add-in runs, and
        // stays the user's choice in the registry.
        const std::vector<BYTE>* damaged = DamagedDestination();
        key.WriteNumber("MessageAction", static_cast<DWORD>(damaged ? m_nFoundMessageAction : m_nMessageAction));
        key.WriteBinary(kDestinationValue, damaged ? *damaged : EncodeFolderRecord(m_DstFolder));
    }
    const HRESULT saved = SaveJournal();
    return group.End() == ERROR_SUCCESS ? saved : E_FAIL;
}

HRESULT CWESettings::SaveJournal()
{
    RegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, m_strRootKey, kReadWrite) != ERROR_SUCCESS)
        return E_FAIL;
    for (const JournalValue& value : kJournalValues)
        key.WriteNumber(value.name, static_cast<DWORD>(this->*value.field));
    key.WriteText("LogFolderPath", m_strLogFolderPath);
    return S_OK;
}
