#pragma once
// A failed MAPI call: its HRESULT, the call's text, the MAPIERROR that the
// object gave for it (a copy of our own) and the place in the source. Its
// text names the code ("MAPI: Code: MAPI_E_NOT_FOUND") and adds the
// MAPIERROR's texts and the place on lines of their own.

#include "errors/CZrException.h"

#include "mapi/MapiTypes.h"

class CZrMAPIException : public CZrException {
public:
    // error may be null; the exception keeps a copy of it.
    CZrMAPIException(HRESULT code, const char* function, const MAPIERROR* error, const char* file, int line);
    CZrMAPIException(const CZrMAPIException& other);
    CZrMAPIException& operator=(const CZrMAPIException& other);
    ~CZrMAPIException() override;

    // Copies everything, the MAPIERROR deeply; an exception without one
    // leaves this one without one too. Assigning to itself changes nothing.
    void Assign(const CZrMAPIException& other);

    void ShowError() const override;
    std::string GetText() const override;
    HRESULT GetCode() const override { return m_hrCode; }
    const MAPIERROR* GetMapiError() const { return m_lpMapiError; }

private:
    void CopyMapiError(const MAPIERROR* error);

    HRESULT m_hrCode;
    std::string m_strFunction;
    LPMAPIERROR m_lpMapiError = nullptr;
    std::string m_strFile;
    int m_nLine;
};
