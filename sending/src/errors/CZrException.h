#pragma once
// The component's error object: a message-table id (or E_INVALIDARG), the
// failing call, the place in the source and a readable description in the
// user-interface language. Thrown by value, caught by reference.

#include "CZrSourcePlace.h"

#include "win/Types.h"

#include <string>
#include <vector>

class CZrException {
public:
    enum Kind : LONG { KindComponent = 0, KindMapi = 2, KindCom = 3 };

    // The description is composed from `texts`: the first non-empty one is
    // the main text, the later non-empty ones form the detail in
    // parentheses, separated by blanks.
    CZrException(DWORD code, Kind kind, std::string callName, const std::vector<std::string>& texts,
                 const CZrSourcePlace& where);
    virtual ~CZrException() = default;

    DWORD Code() const { return m_dwCode; }
    HRESULT Result() const { return static_cast<HRESULT>(m_dwCode); }
    const std::string& Description() const { return m_strDescription; }
    // "<description>; Function: <call>; File: <file>; Line: <line>; Call from: <operation>;"
    const std::string& FullText() const { return m_strFullText; }
    const std::string& CallName() const { return m_strCallName; }
    Kind ErrorKind() const { return m_kind; }
    const std::string& SourceFile() const { return m_strSourceFile; }
    LONG Line() const { return m_nLine; }
    const std::string& Operation() const { return m_strOperation; }

private:
    DWORD m_dwCode;
    std::string m_strDescription;
    std::string m_strFullText;
    std::string m_strCallName;
    Kind m_kind;
    std::string m_strSourceFile;
    LONG m_nLine;
    std::string m_strOperation;
};
