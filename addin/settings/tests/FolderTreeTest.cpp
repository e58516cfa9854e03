// The folder tree over the stores of a real profile: loading, the check
// states and what the user's clicks and keys do to them.

#include "SettingsWindowTest.h"

#include "tree/CZrMAPITreeCtrl.h"

#include "settings/CWEWatchedFolder.h"

#include "ui/CommonNotify.h"
#include "ui/Dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>

namespace {

constexpr int IDC_TREE = 218;

class CTreeHost : public CDialog {
public:
    explicit CTreeHost(const DialogTemplate& dialog) : CDialog(dialog) {}
    BOOL OnInitDialog() override
    {
        m_tree.SubclassDlgItem(IDC_TREE, this);
        m_tree.SetCheckChangedSink([this] { ++m_changes; });
        return TRUE;
    }
    CZrMAPITreeCtrl m_tree;
    int m_changes = 0;
};

DialogTemplate HostTemplate()
{
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    dialog.cx = 200;
    dialog.cy = 200;
    dialog.caption = "Folders";
    dialog.items = {{"SysTreeView32", "", IDC_TREE,
                     WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_CHECKBOXES, 0, 7, 7, 186, 186}};
    return dialog;
}

// The tree's widget: the one tree view on the screen.
QTreeWidget* ViewOf(HWND)
{
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* view = qobject_cast<QTreeWidget*>(widget); view && view->isVisible())
            return view;
    return nullptr;
}

class FolderTreeTest : public SettingsWindowTest {
protected:
    void SetUp() override
    {
        SettingsWindowTest::SetUp();
        m_surveys = AddFolderIn({}, "Surveys");
        m_spring = AddFolderIn(m_surveys, "Spring");
        m_autumn = AddFolderIn(m_surveys, "Autumn");
        m_deep = AddFolderIn(m_spring, "Week 1");
        m_contacts = AddFolderIn({}, "Contacts", "IPF.Contact");
        m_contactMail = AddFolderIn(m_contacts, "Replies");
        ASSERT_TRUE(m_host.Create());
        ASSERT_EQ(S_OK, Tree().Initialize(m_session, CZrMAPITreeCtrl::kDefaultTypeMask, CZrMAPITreeCtrl::kSkipPublicStores));
    }

    CZrMAPITreeCtrl& Tree() { return m_host.m_tree; }

    HTREEITEM Load(const std::string& folder)
    {
        HTREEITEM item = nullptr;
        DWORD bits = 0;
        if (FAILED(Tree().GetFolderChState(Id(m_storeId), Id(folder), &bits, &item))) {
            EXPECT_EQ(S_OK, Tree().SelectFolder(Id(m_storeId), Id(folder)));
            EXPECT_EQ(S_OK, Tree().GetFolderChState(Id(m_storeId), Id(folder), &bits, &item));
        }
        return item;
    }

    int StateOf(const std::string& folder)
    {
        const CZrFolderItem* data = Tree().GetFolderItem(Load(folder));
        return data ? data->m_nCheckState : -1;
    }

    DWORD BitsOf(const std::string& folder)
    {
        DWORD bits = 0xDEADBEEF;
        EXPECT_EQ(S_OK, Tree().GetFolderChState(Id(m_storeId), Id(folder), &bits, nullptr));
        return bits;
    }

    // What the space bar on the selected item does.
    void PressSpace(HTREEITEM item)
    {
        Tree().SelectItem(item);
        QTreeWidget* view = ViewOf(Tree());
        ASSERT_TRUE(view);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
        QApplication::sendEvent(view, &press);
    }

    void ClickCheckBox(HTREEITEM item, Qt::MouseButton button)
    {
        QTreeWidget* view = ViewOf(Tree());
        ASSERT_TRUE(view);
        auto* row = reinterpret_cast<QTreeWidgetItem*>(item);
        view->scrollToItem(row);
        QRect rect = view->visualItemRect(row);
        QPoint at(rect.left() + 8, rect.center().y());
        QMouseEvent press(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view->viewport()->mapToGlobal(at), button,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &release);
    }

    DialogTemplate m_template = HostTemplate();
    CTreeHost m_host{m_template};
    std::string m_surveys, m_spring, m_autumn, m_deep, m_contacts, m_contactMail;
};

} // namespace

