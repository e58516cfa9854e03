#pragma once
// A failed call of a COM object, told with the HRESULT, the object's own
// error description for that interface, and where it was called.
//
//     if (FAILED(hr)) CWECOMException::Throw(hr, command, IID__Command, WE_SOURCE_FILE, __LINE__);

#include "wizard/CWEException.h"

#include "com/Unknown.h"

class CWECOMException : public CWEException {
public:
    // WE_E_COM_CALL with an empty text.
    CWECOMException();
    CWECOMException(HRESULT hr, IUnknown* object, REFIID iid, const char* file, int line);

    [[noreturn]] static void Throw(HRESULT hr, IUnknown* object, REFIID iid, const char* file, int line);
};
