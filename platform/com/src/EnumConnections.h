#pragma once
// A snapshot of a connection point's sinks, in advise order.

#include "com/ComPtr.h"
#include "com/ConnectionPoint.h"
#include "com/UnknownImpl.h"

#include <vector>

namespace pollenta::com {

class CEnumConnections : public CUnknownImpl<CEnumConnections, IEnumConnections> {
public:
    explicit CEnumConnections(const std::vector<CONNECTDATA>& connections);
    ~CEnumConnections();

    STDMETHODIMP Next(ULONG count, CONNECTDATA* connections, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumConnections** clone) override;

private:
    std::vector<CONNECTDATA> m_connections;
    size_t m_next = 0;
};

}  // namespace pollenta::com
