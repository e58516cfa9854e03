#pragma once
// The keys that make Hubberly creatable by ProgID: the ProgIDs, the class,
// its AppID, the type library and the interface, all under
// HKEY_CLASSES_ROOT.

#include "win/Types.h"

#include <string>

class CWEServerRegistration {
public:
    explicit CWEServerRegistration(std::string modulePath);

    HRESULT Register() const;
    // Removes every key Register writes; keys already gone are fine.
    HRESULT Unregister() const;

private:
    std::string m_modulePath;
};
