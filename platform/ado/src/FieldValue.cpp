#include "FieldValue.h"

#include "Utf8.h"

#include "com/OleDate.h"

#include <sqlite3.h>

#include <cstring>
#include <limits>

namespace pollenta::ado {

namespace {

bool IsText(DataTypeEnum type)
{
    switch (type) {
    case adBSTR:
    case adChar:
    case adWChar:
    case adVarChar:
    case adVarWChar:
    case adLongVarChar:
    case adLongVarWChar:
    case adGUID:
        return true;
    default:
        return false;
    }
}

bool IsBinary(DataTypeEnum type) { return type == adBinary || type == adVarBinary || type == adLongVarBinary; }

bool IsLong(DataTypeEnum type) { return type == adLongVarChar || type == adLongVarWChar || type == adLongVarBinary; }

// The automation type a column's values take.
VARTYPE VariantTypeOf(DataTypeEnum type)
{
    switch (type) {
    case adSmallInt:
        return VT_I2;
    case adInteger:
        return VT_I4;
    case adUnsignedTinyInt:
        return VT_UI1;
    case adBigInt:
        return VT_I8;
    case adSingle:
        return VT_R4;
    case adDouble:
    case adNumeric:
    case adDecimal:
        return VT_R8;
    case adCurrency:
        return VT_CY;
    case adDate:
    case adDBDate:
    case adDBTimeStamp:
        return VT_DATE;
    case adBoolean:
        return VT_BOOL;
    default:
        return VT_BSTR;
    }
}

HRESULT Fail(LONG& fieldStatus, LONG status, HRESULT hr)
{
    fieldStatus = status;
    return hr;
}

HRESULT ConvertBinary(const VARIANT& value, CComVariant& out, LONG& fieldStatus)
{
    if (value.vt == (VT_ARRAY | VT_UI1)) {
        out = value;
        return S_OK;
    }
    if (value.vt == VT_BSTR) {
        out = value;
        return S_OK;
    }
    return Fail(fieldStatus, adFieldCantConvertValue, DB_E_CANTCONVERTVALUE);
}

}  // namespace

HRESULT ConvertForColumn(const ColumnInfo& column, const VARIANT& value, CComVariant& out, LONG& fieldStatus)
{
    fieldStatus = adFieldOK;
    if (value.vt == VT_EMPTY || value.vt == VT_NULL) {
        CComVariant null;
        null.vt = VT_NULL;
        out = null;
        return S_OK;
    }
    if (IsBinary(column.type))
        return ConvertBinary(value, out, fieldStatus);

    const VARTYPE target = VariantTypeOf(column.type);
    CComVariant converted;
    const HRESULT hr = VariantChangeType(&converted, &value, 0, target);
    if (hr == DISP_E_OVERFLOW)
        return Fail(fieldStatus, adFieldDataOverflow, DB_E_DATAOVERFLOW);
    if (FAILED(hr))
        return Fail(fieldStatus, adFieldCantConvertValue, DB_E_CANTCONVERTVALUE);
    if (IsText(column.type) && !IsLong(column.type) && column.definedSize > 0 &&
        SysStringLen(converted.bstrVal) > static_cast<UINT>(column.definedSize))
        return Fail(fieldStatus, adFieldDataOverflow, DB_E_DATAOVERFLOW);
    out = std::move(converted);
    return S_OK;
}

int BindValue(sqlite3_stmt* statement, int index, const VARIANT& value)
{
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return sqlite3_bind_null(statement, index);
    case VT_I2:
        return sqlite3_bind_int(statement, index, value.iVal);
    case VT_I4:
        return sqlite3_bind_int(statement, index, value.lVal);
    case VT_UI1:
        return sqlite3_bind_int(statement, index, value.bVal);
    case VT_I8:
        return sqlite3_bind_int64(statement, index, value.llVal);
    case VT_BOOL:
        return sqlite3_bind_int(statement, index, value.boolVal != VARIANT_FALSE ? 1 : 0);
    case VT_R4:
        return sqlite3_bind_double(statement, index, value.fltVal);
    case VT_R8:
        return sqlite3_bind_double(statement, index, value.dblVal);
    case VT_CY:
        return sqlite3_bind_double(statement, index, static_cast<double>(value.cyVal.int64) / 10000.0);
    case VT_DATE:
        return sqlite3_bind_text(statement, index, com::FormatDate(value.date).c_str(), -1, SQLITE_TRANSIENT);
    case VT_BSTR: {
        const std::string text = Utf8FromBstr(value.bstrVal);
        return sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    case VT_ARRAY | VT_UI1: {
        void* data = nullptr;
        LONG low = 0, high = -1;
        SafeArrayGetLBound(value.parray, 1, &low);
        SafeArrayGetUBound(value.parray, 1, &high);
        if (FAILED(SafeArrayAccessData(value.parray, &data)))
            return SQLITE_MISMATCH;
        const int rc = sqlite3_bind_blob(statement, index, data, high - low + 1, SQLITE_TRANSIENT);
        SafeArrayUnaccessData(value.parray);
        return rc;
    }
    default:
        return SQLITE_MISMATCH;
    }
}

void ReadValue(sqlite3_stmt* statement, int index, DataTypeEnum type, CComVariant& out)
{
    out.Clear();
    const int stored = sqlite3_column_type(statement, index);
    if (stored == SQLITE_NULL) {
        out.vt = VT_NULL;
        return;
    }
    if (stored == SQLITE_BLOB || IsBinary(type)) {
        const int size = sqlite3_column_bytes(statement, index);
        const void* data = sqlite3_column_blob(statement, index);
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(size));
        void* target = nullptr;
        if (array && SUCCEEDED(SafeArrayAccessData(array, &target))) {
            if (size > 0)
                std::memcpy(target, data, static_cast<std::size_t>(size));
            SafeArrayUnaccessData(array);
            out.vt = VT_ARRAY | VT_UI1;
            out.parray = array;
        }
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, index));
    const int length = sqlite3_column_bytes(statement, index);
    out.vt = VT_BSTR;
    out.bstrVal = BstrFromUtf8(text ? text : "", static_cast<std::size_t>(length));
    const VARTYPE target = VariantTypeOf(type);
    if (target == VT_BSTR)
        return;
    if (target == VT_DATE && stored == SQLITE_TEXT) {
        DATE date = 0;
        bool overflow = false;
        if (com::ParseDate(std::string(text ? text : "", static_cast<std::size_t>(length)), date, overflow))
            out = CComVariant(date, VT_DATE);
        return;
    }
    if (target == VT_BOOL) {
        bool set = sqlite3_column_int64(statement, index) != 0;
        if (stored == SQLITE_TEXT) {
            CComVariant flag;
            set = SUCCEEDED(VariantChangeType(&flag, &out, 0, VT_BOOL)) && flag.boolVal != VARIANT_FALSE;
        }
        out = CComVariant(set);
        return;
    }
    // A value the column's type cannot hold (SQLite does not enforce types)
    // stays text rather than being lost.
    VariantChangeType(&out, &out, 0, target);
}

}  // namespace pollenta::ado
