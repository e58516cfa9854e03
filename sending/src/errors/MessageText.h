#pragma once
// Texts of the component's message table and of HRESULTs, composed the way
// the component's error object and its reports need them.

#include "win/Types.h"

#include <span>
#include <string>

inline constexpr LANGID LangEnglish = 1033;
inline constexpr LANGID LangGerman = 1031;
inline constexpr LANGID LangRussian = 1049;

// The message-table language of a user-interface language name: German and
// Russian have their own texts, every other language reads English.
LANGID MessageLanguage(const std::string& languageName);
// The message-table language of the component's current language.
LANGID CurrentMessageLanguage();

// The text of a message id in a language (English when that language lacks
// it) with %1, %2 ... replaced by the inserts and "%s" by the first one;
// "" for an unknown id.
std::string ComponentMessageText(DWORD id, LANGID language, std::span<const std::string> inserts = {});
std::string ComponentMessageText(DWORD id, std::span<const std::string> inserts = {});

// Puts inserts into a message text; "%%" is a single "%".
std::string InsertMessageArguments(const std::string& text, std::span<const std::string> inserts);
