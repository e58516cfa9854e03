#pragma once
// The pairs of an answer's form data, in the order of the text.

#include "form/CWEFormField.h"

#include <vector>

class CWEFormFieldList : public std::vector<CWEFormField> {
public:
    // Appends a pair decoded from the answer's code page; false (nothing
    // appended) for an empty name.
    bool Add(const std::string& name, const std::string& value, UINT codePage = 65001);
    // Appends a pair that is no form text (the sender's address) as it is.
    bool AddAsIs(const std::string& name, const std::string& value);
};
