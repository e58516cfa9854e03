#pragma once
// The pairs of an answer's form data, in the order of the text.

#include "form/CWEFormField.h"

#include <vector>

class CWEFormFieldList : public std::vector<CWEFormField> {
public:
    // Appends a decoded pair; false (nothing appended) for an empty name.
    bool Add(const std::string& name, const std::string& value);
};
