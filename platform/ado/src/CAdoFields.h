#pragma once

#include "CAdoRecordset.h"

#include "ado/Fields.h"

namespace pollenta::ado {

class CAdoFields final : public com::CUnknownImpl<CAdoFields, Fields, ISupportErrorInfo> {
public:
    // Failures set the thread's error information.
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override { return iid == IID_Fields ? S_OK : S_FALSE; }

    explicit CAdoFields(CAdoRecordset* recordset) : m_recordset(recordset) {}

    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP get_Item(VARIANT index, Field** field) override;

private:
    CComPtr<CAdoRecordset> m_recordset;
};

}  // namespace pollenta::ado
