#pragma once

#include "CAdoRecordset.h"

#include "ado/Fields.h"

namespace pollenta::ado {

class CAdoFields final : public com::CUnknownImpl<CAdoFields, Fields> {
public:
    explicit CAdoFields(CAdoRecordset* recordset) : m_recordset(recordset) {}

    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP get_Item(VARIANT index, Field** field) override;

private:
    CComPtr<CAdoRecordset> m_recordset;
};

}  // namespace pollenta::ado
