// Sorting a list's rows and the text of an empty list.

#include "Convert.h"
#include "ListItems.h"
#include "ui/Gdi.h"
#include "ui/ListCtrl.h"

#include <QEvent>
#include <QLabel>

#include <algorithm>

namespace {

constexpr int kEmptyTextTop = 10;
constexpr char kEmptyTextName[] = "pollenta-empty-list-text";

// Keeps the label over the rows' area and shows it only while there are none.
class EmptyTextKeeper : public QObject {
public:
    EmptyTextKeeper(QTreeWidget* view, QLabel* label) : QObject(label), m_view(view), m_label(label)
    {
        view->viewport()->installEventFilter(this);
        QAbstractItemModel* model = view->model();
        connect(model, &QAbstractItemModel::rowsInserted, this, &EmptyTextKeeper::Update);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &EmptyTextKeeper::Update);
        connect(model, &QAbstractItemModel::modelReset, this, &EmptyTextKeeper::Update);
    }

    void Update()
    {
        QWidget* viewport = m_view->viewport();
        m_label->setGeometry(0, kEmptyTextTop, viewport->width(), std::max(0, viewport->height() - kEmptyTextTop));
        m_label->setVisible(m_view->topLevelItemCount() == 0 && !m_label->text().isEmpty());
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            Update();
        return false;
    }

private:
    QTreeWidget* m_view;
    QLabel* m_label;
};

QLabel* EmptyLabelOf(QTreeWidget* view)
{
    return view ? view->viewport()->findChild<QLabel*>(kEmptyTextName, Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR sortData)
{
    QTreeWidget* view = ListViewOf(m_hWnd);
    if (!view || !compare)
        return FALSE;
    struct Row {
        QTreeWidgetItem* item;
        bool selected;
    };
    std::vector<Row> rows;
    while (view->topLevelItemCount() > 0) {
        QTreeWidgetItem* item = view->topLevelItem(0);
        rows.push_back({item, item->isSelected()});
        view->takeTopLevelItem(0);
    }
    auto data = [](const Row& row) { return static_cast<LPARAM>(row.item->data(0, Qt::UserRole).toULongLong()); };
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
        return compare(data(a), data(b), static_cast<LPARAM>(sortData)) < 0;
    });
    for (const Row& row : rows) {
        view->addTopLevelItem(row.item);
        row.item->setSelected(row.selected);
    }
    return TRUE;
}

BOOL CListCtrl::SetEmptyText(LPCSTR text)
{
    QTreeWidget* view = ListViewOf(m_hWnd);
    if (!view)
        return FALSE;
    QLabel* label = EmptyLabelOf(view);
    if (!label) {
        label = new QLabel(view->viewport());
        label->setObjectName(kEmptyTextName);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, ToQColor(GetSysColor(COLOR_WINDOWTEXT)));
        palette.setColor(QPalette::Window, ToQColor(GetSysColor(COLOR_WINDOW)));
        label->setPalette(palette);
        new EmptyTextKeeper(view, label);
    }
    label->setText(ToQString(text));
    for (QObject* child : label->children())
        if (auto* keeper = dynamic_cast<EmptyTextKeeper*>(child))
            keeper->Update();
    return TRUE;
}

std::string CListCtrl::GetShownEmptyText() const
{
    QLabel* label = EmptyLabelOf(ListViewOf(m_hWnd));
    return label && !label->isHidden() ? FromQString(label->text()) : std::string();
}
