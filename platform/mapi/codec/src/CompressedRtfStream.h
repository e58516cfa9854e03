#pragma once
// The stream that WrapCompressedRTFStream hands out: the RTF text in memory,
// read from the compressed stream when opened, written back on Commit.

#include "com/Stream.h"

#include <atomic>
#include <string>

class CompressedRtfStream final : public IStream {
public:
    CompressedRtfStream(IStream* compressed, ULONG flags, std::string text);
    CompressedRtfStream(const CompressedRtfStream&) = delete;
    CompressedRtfStream& operator=(const CompressedRtfStream&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppvObject) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP Read(void* pv, ULONG cb, ULONG* pcbRead) override;
    STDMETHODIMP Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
    STDMETHODIMP Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) override;
    STDMETHODIMP SetSize(ULARGE_INTEGER libNewSize) override;
    STDMETHODIMP CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                        ULARGE_INTEGER* pcbWritten) override;
    STDMETHODIMP Commit(DWORD grfCommitFlags) override;
    STDMETHODIMP Revert() override;
    STDMETHODIMP LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    STDMETHODIMP Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
    STDMETHODIMP Clone(IStream** ppstm) override;

private:
    ~CompressedRtfStream();
    bool IsWritable() const;

    std::atomic<ULONG> m_refCount{1};
    IStream* m_compressed;
    ULONG m_flags;
    std::string m_text;
    std::string m_committed; // what Revert goes back to
    std::size_t m_position = 0;
};
