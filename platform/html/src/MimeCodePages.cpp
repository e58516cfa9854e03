#include "html/MimeCodePages.h"

#include <string>
#include <string_view>

namespace {

constexpr DWORD kEveryUse = MIMECONTF_MAILNEWS | MIMECONTF_BROWSER | MIMECONTF_VALID;

struct CodePageRow {
    UINT codePage;
    UINT family;
    const char* description;
    const char* charset;  // the web, header and body charset alike
    BYTE gdiCharset;
};

// Every charset here is an iconv name, so a page can be decoded in it.
const CodePageRow kCodePages[] = {
    {65001, 1200, "Unicode (UTF-8)", "utf-8", 1},
    {1252, 1252, "Western European (Windows)", "windows-1252", 0},
    {28591, 1252, "Western European (ISO)", "iso-8859-1", 0},
    {28605, 1252, "Latin 9 (ISO)", "iso-8859-15", 0},
    {1250, 1250, "Central European (Windows)", "windows-1250", 238},
    {28592, 1250, "Central European (ISO)", "iso-8859-2", 238},
    {1251, 1251, "Cyrillic (Windows)", "windows-1251", 204},
    {20866, 1251, "Cyrillic (KOI8-R)", "koi8-r", 204},
    {21866, 1251, "Cyrillic (KOI8-U)", "koi8-u", 204},
    {866, 1251, "Cyrillic (DOS)", "cp866", 204},
    {28595, 1251, "Cyrillic (ISO)", "iso-8859-5", 204},
    {1253, 1253, "Greek (Windows)", "windows-1253", 161},
    {28597, 1253, "Greek (ISO)", "iso-8859-7", 161},
    {1254, 1254, "Turkish (Windows)", "windows-1254", 162},
    {28599, 1254, "Turkish (ISO)", "iso-8859-9", 162},
    {1255, 1255, "Hebrew (Windows)", "windows-1255", 177},
    {1256, 1256, "Arabic (Windows)", "windows-1256", 178},
    {1257, 1257, "Baltic (Windows)", "windows-1257", 186},
    {1258, 1258, "Vietnamese (Windows)", "windows-1258", 163},
    {932, 932, "Japanese (Shift-JIS)", "shift_jis", 128},
    {51932, 932, "Japanese (EUC)", "euc-jp", 128},
    {936, 936, "Chinese Simplified (GB2312)", "gb2312", 134},
    {950, 950, "Chinese Traditional (Big5)", "big5", 136},
    {51949, 949, "Korean (EUC)", "euc-kr", 129},
};

// Names that stand for a charset of the table.
const struct {
    const char* alias;
    const char* charset;
} kAliases[] = {
    {"utf8", "utf-8"},
    {"unicode-1-1-utf-8", "utf-8"},
    {"us-ascii", "windows-1252"},
    {"ascii", "windows-1252"},
    {"iso-8859-1", "windows-1252"},
    {"iso8859-1", "windows-1252"},
    {"latin1", "windows-1252"},
    {"l1", "windows-1252"},
    {"cp1252", "windows-1252"},
    {"x-cp1252", "windows-1252"},
    {"cp1250", "windows-1250"},
    {"x-cp1250", "windows-1250"},
    {"cp1251", "windows-1251"},
    {"x-cp1251", "windows-1251"},
    {"koi8", "koi8-r"},
    {"sjis", "shift_jis"},
    {"shift-jis", "shift_jis"},
    {"x-sjis", "shift_jis"},
    {"ms_kanji", "shift_jis"},
    {"windows-31j", "shift_jis"},
    {"csshiftjis", "shift_jis"},
    {"cp932", "shift_jis"},
    {"gbk", "gb2312"},
    {"x-euc-jp", "euc-jp"},
};

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

const CodePageRow* RowOfCharset(const std::string& name)
{
    std::string charset = name;
    for (const auto& alias : kAliases)
        if (name == alias.alias)
            charset = alias.charset;
    for (const CodePageRow& row : kCodePages)
        if (charset == row.charset)
            return &row;
    return nullptr;
}

template <std::size_t N>
void CopyWide(WCHAR (&target)[N], std::string_view ascii)
{
    std::size_t i = 0;
    for (; i + 1 < N && i < ascii.size(); ++i)
        target[i] = static_cast<WCHAR>(ascii[i]);
    target[i] = 0;
}

MIMECPINFO MakeInfo(const CodePageRow& row)
{
    MIMECPINFO info = {};
    info.dwFlags = kEveryUse;
    info.uiCodePage = row.codePage;
    info.uiFamilyCodePage = row.family;
    CopyWide(info.wszDescription, row.description);
    CopyWide(info.wszWebCharset, row.charset);
    CopyWide(info.wszHeaderCharset, row.charset);
    CopyWide(info.wszBodyCharset, row.charset);
    CopyWide(info.wszFixedWidthFont, "Courier New");
    CopyWide(info.wszProportionalFont, "Arial");
    info.bGDICharset = row.gdiCharset;
    return info;
}

}  // namespace

HRESULT EnumCodePages(DWORD flags, LANGID language, std::vector<MIMECPINFO>& pages)
{
    for (const CodePageRow& row : kCodePages) {
        if (flags == 0 || (flags & kEveryUse) != 0)
            pages.push_back(MakeInfo(row));
    }
    return S_OK;
}

HRESULT GetCharsetInfo(std::string_view charset, MIMECSETINFO& info)
{
    // Mail headers may quote the name or leave blanks around it.
    const std::size_t begin = charset.find_first_not_of(" \t\"");
    const std::size_t end = charset.find_last_not_of(" \t\"");
    const std::string name = begin == std::string_view::npos ? "" : LowerAscii(charset.substr(begin, end - begin + 1));
    const CodePageRow* row = RowOfCharset(name);
    if (!row)
        return E_INVALIDARG;
    info = {};
    info.uiCodePage = row->family;
    info.uiInternetEncoding = row->codePage;
    CopyWide(info.wszCharset, name);
    return S_OK;
}
