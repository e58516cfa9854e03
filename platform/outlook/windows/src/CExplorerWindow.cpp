#include "CExplorerWindow.h"

#include "CommandBarWidgets.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "mapi/MapiUtil.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QMenuBar>
#include <QSplitter>

namespace pollenta::outlook {

namespace {

constexpr LONG kOptionsControl = 522;
constexpr LONG kExitControl = 752;
constexpr LONG kNewMailControl = 1679;
constexpr LONG kAddressBookControl = 1744;
constexpr LONG kImportExportControl = 3037;

QString Text(const CComBSTR& text)
{
    return QString::fromStdString(text.ToString());
}

std::string BytesFromHex(const CComBSTR& hex)
{
    std::string text = hex.ToString();
    std::string bytes(text.size() / 2, '\0');
    if (text.size() % 2 || !FBinFromHex(text.data(), reinterpret_cast<BYTE*>(bytes.data())))
        return {};
    return bytes;
}

std::string HexFromBytes(const std::string& bytes)
{
    std::string text(bytes.size() * 2 + 1, '\0');
    HexFromBin(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), static_cast<int>(bytes.size()), text.data());
    text.resize(bytes.size() * 2);
    return text;
}

// The MAPI store and folder behind an object model folder.
HRESULT OpenMapiFolder(_Application* application, MAPIFolder* folder, CComPtr<IMsgStore>& store,
                       CComPtr<IMAPIFolder>& opened)
{
    CComPtr<_NameSpace> nameSpace;
    CComPtr<IUnknown> object;
    CComBSTR storeHex, folderHex;
    if (FAILED(application->GetNamespace(CComBSTR("MAPI"), &nameSpace)) || FAILED(nameSpace->get_MAPIOBJECT(&object)) ||
        FAILED(folder->get_StoreID(&storeHex)) || FAILED(folder->get_EntryID(&folderHex)))
        return E_FAIL;
    CComQIPtr<IMAPISession> session(object.p);
    std::string storeId = BytesFromHex(storeHex);
    std::string folderId = BytesFromHex(folderHex);
    if (!session)
        return E_NOINTERFACE;
    if (HRESULT hr =
            session->OpenMsgStore(0, static_cast<ULONG>(storeId.size()), reinterpret_cast<LPENTRYID>(storeId.data()),
                                  nullptr, MAPI_BEST_ACCESS, &store);
        FAILED(hr))
        return hr;
    ULONG type = 0;
    CComPtr<IUnknown> entry;
    if (HRESULT hr = store->OpenEntry(static_cast<ULONG>(folderId.size()), reinterpret_cast<LPENTRYID>(folderId.data()),
                                      &IID_IMAPIFolder, MAPI_BEST_ACCESS, &type, &entry);
        FAILED(hr))
        return hr;
    opened = CComQIPtr<IMAPIFolder>(entry.p);
    return opened ? S_OK : E_NOINTERFACE;
}

}  // namespace

CExplorerWindow::CExplorerWindow(_Application* application, _Explorer* explorer, ExplorerCommands commands)
    : m_application(application), m_explorer(explorer), m_commands(std::move(commands)), m_tree(new QTreeWidget),
      m_messages(new QTableView), m_model(new CMessageListModel(this))
{
    m_tree->setHeaderHidden(true);
    m_messages->setObjectName("messages");
    m_messages->setModel(m_model);
    m_messages->horizontalHeader()->setStretchLastSection(true);
    // Rows of one height need not be measured one by one.
    m_messages->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_messages->verticalHeader()->hide();
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
    QObject::connect(m_messages, &QTableView::doubleClicked, this,
                     [this](const QModelIndex& index) { OpenMessage(index.row()); });
    RefreshMenus();
    CComPtr<_CommandBars> bars;
    if (SUCCEEDED(explorer->get_CommandBars(&bars)))
        m_barsFollower = std::make_unique<CCommandBarsFollower>(bars, this, [this] { RefreshMenus(); });
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
    if (!folder)
        return;
    m_folder = folder;
    m_explorer->put_CurrentFolder(folder);
    CComBSTR caption;
    m_explorer->get_Caption(&caption);
    setWindowTitle(Text(caption));

    CComPtr<IMsgStore> store;
    CComPtr<IMAPIFolder> opened;
    CComBSTR storeHex, folderHex;
    folder->get_StoreID(&storeHex);
    folder->get_EntryID(&folderHex);
    const std::string storeId = BytesFromHex(storeHex);
    m_folderId = BytesFromHex(folderHex);
    m_mapiFolder.Release();
    if (SUCCEEDED(OpenMapiFolder(m_application, folder, store, opened)))
        m_mapiFolder = opened;
    if (storeId != m_storeId || !m_watch) {
        m_watch.reset();
        m_storeId = storeId;
        if (store)
            CStoreWatch::Start(
                store,
                [this](const std::string& folderId, bool) {
                    // Told on the layer's thread; the window looks on its own.
                    QMetaObject::invokeMethod(
                        this, [this, folderId] { FolderChanged(folderId); }, Qt::QueuedConnection);
                },
                m_watch);
    }
    ReloadMessages();
}

void CExplorerWindow::FolderChanged(const std::string& folderId)
{
    if (folderId != m_folderId || m_reloadPending)
        return;
    // A burst of new mail makes one reading of the folder.
    m_reloadPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_reloadPending = false;
            ReloadMessages();
        },
        Qt::QueuedConnection);
}

void CExplorerWindow::ReloadMessages()
{
    m_model->Load(m_mapiFolder);
}

void CExplorerWindow::OpenMessage(int row)
{
    const std::string entryId = m_model->EntryIdAt(row);
    CComPtr<_NameSpace> nameSpace;
    CComPtr<IDispatch> item;
    if (entryId.empty() || FAILED(m_application->GetNamespace(CComBSTR("MAPI"), &nameSpace)) ||
        FAILED(nameSpace->GetItemFromID(CComBSTR(HexFromBytes(entryId)), CComVariant(HexFromBytes(m_storeId).c_str()),
                                        &item)))
        return;
    CComQIPtr<_MailItem> mail(item.p);
    if (mail)
        mail->Display(CComVariant());
}

void CExplorerWindow::NewMailMessage()
{
    CComPtr<IDispatch> item;
    if (FAILED(m_application->CreateItem(olMailItem, &item)))
        return;
    CComQIPtr<_MailItem> mail(item.p);
    if (mail)
        mail->Display(CComVariant());
}

bool CExplorerWindow::HandleBuiltIn(LONG id)
{
    const std::function<void()>* command = id == kOptionsControl        ? &m_commands.showOptions
                                           : id == kExitControl         ? &m_commands.exit
                                           : id == kAddressBookControl  ? &m_commands.showAddressBook
                                           : id == kImportExportControl ? &m_commands.importAndExport
                                                                        : nullptr;
    if (command && *command) {
        (*command)();
        return true;
    }
    if (id != kNewMailControl)
        return false;
    NewMailMessage();
    return true;
}

void CExplorerWindow::RefreshMenus()
{
    CComPtr<_CommandBars> bars;
    CComPtr<CommandBar> menuBar;
    if (FAILED(m_explorer->get_CommandBars(&bars)) || FAILED(bars->get_ActiveMenuBar(&menuBar)))
        return;
    FillMenuBar(this->menuBar(), menuBar, [this](LONG id) { return HandleBuiltIn(id); });
}

void CExplorerWindow::closeEvent(QCloseEvent* event)
{
    m_explorer->Close();
    event->accept();
}

}  // namespace pollenta::outlook
