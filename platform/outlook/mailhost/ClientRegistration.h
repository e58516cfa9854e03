#pragma once
// What the client's installer writes so that add-ins find it: the
// application class Outlook.Application with the client's program as its
// LocalServer32, and the user's mail-format preference (the client's own
// HTML editor) when the user has none.

#include "win/Types.h"

#include <string>

namespace mailhost {

// {0006F03A-0000-0000-C000-000000000046}
HRESULT RegisterClientClass(const std::string& programPath);
// "11.0.5510" as the file version's two halves; false for another form.
bool ParseClientVersion(const std::string& version, DWORD& mostSignificant, DWORD& leastSignificant);

}  // namespace mailhost
