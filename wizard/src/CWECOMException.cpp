#include "wizard/CWECOMException.h"

#include "wizard/WEUtils.h"
#include "wizard/WizardIds.h"
#include "zr/FormatHResult.h"

CWECOMException::CWECOMException() { m_id = WE_E_COM_CALL; }

CWECOMException::CWECOMException(HRESULT hr, IUnknown* object, REFIID iid, const char* file, int line)
    : CWEException(WE_E_COM_CALL, {FormatHResult(hr), GetComErrorText(hr, object, iid),
                                   file && *file ? file : "Unknown", line > 0 ? std::to_string(line) : "Unknown"})
{
}

void CWECOMException::Throw(HRESULT hr, IUnknown* object, REFIID iid, const char* file, int line)
{
    throw CWECOMException(hr, object, iid, file, line);
}
