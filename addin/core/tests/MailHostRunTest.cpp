// The stand-in mail client run as a program on a fresh machine: the
// registration script enters the add-in, mailhost loads it on a default
// profile it makes, and stops it cleanly on SIGTERM.

#include "AddinTestFolder.h"
#include "ChildProgram.h"

#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

namespace {

const std::string kBin = POLLENTA_BIN_DIR;

int RunToEnd(const std::vector<std::string>& args, const std::filesystem::path& folder)
{
    return ChildProgram::RunToEnd(args, folder);
}

std::vector<std::string> LogTexts(const std::filesystem::path& logs)
{
    std::vector<std::string> texts;
    for (const auto& file : std::filesystem::directory_iterator(logs)) {
        std::istringstream lines(AddinTestFolder::ReadFile(file.path()));
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty() && line[0] != '#')
                texts.push_back(line.substr(line.rfind('\t') + 1));
        }
    }
    return texts;
}

class MailHostRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_DATA_HOME", (m_folder.Path() / "data").c_str(), 1);
        m_logs = m_folder.Path() / "logs";
        AddinTestFolder::SetText(HKEY_CURRENT_USER, "Software\\Velquin Ltd\\Pollenta", "LogFolderPath", m_logs);
    }
    void TearDown() override { unsetenv("XDG_DATA_HOME"); }

    pollenta::testsupport::TempFolder m_folder{"pollenta-mailhost"};
    pollenta::testsupport::TempRegistry m_registry{m_folder.Path() / "registry"};
    std::filesystem::path m_logs;
};

}  // namespace

TEST_F(MailHostRunTest, ARegisteredAddInStartsWithTheHostAndShutsDownOnSigterm)
{
    ASSERT_EQ(0, RunToEnd({"/bin/bash", std::string(POLLENTA_SOURCE_DIR) + "/scripts/register", kBin}, m_folder.Path()))
        << AddinTestFolder::ReadFile(m_folder.Path() / "stderr.txt");
    // An add-in that is entered but not installed is left out.
    AddinTestFolder::SetNumber("Software\\Microsoft\\Office\\Outlook\\Addins\\Nobody.AddIn", "LoadBehavior", 3);

    ChildProgram host({kBin + "/mailhost", "--headless"}, m_folder.Path());
    ASSERT_TRUE(host.Started());
    ASSERT_TRUE(host.WaitForOutput("running")) << host.Out() << host.Err();
    EXPECT_NE(std::string::npos, host.Out().find("add-in Kestrin.WEConnect connected"));
    EXPECT_NE(std::string::npos, host.Err().find("Nobody.AddIn"));
    EXPECT_TRUE(std::filesystem::exists(m_folder.Path() / "data/pollenta/profiles/Default/Personal Folders.store"));
    const std::vector<std::string> startUp = {"COM Add-In launch...", "New message processing process launch...",
                                              "All the new message processing proceses have been launched",
                                              "COM Add-In launch successfully completed"};
    EXPECT_EQ(startUp, LogTexts(m_logs));
    EXPECT_TRUE(AddinTestFolder::ValueNames("Software\\Velquin Ltd\\Pollenta\\Default\\Folders2").empty());

    EXPECT_EQ(0, host.Stop(SIGTERM)) << host.Err();
    std::vector<std::string> all = startUp;
    for (const char* text : {"COM Add-In shutdown...", "New message processing process shutdown...",
                             "All the new message processing proceses have been successfully shutdowned",
                             "COM Add-In shutdown successfully completed"})
        all.push_back(text);
    EXPECT_EQ(all, LogTexts(m_logs));
    EXPECT_EQ((std::vector<std::string>{"000000000"}),
              AddinTestFolder::ValueNames("Software\\Velquin Ltd\\Pollenta\\Default\\Folders2"));
    EXPECT_NE(std::string::npos, host.Out().find("add-in Kestrin.WEConnect disconnected"));
}

TEST_F(MailHostRunTest, MailIsDeliveredIntoANamedProfileWithoutARunningHost)
{
    ASSERT_EQ(
        0, RunToEnd({kBin + "/mailhost", "create-profile", "Work", "--address", "ann@example.org"}, m_folder.Path()));
    const std::filesystem::path mail = m_folder.Write("answer.eml", "From: bob@example.org\r\nTo: ann@example.org\r\n"
                                                                    "Subject: Answer\r\n\r\nkqprojectid=4097\r\n");
    const std::filesystem::path missing = m_folder.Path() / "missing.eml";
    struct Case {
        std::vector<std::string> extra;
        int exitCode;
    } cases[] = {
        {{mail.string()}, 0},
        {{mail.string(), "--folder", "\\\\Personal Folders\\Inbox"}, 0},
        {{mail.string(), "--folder", "\\\\Personal Folders\\No such folder"}, 1},
        {{missing.string()}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extra.back());
        std::vector<std::string> args = {kBin + "/mailhost", "--profile", "Work", "deliver"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(c.exitCode, RunToEnd(args, m_folder.Path()));
    }
    EXPECT_EQ(2, RunToEnd({kBin + "/mailhost", "deliver"}, m_folder.Path()));
}

// What is no whole mail file is refused by name and reason, the same way
// whether a host runs on the profile or not, and the files after it are
// still delivered.
TEST_F(MailHostRunTest, FilesThatAreNoMailAreRefusedByNameAndTheOthersAreDelivered)
{
    ASSERT_EQ(
        0, RunToEnd({kBin + "/mailhost", "create-profile", "Work", "--address", "ann@example.org"}, m_folder.Path()));
    const std::string mail =
        m_folder.Write("answer.eml", "From: bob@example.org\r\nSubject: Answer\r\n\r\nkqprojectid=4097\r\n").string();
    const std::string empty = m_folder.Write("empty.eml", "").string();
    const std::string folder = (m_folder.Path() / "a folder.eml").string();
    std::filesystem::create_directory(folder);
    const std::vector<std::string> deliver = {kBin + "/mailhost", "--profile", "Work", "deliver", folder, empty, mail};

    for (bool hostRuns : {false, true}) {
        SCOPED_TRACE(hostRuns ? "a host runs" : "no host runs");
        std::optional<ChildProgram> host;
        if (hostRuns) {
            std::filesystem::create_directories(m_folder.Path() / "host");
            host.emplace(std::vector<std::string>{kBin + "/mailhost", "--profile", "Work", "--headless"},
                         m_folder.Path() / "host");
            ASSERT_TRUE(host->WaitForOutput("running")) << host->Out() << host->Err();
        }
        EXPECT_EQ(1, RunToEnd(deliver, m_folder.Path()));
        const std::string errors = AddinTestFolder::ReadFile(m_folder.Path() / "stderr.txt");
        EXPECT_NE(std::string::npos, errors.find(folder + " was not delivered: it is a directory")) << errors;
        EXPECT_NE(std::string::npos, errors.find(empty + " was not delivered: it is empty")) << errors;
        EXPECT_NE(std::string::npos, AddinTestFolder::ReadFile(m_folder.Path() / "stdout.txt").find("delivered " + mail));
        if (host)
            EXPECT_EQ(0, host->Stop(SIGTERM)) << host->Err();
    }
    EXPECT_EQ(2, RunToEnd({kBin + "/mailhost", "--profile", "Work", "deliver", mail, "--folder", ""}, m_folder.Path()));
}
