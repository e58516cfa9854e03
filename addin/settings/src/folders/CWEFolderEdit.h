#pragma once
// The read-only edit that shows a chosen folder: its own name, underlined,
// with the whole path ("\\Store\Folder\Subfolder") in a tooltip at most
// 350 pixels wide.
//
//     m_folderEdit.SubclassDlgItem(IDC_FOLDER, this);
//     m_folderEdit.Attach();
//     m_folderEdit.SetFolder(settings.m_DstFolder, session);

#include "settings/CWEWatchedFolder.h"

#include "mapi/IMAPISession.h"
#include "ui/ToolTipCtrl.h"
#include "ui/Wnd.h"

class CWEFolderEdit : public CWnd {
public:
    static constexpr int kMaxTipWidth = 350;

    ~CWEFolderEdit() override;

    using CWnd::Attach;
    // The underlined font, once the edit is subclassed. (Tooltips show by
    // themselves here: no message hook is needed.)
    void Attach();
    // A record without a name gets its path from the session.
    void SetFolder(const CWEWatchedFolder& folder, IMAPISession* session);
    void SetTipText(const std::string& text, BOOL activate);

    const CToolTipCtrl& GetToolTip() const { return m_ToolTip; }

private:
    bool EnsureToolTip();

    HFONT m_hUnderlined = nullptr;
    CWEWatchedFolder m_Folder;
    CToolTipCtrl m_ToolTip;
};
