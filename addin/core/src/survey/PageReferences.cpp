#include "survey/PageReferences.h"

#include "win/CodePage.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view kBefore = "('=\" ";
constexpr std::string_view kAfter = ")',;:>\" ";

// A tag's text lower-cased, with the offset in the tag of the character
// each lowered byte came from (one more entry for the end).
struct LoweredTag {
    std::string text;
    std::vector<std::size_t> origin;
};

// Where the character at `i` ends: UTF-8 characters are whole, other ANSI
// code pages have one byte per character.
std::size_t CharacterEnd(std::string_view tag, std::size_t i)
{
    if (GetACP() != CP_UTF8)
        return i + 1;
    const auto lead = static_cast<unsigned char>(tag[i]);
    const std::size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 1;
    if (i + length > tag.size())
        return i + 1;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(tag[i + k]) & 0xC0) != 0x80)
            return i + 1;
    return i + length;
}

LoweredTag Lower(std::string_view tag)
{
    LoweredTag lowered;
    lowered.text.reserve(tag.size());
    lowered.origin.reserve(tag.size() + 1);
    for (std::size_t i = 0; i < tag.size();) {
        const std::size_t end = CharacterEnd(tag, i);
        const std::string piece = LowerText(std::string(tag.substr(i, end - i)));
        lowered.text += piece;
        lowered.origin.insert(lowered.origin.end(), piece.size(), i);
        i = end;
    }
    lowered.origin.push_back(tag.size());
    return lowered;
}

bool IsDelimited(std::string_view tag, std::size_t start, std::size_t end)
{
    const bool before = start == 0 || kBefore.find(tag[start - 1]) != std::string_view::npos;
    const bool after = end == tag.size() || kAfter.find(tag[end]) != std::string_view::npos;
    return before && after;
}

void ScanTag(std::string_view tag, std::size_t tagOffset, const std::vector<CWEPageFile>& files,
             std::vector<PageReference>& found)
{
    const LoweredTag lowered = Lower(tag);
    for (std::size_t index = 0; index < files.size(); ++index) {
        const std::string& name = files[index].m_strLowerName;
        if (name.empty())
            continue;
        const std::size_t at = lowered.text.find(name);
        if (at == std::string::npos)
            continue;
        const std::size_t start = lowered.origin[at];
        const std::size_t end = lowered.origin[at + name.size()];
        if (IsDelimited(tag, start, end))
            found.push_back({index, tagOffset + start, end - start});
    }
}

// Of the files matching one place, the one named exactly as the page writes it.
bool Prefer(const std::string& page, const std::vector<CWEPageFile>& files, const PageReference& a,
            const PageReference& b)
{
    const std::string_view written(page.data() + a.position, a.length);
    const bool aExact = files[a.file].m_strName == written;
    const bool bExact = files[b.file].m_strName == written;
    if (aExact != bExact)
        return aExact;
    return a.file < b.file;
}

}  // namespace

std::vector<PageReference> FindPageReferences(const std::string& page, const std::vector<CWEPageFile>& files)
{
    std::vector<PageReference> found;
    for (std::size_t open = page.find('<'); open != std::string::npos && open + 1 < page.size();) {
        const std::size_t close = page.find('>', open + 1);
        if (close == std::string::npos)
            break;
        ScanTag(std::string_view(page).substr(open + 1, close - open - 1), open + 1, files, found);
        open = page.find('<', close + 1);
    }
    std::sort(found.begin(), found.end(), [&](const PageReference& a, const PageReference& b) {
        if (a.position != b.position)
            return a.position < b.position;
        if (a.length != b.length)
            return a.length > b.length;
        return Prefer(page, files, a, b);
    });
    std::vector<PageReference> kept;
    for (const PageReference& reference : found)
        if (kept.empty() || reference.position >= kept.back().position + kept.back().length)
            kept.push_back(reference);
    return kept;
}

std::string RewritePage(const std::string& page, std::vector<CWEPageFile>& files,
                        const std::vector<PageReference>& references)
{
    for (CWEPageFile& file : files)
        file.m_bUnreferenced = true;
    std::string out;
    out.reserve(page.size() + references.size() * 40);
    std::size_t copied = 0;
    for (const PageReference& reference : references) {
        out.append(page, copied, reference.position - copied);
        out += "cid:";
        out += files[reference.file].m_strContentId;
        files[reference.file].m_bUnreferenced = false;
        copied = reference.position + reference.length;
    }
    out.append(page, copied, std::string::npos);
    return out;
}
