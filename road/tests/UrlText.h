#pragma once
// URL text as browsers write it.
//
//     FormUrlEncoded({{"town", "Köln & Bonn"}}, "utf-8")   // "town=K%C3%B6ln+%26+Bonn"

#include <string>
#include <utility>
#include <vector>

// %XX sequences back to bytes ("+" stays: mailto: URLs write blanks as %20).
std::string UrlDecode(const std::string& text);

// application/x-www-form-urlencoded: the pairs' UTF-8 text converted to
// `charset`, letters, digits and "*-._" kept, blanks as "+", every other
// byte as %XX, joined by "&". A RoadFailure when the charset cannot hold a
// character.
std::string FormUrlEncoded(const std::vector<std::pair<std::string, std::string>>& fields, const std::string& charset);
