#include "wizardui/WEFieldsBrowseGrid.h"

#include "ui/DeviceCaps.h"
#include "ui/MessageBox.h"
#include "wizard/WEUtils.h"

#include <stdexcept>

namespace {

constexpr long kRowHeight = 330; // twips
constexpr int kNameEditId = 1;
constexpr int kTypeListId = 2;
constexpr int kSizeEditId = 3;
constexpr long kNameCol = 0;
constexpr long kTypeCol = 1;
constexpr long kSizeCol = 2;
const char kCaption[] = "Pollenta Project Generator";

} // namespace

void CWEFieldsBrowseGrid::Guarded(const std::function<void()>& action)
{
    // The grid stays usable whatever one action ran into.
    try {
        action();
    } catch (const std::exception& error) {
        MessageBox(GetForegroundWindow(), error.what(), kCaption, MB_OK | MB_ICONERROR);
    }
}

void CWEFieldsBrowseGrid::Initialize()
{
    Guarded([this] {
        SetRow(0);
        SetCol(0);
        m_nOriginLeft = GetCellLeft();
        m_nOriginTop = GetCellTop();
        m_nDpiX = GetDeviceCaps(nullptr, LOGPIXELSX);
        m_nDpiY = GetDeviceCaps(nullptr, LOGPIXELSY);
        if (!m_nameEdit.Create(m_hWnd, kNameEditId, false) || !m_sizeEdit.Create(m_hWnd, kSizeEditId, true) ||
            !m_typeList.Create(m_hWnd, kTypeListId))
            throw std::runtime_error("The editors of the fields grid could not be made.");
    });
}

CWEField* CWEFieldsBrowseGrid::FieldAt(long row)
{
    return row >= 1 && static_cast<std::size_t>(row) <= m_fields.size() ? &m_fields[row - 1] : nullptr;
}

// Only a character column has a size to show.
std::string CWEFieldsBrowseGrid::SizeText(long row)
{
    const CWEField* field = FieldAt(row);
    return field && field->m_nType == WE_FIELD_CHARACTER ? std::to_string(field->m_nSize) : std::string();
}

void CWEFieldsBrowseGrid::AddFieldRow(const CWEField& field)
{
    m_bBusy = true;
    Guarded([&] {
        if (!m_fields.empty())
            SetRows(GetRows() + 1);
        m_fields.push_back(field);
        const long row = GetRows() - 1;
        SetRowHeight(row, kRowHeight);
        SetTextMatrix(row, kNameCol, field.m_strName.c_str());
        SetTextMatrix(row, kTypeCol, FieldTypeText(field.m_nType).c_str());
        SetTextMatrix(row, kSizeCol, SizeText(row).c_str());
    });
    m_bBusy = false;
}

void CWEFieldsBrowseGrid::ClearRows()
{
    EndEdit();
    SetRows(2);
    for (long col = kNameCol; col <= kSizeCol; ++col)
        SetTextMatrix(1, col, "");
    m_fields.clear();
}

void CWEFieldsBrowseGrid::CollectFields(const WEFieldRowSink& sink)
{
    EndEdit();
    for (const CWEField& field : m_fields)
        if (!sink(field))
            throw std::logic_error("The field \"" + field.m_strName + "\" of the fields grid was refused.");
}
