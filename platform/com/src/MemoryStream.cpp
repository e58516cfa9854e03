#include "MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace pollenta::com {

namespace {
// A stream larger than this could not be held anyway; refusing it keeps
// the size arithmetic from wrapping.
constexpr ULONGLONG kMaxSize = std::numeric_limits<LONG>::max();
}  // namespace

CMemoryStream::CMemoryStream(std::shared_ptr<std::vector<BYTE>> data) : m_data(std::move(data)) {}

void* CMemoryStream::QueryInterfaceExtra(REFIID iid)
{
    return iid == IID_ISequentialStream ? static_cast<ISequentialStream*>(this) : nullptr;
}

STDMETHODIMP CMemoryStream::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    if (!pv && cb > 0) return STG_E_INVALIDPOINTER;
    const ULONGLONG size = m_data->size();
    const ULONG count = m_position >= size ? 0 : static_cast<ULONG>(std::min<ULONGLONG>(cb, size - m_position));
    if (count > 0) std::memcpy(pv, m_data->data() + m_position, count);
    m_position += count;
    if (pcbRead) *pcbRead = count;
    return S_OK;
}

STDMETHODIMP CMemoryStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
    if (pcbWritten) *pcbWritten = 0;
    if (!pv && cb > 0) return STG_E_INVALIDPOINTER;
    if (m_position + cb > kMaxSize) return STG_E_MEDIUMFULL;
    if (m_position + cb > m_data->size()) m_data->resize(m_position + cb);
    if (cb > 0) std::memcpy(m_data->data() + m_position, pv, cb);
    m_position += cb;
    if (pcbWritten) *pcbWritten = cb;
    return S_OK;
}

STDMETHODIMP CMemoryStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition)
{
    LONGLONG base;
    switch (origin) {
    case STREAM_SEEK_SET: base = 0; break;
    case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(m_position); break;
    case STREAM_SEEK_END: base = static_cast<LONGLONG>(m_data->size()); break;
    default: return STG_E_INVALIDFUNCTION;
    }
    if (move.QuadPart < -base || move.QuadPart > static_cast<LONGLONG>(kMaxSize) - base) return STG_E_INVALIDFUNCTION;
    m_position = static_cast<ULONGLONG>(base + move.QuadPart);
    if (newPosition) newPosition->QuadPart = m_position;
    return S_OK;
}

STDMETHODIMP CMemoryStream::SetSize(ULARGE_INTEGER newSize)
{
    if (newSize.QuadPart > kMaxSize) return STG_E_MEDIUMFULL;
    m_data->resize(newSize.QuadPart);
    return S_OK;
}

STDMETHODIMP CMemoryStream::CopyTo(IStream* target, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                   ULARGE_INTEGER* pcbWritten)
{
    if (!target) return STG_E_INVALIDPOINTER;
    const ULONGLONG size = m_data->size();
    const ULONGLONG available = m_position >= size ? 0 : size - m_position;
    const ULONG count = static_cast<ULONG>(std::min(cb.QuadPart, available));
    // Copied first: the target may be a clone that shares this data.
    std::vector<BYTE> chunk(m_data->begin() + static_cast<std::ptrdiff_t>(m_position),
                            m_data->begin() + static_cast<std::ptrdiff_t>(m_position + count));
    m_position += count;
    ULONG written = 0;
    const HRESULT hr = target->Write(chunk.data(), count, &written);
    if (pcbRead) pcbRead->QuadPart = count;
    if (pcbWritten) pcbWritten->QuadPart = written;
    return hr;
}

STDMETHODIMP CMemoryStream::Commit(DWORD) { return S_OK; }

STDMETHODIMP CMemoryStream::Revert() { return S_OK; }

STDMETHODIMP CMemoryStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }

STDMETHODIMP CMemoryStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }

STDMETHODIMP CMemoryStream::Stat(STATSTG* stat, DWORD)
{
    if (!stat) return STG_E_INVALIDPOINTER;
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = m_data->size();
    stat->grfMode = STGM_READWRITE;
    return S_OK;
}

STDMETHODIMP CMemoryStream::Clone(IStream** clone)
{
    if (!clone) return STG_E_INVALIDPOINTER;
    CMemoryStream* copy = new (std::nothrow) CMemoryStream(m_data);
    if (!copy) return E_OUTOFMEMORY;
    copy->m_position = m_position;
    copy->AddRef();
    *clone = copy;
    return S_OK;
}

}  // namespace pollenta::com

extern "C" HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL, IStream** stream)
{
    if (!stream) return E_INVALIDARG;
    *stream = nullptr;
    if (hGlobal) return E_INVALIDARG;
    return pollenta::com::CreateMemoryStream(nullptr, 0, stream);
}

namespace pollenta::com {

HRESULT CreateMemoryStream(const void* data, ULONG size, IStream** stream)
{
    if (!stream || (!data && size > 0)) return E_INVALIDARG;
    auto bytes = std::make_shared<std::vector<BYTE>>();
    if (size > 0) bytes->assign(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
    return CMemoryStream::CreateInstance(IID_IStream, reinterpret_cast<void**>(stream), std::move(bytes));
}

}  // namespace pollenta::com
