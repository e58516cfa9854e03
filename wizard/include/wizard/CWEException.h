#pragma once
// The wizard's exception: a message id of the wizard's message table and
// its text, formatted when the exception is made. Pages and long steps
// catch it and show it or put it into their errors collection.
//
//     CWEException::ThrowFormatted(WE_E_PROJECT_DIR_MISSING, {folder});
//     WE_THROW_UNEXPECTED();   // "Unexpected Error  File: CWEProjectCreator.cpp; Line: 120"

#include "win/Types.h"

#include <exception>
#include <initializer_list>
#include <string>
#include <vector>

class CWEException : public std::exception {
public:
    // WE_E_UNEXPECTED with an empty text.
    CWEException();
    CWEException(DWORD id, std::initializer_list<std::string> inserts);

    // Sets the id and formats its text with the inserts for %1, %2 ...; an
    // id the table lacks keeps the text there was.
    void FormatFromTable(DWORD id, const std::vector<std::string>& inserts);

    DWORD GetId() const { return m_id; }
    const std::string& GetText() const { return m_text; }
    const char* what() const noexcept override { return m_text.c_str(); }
    // Copies the text, cut to the buffer and always terminated; TRUE.
    BOOL GetErrorMessage(LPSTR buffer, UINT size, UINT* helpContext = nullptr) const;
    // A message box with the caption and icon of the id's severity.
    int ReportError(UINT type = 0) const;

    [[noreturn]] static void ThrowFormatted(DWORD id, std::initializer_list<std::string> inserts);
    // WE_E_UNEXPECTED_AT with the file name ("Unknown" when empty) and the line.
    [[noreturn]] static void ThrowUnexpected(const char* file, int line);

protected:
    DWORD m_id;
    std::string m_text;
};

// The source file's own name, without its folders.
#define WE_SOURCE_FILE (__builtin_strrchr(__FILE__, '/') ? __builtin_strrchr(__FILE__, '/') + 1 : __FILE__)
#define WE_THROW_UNEXPECTED() CWEException::ThrowUnexpected(WE_SOURCE_FILE, __LINE__)
