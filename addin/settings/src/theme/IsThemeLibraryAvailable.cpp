#include "theme/IsThemeLibraryAvailable.h"

#include "ui/Theme.h"

#include <mutex>

BOOL IsThemeLibraryAvailable()
{
    static std::once_flag tested;
    static BOOL available = FALSE;
    std::call_once(tested, [] { available = IsThemeLibraryPresent(); });
    return available;
}
