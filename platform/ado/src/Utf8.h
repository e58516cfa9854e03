#pragma once
// SQLite speaks UTF-8 and the ADO objects UTF-16; these convert between them
// directly, whatever the process's ANSI code page is.

#include "com/Bstr.h"

#include <string>

namespace pollenta::ado {

// The whole BSTR; a null BSTR gives "".
std::string Utf8FromBstr(BSTR text);
// Null only when memory runs out. Malformed bytes become U+FFFD.
BSTR BstrFromUtf8(const char* text, std::size_t length);
BSTR BstrFromUtf8(const std::string& text);

}  // namespace pollenta::ado
