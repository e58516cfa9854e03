#pragma once
// Quoted-printable text as GMime's encoder writes it, lines ending in LF.

#include <string>
#include <string_view>

std::string EncodeQuotedPrintable(std::string_view text);
