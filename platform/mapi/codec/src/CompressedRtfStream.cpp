#include "CompressedRtfStream.h"

#include "mapi/CompressedRtf.h"
#include "mapi/MapiFlags.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Writes all of `bytes` over the old contents of `target` and cuts off the rest.
HRESULT ReplaceContents(IStream* target, const std::vector<BYTE>& bytes)
{
    LARGE_INTEGER start{};
    HRESULT hr = target->Seek(start, STREAM_SEEK_SET, nullptr);
    if (FAILED(hr))
        return hr;
    ULONG written = 0;
    hr = target->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    if (FAILED(hr))
        return hr;
    if (written != bytes.size())
        return STG_E_MEDIUMFULL;
    ULARGE_INTEGER size{};
    size.QuadPart = bytes.size();
    return target->SetSize(size);
}

} // namespace

CompressedRtfStream::CompressedRtfStream(IStream* compressed, ULONG flags, std::string text)
    : m_compressed(compressed), m_flags(flags), m_text(std::move(text)), m_committed(m_text)
{
    m_compressed->AddRef();
}

CompressedRtfStream::~CompressedRtfStream() { m_compressed->Release(); }

bool CompressedRtfStream::IsWritable() const { return (m_flags & MAPI_MODIFY) != 0; }

STDMETHODIMP CompressedRtfStream::QueryInterface(REFIID riid, void** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream) {
        *ppvObject = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *ppvObject = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CompressedRtfStream::AddRef() { return m_refCount.fetch_add(1, std::memory_order_relaxed) + 1; }

STDMETHODIMP_(ULONG) CompressedRtfStream::Release()
{
    const ULONG left = m_refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0)
        delete this;
    return left;
}

STDMETHODIMP CompressedRtfStream::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    if (!pv && cb > 0)
        return STG_E_INVALIDPOINTER;
    const std::size_t available = m_position < m_text.size() ? m_text.size() - m_position : 0;
    const ULONG count = static_cast<ULONG>(std::min<std::size_t>(cb, available));
    if (count > 0)
        std::memcpy(pv, m_text.data() + m_position, count);
    m_position += count;
    if (pcbRead)
        *pcbRead = count;
    return S_OK;
}

STDMETHODIMP CompressedRtfStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
    if (pcbWritten)
        *pcbWritten = 0;
    if (!IsWritable())
        return STG_E_ACCESSDENIED;
    if (!pv && cb > 0)
        return STG_E_INVALIDPOINTER;
    if (m_position + cb > m_text.size())
        m_text.resize(m_position + cb);
    if (cb > 0)
        std::memcpy(m_text.data() + m_position, pv, cb);
    m_position += cb;
    if (pcbWritten)
        *pcbWritten = cb;
    return S_OK;
}

STDMETHODIMP CompressedRtfStream::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition)
{
    LONGLONG base = 0;
    if (dwOrigin == STREAM_SEEK_CUR)
        base = static_cast<LONGLONG>(m_position);
    else if (dwOrigin == STREAM_SEEK_END)
        base = static_cast<LONGLONG>(m_text.size());
    else if (dwOrigin != STREAM_SEEK_SET)
        return STG_E_INVALIDFUNCTION;
    const LONGLONG target = base + dlibMove.QuadPart;
    if (target < 0)
        return STG_E_INVALIDFUNCTION;
    m_position = static_cast<std::size_t>(target);
    if (plibNewPosition)
        plibNewPosition->QuadPart = m_position;
    return S_OK;
}

STDMETHODIMP CompressedRtfStream::SetSize(ULARGE_INTEGER libNewSize)
{
    if (!IsWritable())
        return STG_E_ACCESSDENIED;
    // The compressed form counts its sizes in 32 bits.
    if (libNewSize.QuadPart > 0xFFFFFFF0u)
        return STG_E_MEDIUMFULL;
    m_text.resize(static_cast<std::size_t>(libNewSize.QuadPart));
    return S_OK;
}

STDMETHODIMP CompressedRtfStream::CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                         ULARGE_INTEGER* pcbWritten)
{
    if (!pstm)
        return STG_E_INVALIDPOINTER;
    const std::size_t available = m_position < m_text.size() ? m_text.size() - m_position : 0;
    const ULONG count = static_cast<ULONG>(std::min<ULONGLONG>(std::min<ULONGLONG>(cb.QuadPart, available), 0xFFFFFFFFu));
    ULONG written = 0;
    const HRESULT hr = count > 0 ? pstm->Write(m_text.data() + m_position, count, &written) : S_OK;
    m_position += count;
    if (pcbRead)
        pcbRead->QuadPart = count;
    if (pcbWritten)
        pcbWritten->QuadPart = written;
    return hr;
}

STDMETHODIMP CompressedRtfStream::Commit(DWORD grfCommitFlags)
{
    if (!IsWritable())
        return S_OK;
    if (m_text.size() > 0xFFFFFFF0u)
        return STG_E_MEDIUMFULL;
    const std::vector<BYTE> stored =
        (m_flags & STORE_UNCOMPRESSED_RTF) ? StoreUncompressedRtf(m_text) : CompressRtf(m_text);
    HRESULT hr = ReplaceContents(m_compressed, stored);
    if (SUCCEEDED(hr))
        hr = m_compressed->Commit(grfCommitFlags);
    if (FAILED(hr))
        return hr;
    m_committed = m_text;
    return S_OK;
}

STDMETHODIMP CompressedRtfStream::Revert()
{
    m_text = m_committed;
    return S_OK;
}

STDMETHODIMP CompressedRtfStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

STDMETHODIMP CompressedRtfStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

STDMETHODIMP CompressedRtfStream::Stat(STATSTG* pstatstg, DWORD)
{
    if (!pstatstg)
        return STG_E_INVALIDPOINTER;
    *pstatstg = STATSTG{};
    pstatstg->type = STGTY_STREAM;
    pstatstg->cbSize.QuadPart = m_text.size();
    pstatstg->grfMode = IsWritable() ? STGM_READWRITE : STGM_READ;
    return S_OK;
}

STDMETHODIMP CompressedRtfStream::Clone(IStream** ppstm)
{
    if (ppstm)
        *ppstm = nullptr;
    return STG_E_INVALIDFUNCTION;
}
