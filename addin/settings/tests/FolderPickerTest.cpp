// The folder picker and the folder edit on a real profile.

#include "SettingsWindowTest.h"

#include "folders/CWEFolderEdit.h"
#include "folders/CWEPickFolder.h"

#include "ui/Dialog.h"

namespace {

constexpr int IDC_FOLDER = 204;

class CEditHost : public CDialog {
public:
    explicit CEditHost(const DialogTemplate& dialog) : CDialog(dialog) {}
    BOOL OnInitDialog() override
    {
        m_edit.SubclassDlgItem(IDC_FOLDER, this);
        m_edit.Attach();
        return TRUE;
    }
    CWEFolderEdit m_edit;
};

DialogTemplate EditTemplate()
{
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION;
    dialog.cx = 150;
    dialog.cy = 40;
    dialog.items = {{"Edit", "", IDC_FOLDER, WS_VISIBLE | WS_BORDER | ES_READONLY, 0, 7, 7, 120, 13}};
    return dialog;
}

class FolderPickerTest : public SettingsWindowTest {
protected:
    void SetUp() override
    {
        SettingsWindowTest::SetUp();
        m_surveys = AddFolderIn({}, "Surveys");
        m_done = AddFolderIn(m_surveys, "Done");
        m_archive = AddFolderIn(m_done, "Archive");
        m_contacts = AddFolderIn({}, "Contacts", "IPF.Contact");
    }

    CWEWatchedFolder Folder(const std::string& folderId, const std::string& name = {})
    {
        CWEWatchedFolder folder;
        folder.m_StoreId = Id(m_storeId);
        folder.m_FolderId = Id(folderId);
        folder.m_strName = name;
        return folder;
    }

    std::string m_surveys, m_done, m_archive, m_contacts;
};

} // namespace

TEST_F(FolderPickerTest, TheEditShowsAFoldersOwnNameUnderlinedAndItsWholePathAsTip)
{
    DialogTemplate dialog = EditTemplate();
    CEditHost host(dialog);
    ASSERT_TRUE(host.Create());
    host.m_edit.SetFolder(Folder(m_archive), m_session);
    EXPECT_EQ("Archive", GetWindowTextString(host.m_edit));
    LOGFONT font{};
    ASSERT_TRUE(GetObject(GetWindowFont(host.m_edit), sizeof font, &font));
    EXPECT_TRUE(font.lfUnderline);
    const CToolTipCtrl& tip = host.m_edit.GetToolTip();
    EXPECT_EQ("\\\\Main\\Surveys\\Done\\Archive", tip.GetText(host.m_edit, 1));
    EXPECT_TRUE(tip.IsActive());
    EXPECT_EQ(350, tip.GetMaxTipWidth());
}

TEST_F(FolderPickerTest, AFolderThatCannotBeFoundLeavesTheEditEmpty)
{
    DialogTemplate dialog = EditTemplate();
    CEditHost host(dialog);
    ASSERT_TRUE(host.Create());
    host.m_edit.SetFolder(Folder(m_archive), m_session);
    host.m_edit.SetFolder(Folder(std::string("\x01\x02\x03\x04", 4)), m_session);
    EXPECT_EQ("", GetWindowTextString(host.m_edit));
    EXPECT_EQ("", host.m_edit.GetToolTip().GetText(host.m_edit, 1));
}

TEST_F(FolderPickerTest, OpensOnTheChosenFolderAndTakesOnlyFoldersOfTheMasksTypes)
{
    CWEPickFolder picker(nullptr, m_session);
    picker.m_Folder = Folder(m_archive);
    ASSERT_TRUE(picker.Create());
    ShowWindow(picker, SW_SHOW);
    CZrMAPITreeCtrl& tree = picker.GetTree();
    HTREEITEM selected = tree.GetSelectedItem();
    ASSERT_NE(nullptr, selected);
    EXPECT_EQ("Archive", tree.GetItemText(selected));
    EXPECT_TRUE(tree.GetItemState(tree.GetParentItem(selected), TVIS_EXPANDED));
    EXPECT_TRUE(IsWindowEnabled(picker.GetDlgItem(IDOK)));
    SavePicture(picker, "folder-picker");
    // Bitmap 211's folder pictures beside the folders, seen with no row
    // highlighted.
    tree.SelectItem(nullptr);
    EXPECT_GT(CountColouredPixels(tree.m_hWnd), 100);
    tree.SelectItem(selected);

    ASSERT_EQ(S_OK, tree.SelectFolder(Id(m_storeId), Id(m_contacts)));
    EXPECT_FALSE(IsWindowEnabled(picker.GetDlgItem(IDOK))) << "a contacts folder takes no mail";
    picker.OnOK();
    EXPECT_TRUE(IsWindowVisible(picker));

    ASSERT_EQ(S_OK, tree.SelectFolder(Id(m_storeId), Id(m_done)));
    EXPECT_TRUE(IsWindowEnabled(picker.GetDlgItem(IDOK)));
    picker.OnOK();
    EXPECT_EQ(Bytes(SBinary{picker.m_Folder.m_FolderId.Size(), const_cast<LPBYTE>(picker.m_Folder.m_FolderId.Bytes())}),
              m_done);
    EXPECT_EQ(0u, picker.m_Folder.m_dwFlags);
    EXPECT_EQ("", picker.m_Folder.m_strName);
}
