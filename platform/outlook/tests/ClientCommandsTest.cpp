// The client's own commands of the explorer's menus, clicked as a person
// clicks them: File > Exit, Actions > New Mail Message, Tools > Address
// Book... (entries and lists added, changed and deleted in its window) and
// File > Import and Export... with a CSV file as a spreadsheet writes it.

#include "WindowsTestSupport.h"

#include "mapi/AddressBookEdit.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include <fstream>

namespace {

QDialog* Dialog(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget);
            dialog && dialog->isVisible() && dialog->objectName() == name)
            return dialog;
    return nullptr;
}

void Click(QWidget* parent, const char* caption)
{
    for (QPushButton* button : parent->findChildren<QPushButton*>())
        if (button->text() == caption) {
            button->click();
            return;
        }
    ADD_FAILURE() << "no button " << caption;
}

void ClickOk(QDialog* dialog)
{
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

void Type(QDialog* dialog, const char* field, const char* text)
{
    auto* edit = dialog->findChild<QLineEdit*>(field);
    ASSERT_TRUE(edit) << field;
    edit->selectAll();
    edit->insert(text);
}

std::vector<std::string> Rows(QTableWidget* table)
{
    std::vector<std::string> rows;
    for (int row = 0; row < table->rowCount(); ++row)
        rows.push_back(table->item(row, 0)->text().toStdString() + " | " + table->item(row, 1)->text().toStdString());
    return rows;
}

}  // namespace

class ClientCommandsTest : public CWindowsTest {
public:
    void SetUp() override
    {
        CWindowsTest::SetUp();
        ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &m_book));
        m_previousBox = SetMessageBoxHook([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request.text);
            return IDYES;
        });
    }
    void TearDown() override
    {
        SetMessageBoxHook(m_previousBox);
        SetChooserHook(nullptr);
        m_book.Release();
        CWindowsTest::TearDown();
    }

    CComPtr<IAddrBook> m_book;
    MessageBoxHook m_previousBox;
    std::vector<std::string> m_boxes;
};

TEST_F(ClientCommandsTest, ExitClosesTheClientAndNewMailMessageOpensAnInspectorOnANewItem)
{
    ASSERT_TRUE(m_windows->Trigger(m_explorer, "New Mail Message"));
    m_windows->ProcessEvents();
    CComPtr<_Inspectors> inspectors;
    m_application->get_Inspectors(&inspectors);
    LONG count = 0;
    inspectors->get_Count(&count);
    ASSERT_EQ(1, count);
    CComPtr<_Inspector> inspector;
    CComPtr<IDispatch> item;
    ASSERT_EQ(S_OK, inspectors->Item(CComVariant(1), &inspector));
    ASSERT_EQ(S_OK, inspector->get_CurrentItem(&item));
    CComBSTR subject;
    CComQIPtr<_MailItem>(item.p)->get_Subject(&subject);
    EXPECT_EQ("", subject.ToString());
    EXPECT_TRUE(WindowWith<QToolBar>());

    ASSERT_TRUE(m_windows->Trigger(m_explorer, "Exit"));
    m_windows->ProcessEvents();
    inspectors->get_Count(&count);
    EXPECT_EQ(0, count);
    CComPtr<_Explorers> explorers;
    m_application->get_Explorers(&explorers);
    explorers->get_Count(&count);
    EXPECT_EQ(0, count);
    EXPECT_FALSE(m_windows->Trigger(m_explorer, "Exit"));
}

