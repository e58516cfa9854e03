// The address book as a person edits it, and CSV files of addresses as
// spreadsheet programs and the mail client's export write them, imported
// through the library and through `mapitool import-csv`.

#include "MapiTestSupport.h"

#include "mapi/AddressBookEdit.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>

extern char** environ;

namespace {

using pollenta::mapi::AddressEntry;

class AddressCsvImportTest : public CMapiTest {
public:
    void SetUp() override
    {
        CMapiTest::SetUp();
        ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &m_book));
    }
    void TearDown() override
    {
        m_book.Release();
        CMapiTest::TearDown();
    }

    std::vector<AddressEntry> Entries()
    {
        std::vector<AddressEntry> entries;
        EXPECT_EQ(S_OK, pollenta::mapi::ReadAddressEntries(m_book, entries));
        return entries;
    }

    // "name <address>" of each mail user, in the book's order.
    std::vector<std::string> Users()
    {
        std::vector<std::string> users;
        for (const AddressEntry& entry : Entries())
            if (entry.type == MAPI_MAILUSER)
                users.push_back(entry.name + " <" + entry.address + ">");
        return users;
    }

    // The names of the list's members, in order.
    std::vector<std::string> MemberNames(const std::string& listId)
    {
        const std::vector<AddressEntry> entries = Entries();
        std::vector<std::string> names;
        for (const AddressEntry& list : entries)
            if (list.entryId == listId)
                for (const std::string& member : list.members)
                    for (const AddressEntry& entry : entries)
                        if (entry.entryId == member)
                            names.push_back(entry.name);
        return names;
    }

    CComPtr<IAddrBook> m_book;
};

}  // namespace

TEST_F(AddressCsvImportTest, ASpreadsheetsCsvWithQuotesLineBreaksAndAByteOrderMarkBecomesEntriesAndAList)
{
    std::string known;
    ASSERT_EQ(S_OK, pollenta::mapi::AddAddressEntry(m_book, "Carol Known", "carol@example.org", known));
    // As a spreadsheet program saves "CSV UTF-8": columns in its own order,
    // headers in another case, a note over two lines, quotes doubled.
    const std::string csv = "\xEF\xBB\xBF"
                            "Notes,e-mail address,NAME\r\n"
                            "\"first, with a comma\",ann@example.org,\"Smith, Ann\"\r\n"
                            "\"two\r\nlines\",bob@example.org,\"Bob \"\"The Builder\"\" Jones\"\r\n"
                            "no address here,,Nobody\r\n"
                            "\r\n"
                            ",CAROL@example.org,Carol Again\r\n"
                            ",ann@EXAMPLE.org,Ann Twice\r\n"
                            "last,dora@example.org,J\xC3\xBCrgen D\xC3\xB6rfler\r\n";
    pollenta::mapi::CsvImportResult result;
    std::string why;
    ASSERT_EQ(S_OK, pollenta::mapi::ImportAddressCsv(m_book, csv, "Survey recipients", result, &why)) << why;
    EXPECT_EQ(3u, result.added);
    EXPECT_EQ(2u, result.known);
    EXPECT_EQ(1u, result.skipped);
    EXPECT_EQ((std::vector<std::string>{"Carol Known <carol@example.org>", "Smith, Ann <ann@example.org>",
                                        "Bob \"The Builder\" Jones <bob@example.org>",
                                        "J\xC3\xBCrgen D\xC3\xB6rfler <dora@example.org>"}),
              Users());
    EXPECT_EQ((std::vector<std::string>{"Smith, Ann", "Bob \"The Builder\" Jones", "Carol Known", "Smith, Ann",
                                        "J\xC3\xBCrgen D\xC3\xB6rfler"}),
              MemberNames(result.listEntryId));
    // The list resolves as any list of the book does.
    std::string found;
    EXPECT_EQ(S_OK, pollenta::mapi::FindAddressEntry(Book(), "Survey recipients", found));
    EXPECT_EQ(result.listEntryId, found);
}

TEST_F(AddressCsvImportTest, OtherLocalesAndProgramsSeparatorsEncodingsAndHeadersAreRead)
{
    struct Case {
        const char* what;
        std::string csv;
        std::string user;
    } cases[] = {
        // A German spreadsheet's "CSV": semicolons, Windows-1252, no mark.
        {"semicolons", "Name;Email\r\nM\xFCller, Eva;eva@example.de\r\n", "M\xC3\xBCller, Eva <eva@example.de>"},
        // "Unicode text": UTF-16LE with tabs.
        {"utf-16", std::string("\xFF\xFE", 2), "Fred First <fred@example.com>"},
        // The mail client's contacts export: names in two columns, LF only.
        {"first and last", "First Name,Last Name,E-mail\nGina,Grey,gina@example.net\n", "Gina Grey <gina@example.net>"},
        {"no name", "Email Address\nhal@example.com\n", "hal@example.com <hal@example.com>"},
    };
    for (const char16_t c : std::u16string(u"Name\tE-mail\r\nFred First\tfred@example.com\r\n")) {
        cases[1].csv += static_cast<char>(c & 0xFF);
        cases[1].csv += static_cast<char>(c >> 8);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pollenta::mapi::CsvImportResult result;
        std::string why;
        ASSERT_EQ(S_OK, pollenta::mapi::ImportAddressCsv(m_book, c.csv, "", result, &why)) << why;
        EXPECT_EQ(1u, result.added);
        EXPECT_TRUE(result.listEntryId.empty());
        EXPECT_EQ(c.user, Users().back());
    }
}

