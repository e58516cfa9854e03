#include "LastError.h"

#include "mapi/MapiFlags.h"
#include "mapi/MapiUtil.h"

#include <cstdio>
#include <cstring>

namespace pollenta::mapi {

namespace {

struct ErrorText {
    HRESULT hr;
    const char* text;
};

const ErrorText kTexts[] = {
    {MAPI_E_CALL_FAILED, "The call failed"},
    {MAPI_E_NOT_ENOUGH_MEMORY, "Not enough memory"},
    {MAPI_E_INVALID_PARAMETER, "An argument is not valid"},
    {MAPI_E_INTERFACE_NOT_SUPPORTED, "The interface is not supported"},
    {MAPI_E_NO_ACCESS, "Access is denied"},
    {MAPI_E_NO_SUPPORT, "The object does not support this operation"},
    {MAPI_E_UNKNOWN_FLAGS, "Unknown flags were passed"},
    {MAPI_E_INVALID_ENTRYID, "The entry id is not valid"},
    {MAPI_E_INVALID_OBJECT, "The object is not valid"},
    {MAPI_E_OBJECT_DELETED, "The object has been deleted"},
    {MAPI_E_NOT_FOUND, "The object or property was not found"},
    {MAPI_E_LOGON_FAILED, "The logon failed"},
    {MAPI_E_USER_CANCEL, "The user cancelled the operation"},
    {MAPI_E_UNABLE_TO_ABORT, "The operation cannot be aborted"},
    {MAPI_E_DISK_ERROR, "The store file cannot be read or written"},
    {MAPI_E_BAD_COLUMN, "A column is not valid"},
    {MAPI_E_CORRUPT_DATA, "The data is damaged"},
    {MAPI_E_UNKNOWN_ENTRYID, "The entry id belongs to another provider"},
    {MAPI_E_BAD_VALUE, "A property value is not valid"},
    {MAPI_E_INVALID_TYPE, "The property type is not valid"},
    {MAPI_E_TOO_COMPLEX, "The restriction or sort order is too complex"},
    {MAPI_E_CORRUPT_STORE, "The store file is damaged"},
    {MAPI_E_NOT_IN_QUEUE, "The message is not in the outgoing queue"},
    {MAPI_E_COLLISION, "An object of that name exists"},
    {MAPI_E_NOT_INITIALIZED, "MAPI is not initialised"},
    {MAPI_E_NO_RECIPIENTS, "The message has no recipients"},
    {MAPI_E_SUBMITTED, "The message has been submitted"},
    {MAPI_E_AMBIGUOUS_RECIP, "The name matches more than one entry"},
    {MAPI_E_COMPUTED, "The property is computed and cannot be set"},
};

}  // namespace

void CLastError::Set(HRESULT hr, const std::string& text)
{
    std::lock_guard lock(m_mutex);
    m_hr = hr;
    m_text = text;
}

std::string CLastError::Describe(HRESULT hr)
{
    for (const ErrorText& entry : kTexts)
        if (entry.hr == hr) return entry.text;
    char text[32];
    std::snprintf(text, sizeof text, "Error 0x%08X", static_cast<unsigned>(hr));
    return text;
}

std::string CLastError::Text() const
{
    std::lock_guard lock(m_mutex);
    return m_text.empty() ? Describe(m_hr) : m_text;
}

HRESULT CLastError::Get(HRESULT hr, ULONG flags, LPMAPIERROR* error) const
{
    if (!error) return MAPI_E_INVALID_PARAMETER;
    *error = nullptr;
    if (flags & MAPI_UNICODE) return MAPI_E_BAD_CHARWIDTH;
    std::string text;
    {
        std::lock_guard lock(m_mutex);
        text = (hr == m_hr && !m_text.empty()) ? m_text : Describe(hr);
    }
    static const char kComponent[] = "Pollenta MAPI";
    LPMAPIERROR result = nullptr;
    if (HRESULT r = MAPIAllocateBuffer(sizeof(MAPIERROR), reinterpret_cast<LPVOID*>(&result)); FAILED(r)) return r;
    std::memset(result, 0, sizeof(MAPIERROR));
    result->ulVersion = MAPI_ERROR_VERSION;
    if (FAILED(MAPIAllocateMore(static_cast<ULONG>(text.size() + 1), result, reinterpret_cast<LPVOID*>(&result->lpszError))) ||
        FAILED(MAPIAllocateMore(sizeof kComponent, result, reinterpret_cast<LPVOID*>(&result->lpszComponent)))) {
        MAPIFreeBuffer(result);
        return MAPI_E_NOT_ENOUGH_MEMORY;
    }
    std::memcpy(result->lpszError, text.c_str(), text.size() + 1);
    std::memcpy(result->lpszComponent, kComponent, sizeof kComponent);
    result->ulLowLevelError = static_cast<ULONG>(hr);
    *error = result;
    return S_OK;
}

}  // namespace pollenta::mapi
