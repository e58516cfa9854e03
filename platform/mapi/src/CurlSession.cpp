#include "CurlSession.h"

#include "MapiError.h"
#include "mapi/MapiCodes.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>

namespace pollenta::mapi {

namespace {

// A server that does not answer at all is given up on after this long, so
// that a round of the spooler ends and is tried again later.
constexpr long kConnectSeconds = 15;
constexpr long kStalledSeconds = 60;

void InitialiseCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct UrlParts {
    std::string scheme;
    std::string host;
};

UrlParts Parse(const std::string& url)
{
    std::unique_ptr<CURLU, void (*)(CURLU*)> handle(curl_url(), curl_url_cleanup);
    if (!handle || curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        throw CMapiError(MAPI_E_INVALID_PARAMETER, "\"" + url + "\" is no URL");
    UrlParts parts;
    for (auto [part, text] : {std::pair{CURLUPART_SCHEME, &parts.scheme}, std::pair{CURLUPART_HOST, &parts.host}}) {
        char* value = nullptr;
        if (curl_url_get(handle.get(), part, &value, 0) == CURLUE_OK && value) *text = value;
        curl_free(value);
    }
    std::transform(parts.scheme.begin(), parts.scheme.end(), parts.scheme.begin(), ::tolower);
    return parts;
}

// What a server says to a command that is not a transfer is not wanted.
size_t Discard(char*, size_t size, size_t count, void*) { return size * count; }

bool IsLoopback(const std::string& host)
{
    return host == "localhost" || host.rfind("127.", 0) == 0 || host == "[::1]" || host == "::1";
}

std::string ReadPassword(const std::string& file)
{
    if (file.empty()) return {};
    std::ifstream in(file, std::ios::binary);
    if (!in) throw CMapiError(MAPI_E_NO_ACCESS, "The account's password file " + file + " cannot be read");
    std::string password((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    while (!password.empty() && (password.back() == '\n' || password.back() == '\r')) password.pop_back();
    return password;
}

}  // namespace

CCurlSession::CCurlSession(const MailAccount& account, const std::string& url,
                           std::initializer_list<const char*> schemes)
    : m_url(url)
{
    InitialiseCurl();
    UrlParts parts = Parse(url);
    if (std::none_of(schemes.begin(), schemes.end(), [&](const char* s) { return parts.scheme == s; }))
        throw CMapiError(MAPI_E_INVALID_PARAMETER, "\"" + url + "\" is not a URL of " + *schemes.begin() + "://");
    m_password = ReadPassword(account.passwordFile);
    m_curl = curl_easy_init();
    if (!m_curl) throw CMapiError(MAPI_E_NOT_ENOUGH_MEMORY, "libcurl cannot make a handle");
    curl_easy_setopt(m_curl, CURLOPT_ERRORBUFFER, m_error);
    curl_easy_setopt(m_curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, Discard);
    curl_easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_TIME, kStalledSeconds);
    curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!account.caFile.empty()) curl_easy_setopt(m_curl, CURLOPT_CAINFO, account.caFile.c_str());
    bool implicitTls = parts.scheme.back() == 's';
    if (!implicitTls)
        curl_easy_setopt(m_curl, CURLOPT_USE_SSL, IsLoopback(parts.host) ? CURLUSESSL_TRY : CURLUSESSL_ALL);
    if (!account.user.empty()) {
        curl_easy_setopt(m_curl, CURLOPT_USERNAME, account.user.c_str());
        curl_easy_setopt(m_curl, CURLOPT_PASSWORD, m_password.c_str());
    }
}

CCurlSession::~CCurlSession()
{
    if (m_curl) curl_easy_cleanup(m_curl);
    std::fill(m_password.begin(), m_password.end(), '\0');
}

CURLcode CCurlSession::Perform()
{
    m_error[0] = '\0';
    return curl_easy_perform(m_curl);
}

std::string CCurlSession::Describe(CURLcode code) const
{
    std::string text = m_error[0] ? m_error : curl_easy_strerror(code);
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return m_url + ": " + text;
}

bool CCurlSession::IsAccountFault(CURLcode code)
{
    switch (code) {
    case CURLE_LOGIN_DENIED:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_USE_SSL_FAILED:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return true;
    default:
        return false;
    }
}

}  // namespace pollenta::mapi
