#include "CAdoFields.h"

#include "CAdoField.h"
#include "Utf8.h"

#include "com/ErrorInfo.h"

namespace pollenta::ado {

STDMETHODIMP CAdoFields::get_Count(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = m_recordset->ColumnCount();
    return S_OK;
}

STDMETHODIMP CAdoFields::get_Item(VARIANT index, Field** field)
{
    if (!field)
        return E_POINTER;
    *field = nullptr;
    LONG column = -1;
    if (index.vt == VT_BSTR) {
        column = m_recordset->FindColumn(Utf8FromBstr(index.bstrVal));
    } else {
        CComVariant position;
        if (SUCCEEDED(VariantChangeType(&position, &index, 0, VT_I4)) && position.lVal >= 0 &&
            position.lVal < m_recordset->ColumnCount())
            column = position.lVal;
    }
    if (column < 0)
        return com::ReportError(adErrItemNotFound,
                                "Item cannot be found in the collection corresponding to the requested name or ordinal.",
                                kAdoSource, IID_Fields);
    return CAdoField::CreateInstance(IID_Field, reinterpret_cast<void**>(field), m_recordset.p, column);
}

}  // namespace pollenta::ado
