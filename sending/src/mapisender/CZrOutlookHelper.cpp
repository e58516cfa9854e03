#include "CZrOutlookHelper.h"

#include "errors/ZrThrow.h"
#include "sender/OutlookItem.h"

#include <cstdlib>

int CZrOutlookHelper::GetOutlookVersion(IDispatch* lpApplication)
{
    if (!lpApplication)
        ThrowInvalidArgument("lpApplication", ZR_HERE);
    std::string version;
    HRESULT hr = outlook::GetText(lpApplication, "Version", version);
    if (FAILED(hr))
        ThrowComObject(0xC00022F1, hr, IID_IDispatch, lpApplication, "get_Version", ZR_HERE);
    return std::atoi(version.substr(0, version.find('.')).c_str());
}
