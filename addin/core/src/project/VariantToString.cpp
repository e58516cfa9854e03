#include "project/VariantToString.h"

#include "com/ComVariant.h"
#include "com/Text.h"

void VariantToString(std::string& text, const VARIANT& value)
{
    CComVariant converted;
    const HRESULT hr = VariantChangeType(&converted, &value, 0, VT_BSTR);
    if (FAILED(hr))
        throw hr;
    text = pollenta::com::AnsiFromBstr(converted.bstrVal);
}