TEST(FolderIdentity, IsTheIsoCrc32OfStoreAndFolderBytes)
{
    CZrEntryID store, folder;
    store.Set(4, reinterpret_cast<const BYTE*>("1234"));
    folder.Set(5, reinterpret_cast<const BYTE*>("56789"));
    EXPECT_EQ(0xCBF43926u, CZrMAPITreeCtrl::CalcFolderCRC32(store, folder));
}

TEST(FolderType, ComesFromTheBeginningOfTheContainerClass)
{
    const std::pair<const char*, int> cases[] = {
        {"IPF.Note", 4},       {"IPF.Note.Custom", 4}, {"IPF.Task", 32},   {"IPF.StickyNote", 128},
        {"IPF.Appointment", 8}, {"IPF.Contact", 16},    {"IPF.Journal", 64}, {"IPF", 2}, {nullptr, 2}, {"ipf.note", 2},
    };
    for (const auto& [containerClass, type] : cases) {
        SCOPED_TRACE(containerClass ? containerClass : "(none)");
        EXPECT_EQ(type, CZrMAPITreeCtrl::CalcFolderType(containerClass));
    }
}

TEST_F(FolderTreeTest, ShowsEveryStoreWithTheDefaultStoreFirst)
{
    std::string otherId;
    ASSERT_EQ(S_OK, pollenta::mapi::CreateStore("Test", m_dir + "/a.store", "Archive", false, &otherId));
    ASSERT_EQ(S_OK, pollenta::mapi::CreateStore("Test", m_dir + "/b.store", "Main", false, nullptr));
    CComPtr<IMAPISession> session;
    ASSERT_EQ(S_OK, MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &session));
    DialogTemplate dialog = HostTemplate();
    CTreeHost host(dialog);
    ASSERT_TRUE(host.Create());
    ASSERT_EQ(S_OK, host.m_tree.Initialize(session, CZrMAPITreeCtrl::kDefaultTypeMask, 1));

    std::vector<std::string> names;
    for (HTREEITEM item = host.m_tree.GetRootItem(); item; item = host.m_tree.GetNextSiblingItem(item))
        names.push_back(host.m_tree.GetItemText(item));
    // Two stores named "Main": the default one stays first.
    ASSERT_EQ((std::vector<std::string>{"Main", "Archive", "Main"}), names);
    const CZrFolderItem* first = host.m_tree.GetFolderItem(host.m_tree.GetRootItem());
    EXPECT_EQ(CZrMAPITreeCtrl::kSpecialDefaultStore, first->m_nSpecialKind);
    EXPECT_EQ("\\\\Main", first->m_strPath);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(FolderTreeTest, TickingAnUnexpandedFolderTicksItWholeOnlyWhenItHasNoSubfolders)
{
    Load(m_surveys);
    Load(m_autumn);
    Tree().UpdateCheckState(Load(m_autumn), CZrMAPITreeCtrl::CheckOp::Tick);
    EXPECT_EQ(CZrMAPITreeCtrl::kTickedSubtree, StateOf(m_autumn));
    HTREEITEM spring = Load(m_spring);
    ASSERT_EQ(nullptr, Tree().GetChildItem(spring)) << "Spring's children are not loaded yet";
    Tree().UpdateCheckState(spring, CZrMAPITreeCtrl::CheckOp::Tick);
    EXPECT_EQ(CZrMAPITreeCtrl::kTicked, StateOf(m_spring));
    EXPECT_EQ(1u, BitsOf(m_spring));
    EXPECT_EQ(3u, BitsOf(m_autumn));
    // Surveys itself is not ticked, but folders below it are.
    EXPECT_EQ(CZrMAPITreeCtrl::kUntickedBelow, StateOf(m_surveys));
    EXPECT_EQ(0u, BitsOf(m_surveys));
}

TEST_F(FolderTreeTest, ExpandingAFolderTickedWithItsSubtreeShowsItsNewChildrenTicked)
{
    HTREEITEM spring = Load(m_spring);
    Tree().UpdateCheckState(spring, CZrMAPITreeCtrl::CheckOp::TickSubtree);
    EXPECT_EQ(3u, BitsOf(m_spring));
    Tree().Expand(spring, TVE_EXPAND);
    ASSERT_NE(nullptr, Tree().GetChildItem(spring));
    EXPECT_EQ(3u, BitsOf(m_deep));
    EXPECT_EQ(CZrMAPITreeCtrl::kTickedSubtree, StateOf(m_deep));
}

