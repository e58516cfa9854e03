#include "win/CodePage.h"
#include "win/Locale.h"

#include "CaseFold.h"

#include <clocale>
#include <cwchar>
#include <locale.h>
#include <string>

namespace {

// The user's collation from the environment, as a program that called
// setlocale(LC_ALL, "") would have it; the C order where it is not installed.
locale_t UserCollation()
{
    static const locale_t collation = [] {
        locale_t user = newlocale(LC_COLLATE_MASK, "", static_cast<locale_t>(0));
        return user ? user : newlocale(LC_COLLATE_MASK, "C", static_cast<locale_t>(0));
    }();
    return collation;
}

std::wstring FoldedWide(LPCSTR text)
{
    const std::u32string folded = CaseFold::FoldText(Recode(text ? text : "", CP_ACP, CP_UTF8));
    return std::wstring(folded.begin(), folded.end());
}

} // namespace

int lstrcmpi(LPCSTR a, LPCSTR b)
{
    const int order = wcscoll_l(FoldedWide(a).c_str(), FoldedWide(b).c_str(), UserCollation());
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}