TEST_F(AddressCsvImportTest, AFileWithoutAnAddressColumnIsRefusedWithAReasonAndAddsNothing)
{
    pollenta::mapi::CsvImportResult result;
    std::string why;
    EXPECT_EQ(MAPI_E_INVALID_PARAMETER,
              pollenta::mapi::ImportAddressCsv(m_book, "Name,Phone\r\nAnn,123\r\n", "List", result, &why));
    EXPECT_NE(std::string::npos, why.find("E-mail Address"));
    EXPECT_EQ(MAPI_E_INVALID_PARAMETER, pollenta::mapi::ImportAddressCsv(m_book, "\xEF\xBB\xBF", "", result, &why));
    EXPECT_TRUE(Entries().empty());
}

TEST_F(AddressCsvImportTest, EntriesAreChangedAndADeletedOneLeavesTheListsThatHeldIt)
{
    std::string ann, bob, list;
    ASSERT_EQ(S_OK, pollenta::mapi::AddAddressEntry(m_book, "Ann", "ann@example.org", ann));
    ASSERT_EQ(S_OK, pollenta::mapi::AddAddressEntry(m_book, "Bob", "bob@example.org", bob));
    std::string why;
    EXPECT_EQ(MAPI_E_INVALID_PARAMETER, pollenta::mapi::AddAddressEntry(m_book, "Bad", "not an address", list, &why));
    EXPECT_NE(std::string::npos, why.find("not an address"));
    ASSERT_EQ(S_OK, pollenta::mapi::AddAddressList(m_book, "Team", {ann, bob}, list));

    ASSERT_EQ(S_OK, pollenta::mapi::ChangeAddressEntry(m_book, ann, "Ann Smith", "ann.smith@example.org"));
    ASSERT_EQ(S_OK, pollenta::mapi::ChangeAddressEntry(m_book, list, "Survey team", ""));
    EXPECT_EQ((std::vector<std::string>{"Ann Smith <ann.smith@example.org>", "Bob <bob@example.org>"}), Users());
    EXPECT_EQ((std::vector<std::string>{"Ann Smith", "Bob"}), MemberNames(list));

    ASSERT_EQ(S_OK, pollenta::mapi::DeleteAddressEntry(m_book, ann));
    EXPECT_EQ((std::vector<std::string>{"Bob <bob@example.org>"}), Users());
    EXPECT_EQ((std::vector<std::string>{"Bob"}), MemberNames(list));
    EXPECT_EQ(MAPI_E_NOT_FOUND, pollenta::mapi::ChangeAddressEntry(m_book, ann, "Gone", "gone@example.org"));
    ASSERT_EQ(S_OK, pollenta::mapi::SetAddressListMembers(m_book, list, {}));
    EXPECT_TRUE(MemberNames(list).empty());
    ASSERT_EQ(S_OK, pollenta::mapi::DeleteAddressEntry(m_book, list));
    EXPECT_EQ(1u, Entries().size());
}

TEST_F(AddressCsvImportTest, MapitoolImportsACsvFileAndMakesTheListWithoutWindows)
{
    const std::string file = m_dir + "/people.csv";
    std::ofstream(file, std::ios::binary) << "\"Name\",\"E-mail Address\"\r\n\"Ivy, I.\",ivy@example.org\r\n"
                                          << "Jon,jon@example.org\r\n";
    std::vector<std::string> args = {std::string(POLLENTA_BIN_DIR) + "/mapitool", "import-csv", file, "--list",
                                     "Panel"};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    ASSERT_EQ(0, posix_spawn(&child, argv[0], &quiet, nullptr, argv.data(), environ));
    posix_spawn_file_actions_destroy(&quiet);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status));
    EXPECT_EQ((std::vector<std::string>{"Ivy, I. <ivy@example.org>", "Jon <jon@example.org>"}), Users());
    std::string list;
    ASSERT_EQ(S_OK, pollenta::mapi::FindAddressEntry(Book(), "Panel", list));
    EXPECT_EQ((std::vector<std::string>{"Ivy, I.", "Jon"}), MemberNames(list));
}
