#include "util/MapiNames.h"

#include "util/CZrMapiBufferPtr.h"

#include "com/ComPtr.h"

#include <cstring>

namespace {

constexpr char kPrimarySmtpPrefix[] = "SMTP:";

}  // namespace

HRESULT GetEntrySmtpAddress(IAddrBook* addressBook, ULONG entryIdSize, LPENTRYID entryId, std::string& address)
{
    address.clear();
    ULONG type = 0;
    CComPtr<IUnknown> object;
    HRESULT hr = addressBook->OpenEntry(entryIdSize, entryId, &IID_IMailUser, 0, &type, &object);
    if (FAILED(hr))
        return hr;
    CComQIPtr<IMAPIProp> user(object.p);
    if (!user)
        return E_NOINTERFACE;

    CZrMapiBufferPtr<SPropValue> smtp;
    hr = HrGetOneProp(user, PR_SMTP_ADDRESS_A, &smtp);
    // An entry without the property may still carry its address among the
    // proxy addresses.
    if (FAILED(hr) && hr != MAPI_E_NOT_FOUND)
        return hr;
    if (SUCCEEDED(hr) && smtp->Value.lpszA && *smtp->Value.lpszA) {
        address = smtp->Value.lpszA;
        return S_OK;
    }
    CZrMapiBufferPtr<SPropValue> proxies;
    hr = HrGetOneProp(user, PR_EMS_AB_PROXY_ADDRESSES_A, &proxies);
    if (FAILED(hr))
        return hr;
    const SLPSTRArray& values = proxies->Value.MVszA;
    for (ULONG i = 0; i < values.cValues; ++i) {
        const char* value = values.lppszA[i];
        if (value && std::strncmp(value, kPrimarySmtpPrefix, sizeof kPrimarySmtpPrefix - 1) == 0) {
            address = value + sizeof kPrimarySmtpPrefix - 1;
            break;
        }
    }
    return S_OK;
}
