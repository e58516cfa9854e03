#pragma once

#include "CAdoRecordset.h"

#include "ado/Field.h"

namespace pollenta::ado {

class CAdoField final : public com::CUnknownImpl<CAdoField, Field> {
public:
    CAdoField(CAdoRecordset* recordset, LONG column) : m_recordset(recordset), m_column(column) {}

    STDMETHODIMP get_Name(BSTR* name) override;
    STDMETHODIMP get_Type(DataTypeEnum* type) override;
    STDMETHODIMP get_DefinedSize(LONG* size) override;
    STDMETHODIMP get_Attributes(LONG* attributes) override;
    STDMETHODIMP get_Value(VARIANT* value) override;
    STDMETHODIMP put_Value(VARIANT value) override;
    STDMETHODIMP get_Status(LONG* status) override;

private:
    CComPtr<CAdoRecordset> m_recordset;
    LONG m_column;
};

}  // namespace pollenta::ado
