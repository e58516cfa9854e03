#pragma once
// The wizard's entry in the Add-Ins menu of each installed Access version.

#include "win/Types.h"

#include <string>

class CWEAccessAddinRegistration {
public:
    explicit CWEAccessAddinRegistration(std::string modulePath);

    // S_OK when at least one Access version took the entry; otherwise the
    // user is told why and the result is E_FAIL.
    HRESULT Register() const;
    void Unregister() const;

private:
    // 0 registered, -1 no such Access version, 1 no folder in the module
    // path, 2 the entry's key could not be made.
    int RegisterVersion(const char* version) const;

    std::string m_modulePath;
};
