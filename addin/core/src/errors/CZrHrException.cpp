#include "errors/CZrHrException.h"

#include "zr/FormatHResult.h"

#include "ui/MessageBox.h"

CZrHrException::CZrHrException(HRESULT code, const char* additional, const char* file, int line, bool silent)
    : m_bSilent(silent), m_hrCode(code), m_strAdditional(additional ? additional : ""),
      m_strFile(file ? file : ""), m_nLine(line)
{
}

void CZrHrException::ShowError() const
{
    if (!m_bSilent)
        MessageBox(nullptr, GetText().c_str(), "Error", MB_ICONERROR);
}

std::string CZrHrException::GetText() const
{
    std::string text = "Code: " + FormatHResult(m_hrCode);
    if (!m_strAdditional.empty())
        text += " Additional: " + m_strAdditional;
    if (!m_strFile.empty())
        text += " DebugInfo: File: " + m_strFile + " Line: " + std::to_string(m_nLine);
    return text;
}
