#include "ZrThrow.h"

#include "CZrMapiErrorSource.h"
#include "MessageText.h"
#include "SystemErrorText.h"

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
