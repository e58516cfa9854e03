#include "CAdoField.h"

#include "Utf8.h"

namespace pollenta::ado {

namespace {
template <class T>
HRESULT Out(T* target, T value)
{
    if (!target)
        return E_POINTER;
    *target = value;
    return S_OK;
}
}  // namespace

STDMETHODIMP CAdoField::get_Name(BSTR* name)
{
    if (!name)
        return E_POINTER;
    *name = BstrFromUtf8(m_recordset->Column(m_column).name);
    return *name ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CAdoField::get_Type(DataTypeEnum* type) { return Out(type, m_recordset->Column(m_column).type); }

STDMETHODIMP CAdoField::get_DefinedSize(LONG* size) { return Out(size, m_recordset->Column(m_column).definedSize); }

STDMETHODIMP CAdoField::get_Attributes(LONG* attributes)
{
    return Out(attributes, m_recordset->Column(m_column).attributes);
}

STDMETHODIMP CAdoField::get_Value(VARIANT* value) { return m_recordset->GetFieldValue(m_column, value); }

STDMETHODIMP CAdoField::put_Value(VARIANT value) { return m_recordset->PutFieldValue(m_column, value); }

STDMETHODIMP CAdoField::get_Status(LONG* status) { return Out(status, m_recordset->FieldStatus(m_column)); }

}  // namespace pollenta::ado