TEST_F(ClientCommandsTest, TheAddressBookListsAddsChangesAndDeletesEntriesAndLists)
{
    std::string ann;
    ASSERT_EQ(S_OK, pollenta::mapi::AddAddressEntry(m_book, "Ann", "ann@example.org", ann));
    ASSERT_TRUE(m_windows->Trigger(m_explorer, "Address Book..."));
    m_windows->ProcessEvents();
    QDialog* book = Dialog("addressBook");
    ASSERT_TRUE(book);
    auto* entries = book->findChild<QTableWidget*>("entries");
    EXPECT_EQ((std::vector<std::string>{"Ann | ann@example.org"}), Rows(entries));

    Click(book, "New &Entry...");
    QDialog* entry = Dialog("entry");
    ASSERT_TRUE(entry);
    Type(entry, "name", "Bob Builder");
    Type(entry, "address", "bob at example");
    ClickOk(entry);
    // A wrong address is said and the dialog stays for the user to mend it.
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_NE(std::string::npos, m_boxes[0].find("bob at example"));
    ASSERT_EQ(entry, Dialog("entry"));
    Type(entry, "address", "bob@example.org");
    ClickOk(entry);
    m_windows->ProcessEvents();
    EXPECT_EQ((std::vector<std::string>{"Ann | ann@example.org", "Bob Builder | bob@example.org"}), Rows(entries));

    entries->selectRow(0);
    Click(book, "&Properties...");
    entry = Dialog("entry");
    ASSERT_TRUE(entry);
    Type(entry, "address", "ann.smith@example.org");
    ClickOk(entry);
    m_windows->ProcessEvents();

    Click(book, "New &List...");
    QDialog* list = Dialog("list");
    ASSERT_TRUE(list);
    Type(list, "name", "Survey panel");
    auto* members = list->findChild<QListWidget*>("members");
    ASSERT_EQ(2, members->count());
    members->item(0)->setCheckState(Qt::Checked);
    members->item(1)->setCheckState(Qt::Checked);
    ClickOk(list);
    m_windows->ProcessEvents();
    EXPECT_EQ((std::vector<std::string>{"Ann | ann.smith@example.org", "Bob Builder | bob@example.org",
                                        "Survey panel | List of 2"}),
              Rows(entries));
    const std::string picture = kPictures + "/mailhost-address-book.png";
    ASSERT_TRUE(book->grab().save(QString::fromStdString(picture), "PNG"));
    EXPECT_TRUE(IsPng(picture));

    entries->selectRow(0);
    Click(book, "&Delete");
    EXPECT_NE(std::string::npos, m_boxes.back().find("Delete \"Ann\""));
    EXPECT_EQ((std::vector<std::string>{"Bob Builder | bob@example.org", "Survey panel | List of 1"}), Rows(entries));
    std::vector<pollenta::mapi::AddressEntry> stored;
    ASSERT_EQ(S_OK, pollenta::mapi::ReadAddressEntries(m_book, stored));
    ASSERT_EQ(2u, stored.size());
    EXPECT_EQ(std::vector<std::string>{stored[0].entryId}, stored[1].members);
}

TEST_F(ClientCommandsTest, ImportAndExportBringsTheEntriesOfASpreadsheetsCsvAndAListOfThem)
{
    const std::string file = m_dir + "/recipients.csv";
    std::ofstream(file, std::ios::binary) << "\xEF\xBB\xBF"
                                          << "\"E-mail Address\",\"Name\",\"Notes\"\r\n"
                                          << "ann@example.org,\"Smith, Ann\",\"first\r\nsecond line\"\r\n"
                                          << "bob@example.org,Bob,\r\n"
                                          << "carol@example.org,\"Carol \"\"CJ\"\" Jones\",\r\n";
    std::vector<std::string> asked;
    SetChooserHook([&](const ChooserRequest& request, std::string& path) {
        asked.push_back(request.filter);
        path = file;
        return true;
    });
    ASSERT_TRUE(m_windows->Trigger(m_explorer, "Import and Export..."));
    m_windows->ProcessEvents();
    ASSERT_EQ(1u, asked.size());
    EXPECT_NE(std::string::npos, asked[0].find("*.csv"));
    QDialog* import = Dialog("import");
    ASSERT_TRUE(import);
    Type(import, "list", "Spring survey");
    ClickOk(import);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_NE(std::string::npos, m_boxes[0].find("3 entries were added"));
    EXPECT_NE(std::string::npos, m_boxes[0].find("\"Spring survey\""));

    std::vector<pollenta::mapi::AddressEntry> stored;
    ASSERT_EQ(S_OK, pollenta::mapi::ReadAddressEntries(m_book, stored));
    ASSERT_EQ(4u, stored.size());
    EXPECT_EQ("Smith, Ann", stored[0].name);
    EXPECT_EQ("Carol \"CJ\" Jones", stored[2].name);
    EXPECT_EQ("Spring survey", stored[3].name);
    EXPECT_EQ((std::vector<std::string>{stored[0].entryId, stored[1].entryId, stored[2].entryId}), stored[3].members);
}
