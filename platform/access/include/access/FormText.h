#pragma once
// A form as the desktop database program saves it as text: nested
// "Begin <Keyword>" ... "End" blocks of "Name =Value" lines. Text is UTF-8
// here, whatever the file was written in.
//
//   FormTextReadResult read = ReadFormText(bytes);
//   if (!read.ok) std::cerr << "line " << read.line << ": " << read.error;
//   const FormTextBlock& form = read.document.form;   // keyword "Form"
//   for (const FormTextBlock& child : form.children) ...

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct FormTextProperty {
    enum class Kind {
        Text,        // a quoted string, escapes resolved, continuation lines joined
        Number,      // a decimal number; text keeps it as written
        Bare,        // anything else written after "=" (a word, a GUID ...)
        NotDefault,  // "Name = NotDefault": the opposite of the default
        Binary,      // "Name = Begin", hex lines, "End"
        Macro,       // "Name = Begin" holding text lines (an embedded macro)
    };
    std::string name;
    Kind kind = Kind::Bare;
    std::string text;  // Text, Number, Bare; the raw lines of a Macro
    double number = 0;
    std::vector<std::uint8_t> bytes;
};

struct FormTextBlock {
    std::string keyword;  // "Form", "Section", "TextBox", ...
    int line = 0;         // where its "Begin" stands, from 1
    std::vector<FormTextProperty> properties;
    std::vector<FormTextBlock> children;

    // The last property of that name (case is ignored), or null.
    const FormTextProperty* Find(const std::string& name) const;
};

struct FormTextDocument {
    std::vector<FormTextProperty> header;  // Version, VersionRequired, Checksum ...
    FormTextBlock form;
    std::string codeBehind;  // the module after "CodeBehindForm", lines joined with "\n"
};

struct FormTextReadResult {
    bool ok = false;
    int line = 0;  // of the fault, from 1
    std::string error;
    FormTextDocument document;
};

// Reads UTF-16LE (with its byte order mark), UTF-8 (with or without one) and
// single-byte ANSI text (windows-1252 unless the process's ANSI code page is
// another single-byte one); CRLF or LF.
FormTextReadResult ReadFormText(const std::string& bytes);
