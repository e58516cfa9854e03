#include "wizardui/WECodePagesComboBox.h"

#include "com/Text.h"

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

} // namespace

void CWECodePagesComboBox::Fill(const WECodePageSource& source)
{
    for (const WECodePageRecord& record : source(WE_CODEPAGES_FOR_BROWSER))
        Add(record);
}

void CWECodePagesComboBox::Add(const WECodePageRecord& record)
{
    int index = AddString(pollenta::com::AnsiFromUtf16(record.wszDescription).c_str());
    if (index < 0)
        throw std::runtime_error("The code page list refused the code page " + std::to_string(record.uiCodePage) + ".");
    m_records.push_back(std::make_unique<WECodePageRecord>(record));
    if (SetItemData(index, reinterpret_cast<DWORD_PTR>(m_records.back().get())) == CB_ERR)
        throw std::runtime_error("The code page list cannot keep the code page " + std::to_string(record.uiCodePage) + ".");
}

bool CWECodePagesComboBox::GetSelection(WECodePageRecord& record) const
{
    int index = GetCurSel();
    if (index < 0)
        return false;
    const auto* selected = reinterpret_cast<const WECodePageRecord*>(GetItemData(index));
    if (!selected)
        throw std::logic_error("The selected code page has no record.");
    record = *selected;
    return true;
}

void CWECodePagesComboBox::SelectByName(const std::string& name)
{
    if (name.empty())
        return;
    int count = GetCount();
    for (int index = 0; index < count; ++index) {
        const auto* record = reinterpret_cast<const WECodePageRecord*>(GetItemData(index));
        if (!record)
            throw std::logic_error("The code page in place " + std::to_string(index) + " has no record.");
        // Only the list's side is lower-cased: the page's charset is compared as given.
        if (LowerAscii(pollenta::com::AnsiFromUtf16(record->wszWebCharset)) == name) {
            SetCurSel(index);
            return;
        }
    }
}
