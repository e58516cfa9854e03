#pragma once
// One column of a recordset's current record.

#include "ado/AdoEnums.h"
#include "ado/AdoGuids.h"
#include "com/Unknown.h"
#include "com/Variant.h"

struct Field : IUnknown {
    STDMETHOD(get_Name)(BSTR* name) PURE;
    STDMETHOD(get_Type)(DataTypeEnum* type) PURE;
    // Characters for text types, bytes for the others.
    STDMETHOD(get_DefinedSize)(LONG* size) PURE;
    STDMETHOD(get_Attributes)(LONG* attributes) PURE;
    STDMETHOD(get_Value)(VARIANT* value) PURE;
    // Converts the value to the field's type now: a value that does not
    // convert or does not fit fails here, and the field's status says why.
    STDMETHOD(put_Value)(VARIANT value) PURE;
    STDMETHOD(get_Status)(LONG* status) PURE;

protected:
    ~Field() = default;
};
POLLENTA_INTERFACE_IID(Field, IID_Field);
