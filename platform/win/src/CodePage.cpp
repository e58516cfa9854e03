#include "win/CodePage.h"

#include "Utf8.h"
#include "win/Errors.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <map>
#include <mutex>

namespace {

UINT InitialAnsiCodePage();

std::atomic<UINT> g_ansiCodePage{InitialAnsiCodePage()};

// The iconv name of a Windows code page.
std::string IconvName(UINT codePage)
{
    switch (codePage) {
    case CP_UTF7:
        return "UTF-7";
    case 20127:
        return "US-ASCII";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    case 54936:
        return "GB18030";
    case 51932:
        return "EUC-JP";
    default:
        if (codePage >= 28591 && codePage <= 28606)
            return "ISO-8859-" + std::to_string(codePage - 28590);
        return "CP" + std::to_string(codePage);
    }
}

class Converter {
public:
    Converter(const std::string& to, const std::string& from) : m_cd(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter()
    {
        if (Valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns false at a sequence it cannot
    // convert, leaving in and inLeft on it.
    bool Run(const char*& in, size_t& inLeft, std::string& out)
    {
        while (inLeft > 0) {
            char buffer[1024];
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t done = iconv(m_cd, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (done == static_cast<size_t>(-1) && errno != E2BIG)
                return false;
        }
        return true;
    }

private:
    iconv_t m_cd;
};

UINT Resolve(UINT codePage)
{
    if (codePage == CP_ACP || codePage == CP_THREAD_ACP)
        return g_ansiCodePage;
    if (codePage == CP_OEMCP)
        return GetOEMCP();
    return codePage;
}

bool Known(UINT codePage)
{
    if (codePage == CP_UTF8)
        return true;
    if (codePage <= CP_THREAD_ACP)
        return false;
    // Asking iconv costs an open and a close, so answers are kept.
    static std::mutex mutex;
    static std::map<UINT, bool> known;
    std::lock_guard guard(mutex);
    auto found = known.find(codePage);
    if (found == known.end())
        found = known.emplace(codePage, Converter("UTF-16LE", IconvName(codePage)).Valid()).first;
    return found->second;
}

UINT InitialAnsiCodePage()
{
    const char* chosen = std::getenv("POLLENTA_ANSI_CODEPAGE");
    const UINT codePage = chosen ? static_cast<UINT>(std::strtoul(chosen, nullptr, 10)) : CP_UTF8;
    return codePage && Known(codePage) ? codePage : CP_UTF8;
}

bool Decode(UINT codePage, std::string_view text, std::u16string& wide)
{
    if (codePage == CP_UTF8)
        return Utf8::Decode(text, wide);
    Converter converter("UTF-16LE", IconvName(codePage));
    bool clean = true;
    const char* in = text.data();
    size_t left = text.size();
    std::string bytes;
    while (!converter.Run(in, left, bytes)) {
        clean = false;
        bytes.append("\xFD\xFF", 2);
        ++in;
        --left;
    }
    wide.resize(bytes.size() / 2);
    std::memcpy(wide.data(), bytes.data(), wide.size() * 2);
    return clean;
}

bool Encode(UINT codePage, std::u16string_view wide, const std::string& defaultChar, std::string& text)
{
    if (codePage == CP_UTF8)
        return Utf8::Encode(wide, text);
    Converter converter(IconvName(codePage), "UTF-16LE");
    bool clean = true;
    const char* in = reinterpret_cast<const char*>(wide.data());
    size_t left = wide.size() * 2;
    while (!converter.Run(in, left, text)) {
        clean = false;
        text += defaultChar;
        // Skip one character: a surrogate pair is two units.
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(in[0]) | (static_cast<unsigned char>(in[1]) << 8));
        size_t skip = 2;
        if (unit >= 0xD800 && unit < 0xDC00 && left >= 4) {
            const auto next = static_cast<char16_t>(static_cast<unsigned char>(in[2]) | (static_cast<unsigned char>(in[3]) << 8));
            if (next >= 0xDC00 && next < 0xE000)
                skip = 4;
        }
        in += skip;
        left -= skip;
    }
    return clean;
}

int Fail(DWORD error)
{
    SetLastError(error);
    return 0;
}

} // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int textCount, LPWSTR wide, int wideCount)
{
    codePage = Resolve(codePage);
    if (!text || textCount == 0 || textCount < -1 || wideCount < 0 || (wideCount > 0 && !wide))
        return Fail(ERROR_INVALID_PARAMETER);
    if (!Known(codePage))
        return Fail(ERROR_INVALID_PARAMETER);
    const std::string_view input(text, textCount == -1 ? std::strlen(text) + 1 : static_cast<size_t>(textCount));
    std::u16string result;
    if (!Decode(codePage, input, result) && (flags & MB_ERR_INVALID_CHARS))
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
    if (wideCount == 0)
        return static_cast<int>(result.size());
    if (result.size() > static_cast<size_t>(wideCount))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(wide, result.data(), result.size() * sizeof(char16_t));
    return static_cast<int>(result.size());
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR text, int textCount,
                        LPCSTR defaultChar, BOOL* usedDefaultChar)
{
    codePage = Resolve(codePage);
    if (!wide || wideCount == 0 || wideCount < -1 || textCount < 0 || (textCount > 0 && !text))
        return Fail(ERROR_INVALID_PARAMETER);
    if (codePage == CP_UTF8 && (defaultChar || usedDefaultChar))
        return Fail(ERROR_INVALID_PARAMETER);
    if (!Known(codePage))
        return Fail(ERROR_INVALID_PARAMETER);
    size_t length = static_cast<size_t>(wideCount);
    if (wideCount == -1)
        length = std::char_traits<char16_t>::length(wide) + 1;
    std::string result;
    const bool clean = Encode(codePage, std::u16string_view(wide, length), defaultChar ? defaultChar : "?", result);
    if (!clean && codePage == CP_UTF8 && (flags & WC_ERR_INVALID_CHARS))
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
    if (usedDefaultChar)
        *usedDefaultChar = clean ? FALSE : TRUE;
    if (textCount == 0)
        return static_cast<int>(result.size());
    if (result.size() > static_cast<size_t>(textCount))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(text, result.data(), result.size());
    return static_cast<int>(result.size());
}

UINT GetACP() { return g_ansiCodePage; }

UINT GetOEMCP()
{
    switch (g_ansiCodePage) {
    case 1250:
        return 852;
    case 1251:
        return 866;
    case 1252:
        return 850;
    default:
        return g_ansiCodePage;
    }
}

BOOL IsValidCodePage(UINT codePage) { return codePage > CP_THREAD_ACP && Known(codePage) ? TRUE : FALSE; }

BOOL SetAnsiCodePage(UINT codePage)
{
    if (!IsValidCodePage(codePage)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    g_ansiCodePage = codePage;
    return TRUE;
}

std::u16string ToWide(std::string_view text, UINT codePage)
{
    std::u16string wide;
    Decode(Resolve(codePage), text, wide);
    return wide;
}

std::string ToNarrow(std::u16string_view text, UINT codePage)
{
    std::string narrow;
    Encode(Resolve(codePage), text, "?", narrow);
    return narrow;
}

std::string Recode(std::string_view text, UINT fromCodePage, UINT toCodePage)
{
    if (Resolve(fromCodePage) == Resolve(toCodePage))
        return std::string(text);
    return ToNarrow(ToWide(text, fromCodePage), toCodePage);
}
