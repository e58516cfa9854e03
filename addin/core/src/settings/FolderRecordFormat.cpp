#include "settings/FolderRecordFormat.h"

namespace {

constexpr std::size_t kFixedPart = 12;

void PutNumber(std::vector<BYTE>& bytes, DWORD value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<BYTE>(value >> shift));
}

void PutId(std::vector<BYTE>& bytes, const CZrEntryID& id)
{
    PutNumber(bytes, id.Size());
    if (!id.IsEmpty())
        bytes.insert(bytes.end(), id.Bytes(), id.Bytes() + id.Size());
}

// Reads from `offset` on, never past the end.
class RecordReader {
public:
    explicit RecordReader(const std::vector<BYTE>& bytes) : m_bytes(bytes) {}

    bool Number(DWORD& value)
    {
        if (m_bytes.size() - m_offset < 4)
            return false;
        value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | m_bytes[m_offset + static_cast<std::size_t>(i)];
        m_offset += 4;
        return true;
    }
    bool Id(CZrEntryID& id)
    {
        DWORD size = 0;
        if (!Number(size) || m_bytes.size() - m_offset < size)
            return false;
        if (!id.Set(size, m_bytes.data() + m_offset))
            return false;
        m_offset += size;
        return true;
    }
    bool AtEnd() const { return m_offset == m_bytes.size(); }

private:
    const std::vector<BYTE>& m_bytes;
    std::size_t m_offset = 0;
};

}  // namespace

std::vector<BYTE> EncodeFolderRecord(const CWEWatchedFolder& folder)
{
    std::vector<BYTE> bytes;
    bytes.reserve(kFixedPart + folder.m_StoreId.Size() + folder.m_FolderId.Size());
    PutNumber(bytes, folder.m_dwFlags);
    PutId(bytes, folder.m_StoreId);
    PutId(bytes, folder.m_FolderId);
    return bytes;
}

bool DecodeFolderRecord(const std::vector<BYTE>& bytes, CWEWatchedFolder& folder)
{
    CWEWatchedFolder record;
    RecordReader reader(bytes);
    if (!reader.Number(record.m_dwFlags) || !reader.Id(record.m_StoreId) || !reader.Id(record.m_FolderId) ||
        !reader.AtEnd())
        return false;
    folder.m_dwFlags = record.m_dwFlags;
    folder.m_StoreId = record.m_StoreId;
    folder.m_FolderId = record.m_FolderId;
    return true;
}
