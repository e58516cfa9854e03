#pragma once
// A failure with an HRESULT, an additional text and the place in the source
// it was raised at. Its text reads
//     "Code: 0x80070057 Additional: <text> DebugInfo: File: <file> Line: <line>"
// with the parts after the code only when there is something to say.

#include "errors/CZrException.h"

class CZrHrException : public CZrException {
public:
    // A null text or file leaves that part empty. A silent exception shows
    // no box.
    CZrHrException(HRESULT code, const char* additional, const char* file, int line, bool silent = false);

    void ShowError() const override;
    std::string GetText() const override;
    HRESULT GetCode() const override { return m_hrCode; }

private:
    bool m_bSilent;
    HRESULT m_hrCode;
    std::string m_strAdditional;
    std::string m_strFile;
    int m_nLine;
};
