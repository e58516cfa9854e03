#pragma once
// An explorer's window: the folder tree of every store on the left, the
// messages of the chosen folder on the right, the menu bar from the
// explorer's command bars. The list follows the folder as the store tells
// of its changes; the title names the folder shown. Opening a message
// displays it (an inspector).

#include "CMessageListModel.h"
#include "CommandBarsFollower.h"
#include "OutlookApplication.h"

#include "outlook/StoreWatch.h"

#include "com/ComPtr.h"

#include <QMainWindow>
#include <QTableView>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pollenta::outlook {

// The client's own commands of the explorer's menus that reach beyond the
// window.
struct ExplorerCommands {
    std::function<void()> showOptions;
    std::function<void()> exit;
    std::function<void()> showAddressBook;
    std::function<void()> importAndExport;
};

class CExplorerWindow : public QMainWindow {
public:
    CExplorerWindow(_Application* application, _Explorer* explorer, ExplorerCommands commands);

    _Explorer* Explorer() const { return m_explorer; }
    // Builds the menu bar again from the command bars.
    void RefreshMenus();
    // Shows the messages of the folder behind the tree item.
    void ShowFolder(MAPIFolder* folder);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void AddFolders(QTreeWidgetItem* parent, _Folders* folders);
    // Marks the folder in the tree and shows its messages.
    void SelectFolder(MAPIFolder* folder);
    void OpenMessage(int row);
    bool HandleBuiltIn(LONG id);
    void NewMailMessage();
    // The store told of a change to this folder's messages.
    void FolderChanged(const std::string& folderId);
    void ReloadMessages();

    CComPtr<_Application> m_application;
    CComPtr<_Explorer> m_explorer;
    CComPtr<MAPIFolder> m_folder;
    CComPtr<IMAPIFolder> m_mapiFolder;
    std::string m_storeId;
    std::string m_folderId;
    // The folders of the tree, by the index each item keeps.
    std::vector<CComPtr<MAPIFolder>> m_folders;
    ExplorerCommands m_commands;
    QTreeWidget* m_tree;
    QTableView* m_messages;
    CMessageListModel* m_model;
    bool m_reloadPending = false;
    std::unique_ptr<CCommandBarsFollower> m_barsFollower;
    // Last: it goes first, and no change is told to a window half gone.
    std::unique_ptr<CStoreWatch> m_watch;
};

}  // namespace pollenta::outlook
