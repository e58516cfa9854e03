#pragma once
// An explorer's window: the folder tree of every store on the left, the
// messages of the chosen folder on the right, the menu bar from the
// explorer's command bars. Opening a message displays it (an inspector).

#include "OutlookApplication.h"

#include "com/ComPtr.h"

#include <QMainWindow>
#include <QTableWidget>
#include <QTreeWidget>

#include <functional>
#include <vector>

namespace pollenta::outlook {

class CExplorerWindow : public QMainWindow {
public:
    CExplorerWindow(_Application* application, _Explorer* explorer, std::function<void()> showOptions);

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

    CComPtr<_Application> m_application;
    CComPtr<_Explorer> m_explorer;
    CComPtr<MAPIFolder> m_folder;
    // The folders of the tree, by the index each item keeps.
    std::vector<CComPtr<MAPIFolder>> m_folders;
    std::function<void()> m_showOptions;
    QTreeWidget* m_tree;
    QTableWidget* m_messages;
};

}  // namespace pollenta::outlook
