#pragma once

#include "AdoErrorRecord.h"

#include "ado/Errors.h"
#include "com/UnknownImpl.h"

#include <vector>

namespace pollenta::ado {

class CAdoErrors final : public com::CUnknownImpl<CAdoErrors, Errors> {
public:
    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP get_Item(VARIANT index, Error** error) override;
    STDMETHODIMP Clear() override;

    void Add(AdoErrorRecord record) { m_records.push_back(std::move(record)); }

private:
    std::vector<AdoErrorRecord> m_records;
};

}  // namespace pollenta::ado
