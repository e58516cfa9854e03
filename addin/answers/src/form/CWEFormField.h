#pragma once
// One name=value pair of an answer's form data, decoded.

#include "form/DecodeFormText.h"

#include <string>

class CWEFormField {
public:
    // Stores the pair and decodes it from the answer's code page; false for
    // an empty name.
    bool Set(const std::string& name, const std::string& value, UINT codePage = 65001);
    // Stores the pair exactly as given, for values that are no form text.
    bool SetAsIs(const std::string& name, const std::string& value);

    bool IsDecoded() const { return m_decoding == FormTextDecoding::Decoded; }

    std::string m_strName;
    std::string m_strValue;
    // Set on the pair that supplied the project id, which stays out of the
    // record.
    bool m_bUsed = false;
    // Whether name and value could be decoded; when not, they stay as they
    // came and the pair stays out of the record.
    FormTextDecoding m_decoding = FormTextDecoding::Decoded;
};
