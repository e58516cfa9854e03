#include "util/MapiNames.h"

#include "util/CZrMapiBufferPtr.h"

#include "com/ComPtr.h"
#include "mapi/MapiGuids.h"

std::string GetProfileName(IMAPISession* session)
{
    if (!session)
        return "";
    MAPIUID section = pbGlobalProfileSectionGuid;
    CComPtr<IProfSect> profile;
    if (FAILED(session->OpenProfileSection(&section, nullptr, 0, &profile)) || !profile)
        return "";
    CZrMapiBufferPtr<SPropValue> name;
    if (FAILED(HrGetOneProp(profile, PR_PROFILE_NAME_A, &name)) || !name)
        return "";
    if (PROP_TYPE(name->ulPropTag) == PT_ERROR || !name->Value.lpszA || !*name->Value.lpszA)
        return "UnknownProfile";
    return name->Value.lpszA;
}
