#pragma once
// The wizard's free functions: severity captions, column type texts, URL
// helpers, version strings and error texts, file extensions.

#include "com/Unknown.h"
#include "win/Types.h"

#include <string>

// 103 "Fatal error", 105 "Warning", 106 "Information" or 104 "Success" by
// the id's top two bits.
UINT SeverityCaptionId(DWORD messageId);
// The INTERNET_SCHEME of a URL; -1 for an empty text or one without scheme.
int GetUrlScheme(const char* url);
// The reference resolved against the base; false (and "") when it cannot be.
bool CombineUrl(const char* base, const char* relative, std::string& output, DWORD flags);
// Column types: 1 numeric, 2 character (sized), 3 large object, 4 long text.
std::string FieldTypeText(int type);
std::string SqlTypeName(int type);
// The address inside "url(...)"; "" for any other value.
std::string CssUrlValue(const std::string& value);
// A value of the program's own version block (English, code page 1252).
bool GetVersionString(const char* name, std::string& output);
// The object's description of a failed call through iid, else the generic
// text for a failure or a success.
std::string GetComErrorText(HRESULT hr, IUnknown* object, REFIID iid);
// The system's text for the thread's last error code, with its line break.
std::string GetLastErrorText();
// The text after the last ".", lower case; "" without a dot.
std::string GetFileExtension(const std::string& name);
// A page path as the user typed it, taken from the current folder when it
// is relative; unchanged when it is empty or there is no current folder.
std::string AbsolutePagePath(const std::string& path);
