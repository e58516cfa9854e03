#include "CollectionIndex.h"

#include "com/ComVariant.h"
#include "com/Text.h"

#include <strings.h>

namespace pollenta::outlook {

HRESULT CollectionIndex(const VARIANT& index, std::size_t count, const std::function<std::string(std::size_t)>& nameAt,
                        std::size_t& position)
{
    const VARIANT& value = (index.vt == (VT_VARIANT | VT_BYREF) && index.pvarVal) ? *index.pvarVal : index;
    if (value.vt == VT_BSTR) {
        const std::string name = pollenta::com::AnsiFromBstr(value.bstrVal);
        for (std::size_t i = 0; i < count; ++i) {
            if (nameAt && strcasecmp(nameAt(i).c_str(), name.c_str()) == 0) {
                position = i;
                return S_OK;
            }
        }
        return DISP_E_BADINDEX;
    }
    CComVariant number;
    if (FAILED(VariantChangeType(&number, &value, 0, VT_I4)))
        return DISP_E_TYPEMISMATCH;
    if (number.lVal < 1 || static_cast<std::size_t>(number.lVal) > count)
        return DISP_E_BADINDEX;
    position = static_cast<std::size_t>(number.lVal) - 1;
    return S_OK;
}

bool IsLeftOut(const VARIANT& argument)
{
    return argument.vt == VT_EMPTY || argument.vt == VT_ERROR;
}

}  // namespace pollenta::outlook
