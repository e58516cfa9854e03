#pragma once
// A control's default value as the desktop database program keeps it, read
// as the program reads it: "=Nz([x],1)" is an expression that only the
// program can work out, "\"Day(s)\"" is a text in the program's quotes (a
// doubled quote inside stands for one), anything else stands as written.
//
//   const CWEDefaultValue value = CWEDefaultValue::Parse(text);
//   if (value.isExpression) warn ...; else use value.text

#include <optional>
#include <string>

struct CWEDefaultValue {
    std::string text;
    bool isExpression = false;

    static CWEDefaultValue Parse(const std::string& written);
    // The text of a literal in the program's quotes; any other text as it is.
    static std::string Unquoted(const std::string& written);

    // Whether a check box with this default starts ticked: the program's
    // words for yes and no (in English and Russian) and numbers, where any
    // number but 0 is yes. Nothing for a text that says neither.
    static std::optional<bool> MeansTicked(const std::string& text);
};
