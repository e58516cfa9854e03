#include "MapiRows.h"

std::string BinaryProp(IMAPIProp* object, ULONG tag)
{
    LPSPropValue value = nullptr;
    std::string bytes;
    if (SUCCEEDED(HrGetOneProp(object, tag, &value)) && value && PROP_TYPE(value->ulPropTag) == PT_BINARY)
        bytes.assign(reinterpret_cast<const char*>(value->Value.bin.lpb), value->Value.bin.cb);
    MAPIFreeBuffer(value);
    return bytes;
}
