#pragma once
// The URL functions a page's references are resolved with, in the manner
// of the Internet functions of the old system: the scheme of a URL, a
// reference combined with the page's address, and file URLs turned into
// local paths and back. Nothing is percent-encoded or decoded; local paths
// come back as they were written.
//
//     InternetCombineUrl("/home/ann/survey.htm", "img/../pic.gif", ...)  // "file:///home/ann/pic.gif"
//     PathCreateFromUrl("file:///home/ann/pic.gif", path)                 // "/home/ann/pic.gif"

#include "win/Types.h"

#include <string>

enum INTERNET_SCHEME : int {
    INTERNET_SCHEME_PARTIAL = -2,
    INTERNET_SCHEME_UNKNOWN = -1,
    INTERNET_SCHEME_DEFAULT = 0,
    INTERNET_SCHEME_FTP = 1,
    INTERNET_SCHEME_GOPHER = 2,
    INTERNET_SCHEME_HTTP = 3,
    INTERNET_SCHEME_HTTPS = 4,
    INTERNET_SCHEME_FILE = 5,
    INTERNET_SCHEME_NEWS = 6,
    INTERNET_SCHEME_MAILTO = 7,
    INTERNET_SCHEME_SOCKS = 8,
    INTERNET_SCHEME_JAVASCRIPT = 9,
    INTERNET_SCHEME_VBSCRIPT = 10,
    INTERNET_SCHEME_RES = 11,
};

inline constexpr DWORD ICU_NO_ENCODE = 0x20000000;

// Only the scheme is cracked; the other parts of a URL are not asked for
// by this system.
struct URL_COMPONENTS {
    DWORD dwStructSize;
    INTERNET_SCHEME nScheme;
};

// FALSE (ERROR_INTERNET_UNRECOGNIZED_SCHEME) for a text without a scheme,
// such as a local path; a scheme not in the list above cracks as
// INTERNET_SCHEME_UNKNOWN. `length` 0 means up to the NUL.
BOOL InternetCrackUrl(LPCSTR url, DWORD length, DWORD flags, URL_COMPONENTS* components);

// The reference resolved against the base (a URL or a local path, which
// counts as its file URL; a relative path is taken from the current
// folder). Never throws: no memory gives FALSE (ERROR_NOT_ENOUGH_MEMORY). *length is the buffer's size in; out, the
// characters written without the NUL, or, when the buffer is missing or too
// small, the size needed with the NUL (FALSE, ERROR_INSUFFICIENT_BUFFER).
// Backslashes in a reference without a scheme are read as slashes.
BOOL InternetCombineUrl(LPCSTR baseUrl, LPCSTR relativeUrl, LPSTR buffer, LPDWORD length, DWORD flags);

// The local path of a file URL: "file:///p" and "file://localhost/p" give
// "/p", "file:/p" gives "/p", "file://server/share/p" gives the network
// path "//server/share/p". False for other URLs and for nothing after the
// slashes.
bool PathCreateFromUrl(const std::string& url, std::string& path);
// "file://" and the absolute path; false for a relative path.
bool UrlCreateFromPath(const std::string& path, std::string& url);
