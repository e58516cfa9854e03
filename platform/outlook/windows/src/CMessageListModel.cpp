#include "CMessageListModel.h"

#include "com/ComPtr.h"
#include "mapi/MapiUtil.h"

namespace pollenta::outlook {

namespace {

std::string TextOf(const SPropValue& value)
{
    return PROP_TYPE(value.ulPropTag) == PT_STRING8 && value.Value.lpszA ? value.Value.lpszA : "";
}

}  // namespace

HRESULT CMessageListModel::Load(IMAPIFolder* folder)
{
    std::vector<Row> rows;
    HRESULT hr = S_OK;
    if (folder) {
        CComPtr<IMAPITable> table;
        SizedSPropTagArray(4, columns) = {4, {PR_ENTRYID, PR_SENDER_NAME_A, PR_SUBJECT_A, PR_DISPLAY_TO_A}};
        LPSRowSet read = nullptr;
        if (SUCCEEDED(hr = folder->GetContentsTable(0, &table)) &&
            SUCCEEDED(
                hr = HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &read))) {
            rows.reserve(read->cRows);
            for (ULONG i = 0; i < read->cRows; ++i) {
                const SPropValue* props = read->aRow[i].lpProps;
                if (PROP_TYPE(props[0].ulPropTag) != PT_BINARY)
                    continue;
                rows.push_back(
                    {std::string(reinterpret_cast<const char*>(props[0].Value.bin.lpb), props[0].Value.bin.cb),
                     TextOf(props[1]), TextOf(props[2]), TextOf(props[3])});
            }
            FreeProws(read);
        }
    }
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
    return hr;
}

std::string CMessageListModel::EntryIdAt(int row) const
{
    return row >= 0 && static_cast<std::size_t>(row) < m_rows.size() ? m_rows[static_cast<std::size_t>(row)].entryId
                                                                     : std::string();
}

int CMessageListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CMessageListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant CMessageListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || static_cast<std::size_t>(index.row()) >= m_rows.size())
        return {};
    const Row& row = m_rows[static_cast<std::size_t>(index.row())];
    const std::string& text = index.column() == 0 ? row.from : index.column() == 1 ? row.subject : row.to;
    return QString::fromStdString(text);
}

QVariant CMessageListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const titles[] = {"From", "Subject", "To"};
    return section >= 0 && section < 3 ? QVariant(QString(titles[section])) : QVariant();
}

}  // namespace pollenta::outlook
