#pragma once
// One code page as the code-page enumeration describes it (the fields of
// MLang's MIMECPINFO), and where the wizard gets the list from. The
// enumeration itself belongs to the engine's code-page table; the combo box
// takes it through WECodePageSource so that the table can be plugged in.

#include "win/Types.h"

#include <functional>
#include <string>
#include <vector>

struct WECodePageRecord {
    DWORD dwFlags = 0;
    UINT uiCodePage = 0;
    UINT uiFamilyCodePage = 0;
    std::u16string wszDescription;
    std::u16string wszWebCharset;
    std::u16string wszHeaderCharset;
    std::u16string wszBodyCharset;
    std::u16string wszFixedWidthFont;
    std::u16string wszProportionalFont;
    BYTE bGDICharset = 0;
};

// The code pages that the enumeration yields for `flags`, in its order.
using WECodePageSource = std::function<std::vector<WECodePageRecord>(DWORD flags)>;

// The filter the wizard asks the enumeration with.
inline constexpr DWORD WE_CODEPAGES_FOR_BROWSER = 2; // MIMECONTF_BROWSER
