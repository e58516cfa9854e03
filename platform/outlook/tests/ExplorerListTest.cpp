// The explorer on a folder of 50,000 messages: its list shows them all,
// follows the folder as mail comes in, and the title names the folder; the
// object model's Items reads the folder's table again only after the store
// told of a change.

#include "LargeFolder.h"
#include "WindowsTestSupport.h"

#include <QTableView>
#include <QTreeWidget>

#include <thread>

namespace {

constexpr int kMessages = 50000;

std::string Mime(const std::string& subject)
{
    return "From: Eve Example <eve@example.org>\r\nTo: ann@example.org\r\nSubject: " + subject +
           "\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=utf-8\r\n\r\nHello\r\n";
}

}  // namespace

class ExplorerListTest : public CWindowsTest {
public:
    void SetUp() override
    {
        CWindowsTest::SetUp();
        CComPtr<IMAPIFolder> inbox = Inbox();
        ASSERT_NO_THROW(largefolder::Fill(inbox, m_dir + "/main.store", kMessages, "Answer"));
    }

    CComPtr<IMAPIFolder> Inbox()
    {
        ULONG size = 0;
        LPENTRYID id = nullptr;
        EXPECT_EQ(S_OK, m_store->GetReceiveFolder(nullptr, 0, &size, &id, nullptr));
        ULONG type = 0;
        CComPtr<IUnknown> folder;
        EXPECT_EQ(S_OK, m_store->OpenEntry(size, id, &IID_IMAPIFolder, MAPI_MODIFY, &type, &folder));
        MAPIFreeBuffer(id);
        return CComQIPtr<IMAPIFolder>(folder.p);
    }

    void Deliver(const std::string& subject)
    {
        const std::string mime = Mime(subject);
        ASSERT_EQ(S_OK,
                  pollenta::mapi::DeliverMime(m_store, nullptr, std::vector<BYTE>(mime.begin(), mime.end()), nullptr));
    }

    // The explorer window's list, once the window has caught up with what
    // the store told it; null when there is none.
    QTableView* List(int expectedRows)
    {
        QTableView* list = nullptr;
        for (int turn = 0; turn < 200; ++turn) {
            HrDispatchNotifications(0);
            m_windows->ProcessEvents();
            if (QMainWindow* window = WindowWith<QTreeWidget>())
                list = window->findChild<QTableView*>();
            if (list && list->model()->rowCount() == expectedRows)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return list;
    }

    static std::string Cell(QTableView* list, int row, int column)
    {
        return list->model()->data(list->model()->index(row, column)).toString().toStdString();
    }
};

TEST_F(ExplorerListTest, TheListShowsEveryMessageAndNewMailWithoutTheUserClickingAwayAndBack)
{
    QTableView* list = List(kMessages + 1);
    ASSERT_TRUE(list);
    ASSERT_EQ(kMessages + 1, list->model()->rowCount());
    EXPECT_EQ("Bob Example", Cell(list, 1, 0));
    EXPECT_EQ("Answer 1", Cell(list, 1, 1));
    EXPECT_EQ("Answer " + std::to_string(kMessages), Cell(list, kMessages, 1));
    EXPECT_EQ("Inbox - Mail Host", list->window()->windowTitle().toStdString());

    Deliver("Late answer");
    list = List(kMessages + 2);
    ASSERT_EQ(kMessages + 2, list->model()->rowCount());
    EXPECT_EQ("Eve Example", Cell(list, kMessages + 1, 0));
    EXPECT_EQ("Late answer", Cell(list, kMessages + 1, 1));
}

TEST_F(ExplorerListTest, ChoosingAnotherFolderShowsItsMessagesAndNamesItInTheTitle)
{
    ASSERT_TRUE(List(kMessages + 1));
    QMainWindow* window = WindowWith<QTreeWidget>();
    ASSERT_TRUE(window);
    auto* tree = window->findChild<QTreeWidget*>();
    ASSERT_TRUE(tree);
    const QList<QTreeWidgetItem*> sent = tree->findItems("Sent Items", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(1, sent.size());
    tree->setCurrentItem(sent.front());
    QTableView* list = List(0);
    EXPECT_EQ(0, list->model()->rowCount());
    EXPECT_EQ("Sent Items - Mail Host", window->windowTitle().toStdString());
    CComPtr<MAPIFolder> current;
    ASSERT_EQ(S_OK, m_explorer->get_CurrentFolder(&current));
    CComBSTR name;
    current->get_Name(&name);
    EXPECT_EQ("Sent Items", name.ToString());
    // Mail for another folder leaves this list alone.
    Deliver("Not for Sent Items");
    EXPECT_EQ(0, List(0)->model()->rowCount());
}

TEST_F(ExplorerListTest, ItemsReadsTheFoldersTableAgainOnlyAfterTheStoreToldOfAChange)
{
    CComPtr<_NameSpace> nameSpace;
    CComPtr<MAPIFolder> inbox;
    CComPtr<_Items> items;
    ASSERT_EQ(S_OK, m_application->GetNamespace(CComBSTR("MAPI"), &nameSpace));
    ASSERT_EQ(S_OK, nameSpace->GetDefaultFolder(olFolderInbox, &inbox));
    ASSERT_EQ(S_OK, inbox->get_Items(&items));
    LONG count = 0;
    ASSERT_EQ(S_OK, items->get_Count(&count));
    EXPECT_EQ(kMessages + 1, count);
    // The collection numbers the messages as the table orders them.
    CComPtr<IDispatch> item;
    ASSERT_EQ(S_OK, items->Item(CComVariant(static_cast<LONG>(kMessages + 1)), &item));
    CComBSTR subject;
    CComQIPtr<_MailItem>(item.p)->get_Subject(&subject);
    EXPECT_EQ("Answer " + std::to_string(kMessages), subject.ToString());

    // A message written behind the store's back, which tells nobody, is
    // not seen: the table was not read again...
    ASSERT_NO_THROW(largefolder::Copy(m_dir + "/main.store", 1, "Unannounced"));
    ASSERT_EQ(S_OK, items->get_Count(&count));
    EXPECT_EQ(kMessages + 1, count);
    // ...until a change the store tells of, when it is read once more.
    Deliver("Told");
    CComPtr<_Items> fresh;
    ASSERT_EQ(S_OK, inbox->get_Items(&fresh));
    for (_Items* each : {items.p, fresh.p}) {
        ASSERT_EQ(S_OK, each->get_Count(&count));
        EXPECT_EQ(kMessages + 3, count);
    }
}
