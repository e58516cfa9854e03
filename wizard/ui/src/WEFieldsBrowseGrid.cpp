#include "wizardui/WEFieldsBrowseGrid.h"

#include "ui/DeviceCaps.h"
#include "ui/MessageBox.h"

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

CWEFieldsBrowseGrid::CWEFieldsBrowseGrid(WEFieldTypeText typeText) : m_typeText(std::move(typeText)) {}

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
            !m_typeList.Create(m_hWnd, kTypeListId, m_typeText))
            throw std::runtime_error("The editors of the fields grid could not be made.");
    });
}

void CWEFieldsBrowseGrid::Store(long col, long row, std::unique_ptr<CWEGridCell> cell)
{
    for (StoredCell& stored : m_cells)
        if (stored.col == col && stored.row == row) {
            stored.cell = std::move(cell);
            return;
        }
    m_cells.push_back({col, row, std::move(cell)});
}

CWEGridCell* CWEFieldsBrowseGrid::Find(long col, long row, WEGridCellTag tag) const
{
    for (const StoredCell& stored : m_cells)
        if (stored.col == col && stored.row == row)
            return stored.cell && stored.cell->m_tag == tag ? stored.cell.get() : nullptr;
    return nullptr;
}

CWEGridFieldCell* CWEFieldsBrowseGrid::FieldAt(long row) const
{
    return static_cast<CWEGridFieldCell*>(Find(kNameCol, row, WEGridCellTag::Field));
}

CWEGridTypeCell* CWEFieldsBrowseGrid::TypeAt(long row) const
{
    return static_cast<CWEGridTypeCell*>(Find(kTypeCol, row, WEGridCellTag::Type));
}

CWEGridSizeCell* CWEFieldsBrowseGrid::SizeAt(long row) const
{
    return static_cast<CWEGridSizeCell*>(Find(kSizeCol, row, WEGridCellTag::Size));
}

// Only a character column has a size to show.
std::string CWEFieldsBrowseGrid::SizeText(long row) const
{
    const CWEGridTypeCell* type = TypeAt(row);
    const CWEGridSizeCell* size = SizeAt(row);
    return type && size && type->m_nType == WE_FIELD_CHARACTER ? std::to_string(size->m_nSize) : std::string();
}

void CWEFieldsBrowseGrid::AddFieldRow(const std::string& name, int type, int size)
{
    m_bBusy = true;
    Guarded([&] {
        if (m_bHasFields)
            SetRows(GetRows() + 1);
        m_bHasFields = true;
        long row = GetRows() - 1;
        SetRowHeight(row, kRowHeight);
        Store(kNameCol, row, std::make_unique<CWEGridFieldCell>(name));
        Store(kTypeCol, row, std::make_unique<CWEGridTypeCell>(type));
        Store(kSizeCol, row, std::make_unique<CWEGridSizeCell>(size));
        SetTextMatrix(row, kNameCol, name.c_str());
        SetTextMatrix(row, kTypeCol, m_typeText(type).c_str());
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
    m_cells.clear();
    m_bHasFields = false;
}

void CWEFieldsBrowseGrid::CollectFields(const WEFieldRowSink& sink)
{
    EndEdit();
    if (!m_bHasFields)
        return; // the empty row holds no field
    for (long row = 1; row < GetRows(); ++row) {
        const CWEGridFieldCell* field = FieldAt(row);
        const CWEGridTypeCell* type = TypeAt(row);
        const CWEGridSizeCell* size = SizeAt(row);
        if (!field || !type || !size)
            throw std::logic_error("Row " + std::to_string(row) + " of the fields grid has no field behind it.");
        if (!sink(*field, *type, *size))
            throw std::logic_error("The field \"" + field->m_strName + "\" of the fields grid was refused.");
    }
}
