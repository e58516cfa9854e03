#include "OwnerMacro.h"

#include "classes/TMMacros.h"
#include "classes/TMMailItem.h"
#include "classes/TMPersonData.h"

#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/Text.h"

HRESULT EvaluateOwnerMacro(TMMailItem& owner, const std::string& name, const PersonFields& fields, std::string& value)
{
    CComPtr<ITMMacros> macros;
    CComPtr<ITMPersonData> person;
    HRESULT hr = TMMacros::CreateInstance(IID_ITMMacros, reinterpret_cast<void**>(&macros), name, std::string());
    if (SUCCEEDED(hr))
        hr = TMPersonData::CreateInstance(IID_ITMPersonData, reinterpret_cast<void**>(&person), fields);
    if (FAILED(hr))
        return hr;
    owner.FireEvaluateMacros(person, macros);
    CComVariant result;
    value.clear();
    if (SUCCEEDED(macros->get_Value(&result)) && result.vt == VT_BSTR)
        value = pollenta::com::AnsiFromBstr(result.bstrVal);
    return S_OK;
}
