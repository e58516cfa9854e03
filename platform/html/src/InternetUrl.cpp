#include "html/InternetUrl.h"

#include "AsciiText.h"

#include "win/Errors.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

constexpr DWORD ERROR_INTERNET_UNRECOGNIZED_SCHEME = 12006;

// The scheme of a URL in lower case, or "" when the text has none. One
// letter before ":" is a drive ("C:\pics"), not a scheme.
std::string SchemeOf(const std::string& text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool other = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        if (!(letter || (pos > 0 && other)))
            break;
        ++pos;
    }
    if (pos < 2 || pos >= text.size() || text[pos] != ':')
        return {};
    return pollenta::html::AsciiLower(text.substr(0, pos));
}

INTERNET_SCHEME SchemeNumber(const std::string& scheme)
{
    const struct {
        const char* name;
        INTERNET_SCHEME number;
    } known[] = {
        {"ftp", INTERNET_SCHEME_FTP},
        {"gopher", INTERNET_SCHEME_GOPHER},
        {"http", INTERNET_SCHEME_HTTP},
        {"https", INTERNET_SCHEME_HTTPS},
        {"file", INTERNET_SCHEME_FILE},
        {"news", INTERNET_SCHEME_NEWS},
        {"mailto", INTERNET_SCHEME_MAILTO},
        {"socks", INTERNET_SCHEME_SOCKS},
        {"javascript", INTERNET_SCHEME_JAVASCRIPT},
        {"vbscript", INTERNET_SCHEME_VBSCRIPT},
        {"res", INTERNET_SCHEME_RES},
    };
    for (const auto& entry : known) {
        if (scheme == entry.name)
            return entry.number;
    }
    return INTERNET_SCHEME_UNKNOWN;
}

// Removes "." and ".." segments of an absolute path, as RFC 3986 5.2.4 does;
// ".." never climbs above the root.
std::string RemoveDotSegments(const std::string& path)
{
    std::vector<std::string> segments;
    std::size_t pos = 1;
    bool trailingSlash = false;
    while (pos <= path.size()) {
        std::size_t slash = path.find('/', pos);
        if (slash == std::string::npos)
            slash = path.size();
        const std::string segment = path.substr(pos, slash - pos);
        trailingSlash = segment == "." || segment == "..";
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (segment != ".") {
            segments.push_back(segment);
        }
        pos = slash + 1;
    }
    std::string result;
    for (const std::string& segment : segments)
        result += "/" + segment;
    if (trailingSlash || result.empty())
        result += "/";
    return result;
}

// Splits "scheme://authority/path" into its prefix up to the path and the path.
void SplitAtPath(const std::string& url, const std::string& scheme, std::string& prefix, std::string& path)
{
    std::size_t start = std::min(scheme.size() + 1, url.size());
    if (url.compare(start, 2, "//") == 0) {
        const std::size_t slash = url.find('/', start + 2);
        start = slash == std::string::npos ? url.size() : slash;
    }
    prefix = url.substr(0, start);
    path = url.substr(start);
    if (path.empty())
        path = "/";
}

// A relative page path is relative to the current folder, as it is when
// the page is opened.
std::string CurrentFolder()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

std::string Combine(const std::string& base, std::string relative)
{
    if (!SchemeOf(relative).empty())
        return relative;
    for (char& c : relative)
        c = c == '\\' ? '/' : c;
    std::string baseUrl = base;
    if (SchemeOf(base).empty() && !UrlCreateFromPath(base, baseUrl))
        UrlCreateFromPath(CurrentFolder() + "/" + base, baseUrl);
    const std::string scheme = SchemeOf(baseUrl);
    if (relative.compare(0, 2, "//") == 0)
        return scheme + ":" + relative;
    std::string prefix;
    std::string basePath;
    SplitAtPath(baseUrl, scheme, prefix, basePath);
    if (relative.empty())
        return baseUrl;
    if (relative[0] == '/')
        return prefix + RemoveDotSegments(relative);
    if (relative[0] == '?' || relative[0] == '#')
        return prefix + basePath + relative;
    const std::string folder = basePath.substr(0, basePath.rfind('/') + 1);
    return prefix + RemoveDotSegments(folder + relative);
}

}  // namespace

BOOL InternetCrackUrl(LPCSTR url, DWORD length, DWORD flags, URL_COMPONENTS* components)
{
    if (!url || !components) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string text = length ? std::string(url, strnlen(url, length)) : std::string(url);
    const std::string scheme = SchemeOf(text);
    if (scheme.empty()) {
        SetLastError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
        return FALSE;
    }
    components->nScheme = SchemeNumber(scheme);
    return TRUE;
}

BOOL InternetCombineUrl(LPCSTR baseUrl, LPCSTR relativeUrl, LPSTR buffer, LPDWORD length, DWORD flags)
{
    if (!baseUrl || !relativeUrl || !length || !*baseUrl) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string combined;
    try {
        combined = Combine(baseUrl, relativeUrl);
    } catch (const std::exception&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    if (!buffer || *length < combined.size() + 1) {
        *length = static_cast<DWORD>(combined.size() + 1);
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(buffer, combined.c_str(), combined.size() + 1);
    *length = static_cast<DWORD>(combined.size());
    return TRUE;
}

bool PathCreateFromUrl(const std::string& url, std::string& path)
{
    path.clear();
    if (SchemeOf(url) != "file")
        return false;
    std::string rest = url.substr(5);
    if (rest.compare(0, 2, "//") == 0) {
        const std::size_t slash = rest.find('/', 2);
        const std::string host = rest.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
        const std::string tail = slash == std::string::npos ? std::string() : rest.substr(slash);
        rest = host.empty() || pollenta::html::EqualsNoCase(host, "localhost") ? tail : "//" + host + tail;
    }
    if (rest.empty() || rest[0] != '/' || rest.find_first_not_of('/') == std::string::npos)
        return false;
    path = rest;
    return true;
}

bool UrlCreateFromPath(const std::string& path, std::string& url)
{
    url.clear();
    if (path.empty() || path[0] != '/')
        return false;
    url = "file://" + path;
    return true;
}
