#include "CExplorerWindow.h"

#include "CommandBarWidgets.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QMenuBar>
#include <QSplitter>

namespace pollenta::outlook {

namespace {

constexpr LONG kOptionsControl = 522;

QString Text(const CComBSTR& text)
{
    return QString::fromStdString(text.ToString());
}

}  // namespace

CExplorerWindow::CExplorerWindow(_Application* application, _Explorer* explorer, std::function<void()> showOptions)
    : m_application(application), m_explorer(explorer), m_showOptions(std::move(showOptions)), m_tree(new QTreeWidget),
      m_messages(new QTableWidget(0, 3))
{
    CComBSTR caption;
    explorer->get_Caption(&caption);
    setWindowTitle(Text(caption));
    m_tree->setHeaderHidden(true);
    m_messages->setHorizontalHeaderLabels({"From", "Subject", "To"});
    m_messages->horizontalHeader()->setStretchLastSection(true);
    m_messages->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_messages->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* splitter = new QSplitter;
    splitter->addWidget(m_tree);
    splitter->addWidget(m_messages);
    splitter->setStretchFactor(1, 3);
    setCentralWidget(splitter);
    resize(900, 560);

    CComPtr<_NameSpace> nameSpace;
    CComPtr<_Folders> stores;
    if (SUCCEEDED(application->GetNamespace(CComBSTR("MAPI"), &nameSpace)) &&
        SUCCEEDED(nameSpace->get_Folders(&stores)))
        AddFolders(nullptr, stores);
    m_tree->expandAll();
    CComPtr<MAPIFolder> current;
    if (SUCCEEDED(explorer->get_CurrentFolder(&current)))
        SelectFolder(current);
    QObject::connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!item)
            return;
        ShowFolder(m_folders[item->data(0, Qt::UserRole).toUInt()]);
    });
    QObject::connect(m_messages, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OpenMessage(row); });
    RefreshMenus();
}

void CExplorerWindow::AddFolders(QTreeWidgetItem* parent, _Folders* folders)
{
    LONG count = 0;
    folders->get_Count(&count);
    for (LONG i = 1; i <= count; ++i) {
        CComPtr<MAPIFolder> folder;
        if (FAILED(folders->Item(CComVariant(i), &folder)))
            continue;
        CComBSTR name;
        folder->get_Name(&name);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
        item->setText(0, Text(name));
        item->setData(0, Qt::UserRole, static_cast<uint>(m_folders.size()));
        m_folders.push_back(folder);
        CComPtr<_Folders> children;
        if (SUCCEEDED(folder->get_Folders(&children)))
            AddFolders(item, children);
    }
}

void CExplorerWindow::SelectFolder(MAPIFolder* folder)
{
    CComBSTR wanted;
    folder->get_EntryID(&wanted);
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        CComBSTR id;
        m_folders[(*it)->data(0, Qt::UserRole).toUInt()]->get_EntryID(&id);
        if (id.ToString() == wanted.ToString())
            m_tree->setCurrentItem(*it);
    }
    ShowFolder(folder);
}

void CExplorerWindow::ShowFolder(MAPIFolder* folder)
{
    m_folder = folder;
    m_messages->setRowCount(0);
    CComPtr<_Items> items;
    if (!folder || FAILED(folder->get_Items(&items)))
        return;
    LONG count = 0;
    items->get_Count(&count);
    m_messages->setRowCount(count);
    for (LONG i = 1; i <= count; ++i) {
        CComPtr<IDispatch> item;
        if (FAILED(items->Item(CComVariant(i), &item)))
            continue;
        CComQIPtr<_MailItem> mail(item.p);
        if (!mail)
            continue;
        CComBSTR from, subject, to;
        mail->get_SenderName(&from);
        mail->get_Subject(&subject);
        mail->get_To(&to);
        m_messages->setItem(i - 1, 0, new QTableWidgetItem(Text(from)));
        m_messages->setItem(i - 1, 1, new QTableWidgetItem(Text(subject)));
        m_messages->setItem(i - 1, 2, new QTableWidgetItem(Text(to)));
    }
}

void CExplorerWindow::OpenMessage(int row)
{
    CComPtr<_Items> items;
    CComPtr<IDispatch> item;
    if (!m_folder || FAILED(m_folder->get_Items(&items)) || FAILED(items->Item(CComVariant(row + 1), &item)))
        return;
    CComQIPtr<_MailItem> mail(item.p);
    if (mail)
        mail->Display(CComVariant());
}

void CExplorerWindow::RefreshMenus()
{
    CComPtr<_CommandBars> bars;
    CComPtr<CommandBar> menuBar;
    if (FAILED(m_explorer->get_CommandBars(&bars)) || FAILED(bars->get_ActiveMenuBar(&menuBar)))
        return;
    FillMenuBar(this->menuBar(), menuBar, [this](LONG id) {
        if (id != kOptionsControl)
            return false;
        m_showOptions();
        return true;
    });
}

void CExplorerWindow::closeEvent(QCloseEvent* event)
{
    m_explorer->Close();
    event->accept();
}

}  // namespace pollenta::outlook
