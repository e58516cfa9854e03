#include "ZrThrow.h"

#include "CZrMapiErrorSource.h"
#include "MessageText.h"
#include "SystemErrorText.h"

#include "com/ErrorInfo.h"
#include "win/Errors.h"

void ThrowInvalidArgument(const char* argumentName, const CZrSourcePlace& where)
{
    throw CZrException(static_cast<DWORD>(E_INVALIDARG), CZrException::KindComponent, "",
                       {SystemErrorText(E_INVALIDARG), argumentName}, where);
}

void ThrowInvalidMemberState(const char* memberName, const CZrSourcePlace& where)
{
    throw CZrException(ZR_E_INVALID_MEMBER_STATE, CZrException::KindComponent, "",
                       {ComponentMessageText(ZR_E_INVALID_MEMBER_STATE), memberName}, where);
}

void ThrowComponentError(DWORD id, const CZrSourcePlace& where)
{
    throw CZrException(id, CZrException::KindComponent, "", {ComponentMessageText(id)}, where);
}

void ThrowComponentError(DWORD id, const std::string& insert, const CZrSourcePlace& where)
{
    const std::string inserts[] = {insert};
    throw CZrException(id, CZrException::KindComponent, "", {ComponentMessageText(id, inserts)}, where);
}

void ThrowMapiResult(DWORD id, HRESULT hr, const char* callName, const CZrSourcePlace& where)
{
    throw CZrException(id, CZrException::KindMapi, callName, {ComponentMessageText(id), MapiErrorSource().Text(hr)},
                       where);
}

void ThrowComResult(DWORD id, HRESULT hr, const char* callName, const CZrSourcePlace& where)
{
    throw CZrException(id, CZrException::KindCom, callName, {ComponentMessageText(id), SystemErrorText(hr)}, where);
}

void ThrowComObject(DWORD id, HRESULT hr, REFIID iid, IUnknown* object, const char* callName,
                    const CZrSourcePlace& where)
{
    throw CZrException(id, CZrException::KindCom, callName,
                       {ComponentMessageText(id), pollenta::com::TakeErrorDescription(object, iid), SystemErrorText(hr)},
                       where);
}

void ThrowMapiObjectText(DWORD id, HRESULT hr, const std::string& lastError, const char* callName,
                         const std::string* insert, const CZrSourcePlace& where)
{
    std::string message = insert ? ComponentMessageText(id, std::span<const std::string>(insert, 1))
                                 : ComponentMessageText(id);
    throw CZrException(id, CZrException::KindMapi, callName, {message, lastError, MapiErrorSource().Text(hr)}, where);
}
