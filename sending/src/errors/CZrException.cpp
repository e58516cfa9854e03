#include "CZrException.h"

#include <string_view>

namespace {

std::string ComposeDescription(const std::vector<std::string>& texts)
{
    std::string main;
    std::string detail;
    for (const std::string& text : texts) {
        if (text.empty())
            continue;
        if (main.empty())
            main = text;
        else
            detail += (detail.empty() ? "" : " ") + text;
    }
    return detail.empty() ? main : main + " (" + detail + ")";
}

// "src/ZrMacroReplacer.cpp" -> "ZrMacroReplacer"
std::string SourceFileName(std::string_view path)
{
    std::size_t slash = path.find_last_of('/');
    if (slash != std::string_view::npos)
        path.remove_prefix(slash + 1);
    std::size_t dot = path.find_last_of('.');
    return std::string(path.substr(0, dot));
}

// "HRESULT CZrMacroReplacer::Replace(int)" -> "CZrMacroReplacer::Replace"
std::string OperationName(std::string_view signature)
{
    std::size_t parenthesis = signature.find('(');
    if (parenthesis != std::string_view::npos)
        signature = signature.substr(0, parenthesis);
    std::size_t blank = signature.find_last_of(' ');
    if (blank != std::string_view::npos)
        signature.remove_prefix(blank + 1);
    return std::string(signature);
}

}  // namespace

CZrException::CZrException(DWORD code, Kind kind, std::string callName, const std::vector<std::string>& texts,
                           const CZrSourcePlace& where)
    : m_dwCode(code),
      m_strDescription(ComposeDescription(texts)),
      m_strCallName(std::move(callName)),
      m_kind(kind),
      m_strSourceFile(SourceFileName(where.file)),
      m_nLine(static_cast<LONG>(where.line)),
      m_strOperation(OperationName(where.function))
{
    m_strFullText = m_strDescription + "; Function: " + m_strCallName + "; File: " + m_strSourceFile +
                    "; Line: " + std::to_string(m_nLine) + "; Call from: " + m_strOperation + ";";
}
