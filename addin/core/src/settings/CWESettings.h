#pragma once
// Everything the add-in keeps in the registry: the log settings under the
// product key, and per MAPI profile the watched folders, whether service
// folders are skipped, what happens to a processed answer and where it is
// moved.
//
//     CWESettings settings;
//     settings.LoadJournal();                  // the product key's values
//     settings.SetProfileName(GetProfileName(session));
//     if (FAILED(settings.LoadFolders())) ...  // the profile's folder settings
//     ...
//     settings.Save();                         // once, when the add-in disconnects
//
// The live object has no lock: it changes only on the client's UI thread
// while the add-in's worker threads are stopped or paused.

#include "settings/CWEWatchedFolder.h"

#include "win/Types.h"

#include <string>
#include <vector>

class CWESettings {
public:
    static constexpr const char* kRootKey = "Software\\Velquin Ltd\\Pollenta";

    CWESettings();
    CWESettings(const CWESettings& other) = default;
    // Takes the folder settings and the log settings; the key paths and the
    // profile name stay, so that a copy made for editing never writes the
    // registry of another profile.
    CWESettings& operator=(const CWESettings& other);

    // E_FAIL (defaults kept) when the product key cannot be opened. An
    // empty log folder becomes the "Logs" folder beside the add-in's module.
    HRESULT LoadJournal();
    // S_OK; S_FALSE when the profile has no key (defaults kept); an error
    // when a value cannot be read. A damaged folder record is passed over
    // and kept in GetDamagedRecords, so that one bad value never keeps the
    // add-in from starting; the registry is left as it is.
    HRESULT LoadFolders();
    // Replaces the profile's key with the settings, then writes the log
    // settings; damaged records go back as they were found. Without a
    // profile name only the log settings are written.
    HRESULT Save();
    HRESULT SaveJournal();

    void SetProfileName(const std::string& name) { m_strProfileName = name; }
    const std::string& GetProfileName() const { return m_strProfileName; }
    // The profile's key below HKEY_CURRENT_USER: the product key and the
    // profile name, or "" without a profile name. A profile named like a key
    // of the product's own ("Projects", "PickerPosition"), or with a "\" in
    // its name, gets a key of its own apart from them ("Profile Projects").
    std::string GetProfileKey() const;

    // A folder record that could not be read, as it was found.
    struct DamagedRecord {
        std::string name;  // "Folders2\<value>" or "DstFolder2"
        std::vector<BYTE> bytes;
        std::size_t position = 0;  // readable records of the list before it
    };
    const std::vector<DamagedRecord>& GetDamagedRecords() const { return m_damaged; }
    // The user's new folder list replaces what was damaged.
    void ForgetDamagedRecords() { m_damaged.clear(); }

    std::vector<CWEWatchedFolder> m_arrFolders;
    LONG m_nIgnoreServFolders;
    LONG m_nMessageAction;
    CWEWatchedFolder m_DstFolder;
    LONG m_nMakeJounral;
    LONG m_nAutoClear;
    LONG m_nKeepDays;
    LONG m_nAddJournErrors;
    LONG m_nAddJournProcess;
    LONG m_nAddJournService;
    std::string m_strLogFolderPath;

private:
    void LoadFolderList(const std::string& profileKey, HRESULT& result);
    void SaveFolders(const std::string& profileKey) const;
    // The destination record as it was found, when it was damaged.
    const std::vector<BYTE>* DamagedDestination() const;

    std::string m_strRootKey;
    std::string m_strProfileName;
    std::vector<DamagedRecord> m_damaged;
    LONG m_nFoundMessageAction = 0;
};
