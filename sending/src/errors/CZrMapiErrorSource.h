#pragma once
// The outside texts of MAPI error codes. The file named in the registry
// value "MessageSourceDll" holds them as an LNG string table whose ids are
// the HRESULTs; without it, MAPI errors get the system's wording only.

#include "lang/CWELanguageTable.h"

#include "win/Types.h"

#include <string>

class CZrMapiErrorSource {
public:
    // False when the file is missing or not a valid table (then it is not used).
    bool Load(const std::string& path);
    // Loads the file that HKEY_LOCAL_MACHINE "SOFTWARE\Velquin Ltd\MAPI Errors"
    // names in "MessageSourceDll"; a missing key or value is no error.
    bool LoadConfigured();
    void Unload();
    bool IsLoaded() const { return m_bLoaded; }

    // The source's text of the HRESULT, else the system's wording, else "".
    std::string Text(HRESULT hr) const;

private:
    CWELanguageTable m_table;
    bool m_bLoaded = false;
};

// The module's MAPI error text source, chosen at start-up.
CZrMapiErrorSource& MapiErrorSource();
