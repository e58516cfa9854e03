#pragma once
// An IStream over a growable block of memory. Clones share the data and
// keep their own position.

#include "com/Stream.h"
#include "com/UnknownImpl.h"

#include <memory>
#include <vector>

namespace pollenta::com {

class CMemoryStream : public CUnknownImpl<CMemoryStream, IStream> {
public:
    explicit CMemoryStream(std::shared_ptr<std::vector<BYTE>> data);

    void* QueryInterfaceExtra(REFIID iid);

    STDMETHODIMP Read(void* pv, ULONG cb, ULONG* pcbRead) override;
    STDMETHODIMP Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
    STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override;
    STDMETHODIMP SetSize(ULARGE_INTEGER newSize) override;
    STDMETHODIMP CopyTo(IStream* target, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                        ULARGE_INTEGER* pcbWritten) override;
    // Memory has nothing to flush: every write is already in place.
    STDMETHODIMP Commit(DWORD flags) override;
    STDMETHODIMP Revert() override;
    STDMETHODIMP LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD lockType) override;
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD lockType) override;
    STDMETHODIMP Stat(STATSTG* stat, DWORD flags) override;
    STDMETHODIMP Clone(IStream** clone) override;

private:
    std::shared_ptr<std::vector<BYTE>> m_data;
    ULONGLONG m_position = 0;
};

}  // namespace pollenta::com
