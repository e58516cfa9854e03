#include "CWELanguageTable.h"

#include "LanguageImage.h"
#include "LanguageRow.h"

#include <fstream>
#include <iterator>

namespace {

constexpr std::uint64_t HeaderSize = 16;
constexpr std::uint64_t PairSize = 8;
// Language files hold a few hundred short texts; anything far larger is not one.
constexpr std::uint64_t MaxFileSize = 16 * 1024 * 1024;

std::uint32_t WordAt(const unsigned char* image, std::uint64_t offset)
{
    const unsigned char* p = image + offset;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

void CWELanguageTable::Clear()
{
    m_index.clear();
    m_strings.clear();
    m_nCount = 0;
}

bool CWELanguageTable::Attach(const unsigned char* image, std::size_t size, UINT codePage)
{
    auto lock = Hold();
    Clear();
    if (!image || size < HeaderSize)
        return false;
    // The two format fields (bytes 4 to 11) are written but never tested.
    std::uint32_t count = WordAt(image, 12);
    if (WordAt(image, 0) != LanguageImageMagic)
        return false;
    // 64-bit arithmetic: a lying count cannot wrap around the checks.
    std::uint64_t areaStart = HeaderSize + PairSize * (std::uint64_t{count} + 1);
    if (areaStart > size)
        return false;
    std::vector<IndexEntry> index(std::size_t{count} + 1);
    for (std::uint64_t i = 0; i <= count; ++i)
        index[i] = {WordAt(image, HeaderSize + PairSize * i), WordAt(image, HeaderSize + PairSize * i + 4)};
    const IndexEntry& end = index.back();
    if (end.id != LanguageImageEndId || areaStart + end.offset > size)
        return false;
    const unsigned char* area = image + areaStart;
    for (std::uint32_t i = 0; i < count; ++i) {
        // Ascending ids keep the halving search right; every text holds at
        // least its NUL and ends with it.
        if (index[i + 1].id <= index[i].id || index[i + 1].offset <= index[i].offset ||
            index[i + 1].offset > end.offset)
            return false;
        if (area[index[i + 1].offset - 1] != 0)
            return false;
    }

    m_nCount = count;
    m_index = std::move(index);
    m_strings.assign(area, area + end.offset);
    ConvertToAnsi(codePage);
    return true;
}

// Only files are converted, and their size limit keeps the converted
// offsets (at most three bytes for one) within 32 bits.
void CWELanguageTable::ConvertToAnsi(UINT codePage)
{
    if (codePage == CP_ACP || codePage == GetACP())
        return;
    std::vector<char> strings;
    for (std::uint32_t i = 0; i < m_nCount; ++i) {
        const std::uint32_t start = m_index[i].offset;
        const std::uint32_t next = m_index[i + 1].offset;
        std::string text = Recode(std::string_view(m_strings.data() + start, next - start - 1), codePage, CP_ACP);
        m_index[i].offset = static_cast<std::uint32_t>(strings.size());
        strings.insert(strings.end(), text.begin(), text.end());
        strings.push_back('\0');
    }
    m_index[m_nCount].offset = static_cast<std::uint32_t>(strings.size());
    m_strings = std::move(strings);
}

bool CWELanguageTable::LoadFromFile(const std::string& path, UINT codePage)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return false;
    std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > MaxFileSize)
        return false;
    std::vector<unsigned char> image(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(image.data()), size))
        return false;
    return Attach(image.data(), image.size(), codePage);
}

bool CWELanguageTable::LoadFromResource(const std::string& tableName)
{
    std::span<const LanguageText> texts = FindBuiltInTexts(tableName);
    if (texts.empty()) {
        auto lock = Hold();
        Clear();
        return false;
    }
    // The built-in texts are kept in UTF-8 and handed out in the ANSI code page.
    std::vector<unsigned char> image = BuildLanguageImage(texts, GetACP());
    return Attach(image.data(), image.size());
}

bool CWELanguageTable::Load(const std::string& tableName, const std::string& folder)
{
    auto lock = Hold();
    return LoadFromFile(folder + "/" + tableName, LanguageCodePage(tableName)) || LoadFromResource(tableName);
}

const char* CWELanguageTable::FindString(std::uint32_t id, std::size_t* length) const
{
    auto lock = Hold();
    if (length)
        *length = 0;
    if (id == LanguageImageEndId)
        return nullptr;
    std::uint32_t low = 0;
    std::uint32_t high = m_nCount;
    while (low < high) {
        std::uint32_t middle = low + (high - low) / 2;
        if (m_index[middle].id == id) {
            if (length)
                *length = m_index[middle + 1].offset - m_index[middle].offset - 1;
            return m_strings.data() + m_index[middle].offset;
        }
        if (id < m_index[middle].id)
            high = middle;
        else
            low = middle + 1;
    }
    return nullptr;
}

std::uint32_t CWELanguageTable::Count() const
{
    auto lock = Hold();
    return m_nCount;
}
