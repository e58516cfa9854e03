#include "wizardui/WECodePagesComboBox.h"

#include "com/Text.h"
#include "html/EncodingLabels.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace {

std::string LowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

void CWECodePagesComboBox::Fill(const CWEMultilang& multilang)
{
    ResetContent();
    m_pages.clear();
    multilang.EnumCodePages(m_pages, MIMECONTF_BROWSER);
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        const int index = AddString(pollenta::com::AnsiFromUtf16(m_pages[i].wszDescription).c_str());
        if (index < 0 || SetItemData(index, static_cast<DWORD_PTR>(i)) == CB_ERR)
            throw std::runtime_error("The code page list refused the code page " +
                                     std::to_string(m_pages[i].uiCodePage) + ".");
    }
}

const MIMECPINFO& CWECodePagesComboBox::PageAt(int index) const
{
    const auto page = static_cast<std::size_t>(GetItemData(index));
    if (page >= m_pages.size())
        throw std::logic_error("The code page in place " + std::to_string(index) + " has no record.");
    return m_pages[page];
}

bool CWECodePagesComboBox::GetSelection(MIMECPINFO& page) const
{
    const int index = GetCurSel();
    if (index < 0)
        return false;
    page = PageAt(index);
    return true;
}

void CWECodePagesComboBox::SelectByName(const std::string& name)
{
    if (name.empty())
        return;
    const int count = GetCount();
    for (int index = 0; index < count; ++index)
        // Only the list's side is lower-cased: the page's charset is compared as given.
        if (LowerAscii(pollenta::com::AnsiFromUtf16(PageAt(index).wszWebCharset)) == name) {
            SetCurSel(index);
            return;
        }
    // A page is named by its encoding, in lower case ("gbk" for one labelled
    // gb2312): the entry whose charset browsers read as that encoding.
    const std::string encoding = name == LowerAscii(name) ? pollenta::html::EncodingOfLabel(name) : std::string();
    for (int index = 0; index < count && !encoding.empty(); ++index)
        if (pollenta::html::EncodingOfLabel(pollenta::com::AnsiFromUtf16(PageAt(index).wszWebCharset)) == encoding) {
            SetCurSel(index);
            return;
        }
}
