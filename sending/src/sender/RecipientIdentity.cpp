#include "RecipientIdentity.h"


#include "mapi/MapiUtil.h"

#include <cctype>

std::string StringProp(IMAPIProp* entry, ULONG tag)
{
    LPSPropValue value = nullptr;
    std::string text;
    if (SUCCEEDED(HrGetOneProp(entry, tag, &value)) && value && PROP_TYPE(value->ulPropTag) == PT_STRING8 &&
        value->Value.lpszA)
        text = value->Value.lpszA;
    MAPIFreeBuffer(value);
    return text;
}

namespace {

std::string FirstSmtpProxy(IMAPIProp* entry)
{
    LPSPropValue value = nullptr;
    std::string found;
    if (SUCCEEDED(HrGetOneProp(entry, PR_EMS_AB_PROXY_ADDRESSES, &value)) && value &&
        PROP_TYPE(value->ulPropTag) == PROP_TYPE(PR_EMS_AB_PROXY_ADDRESSES)) {
        for (ULONG i = 0; i < value->Value.MVszA.cValues && found.empty(); ++i) {
            const char* proxy = value->Value.MVszA.lppszA[i];
            if (proxy && std::string(proxy).rfind("SMTP:", 0) == 0)
                found = proxy + 5;
        }
    }
    MAPIFreeBuffer(value);
    return found;
}

}  // namespace

HRESULT GetRecipientSmtpAddress(IMAPIProp* entry, std::string& address)
{
    address.clear();
    if (StringProp(entry, PR_ADDRTYPE_A) == "SMTP")
        address = StringProp(entry, PR_EMAIL_ADDRESS_A);
    if (address.empty())
        address = StringProp(entry, PR_SMTP_ADDRESS_A);
    if (address.empty())
        address = FirstSmtpProxy(entry);
    if (address.empty())
        address = StringProp(entry, PR_EMAIL_ADDRESS_A);
    return address.empty() ? E_FAIL : S_OK;
}

HRESULT GetRecipientName(IMAPIProp* entry, std::string& name)
{
    const std::string displayName = StringProp(entry, PR_DISPLAY_NAME_A);
    name = displayName;
    if (!displayName.empty() && displayName.find('@') == std::string::npos)
        return S_OK;
    std::string smtp;
    if (FAILED(GetRecipientSmtpAddress(entry, smtp)))
        return S_OK;
    const std::size_t at = smtp.find('@', 1);
    if ((displayName.empty() || displayName == smtp) && at != std::string::npos) {
        name = smtp.substr(0, at);
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    }
    return name.empty() ? E_FAIL : S_OK;
}

bool IsExclusionList(IMAPIProp* list)
{
    return list && StringProp(list, PR_DISPLAY_NAME_A).rfind("exclude", 0) == 0;
}
