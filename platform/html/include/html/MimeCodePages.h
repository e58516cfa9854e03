#pragma once
// The code pages a survey page can be written in, as the multi-language
// component lists them for a browser: a fixed table of charsets that iconv
// converts, so that any entry can be used to read and write a page.
//
//     std::vector<MIMECPINFO> pages;
//     EnumCodePages(MIMECONTF_BROWSER, 0, pages);
//     ToNarrow(pages[0].wszWebCharset);   // "utf-8"

#include "win/Errors.h"
#include "win/Types.h"

#include <string_view>
#include <vector>

inline constexpr DWORD MIMECONTF_MAILNEWS = 0x00000001;
inline constexpr DWORD MIMECONTF_BROWSER = 0x00000002;
inline constexpr DWORD MIMECONTF_MINIMAL = 0x00000004;
inline constexpr DWORD MIMECONTF_VALID = 0x00040000;

struct MIMECPINFO {
    DWORD dwFlags;
    UINT uiCodePage;
    UINT uiFamilyCodePage;
    WCHAR wszDescription[64];
    WCHAR wszWebCharset[50];
    WCHAR wszHeaderCharset[50];
    WCHAR wszBodyCharset[50];
    WCHAR wszFixedWidthFont[32];
    WCHAR wszProportionalFont[32];
    BYTE bGDICharset;
};

// Appends, in a fixed order, every code page whose flags share a bit with
// `flags` (0 lists all). Web charset names are lower case. The language of
// the descriptions is English whatever `language` asks for.
HRESULT EnumCodePages(DWORD flags, LANGID language, std::vector<MIMECPINFO>& pages);

struct MIMECSETINFO {
    UINT uiCodePage;          // the code page family
    UINT uiInternetEncoding;  // the code page the charset's bytes are read in
    WCHAR wszCharset[50];     // the name asked for, lower case
};

// What a charset name of a mail part or a page stands for, the names of the
// table above and their usual aliases alike, without regard to case. As
// browsers do, "iso-8859-1" and "us-ascii" are read as windows-1252: pages
// declared so post windows-1252 bytes. E_INVALIDARG for a name that is not
// known.
HRESULT GetCharsetInfo(std::string_view charset, MIMECSETINFO& info);
