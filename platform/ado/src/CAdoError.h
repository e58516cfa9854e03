#pragma once

#include "AdoErrorRecord.h"

#include "ado/Error.h"
#include "com/UnknownImpl.h"

namespace pollenta::ado {

class CAdoError final : public com::CUnknownImpl<CAdoError, Error> {
public:
    explicit CAdoError(AdoErrorRecord record) : m_record(std::move(record)) {}

    STDMETHODIMP get_Number(LONG* number) override;
    STDMETHODIMP get_Source(BSTR* source) override;
    STDMETHODIMP get_Description(BSTR* description) override;
    STDMETHODIMP get_NativeError(LONG* nativeError) override;

private:
    AdoErrorRecord m_record;
};

}  // namespace pollenta::ado
