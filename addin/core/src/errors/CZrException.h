#pragma once
// The base of the exceptions that the add-in's shared MAPI code throws:
// each knows its code and text and can show itself to the user.
//
//     try { ... } catch (CZrException& e) { log.Write(..., e.GetText()); e.ShowError(); }

#include "win/Errors.h"

#include <string>

class CZrException {
public:
    virtual ~CZrException() = default;

    // Shows the error in a message box; the base shows nothing.
    virtual void ShowError() const {}
    virtual std::string GetText() const { return {}; }
    virtual HRESULT GetCode() const { return E_FAIL; }

protected:
    CZrException() = default;
    CZrException(const CZrException&) = default;
    CZrException& operator=(const CZrException&) = default;
};
