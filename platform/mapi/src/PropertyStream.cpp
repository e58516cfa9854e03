#include "PropertyStream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace pollenta::mapi {

namespace {
constexpr HRESULT kAccessDenied = POLLENTA_HR(0x80030005);  // STG_E_ACCESSDENIED
// A property value is at most this long, however far the stream was sought.
constexpr ULONGLONG kLargestValue = 0x7FFFFFFF;
}

CPropertyStream::CPropertyStream(IUnknown* owner, std::string data, CommitFn commit)
    : TMapiObject<IStream>({IID_ISequentialStream, IID_IStream}), m_owner(owner), m_original(data),
      m_data(std::move(data)), m_commit(std::move(commit))
{
    if (m_owner) m_owner->AddRef();
}

CPropertyStream::~CPropertyStream()
{
    if (m_owner) m_owner->Release();
}

HRESULT CPropertyStream::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    if (pcbRead) *pcbRead = 0;
    if (!pv && cb) return STG_E_INVALIDPOINTER;
    std::size_t available = m_position < m_data.size() ? m_data.size() - m_position : 0;
    std::size_t n = std::min<std::size_t>(cb, available);
    if (n) std::memcpy(pv, m_data.data() + m_position, n);
    m_position += n;
    if (pcbRead) *pcbRead = static_cast<ULONG>(n);
    // Nothing left to read: S_FALSE, so that read loops end.
    return n == 0 && cb > 0 ? S_FALSE : S_OK;
}

HRESULT CPropertyStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
    if (pcbWritten) *pcbWritten = 0;
    if (!m_commit) return kAccessDenied;
    if (!pv && cb) return STG_E_INVALIDPOINTER;
    if (m_position + cb > kLargestValue) return STG_E_MEDIUMFULL;
    if (m_position + cb > m_data.size()) m_data.resize(m_position + cb, '\0');
    std::memcpy(m_data.data() + m_position, pv, cb);
    m_position += cb;
    if (pcbWritten) *pcbWritten = cb;
    return S_OK;
}

HRESULT CPropertyStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position)
{
    LONGLONG base = 0;
    switch (origin) {
    case STREAM_SEEK_SET: base = 0; break;
    case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(m_position); break;
    case STREAM_SEEK_END: base = static_cast<LONGLONG>(m_data.size()); break;
    default: return STG_E_INVALIDFUNCTION;
    }
    if (move.QuadPart > 0 && base > std::numeric_limits<LONGLONG>::max() - move.QuadPart) return STG_E_INVALIDFUNCTION;
    LONGLONG target = base + move.QuadPart;
    if (target < 0) return STG_E_INVALIDFUNCTION;
    m_position = static_cast<std::size_t>(target);
    if (position) position->QuadPart = m_position;
    return S_OK;
}

HRESULT CPropertyStream::SetSize(ULARGE_INTEGER size)
{
    if (!m_commit) return kAccessDenied;
    if (size.QuadPart > kLargestValue) return STG_E_MEDIUMFULL;
    m_data.resize(static_cast<std::size_t>(size.QuadPart), '\0');
    return S_OK;
}

HRESULT CPropertyStream::CopyTo(IStream* target, ULARGE_INTEGER cb, ULARGE_INTEGER* read, ULARGE_INTEGER* written)
{
    if (!target) return STG_E_INVALIDPOINTER;
    std::size_t available = m_position < m_data.size() ? m_data.size() - m_position : 0;
    std::size_t n = static_cast<std::size_t>(std::min<ULONGLONG>(cb.QuadPart, available));
    ULONG done = 0;
    HRESULT hr = target->Write(m_data.data() + m_position, static_cast<ULONG>(n), &done);
    m_position += n;
    if (read) read->QuadPart = n;
    if (written) written->QuadPart = done;
    return hr;
}

HRESULT CPropertyStream::Commit(DWORD)
{
    if (!m_commit) return S_OK;
    HRESULT hr = m_commit(m_data);
    if (SUCCEEDED(hr)) m_original = m_data;
    return hr;
}

HRESULT CPropertyStream::Revert()
{
    m_data = m_original;
    m_position = std::min(m_position, m_data.size());
    return S_OK;
}

HRESULT CPropertyStream::Stat(STATSTG* stat, DWORD)
{
    if (!stat) return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof(STATSTG));
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = m_data.size();
    stat->grfMode = m_commit ? STGM_READWRITE : STGM_READ;
    return S_OK;
}

HRESULT CPropertyStream::Clone(IStream** out)
{
    if (!out) return STG_E_INVALIDPOINTER;
    auto* clone = new CPropertyStream(m_owner, m_data, m_commit);
    clone->m_position = m_position;
    *out = clone;
    return S_OK;
}

}  // namespace pollenta::mapi
