// The Filter property of CAdoRecordset: the rows the criteria hold for stay
// visible, and the recordset stands on the first of them.

#include "CAdoRecordset.h"

#include "RecordFilter.h"
#include "Utf8.h"

namespace pollenta::ado {

namespace {

constexpr LONG adFilterNone = 0;

bool ClearsFilter(const VARIANT& criteria)
{
    if (criteria.vt == VT_EMPTY || criteria.vt == VT_NULL)
        return true;
    if (criteria.vt == VT_I4 || criteria.vt == VT_I2)
        return (criteria.vt == VT_I4 ? criteria.lVal : criteria.iVal) == adFilterNone;
    return criteria.vt == VT_BSTR && SysStringLen(criteria.bstrVal) == 0;
}

}  // namespace

STDMETHODIMP CAdoRecordset::put_Filter(VARIANT criteria)
{
    if (!m_open)
        return Fail(adErrObjectClosed, "Operation is not allowed when the object is closed.");
    HRESULT hr = LoadRows();
    if (FAILED(hr))
        return hr;
    if (!m_unfilteredRows)
        m_unfilteredRows = m_rows;
    if (ClearsFilter(criteria)) {
        m_rows = std::move(*m_unfilteredRows);
        m_unfilteredRows.reset();
        m_position = 0;
        return S_OK;
    }
    if (criteria.vt != VT_BSTR)
        return Fail(adErrInvalidArgument, "Only filters given as text are supported.");
    RecordFilter filter;
    std::string reason;
    if (!filter.Parse(Utf8FromBstr(criteria.bstrVal), m_columns, reason))
        return Fail(adErrInvalidArgument, reason);
    m_rows.clear();
    for (const std::vector<CComVariant>& row : *m_unfilteredRows) {
        if (filter.Matches(row))
            m_rows.push_back(row);
    }
    m_position = 0;
    return S_OK;
}

}  // namespace pollenta::ado
