#pragma once
// Conversions between code pages and UTF-16. The "ANSI" code page (CP_ACP)
// is a process setting: UTF-8 unless the environment variable
// POLLENTA_ANSI_CODEPAGE or SetAnsiCodePage chooses a Windows code page
// (1250-1258, 866, ...).

#include "win/Types.h"

#include <string>
#include <string_view>

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_OEMCP = 1;
inline constexpr UINT CP_THREAD_ACP = 3;
inline constexpr UINT CP_UTF7 = 65000;
inline constexpr UINT CP_UTF8 = 65001;

inline constexpr DWORD MB_PRECOMPOSED = 0x00000001;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;
inline constexpr DWORD WC_ERR_INVALID_CHARS = 0x00000080;
inline constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x00000400;

// With a count of -1 the text runs to its NUL, which is converted and
// counted too. A zero output size asks for the size needed; a buffer that
// is too small fails with ERROR_INSUFFICIENT_BUFFER. Bytes that are not
// text in the code page become U+FFFD, or fail with
// ERROR_NO_UNICODE_TRANSLATION under MB_ERR_INVALID_CHARS.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int textCount, LPWSTR wide, int wideCount);
// Characters the code page lacks become the default character ("?" unless
// given) and set *usedDefaultChar; UTF-8 takes neither argument.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR text, int textCount,
                        LPCSTR defaultChar, BOOL* usedDefaultChar);

UINT GetACP();
UINT GetOEMCP();
BOOL IsValidCodePage(UINT codePage);
// Not a Windows function: changes the process's ANSI code page. Fails with
// ERROR_INVALID_PARAMETER for a code page that cannot be converted.
BOOL SetAnsiCodePage(UINT codePage);

// Whole strings, for the rest of the system. Conversion problems are
// replaced as described above.
std::u16string ToWide(std::string_view text, UINT codePage = CP_ACP);
std::string ToNarrow(std::u16string_view text, UINT codePage = CP_ACP);
// Re-encodes text between two code pages through UTF-16.
std::string Recode(std::string_view text, UINT fromCodePage, UINT toCodePage);
