#pragma once
// The messages of one folder as the explorer lists them (From, Subject,
// To), read from the folder's contents table in one query and kept as the
// table gave them, so that a folder of tens of thousands shows at once.

#include "mapi/IMAPIFolder.h"

#include <QAbstractTableModel>

#include <string>
#include <vector>

namespace pollenta::outlook {

class CMessageListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The folder's messages replace those shown; none when it is null.
    HRESULT Load(IMAPIFolder* folder);
    // The message's entry id (raw bytes); "" past the end.
    std::string EntryIdAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        std::string entryId;
        std::string from;
        std::string subject;
        std::string to;
    };
    std::vector<Row> m_rows;
};

}  // namespace pollenta::outlook
