#pragma once
// A property opened as a stream. Reads see the value as it was opened;
// writes go to a copy that replaces the property only on Commit.

#include "MapiObject.h"
#include "com/Stream.h"

#include <functional>
#include <string>

namespace pollenta::mapi {

class CPropertyStream : public TMapiObject<IStream> {
public:
    using CommitFn = std::function<HRESULT(const std::string&)>;
    // `owner` is kept alive while the stream lives; `commit` is empty for a
    // read-only stream.
    CPropertyStream(IUnknown* owner, std::string data, CommitFn commit);
    ~CPropertyStream() override;

    HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) override;
    HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
    HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override;
    HRESULT SetSize(ULARGE_INTEGER size) override;
    HRESULT CopyTo(IStream* target, ULARGE_INTEGER cb, ULARGE_INTEGER* read, ULARGE_INTEGER* written) override;
    HRESULT Commit(DWORD flags) override;
    HRESULT Revert() override;
    HRESULT LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT Stat(STATSTG* stat, DWORD flags) override;
    HRESULT Clone(IStream** out) override;

private:
    IUnknown* m_owner;
    std::string m_original;
    std::string m_data;
    std::size_t m_position = 0;
    CommitFn m_commit;
};

}  // namespace pollenta::mapi
