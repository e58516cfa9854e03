#pragma once
// Answer form data: URL-encoded pairs (name=value) joined by "&", as a
// mail client posts a survey page's form.
//
//     CWEFormFieldList fields;
//     if (HasProjectIdKey(text) && ParseFormData(text, fields)) ...

#include "form/CWEFormFieldList.h"

#include <string_view>

// The pairs of the text in their order; only the first pair may be preceded
// by tabs, "&" and blanks. Pairs with an empty name are dropped; a piece
// without "=" ends the parse. Names and values are decoded from
// `codePage` (AnswerCodePage). False only for an empty text.
bool ParseFormData(std::string_view text, CWEFormFieldList& fields, UINT codePage = 65001);

// Whether the text is an answer: "kqprojectid" in any case, at the start or
// after "&" or a blank, and followed by the end, a blank or "=". Every
// occurrence is tried, so one inside a word or a value earlier in the text
// does not hide the real key. The text ends at the first NUL.
bool HasProjectIdKey(std::string_view text);
