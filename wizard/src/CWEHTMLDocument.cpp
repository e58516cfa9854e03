#include "wizard/CWEHTMLDocument.h"

#include "wizard/CWEException.h"
#include "wizard/WizardIds.h"
#include "zr/FormatHResult.h"

void CWEHTMLDocument::Create()
{
    if (!m_pDocument)
        m_pDocument = std::make_unique<pollenta::html::HtmlDocument>();
}

void CWEHTMLDocument::Load(const std::string& path)
{
    if (path.empty())
        WE_THROW_UNEXPECTED();
    Create();
    const HRESULT hr = m_pDocument->Load(path);
    if (hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND))
        CWEException::ThrowFormatted(WE_E_FILE_NOT_FOUND, {path});
    if (FAILED(hr))
        CWEException::ThrowFormatted(WE_E_MSHTML, {FormatHResult(hr), m_pDocument->LastError()});
}

void CWEHTMLDocument::LoadFromBytes(const std::string& bytes)
{
    Create();
    const HRESULT hr = m_pDocument->LoadFromBytes(bytes);
    if (FAILED(hr))
        CWEException::ThrowFormatted(WE_E_MSHTML, {FormatHResult(hr), m_pDocument->LastError()});
}

void CWEHTMLDocument::Save(const std::string& path)
{
    if (path.empty() || !m_pDocument)
        WE_THROW_UNEXPECTED();
    if (FAILED(m_pDocument->Save(path)))
        CWEException::ThrowFormatted(WE_E_FILE_SAVE, {path});
}
