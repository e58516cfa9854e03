#pragma once
// The user's mail-format preference as the client keeps it:
// HKCU\Software\Microsoft\Office\<major.minor>\Outlook\Options\Mail,
// EditorPreference (low word 1: the word processor edits mail; high word
// 1 plain text, 2 HTML, 3 rich text).

#include "win/Types.h"

#include <string>

namespace pollenta::outlook {

// The value for `version` ("11.0.5510"); `fallback` when it is not there.
DWORD ReadEditorPreference(const std::string& version, DWORD fallback);
// Writes it when the user has none yet; the stand-in edits HTML itself.
LONG EnsureEditorPreference(const std::string& version);
// olEditorWord, olEditorText, olEditorHTML or olEditorRTF for a preference.
LONG EditorTypeOf(DWORD preference);

// HTML written by the client's own editor: what a fresh user gets.
inline constexpr DWORD kOwnHtmlEditor = 0x00020000;

}  // namespace pollenta::outlook
