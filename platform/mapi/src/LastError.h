#pragma once
// The last error of an object, as GetLastError reports it, and the Guard
// that turns a CMapiError into a result code.

#include "MapiError.h"
#include "mapi/MapiTypes.h"

#include <mutex>
#include <new>
#include <string>

namespace pollenta::mapi {

class CLastError {
public:
    void Set(HRESULT hr, const std::string& text);
    // A MAPIERROR the caller frees with MAPIFreeBuffer: the recorded text
    // when it belongs to hr, else the standard text of hr.
    HRESULT Get(HRESULT hr, ULONG flags, LPMAPIERROR* error) const;
    static std::string Describe(HRESULT hr);
    // The recorded text, or the standard text of the recorded code.
    std::string Text() const;

    template <class F>
    HRESULT Guard(F&& body)
    {
        try {
            return body();
        } catch (const CMapiError& e) {
            Set(e.Code(), e.what());
            return e.Code();
        } catch (const std::bad_alloc&) {
            Set(MAPI_E_NOT_ENOUGH_MEMORY, "Out of memory");
            return MAPI_E_NOT_ENOUGH_MEMORY;
        } catch (const std::exception& e) {
            Set(MAPI_E_CALL_FAILED, e.what());
            return MAPI_E_CALL_FAILED;
        }
    }

private:
    mutable std::mutex m_mutex;
    HRESULT m_hr = S_OK;
    std::string m_text;
};

}  // namespace pollenta::mapi