TEST_F(FolderTreeTest, UntickingOneChildOfAWholeSubtreeLeavesTheParentTickedAlone)
{
    HTREEITEM surveys = Load(m_surveys);
    Tree().Expand(surveys, TVE_EXPAND);
    Tree().UpdateCheckState(surveys, CZrMAPITreeCtrl::CheckOp::TickSubtree);
    EXPECT_EQ(3u, BitsOf(m_autumn));
    Tree().UpdateCheckState(Load(m_autumn), CZrMAPITreeCtrl::CheckOp::Untick);
    EXPECT_EQ(0u, BitsOf(m_autumn));
    EXPECT_EQ(1u, BitsOf(m_surveys));
    EXPECT_EQ(CZrMAPITreeCtrl::kTicked, StateOf(m_surveys));
    // Ticking it again makes the subtree whole once more.
    Tree().UpdateCheckState(Load(m_autumn), CZrMAPITreeCtrl::CheckOp::Tick);
    EXPECT_EQ(3u, BitsOf(m_surveys));
}

TEST_F(FolderTreeTest, AClickOnAContactsFolderTicksItForItsMailSubfolders)
{
    HTREEITEM contacts = Load(m_contacts);
    Tree().Expand(contacts, TVE_EXPAND);
    ClickCheckBox(contacts, Qt::LeftButton);
    EXPECT_EQ(CZrMAPITreeCtrl::kContainerSubtree, StateOf(m_contacts));
    EXPECT_EQ(3u, BitsOf(m_contacts));
    EXPECT_EQ(CZrMAPITreeCtrl::kTickedSubtree, StateOf(m_contactMail));
    EXPECT_EQ(1, m_host.m_changes);
    // The image is the dimmed one of a folder that cannot be watched.
    int image = -1, selected = -1;
    Tree().GetItemImage(contacts, image, selected);
    EXPECT_EQ(7 + CZrMAPITreeCtrl::kDimmedImages, image);
}

TEST_F(FolderTreeTest, SpaceTogglesThroughTickSubtreeAndUntickAndTheRightButtonUnticks)
{
    HTREEITEM spring = Load(m_spring);
    PressSpace(spring);
    EXPECT_EQ(CZrMAPITreeCtrl::kTicked, StateOf(m_spring));
    PressSpace(spring);
    EXPECT_EQ(CZrMAPITreeCtrl::kTickedSubtree, StateOf(m_spring));
    PressSpace(spring);
    EXPECT_EQ(CZrMAPITreeCtrl::kUnticked, StateOf(m_spring));
    EXPECT_EQ(3, m_host.m_changes);

    PressSpace(spring);
    ClickCheckBox(spring, Qt::RightButton);
    EXPECT_EQ(CZrMAPITreeCtrl::kUnticked, StateOf(m_spring));
    EXPECT_EQ(5, m_host.m_changes);
}

TEST_F(FolderTreeTest, AFolderNeverLoadedIsNotFoundUntilSettingItsStateLoadsThePathToIt)
{
    DWORD bits = 0xDEADBEEF;
    EXPECT_EQ(MAPI_E_NOT_FOUND, Tree().GetFolderChState(Id(m_storeId), Id(m_deep), &bits, nullptr));
    EXPECT_EQ(0xDEADBEEFu, bits);
    EXPECT_EQ(S_OK, Tree().SetFolderChState(Id(m_storeId), Id(m_deep), 1));
    EXPECT_EQ(S_OK, Tree().GetFolderChState(Id(m_storeId), Id(m_deep), &bits, nullptr));
    // A folder without subfolders ticked is ticked whole.
    EXPECT_EQ(3u, bits);
    HTREEITEM deep = Load(m_deep);
    EXPECT_EQ("\\\\Main\\Surveys\\Spring\\Week 1", Tree().GetFolderItem(deep)->m_strPath);
    EXPECT_EQ(CZrMAPITreeCtrl::kUntickedBelow, StateOf(m_surveys));
}

TEST_F(FolderTreeTest, SelectingAFolderExpandsThePathDownToIt)
{
    ASSERT_EQ(S_OK, Tree().SelectFolder(Id(m_storeId), Id(m_deep)));
    HTREEITEM deep = Tree().GetSelectedItem();
    ASSERT_NE(nullptr, deep);
    EXPECT_EQ("Week 1", Tree().GetItemText(deep));
    EXPECT_TRUE(Tree().GetItemState(Tree().GetParentItem(deep), TVIS_EXPANDED));
    SavePicture(m_host, "folder-tree");
}

