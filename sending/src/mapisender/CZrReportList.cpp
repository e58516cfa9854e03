#include "CZrReportList.h"

#include "lang/CWELanguages.h"
#include "module/TorvanePictures.h"

#include "ui/Icon.h"

namespace {

constexpr std::uint32_t kTextReportColumn = 1033;

}  // namespace

void CZrReportList::Init()
{
    m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
    for (UINT id : {IDI_REPORT_INFO, IDI_REPORT_ERROR, IDI_REPORT_SENT}) {
        HICON icon = LoadTorvaneIcon(id);
        m_images.Add(icon);
        DestroyIcon(icon);
    }
    SetImageList(&m_images, LVSIL_SMALL);
    SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertColumn(0, Languages().LoadLangString(kTextReportColumn).c_str(), LVCFMT_LEFT);
    SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
}

void CZrReportList::AddLine(const char* text, int kind)
{
    if (!text)
        return;
    const int image = kind == KindError || kind == KindSent ? kind : KindInfo;
    const int row = InsertItem(GetItemCount(), text, image);
    SetColumnWidth(0, LVSCW_AUTOSIZE);
    POINT at{};
    if (!EnsureVisible(row, FALSE) && GetItemPosition(row, &at))
        Scroll(SIZE{at.x, at.y});
}

std::vector<std::vector<std::string>> CZrReportList::Lines() const
{
    std::vector<std::vector<std::string>> lines;
    const int columns = GetColumnCount();
    if (columns == 0)
        return lines;
    std::vector<std::string> titles;
    for (int column = 0; column < columns; ++column)
        titles.push_back(column == 0 ? Languages().LoadLangString(kTextReportColumn) : std::string());
    lines.push_back(titles);
    for (int row = 0; row < GetItemCount(); ++row) {
        std::vector<std::string> fields;
        for (int column = 0; column < columns; ++column)
            fields.push_back(GetItemText(row, column));
        lines.push_back(fields);
    }
    return lines;
}
