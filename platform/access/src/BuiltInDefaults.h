#pragma once
// What the desktop database program takes for a setting that a saved form
// leaves out: the text holds only what differs from these.

#include <optional>
#include <string>

namespace pollenta::access {

struct BuiltInDefault {
    enum class Type { Number, Bool, Text };
    Type type;
    long number;  // Number; Bool as 0 or 1
    const char* text;
};

// False for the form, a report and the sections.
bool FormKeywordIsControl(const std::string& keyword);

// keyword "Form", a section keyword or a control keyword.
std::optional<BuiltInDefault> BuiltInDefaultOf(const std::string& keyword, const std::string& name);
// The value a "Name = NotDefault" line stands for: the opposite of the
// setting's default (true for the settings that are off by default).
bool NotDefaultValue(const std::string& keyword, const std::string& name);

}  // namespace pollenta::access
