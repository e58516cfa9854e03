#pragma once
// Reads the lines of a saved form into its blocks. Faults throw
// FormTextFault with the line they were found on; ReadFormText turns that
// into a result, so nothing else sees the exception.

#include "access/FormText.h"

#include <string>
#include <string_view>
#include <vector>

namespace pollenta::access {

struct FormTextFault {
    int line;
    std::string text;
};

class FormTextParser {
public:
    explicit FormTextParser(const std::string& utf8Text);

    FormTextDocument Parse();

private:
    // Blocks nest a few levels deep in real forms; a deeper one is damage.
    static constexpr int kMaxDepth = 64;

    // The next line without its indentation; false at the end of the text.
    bool Next(std::string_view& line);
    bool NextNonBlank(std::string_view& line);
    // listLine is the line of the "Begin" of a list being read, 0 for a
    // block of its own.
    void ParseBlock(FormTextBlock& block, int depth, int listLine);
    FormTextProperty ParseProperty(std::string_view line);
    void ReadContinuations(std::string& text);
    void ReadBeginBlock(FormTextProperty& property);
    void ReadMacroLines(FormTextProperty& property, std::string_view first);
    std::string RemainingLines();
    [[noreturn]] void Fail(const std::string& text) const;

    std::vector<std::string_view> m_lines;
    std::string m_text;
    size_t m_next = 0;
};

}  // namespace pollenta::access
