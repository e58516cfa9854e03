#pragma once
// The outcome of a picture operation: a code and a text. Decoding faults are
// values, never exceptions, so one bad picture cannot stop a page.

#include <string>
#include <utility>

enum PLErrorCode {
    PL_ERROK = 0,
    PL_ERRFILE_NOT_FOUND = 1,   // the file cannot be opened or read
    PL_ERRUNKNOWN_FILE_TYPE = 2, // the data is not one of the picture formats we read
    PL_ERRBAD_DATA = 3,          // the data claims a format but is damaged or truncated
    PL_ERRWRITE_FAILED = 4,      // the output file cannot be written
    PL_ERRNO_BITMAP = 5,         // an operation on a bitmap that holds no picture
};

class PLResult {
public:
    PLResult() = default;
    PLResult(PLErrorCode code, std::string text) : m_code(code), m_text(std::move(text)) {}

    bool Ok() const { return m_code == PL_ERROK; }
    PLErrorCode Code() const { return m_code; }
    const std::string& Text() const { return m_text; }

private:
    PLErrorCode m_code = PL_ERROK;
    std::string m_text;
};
