#include "errors/CZrMAPIException.h"

#include "zr/GetMapiErrorName.h"

#include "mapi/MapiUtil.h"
#include "ui/MessageBox.h"

#include <cstring>

namespace {

// A copy of text in memory linked to `parent`; null stays null, and so does
// a copy that cannot be allocated.
LPSTR CopyLinkedText(const char* text, LPVOID parent)
{
    if (!text)
        return nullptr;
    const ULONG size = static_cast<ULONG>(std::strlen(text) + 1);
    LPVOID copy = nullptr;
    if (FAILED(MAPIAllocateMore(size, parent, &copy)))
        return nullptr;
    std::memcpy(copy, text, size);
    return static_cast<LPSTR>(copy);
}

bool HasText(const char* text)
{
    return text && *text;
}

}  // namespace

CZrMAPIException::CZrMAPIException(HRESULT code, const char* function, const MAPIERROR* error, const char* file,
                                   int line)
    : m_hrCode(code), m_strFunction(function ? function : ""), m_strFile(file ? file : ""), m_nLine(line)
{
    CopyMapiError(error);
}

CZrMAPIException::CZrMAPIException(const CZrMAPIException& other)
    : CZrException(other), m_hrCode(other.m_hrCode), m_strFunction(other.m_strFunction), m_strFile(other.m_strFile),
      m_nLine(other.m_nLine)
{
    CopyMapiError(other.m_lpMapiError);
}

CZrMAPIException& CZrMAPIException::operator=(const CZrMAPIException& other)
{
    Assign(other);
    return *this;
}

CZrMAPIException::~CZrMAPIException()
{
    CopyMapiError(nullptr);
}

void CZrMAPIException::Assign(const CZrMAPIException& other)
{
    if (&other == this)
        return;
    m_hrCode = other.m_hrCode;
    m_strFunction = other.m_strFunction;
    m_strFile = other.m_strFile;
    m_nLine = other.m_nLine;
    CopyMapiError(other.m_lpMapiError);
}

void CZrMAPIException::CopyMapiError(const MAPIERROR* error)
{
    // One MAPIFreeBuffer releases the linked texts as well.
    if (m_lpMapiError)
        MAPIFreeBuffer(m_lpMapiError);
    m_lpMapiError = nullptr;
    if (!error)
        return;
    LPVOID block = nullptr;
    if (FAILED(MAPIAllocateBuffer(sizeof(MAPIERROR), &block)))
        return;
    auto* copy = static_cast<LPMAPIERROR>(block);
    copy->ulVersion = error->ulVersion;
    copy->ulLowLevelError = error->ulLowLevelError;
    copy->ulContext = error->ulContext;
    copy->lpszError = CopyLinkedText(error->lpszError, copy);
    copy->lpszComponent = CopyLinkedText(error->lpszComponent, copy);
    m_lpMapiError = copy;
}

void CZrMAPIException::ShowError() const
{
    MessageBox(nullptr, GetText().c_str(), "MAPI Error", MB_ICONERROR);
}

std::string CZrMAPIException::GetText() const
{
    std::string text = "MAPI: Code: " + GetMapiErrorName(m_hrCode);
    if (m_lpMapiError && HasText(m_lpMapiError->lpszError)) {
        text += "\r\nAdditional: MAPIError: ";
        text += m_lpMapiError->lpszError;
        if (HasText(m_lpMapiError->lpszComponent)) {
            text += "\r\nComponent: ";
            text += m_lpMapiError->lpszComponent;
        }
    }
    if (!m_strFile.empty()) {
        text += "\r\nDebugInfo: File: " + m_strFile + " Line: " + std::to_string(m_nLine);
        if (!m_strFunction.empty())
            text += "\r\nFunction: " + m_strFunction;
    }
    return text;
}
