#include "CAdoErrors.h"

#include "CAdoError.h"

#include "ado/AdoEnums.h"
#include "com/ComVariant.h"

namespace pollenta::ado {

STDMETHODIMP CAdoErrors::get_Count(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = static_cast<LONG>(m_records.size());
    return S_OK;
}

STDMETHODIMP CAdoErrors::get_Item(VARIANT index, Error** error)
{
    if (!error)
        return E_POINTER;
    *error = nullptr;
    CComVariant position;
    if (FAILED(VariantChangeType(&position, &index, 0, VT_I4)) || position.lVal < 0 ||
        static_cast<std::size_t>(position.lVal) >= m_records.size())
        return adErrItemNotFound;
    return CAdoError::CreateInstance(IID_Error, reinterpret_cast<void**>(error), m_records[position.lVal]);
}

STDMETHODIMP CAdoErrors::Clear()
{
    m_records.clear();
    return S_OK;
}

}  // namespace pollenta::ado
