#pragma once
// The spooler's status object; FlushQueues sends what waits in the Outbox.

#include "PropObject.h"
#include "Spooler.h"
#include "mapi/IMAPIStatus.h"

namespace pollenta::mapi {

class CMapiStatus : public TPropObject<IMAPIStatus> {
public:
    explicit CMapiStatus(std::shared_ptr<CSpooler> spooler);
    // The status table's row for the spooler.
    static CPropMap SpoolerRow();

    HRESULT FlushQueues(ULONG_PTR ulUIParam, ULONG cbTarget, LPENTRYID target, ULONG flags) override;

protected:
    bool Writable() override { return false; }

private:
    std::shared_ptr<CSpooler> m_spooler;
};

}  // namespace pollenta::mapi
