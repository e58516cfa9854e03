#include "SystemErrorText.h"

#include "win/Errors.h"

std::string SystemErrorText(HRESULT hr)
{
    switch (hr) {
    case E_INVALIDARG:
        return "The parameter is incorrect.";
    case E_FAIL:
        return "Unspecified error";
    case E_NOINTERFACE:
        return "No such interface supported";
    case E_POINTER:
        return "Invalid pointer";
    case E_OUTOFMEMORY:
        return "Ran out of memory";
    case E_NOTIMPL:
        return "Not implemented";
    case E_UNEXPECTED:
        return "Catastrophic failure";
    case E_ACCESSDENIED:
        return "General access denied error";
    default:
        return "";
    }
}
