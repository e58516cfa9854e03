#include "EnumConnections.h"

namespace pollenta::com {

CEnumConnections::CEnumConnections(const std::vector<CONNECTDATA>& connections) : m_connections(connections)
{
    for (const CONNECTDATA& connection : m_connections) connection.pUnk->AddRef();
}

CEnumConnections::~CEnumConnections()
{
    for (const CONNECTDATA& connection : m_connections) connection.pUnk->Release();
}

STDMETHODIMP CEnumConnections::Next(ULONG count, CONNECTDATA* connections, ULONG* fetched)
{
    if (!connections || (count > 1 && !fetched)) return E_POINTER;
    ULONG done = 0;
    for (; done < count && m_next < m_connections.size(); ++done, ++m_next) {
        connections[done] = m_connections[m_next];
        connections[done].pUnk->AddRef();
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumConnections::Skip(ULONG count)
{
    const size_t left = m_connections.size() - m_next;
    m_next += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumConnections::Reset()
{
    m_next = 0;
    return S_OK;
}

STDMETHODIMP CEnumConnections::Clone(IEnumConnections** clone)
{
    if (!clone) return E_POINTER;
    CEnumConnections* copy = new (std::nothrow) CEnumConnections(m_connections);
    if (!copy) return E_OUTOFMEMORY;
    copy->m_next = m_next;
    copy->AddRef();
    *clone = copy;
    return S_OK;
}

}  // namespace pollenta::com