TEST_F(FolderTreeTest, SpecialFoldersAreKnownByTheirKind)
{
    HTREEITEM root = Tree().GetRootItem();
    Tree().Expand(root, TVE_EXPAND);
    std::map<std::string, int> kinds;
    for (HTREEITEM item = Tree().GetChildItem(root); item; item = Tree().GetNextSiblingItem(item))
        kinds[Tree().GetItemText(item)] = Tree().GetFolderItem(item)->m_nSpecialKind;
    EXPECT_EQ(CZrMAPITreeCtrl::kSpecialInbox, kinds["Inbox"]);
    EXPECT_EQ(CZrMAPITreeCtrl::kSpecialOutbox, kinds["Outbox"]);
    EXPECT_EQ(CZrMAPITreeCtrl::kSpecialSentItems, kinds["Sent Items"]);
    EXPECT_EQ(CZrMAPITreeCtrl::kSpecialDeletedItems, kinds["Deleted Items"]);
    EXPECT_EQ(0, kinds["Surveys"]);
}

namespace {

// What the tree shows for each folder: its state image.
using Boxes = std::map<std::string, UINT>;
constexpr UINT kEmpty = CZrMAPITreeCtrl::kImageEmpty;
constexpr UINT kTicked = CZrMAPITreeCtrl::kImageTicked;
constexpr UINT kPartly = CZrMAPITreeCtrl::kImagePartly;

} // namespace

class FolderTreeBoxesTest : public FolderTreeTest {
protected:
    void SetUp() override
    {
        FolderTreeTest::SetUp();
        m_lateReplies = AddFolderIn(m_contacts, "Late replies");
        m_names = {{"Main", {}},         {"Surveys", m_surveys},   {"Spring", m_spring},
                   {"Week 1", m_deep},   {"Autumn", m_autumn},     {"Contacts", m_contacts},
                   {"Replies", m_contactMail}, {"Late replies", m_lateReplies}};
    }

    // The boxes of the named folders, read through the tree's items.
    Boxes BoxesOf(CZrMAPITreeCtrl& tree, const std::vector<std::string>& names)
    {
        Boxes boxes;
        for (const std::string& name : names) {
            const std::string& id = m_names.at(name);
            HTREEITEM item = tree.GetRootItem();
            DWORD bits = 0;
            if (!id.empty() && FAILED(tree.GetFolderChState(Id(m_storeId), Id(id), &bits, &item)))
                continue;
            boxes[name] = tree.GetItemState(item, TVIS_STATEIMAGEMASK) >> 12;
        }
        return boxes;
    }

    std::string m_lateReplies;
    std::map<std::string, std::string> m_names;
};

TEST_F(FolderTreeBoxesTest, AParentShowsItsSubtreePartlyTickedAfterClicksAtEveryLevel)
{
    for (const std::string& folder : {m_surveys, m_spring, m_contacts})
        Tree().Expand(Load(folder), TVE_EXPAND);
    const struct {
        const char* click;
        Boxes boxes;
    } steps[] = {
        {"Week 1", {{"Main", kPartly}, {"Surveys", kPartly}, {"Spring", kPartly}, {"Week 1", kTicked}, {"Autumn", kEmpty}}},
        // Spring is ticked itself now, with all below it.
        {"Spring", {{"Main", kPartly}, {"Surveys", kPartly}, {"Spring", kTicked}, {"Week 1", kTicked}, {"Autumn", kEmpty}}},
        // Every folder below Surveys is ticked, Surveys itself is not.
        {"Autumn", {{"Main", kPartly}, {"Surveys", kPartly}, {"Spring", kTicked}, {"Week 1", kTicked}, {"Autumn", kTicked}}},
        {"Surveys", {{"Main", kPartly}, {"Surveys", kTicked}, {"Spring", kTicked}, {"Week 1", kTicked}, {"Autumn", kTicked}}},
        // Two levels up from the change, ticked folders lose their whole subtree.
        {"Week 1", {{"Main", kPartly}, {"Surveys", kPartly}, {"Spring", kPartly}, {"Week 1", kEmpty}, {"Autumn", kTicked}}},
        {"Surveys", {{"Main", kPartly}, {"Surveys", kTicked}, {"Spring", kTicked}, {"Week 1", kTicked}, {"Autumn", kTicked}}},
        {"Surveys", {{"Main", kEmpty}, {"Surveys", kEmpty}, {"Spring", kEmpty}, {"Week 1", kEmpty}, {"Autumn", kEmpty}}},
        // A folder that cannot be watched is ticked when all below it is.
        {"Replies", {{"Main", kPartly}, {"Contacts", kPartly}, {"Replies", kTicked}, {"Late replies", kEmpty}}},
        {"Late replies", {{"Main", kPartly}, {"Contacts", kTicked}, {"Replies", kTicked}, {"Late replies", kTicked}}},
        {"Replies", {{"Main", kPartly}, {"Contacts", kPartly}, {"Replies", kEmpty}, {"Late replies", kTicked}}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.click);
        ClickCheckBox(Load(m_names.at(step.click)), Qt::LeftButton);
        std::vector<std::string> names;
        for (const auto& [name, box] : step.boxes)
            names.push_back(name);
        EXPECT_EQ(step.boxes, BoxesOf(Tree(), names));
    }
    // The view shows what the tree's items say.
    auto* row = reinterpret_cast<QTreeWidgetItem*>(Tree().GetRootItem());
    EXPECT_EQ(Qt::PartiallyChecked, row->checkState(0));
    SavePicture(m_host, "folder-tree-partly-ticked");
}

