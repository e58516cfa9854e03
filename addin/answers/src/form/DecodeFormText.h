#pragma once
// Decoding of one name or value of URL-encoded form data: trimmed, "+" to a
// blank, "%xx" to its byte, the bytes read in the answer's code page,
// character references to their characters, given back in the ANSI code
// page.
//
//     std::string text = " J%C3%BCrgen+M ";
//     DecodeFormText(text);            // Decoded, "Jürgen M"
//     std::string town = "K%F6ln";
//     DecodeFormText(town, 1252);      // Decoded, "Köln"

#include "win/Types.h"

#include <string>
#include <string_view>

enum class FormTextDecoding {
    Decoded,
    // The bytes are not text in the answer's code page.
    NotText,
    // A character has no place in the ANSI code page.
    NotAnsi,
};

// "%zz" keeps "zz", "%00" keeps "00" (no NUL ever enters the text), and a
// "%" at the end stays. A text that cannot be decoded is left trimmed but
// otherwise as it came, never with replacement characters in it.
FormTextDecoding DecodeFormText(std::string& text, UINT codePage = 65001);

// The code page an answer's form data is written in: UTF-8, which the
// survey pages ask browsers to post, when its bytes are UTF-8 or its part
// declares no other code page (0); else the code page the part declares.
UINT AnswerCodePage(std::string_view formData, UINT declaredCodePage);
