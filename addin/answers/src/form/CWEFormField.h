#pragma once
// One name=value pair of an answer's form data, decoded.

#include <string>

class CWEFormField {
public:
    // Stores and decodes the pair; false for an empty name.
    bool Set(const std::string& name, const std::string& value);

    std::string m_strName;
    std::string m_strValue;
    // Set on the pair that supplied the project id, which stays out of the
    // record.
    bool m_bUsed = false;
};