TEST_F(FolderTreeBoxesTest, AParentShowsItsSubtreePartlyTickedAfterLoadingTheSettings)
{
    constexpr DWORD kFolder = CWEWatchedFolder::kWatchFolder;
    constexpr DWORD kSubtree = CWEWatchedFolder::kWatchFolder | CWEWatchedFolder::kWatchSubfolders;
    const struct {
        const char* name;
        std::vector<std::pair<const char*, DWORD>> settings;
        Boxes boxes;
    } cases[] = {
        {"nothing", {}, {{"Main", kEmpty}, {"Surveys", kEmpty}}},
        {"a deep folder", {{"Week 1", kFolder}}, {{"Main", kPartly}, {"Surveys", kPartly}, {"Spring", kPartly}, {"Week 1", kTicked}}},
        {"a folder without its subfolders", {{"Spring", kFolder}}, {{"Main", kPartly}, {"Surveys", kPartly}, {"Spring", kPartly}}},
        {"a folder with its subfolders", {{"Spring", kSubtree}}, {{"Main", kPartly}, {"Surveys", kPartly}, {"Spring", kTicked}, {"Autumn", kEmpty}}},
        {"all subfolders", {{"Spring", kSubtree}, {"Autumn", kSubtree}}, {{"Main", kPartly}, {"Surveys", kPartly}, {"Spring", kTicked}}},
        {"the folder, then all its subfolders", {{"Surveys", kFolder}, {"Spring", kSubtree}, {"Autumn", kFolder}},
         {{"Main", kPartly}, {"Surveys", kTicked}, {"Spring", kTicked}, {"Autumn", kTicked}}},
        {"all subfolders of a contacts folder", {{"Replies", kFolder}, {"Late replies", kFolder}},
         {{"Main", kPartly}, {"Contacts", kTicked}, {"Replies", kTicked}}},
        {"a whole store", {{"Main", kSubtree}}, {{"Main", kTicked}, {"Surveys", kTicked}, {"Week 1", kTicked}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DialogTemplate dialog = HostTemplate();
        CTreeHost host(dialog);
        ASSERT_TRUE(host.Create());
        ASSERT_EQ(S_OK, host.m_tree.Initialize(m_session, CZrMAPITreeCtrl::kDefaultTypeMask, 1));
        for (const auto& [name, bits] : c.settings) {
            std::string id = m_names.at(name);
            if (id.empty())
                id = EntryIdProp(Subtree(m_store));
            ASSERT_EQ(S_OK, host.m_tree.SetFolderChState(Id(m_storeId), Id(id), bits));
        }
        std::vector<std::string> names;
        for (const auto& [name, box] : c.boxes) {
            if (!m_names.at(name).empty())
                host.m_tree.SelectFolder(Id(m_storeId), Id(m_names.at(name)));
            names.push_back(name);
        }
        EXPECT_EQ(c.boxes, BoxesOf(host.m_tree, names));
    }
}
