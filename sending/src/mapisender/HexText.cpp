#include "HexText.h"

#include "mapi/MapiUtil.h"

std::string HexTextOfBytes(ULONG count, const BYTE* bytes)
{
    std::string text(count * 2 + 1, '\0');
    HexFromBin(const_cast<LPBYTE>(bytes), static_cast<int>(count), text.data());
    text.pop_back();
    return text;
}

BOOL BytesOfHexText(const std::string& text, LPBYTE* bytes, ULONG* count)
{
    *bytes = nullptr;
    *count = static_cast<ULONG>(text.size() / 2);
    LPVOID buffer = nullptr;
    if (FAILED(MAPIAllocateBuffer(*count ? *count : 1, &buffer)))
        return FALSE;
    *bytes = static_cast<LPBYTE>(buffer);
    return FBinFromHex(const_cast<char*>(text.c_str()), *bytes);
}
