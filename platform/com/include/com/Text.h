#pragma once
// Conversions between the ANSI text held in std::string and the UTF-16 text
// of BSTRs and OLECHAR strings.

#include "com/Bstr.h"

#include <string>

namespace pollenta::com {
std::u16string Utf16FromAnsi(const std::string& text);
std::string AnsiFromUtf16(const OLECHAR* text, size_t length);
std::string AnsiFromUtf16(const std::u16string& text);
// Reads up to the terminating NUL; a null pointer gives "".
std::string AnsiFromOleString(LPCOLESTR text);
// A new BSTR the caller frees; null only when memory runs out.
BSTR BstrFromAnsi(const std::string& text);
// The whole BSTR, embedded NULs included; a null BSTR gives "".
std::string AnsiFromBstr(BSTR text);
}  // namespace pollenta::com
