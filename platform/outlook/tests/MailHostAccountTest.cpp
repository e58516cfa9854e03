// `mailhost account` and `mailhost fetch` run as programs, on a profile of
// their own, against a Dovecot of the test's own.

#include "testsupport/ChildProcess.h"
#include "testsupport/MailServers.h"
#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <iterator>

namespace {

using pollenta::testsupport::ChildProcess;

const std::string kMailHost = POLLENTA_BIN_DIR "/mailhost";

struct Result {
    int code = -1;
    std::string out;
};

Result RunProgram(const std::vector<std::string>& words)
{
    ChildProcess program(words);
    Result result;
    for (std::string line = program.ReadLine(); !line.empty(); line = program.ReadLine()) result.out += line + "\n";
    result.code = program.Wait();
    return result;
}

std::string Contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Answer(int number)
{
    return "From: reader" + std::to_string(number) + "@example.com\r\nTo: mia@example.org\r\n"
           "Subject: Re: Survey\r\nMessage-ID: <a" + std::to_string(number) + "@example.com>\r\n\r\nAnswer\r\n";
}

class MailHostAccountTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_DATA_HOME", (m_folder.Path() / "data").c_str(), 1);
        ASSERT_EQ(0, RunProgram({kMailHost, "create-profile", "Work", "--address", "mia@example.org"}).code);
        std::ofstream(m_folder.Path() / "given-password") << "p4ss word\n";
    }
    void TearDown() override { unsetenv("XDG_DATA_HOME"); }

    std::filesystem::path ProfileFolder() const { return m_folder.Path() / "data/pollenta/profiles/Work"; }

    pollenta::testsupport::TempFolder m_folder{"pollenta-account"};
    pollenta::testsupport::TempRegistry m_registry{m_folder.Path() / "registry"};
};

}  // namespace

TEST_F(MailHostAccountTest, TheAccountKeepsThePasswordInAnOwnersOnlyFileAndNeverShowsIt)
{
    Result set = RunProgram({kMailHost, "--profile", "Work", "account", "--smtp", "smtp://smtp.example.org:587", "--imap",
                      "imaps://imap.example.org/INBOX", "--user", "mia", "--password-file",
                      (m_folder.Path() / "given-password").string(), "--poll", "30"});
    ASSERT_EQ(0, set.code) << set.out;
    const std::filesystem::path kept = ProfileFolder() / "account-password";
    ASSERT_TRUE(std::filesystem::exists(kept));
    struct stat info {};
    ASSERT_EQ(0, ::stat(kept.c_str(), &info));
    EXPECT_EQ(0600u, info.st_mode & 0777);
    EXPECT_EQ("p4ss word\n", Contents(kept));

    Result shown = RunProgram({kMailHost, "--profile", "Work", "account"});
    EXPECT_EQ(0, shown.code);
    EXPECT_NE(std::string::npos, shown.out.find("smtp: smtp://smtp.example.org:587")) << shown.out;
    EXPECT_NE(std::string::npos, shown.out.find("poll: every 30 s")) << shown.out;
    for (const std::string& text : {set.out, shown.out}) EXPECT_EQ(std::string::npos, text.find("p4ss")) << text;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m_folder.Path() / "registry"))
        if (entry.is_regular_file()) EXPECT_EQ(std::string::npos, Contents(entry.path()).find("p4ss")) << entry.path();

    EXPECT_EQ(0, RunProgram({kMailHost, "--profile", "Work", "account", "--clear"}).code);
    EXPECT_FALSE(std::filesystem::exists(kept));
    EXPECT_NE(std::string::npos, RunProgram({kMailHost, "--profile", "Work", "account"}).out.find("no mail account"));
}

TEST_F(MailHostAccountTest, AnAccountWithAnotherSchemeIsRefused)
{
    EXPECT_EQ(1, RunProgram({kMailHost, "--profile", "Work", "account", "--smtp", "http://smtp.example.org"}).code);
    EXPECT_EQ(1, RunProgram({kMailHost, "--profile", "Work", "account", "--smtp", "smtp://a", "--imap", "pop3://b"}).code);
    EXPECT_NE(std::string::npos, RunProgram({kMailHost, "--profile", "Work", "account"}).out.find("no mail account"));
}

TEST_F(MailHostAccountTest, FetchDeliversOnceWithAndWithoutARunningHost)
{
    pollenta::testsupport::TestCertificate certificate(m_folder.Path() / "tls");
    pollenta::testsupport::ImapTestServer imap(m_folder.Path() / "imap", certificate, "mia", "p4ss word");
    ASSERT_EQ(0, RunProgram({kMailHost, "--profile", "Work", "account", "--smtp", "smtp://127.0.0.1:1", "--imap", imap.Url(),
                      "--user", "mia", "--password-file", (m_folder.Path() / "given-password").string(),
                      "--ca-file", certificate.Ca().string(), "--poll", "3600"})
                     .code);
    imap.Place(Answer(1));
    imap.Place(Answer(2));
    Result alone = RunProgram({kMailHost, "--profile", "Work", "fetch"});
    EXPECT_EQ(0, alone.code);
    EXPECT_EQ("fetched 2\n", alone.out);

    ChildProcess host({kMailHost, "--profile", "Work", "--headless"});
    for (std::string line = host.ReadLine(); line.find("running") == std::string::npos; line = host.ReadLine())
        ASSERT_FALSE(line.empty()) << "the host stopped";
    // Answered on the thread of the host's own fetches, once the one at its
    // start is done.
    EXPECT_EQ("fetched 0\n", RunProgram({kMailHost, "--profile", "Work", "fetch"}).out);
    imap.Place(Answer(3));
    Result asked = RunProgram({kMailHost, "--profile", "Work", "fetch"});
    EXPECT_EQ(0, asked.code);
    EXPECT_EQ("fetched 1\n", asked.out);
    EXPECT_EQ("fetched 0\n", RunProgram({kMailHost, "--profile", "Work", "fetch"}).out);
    EXPECT_EQ(0, host.Stop());
}
