#pragma once
// The columns of a recordset.

#include "ado/Field.h"

struct Fields : IUnknown {
    STDMETHOD(get_Count)(LONG* count) PURE;
    // By name (without regard to case) or by position from 0;
    // adErrItemNotFound when there is no such field.
    STDMETHOD(get_Item)(VARIANT index, Field** field) PURE;

protected:
    ~Fields() = default;
};
POLLENTA_INTERFACE_IID(Fields, IID_Fields);
