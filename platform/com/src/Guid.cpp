#include "com/Guid.h"

#include <cstdio>

namespace pollenta::com {

std::string GuidToString(REFGUID guid)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1, guid.Data2,
                  guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text;
}

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at text[pos]; false on any non-hex character.
bool ReadHex(const std::string& text, size_t pos, int digits, unsigned long long& value)
{
    value = 0;
    for (int i = 0; i < digits; ++i) {
        int d = HexDigit(text[pos + i]);
        if (d < 0) return false;
        value = (value << 4) | static_cast<unsigned>(d);
    }
    return true;
}

}  // namespace

bool GuidFromString(const std::string& text, GUID& guid)
{
    if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' || text[14] != '-' ||
        text[19] != '-' || text[24] != '-')
        return false;
    unsigned long long v;
    GUID g{};
    if (!ReadHex(text, 1, 8, v)) return false;
    g.Data1 = static_cast<DWORD>(v);
    if (!ReadHex(text, 10, 4, v)) return false;
    g.Data2 = static_cast<WORD>(v);
    if (!ReadHex(text, 15, 4, v)) return false;
    g.Data3 = static_cast<WORD>(v);
    static constexpr size_t kByteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!ReadHex(text, kByteAt[i], 2, v)) return false;
        g.Data4[i] = static_cast<BYTE>(v);
    }
    guid = g;
    return true;
}

}  // namespace pollenta::com

extern "C" int StringFromGUID2(REFGUID guid, LPOLESTR text, int cchMax)
{
    const std::string narrow = pollenta::com::GuidToString(guid);
    const int needed = static_cast<int>(narrow.size()) + 1;
    if (!text || cchMax < needed) return 0;
    for (size_t i = 0; i < narrow.size(); ++i) text[i] = static_cast<OLECHAR>(narrow[i]);
    text[narrow.size()] = 0;
    return needed;
}

extern "C" HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid)
{
    if (!clsid) return E_INVALIDARG;
    std::string narrow;
    for (const OLECHAR* p = text; p && *p && narrow.size() <= 38; ++p) {
        if (*p > 0x7F) return CO_E_CLASSSTRING;
        narrow.push_back(static_cast<char>(*p));
    }
    return pollenta::com::GuidFromString(narrow, *clsid) ? S_OK : CO_E_CLASSSTRING;
}

extern "C" HRESULT IIDFromString(LPCOLESTR text, IID* iid) { return CLSIDFromString(text, iid); }
