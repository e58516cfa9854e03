#include "MapiTestSupport.h"
#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

class CMapiToolTest : public ::testing::Test {
public:
    // The tool's exit code; what it printed is in m_output.
    int Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), std::string(POLLENTA_BIN_DIR) + "/mapitool");
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        std::string output = m_dir + "/output.txt";
        std::string errors = m_dir + "/errors.txt";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t child = 0;
        int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) return -1;
        int status = 0;
        waitpid(child, &status, 0);
        std::ifstream in(output);
        m_output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        std::ifstream err(errors);
        m_errors.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    pollenta::testsupport::TempFolder m_folder{"mapitool-test"};
    pollenta::testsupport::TempRegistry m_registry{m_folder.Path() / "registry"};
    std::string m_dir = m_folder.Path().string();
    std::string m_output;
    std::string m_errors;
};

}  // namespace

TEST_F(CMapiToolTest, CreatesAProfileDeliversListsAndExports)
{
    ASSERT_EQ(0, Run({"create-profile", "Tool", m_dir + "/profile"}));
    ASSERT_EQ(0, Run({"folders"}));
    EXPECT_NE(std::string::npos, m_output.find("\\\\Personal Folders"));
    EXPECT_NE(std::string::npos, m_output.find("    Inbox (0)"));

    std::string mail = "From: Ann <ann@example.com>\r\nTo: bob@example.com\r\nSubject: Tool test\r\n"
                       "Content-Type: text/html; charset=utf-8\r\n\r\n<p>Hi</p>\r\n";
    std::ofstream(m_dir + "/in.eml", std::ios::binary) << mail;
    ASSERT_EQ(0, Run({"deliver", "--folder", "\\\\Personal Folders\\Inbox", m_dir + "/in.eml"}));
    std::string entryId = m_output.substr(m_output.rfind(' ') + 1);
    entryId.erase(entryId.find_last_not_of("\r\n") + 1);
    ASSERT_FALSE(entryId.empty());

    ASSERT_EQ(0, Run({"messages", "\\\\Personal Folders\\Inbox"}));
    EXPECT_NE(std::string::npos, m_output.find("0x0037001E  \"Tool test\""));
    EXPECT_NE(std::string::npos, m_output.find("0x0C1F001E  \"ann@example.com\""));
    EXPECT_NE(0, Run({"messages", "\\\\Personal Folders\\Nowhere"}));

    ASSERT_EQ(0, Run({"export", entryId, m_dir + "/out.eml"}));
    std::ifstream in(m_dir + "/out.eml", std::ios::binary);
    std::string exported((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(std::string::npos, exported.find("Subject: Tool test"));
    EXPECT_NE(std::string::npos, exported.find("<p>Hi</p>"));
    EXPECT_NE(0, Run({"export", "00FF", m_dir + "/bad.eml"}));
    EXPECT_EQ(2, Run({"frobnicate"}));
}

TEST_F(CMapiToolTest, AddsUsersAndListsThatHoldOtherListsByName)
{
    ASSERT_EQ(0, Run({"create-profile", "Book", m_dir + "/profile"}));
    ASSERT_EQ(0, Run({"add-user", "Ann Smith", "ann@example.com"}));
    ASSERT_EQ(0, Run({"add-user", "Борис", "boris@example.com"}));
    ASSERT_EQ(0, Run({"add-list", "Team", "Ann Smith"}));
    ASSERT_EQ(0, Run({"add-list", "Everyone", "Team", "Борис"}));
    EXPECT_EQ(1, Run({"add-list", "Nobody", "Team", "No Such Name"}));
    EXPECT_EQ(2, Run({"add-list", "Empty"}));

    std::string everyone;
    std::string book;
    ASSERT_EQ(S_OK, pollenta::mapi::ProfileAddressBook("Book", book));
    ASSERT_EQ(S_OK, pollenta::mapi::FindAddressEntry(book, "Everyone", everyone));
    std::string nobody;
    EXPECT_EQ(MAPI_E_NOT_FOUND, pollenta::mapi::FindAddressEntry(book, "Nobody", nobody));

    MAPIINIT_0 init = {MAPI_INIT_VERSION, 0};
    ASSERT_EQ(S_OK, MAPIInitialize(&init));
    {
        CComPtr<IMAPISession> session;
        ASSERT_EQ(S_OK, MAPILogonEx(0, const_cast<char*>("Book"), nullptr, MAPI_EXTENDED | MAPI_NEW_SESSION, &session));
        CComPtr<IAddrBook> addressBook;
        ASSERT_EQ(S_OK, session->OpenAddressBook(0, nullptr, 0, &addressBook));
        std::set<std::string> addresses;
        CMapiTest::Expand(addressBook, everyone, addresses);
        EXPECT_EQ((std::set<std::string>{"ann@example.com", "boris@example.com"}), addresses);
    }
    MAPIUninitialize();
}

TEST_F(CMapiToolTest, DeliverRefusesWhatIsNoWholeMailFileByNameAndDeliversTheOthers)
{
    ASSERT_EQ(0, Run({"create-profile", "Tool", m_dir + "/profile"}));
    const std::string mail = m_folder.Write("in.eml", "From: ann@example.com\r\nSubject: Kept\r\n\r\nHi\r\n").string();
    const std::string empty = m_folder.Write("empty.eml", "").string();
    const std::string folder = m_dir + "/folder.eml";
    std::filesystem::create_directory(folder);
    const std::string pipe = m_dir + "/pipe.eml";
    ASSERT_EQ(0, mkfifo(pipe.c_str(), 0600));
    std::vector<std::string> files = {folder, empty, pipe, mail};
    // A file of the kernel's says it holds a page but gives a few bytes, as a
    // file cut while it is read does.
    const std::string cut = "/sys/devices/system/cpu/online";
    const bool haveCut = std::filesystem::exists(cut);
    if (haveCut) files.insert(files.begin(), cut);
    std::vector<std::string> args = {"deliver"};
    args.insert(args.end(), files.begin(), files.end());

    EXPECT_EQ(1, Run(args));

    for (const std::string& refused : {folder + " was not delivered: it is a directory",
                                       empty + " was not delivered: it is empty",
                                       pipe + " was not delivered: it is not a regular file"})
        EXPECT_NE(std::string::npos, m_errors.find(refused)) << m_errors;
    if (haveCut) EXPECT_NE(std::string::npos, m_errors.find(cut + " was not delivered: it ended after ")) << m_errors;
    EXPECT_NE(std::string::npos, m_output.find(mail + "  ")) << m_output;
    ASSERT_EQ(0, Run({"messages", "\\\\Personal Folders\\Inbox"}));
    EXPECT_NE(std::string::npos, m_output.find("\"Kept\""));
}

TEST_F(CMapiToolTest, DeliverIntoAFolderThatIsNotThereIsRefusedAndMakesNoFolder)
{
    ASSERT_EQ(0, Run({"create-profile", "Tool", m_dir + "/profile"}));
    const std::string mail = m_folder.Write("in.eml", "Subject: Typo\r\n\r\nHi\r\n").string();
    EXPECT_EQ(1, Run({"deliver", "--folder", "\\\\Personal Folders\\Inbxo", mail}));
    EXPECT_NE(std::string::npos, m_errors.find("Inbxo")) << m_errors;
    ASSERT_EQ(0, Run({"folders"}));
    EXPECT_EQ(std::string::npos, m_output.find("Inbxo")) << m_output;
    EXPECT_EQ(2, Run({"deliver", "--folder", "", mail}));
    EXPECT_NE(std::string::npos, m_errors.find("--folder needs the path of an existing folder")) << m_errors;
}
