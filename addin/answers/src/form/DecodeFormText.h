#pragma once
// Decoding of one name or value of URL-encoded form data: trimmed, "+" to a
// blank, "%xx" to its byte, the bytes read as UTF-8 and given back in the
// ANSI code page.
//
//     std::string text = " J%C3%BCrgen+M ";
//     DecodeFormText(text);      // "Jürgen M"

#include <string>

// "%zz" keeps "zz", "%00" keeps "00" (no NUL ever enters the text), and a
// "%" at the end stays. Bytes that are not UTF-8 become U+FFFD. Always true:
// memory is had or std::bad_alloc says otherwise.
bool DecodeFormText(std::string& text);
