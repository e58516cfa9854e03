// The survey road end to end, as a user travels it: the system registered
// by its script, a project made from an HTML page by the wizard's engine and
// one from a database form by the installer's command line, the survey
// sent from the mail client's windows to fifty recipients, each copy
// answered as a recipient's mail client answers it, and the answers
// delivered into the profile while the add-in runs and while it does not.
// The programs run as processes of their own and meet through the registry,
// COM by ProgID and files; the client's windows run here, offscreen.

#include "AddinLog.h"
#include "AnswerTable.h"
#include "FormProject.h"
#include "Hop.h"
#include "InProcessHost.h"
#include "InboxSubjects.h"
#include "PageProject.h"
#include "ProjectCatalog.h"
#include "RecipientAnswer.h"
#include "Registration.h"
#include "RoadFailure.h"
#include "RoadFolders.h"
#include "RoadPrograms.h"
#include "SendSurvey.h"
#include "StoredAnswers.h"
#include "SurveyCopy.h"
#include "SurveyPage.h"
#include "SurveyRecipients.h"
#include "WaitFor.h"

#include "com/Activation.h"
#include "testsupport/MailServers.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iterator>
#include <set>

namespace {

constexpr const char* kPageProject = "Course feedback";
constexpr const char* kFormProject = "Course form";
constexpr const char* kStored = "Survey data sucessfully added to the survey result database";
constexpr const char* kPageTable = "Course Results";
constexpr const char* kFormTable = "Feedback";
constexpr const char* kPageSubject = "Feedback: course #7 & more";
constexpr const char* kFormSubject = "R\u00fcckmeldung zum Kurs";
constexpr const char* kSurveySubject = "Kursbewertung f\u00fcr ";
constexpr std::size_t kAnsweredBeforeStart = 20;

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Joined(const std::vector<std::string>& texts)
{
    std::string text;
    for (const std::string& each : texts)
        text += (text.empty() ? "\"" : ", \"") + each + "\"";
    return text;
}

std::string Posted(const RecipientAnswer& answer, const std::string& name)
{
    auto it = answer.posted.find(name);
    return it == answer.posted.end() ? "(not posted)" : it->second;
}

class RoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    }
    void TearDown() override { CoUninitialize(); }

    std::filesystem::path PageDatabase() const { return folders.Root() / "results" / "course.db"; }
    std::filesystem::path FormDatabase() const { return folders.Root() / "database" / "feedback.db"; }

    // Writes the answers as files and hands them to `mailhost deliver`.
    void Deliver(const std::vector<RecipientAnswer>& answers, std::size_t from, std::size_t to)
    {
        std::vector<std::string> args = {"mailhost", "--profile", RoadFolders::kProfile, "deliver"};
        for (std::size_t i = from; i < to; ++i) {
            const std::filesystem::path file = folders.Answers() / (std::to_string(++delivered) + ".eml");
            std::filesystem::create_directories(file.parent_path());
            std::ofstream(file, std::ios::binary) << answers[i].eml;
            args.push_back(file.string());
        }
        programs.Run(args);
    }
    std::unique_ptr<ChildProgram> StartHost()
    {
        auto host = programs.Start({"mailhost", "--profile", RoadFolders::kProfile, "--headless", "run"}, "running");
        Require(host->Out().find("add-in Kestrin.WEConnect connected") != std::string::npos,
                "the host did not connect the add-in:\n" + host->Out() + host->Err());
        return host;
    }
    static void StopHost(std::unique_ptr<ChildProgram>& host)
    {
        const int status = host->Stop(SIGTERM);
        Require(status == 0, "the host ended with " + std::to_string(status) + "\n" + host->Err());
        host.reset();
    }
    void AwaitStored(const std::filesystem::path& database, const std::string& table, std::size_t records,
                     std::size_t logged)
    {
        const bool done = WaitFor([&] {
            return ReadAnswerTable(database, table).size() >= records &&
                   CountLogRecords(ReadAddinLog(folders.Logs()), kStored) >= logged;
        });
        Require(done, std::to_string(ReadAnswerTable(database, table).size()) + " records in " + table + " and " +
                          std::to_string(CountLogRecords(ReadAddinLog(folders.Logs()), kStored)) +
                          " stored answers logged, awaited " + std::to_string(records) + " and " +
                          std::to_string(logged));
    }

    void Register()
    {
        RegisterTheSystem(folders, programs);
        Require(std::filesystem::exists(folders.Profile() / "Personal Folders.store"), "the profile has no store");
    }

    void MakeProjects()
    {
        const std::string name = MakeProjectFromPage({WriteSurveyPage(folders.Root() / "site"), PageDatabase(),
                                                      kPageTable, "answers@example.org", kPageSubject});
        Require(name == kPageProject, "the wizard named the project \"" + name + "\"");
        MakeProjectFromForm({kFormProject, FormDatabase(), "forms@example.org", kFormSubject}, programs);
        ProjectCatalog catalog;
        pageProject = catalog.IdOf(kPageProject);
        formProject = catalog.IdOf(kFormProject);
        for (LONG id : {pageProject, formProject})
            Require(std::filesystem::exists(std::filesystem::path(catalog.Folder(id)) / "index.html"),
                    "project " + std::to_string(id) + " has no page");
        Require(ReadAnswerTable(PageDatabase(), kPageTable).empty(), "the new answer table is not empty");
    }

    void Send()
    {
        recipients = MakeSurveyRecipients(folders.AddressBook());
        InProcessHost host(RoadFolders::kProfile);
        sent = SendSurvey(host, kPageProject, std::string(kSurveySubject) + "%%RECIPIENT%%", recipients.typed,
                          folders.Outgoing(), recipients.addresses.size());
        Require(sent.offered == std::vector<std::string>({kPageProject, kFormProject}),
                "the picker offered " + Joined(sent.offered));
        host.Close();
    }

    // Its subject names its recipient, and it carries the pictures its HTML shows.
    static void CheckCopy(const SurveyCopy& copy)
    {
        Require(copy.subject == kSurveySubject + copy.recipient,
                "the copy to " + copy.recipient + " has the subject \"" + copy.subject + "\"");
        std::size_t pictures = 0;
        for (std::size_t at = copy.html.find("cid:"); at != std::string::npos; at = copy.html.find("cid:", at + 1)) {
            const std::string id = copy.html.substr(at + 4, copy.html.find_first_of(" >\"'", at) - at - 4);
            Require(copy.contentIds.count(id), "the copy to " + copy.recipient + " shows cid:" + id + " without it");
            // The page's picture is a GIF; a mail reader shows only a picture that says it is one.
            Require(copy.typeOfContentId.at(id) == "image/gif" && copy.dispositionOfContentId.at(id) == "inline",
                    "the copy to " + copy.recipient + " carries its picture as " + copy.typeOfContentId.at(id) +
                        " (" + copy.dispositionOfContentId.at(id) + ")");
            ++pictures;
        }
        Require(pictures == 1, "the copy to " + copy.recipient + " shows " + std::to_string(pictures) + " pictures");
    }

    void AnswerTheCopies()
    {
        std::set<std::string> answered;
        for (const std::filesystem::path& file : sent.copies) {
            const SurveyCopy copy = ReadSurveyCopy(file);
            CheckCopy(copy);
            answers.push_back(AnswerCopy(copy, answers.size()));
            const RecipientAnswer& answer = answers.back();
            Require(answered.insert(answer.recipient).second, "two copies went to " + answer.recipient);
            Require(Posted(answer, "RecipientEmail") == answer.recipient, "the copy to " + answer.recipient +
                                                                              " posts RecipientEmail \"" +
                                                                              Posted(answer, "RecipientEmail") + "\"");
            Require(Posted(answer, "kqProjectID") == std::to_string(pageProject),
                    "the copy to " + answer.recipient + " posts project \"" + Posted(answer, "kqProjectID") + "\"");
        }
        Require(answered == recipients.addresses, "the copies went to other addresses than the recipients'");
        // The form project's page, opened from its file and posted.
        ProjectCatalog catalog;
        const std::string page = ReadFile(std::filesystem::path(catalog.Folder(formProject)) / "index.html");
        // One browser shows the page as windows-1252 and posts in it; one
        // visitor's address has a "+" in it.
        formAnswers.push_back(AnswerPage(page, "walk-in1@example.com", 0, "windows-1252"));
        formAnswers.push_back(AnswerPage(page, "walk-in+survey@example.com", 1));
        formAnswers.push_back(AnswerPage(page, "walk-in3@example.com", 2));
    }

    void Collect()
    {
        Deliver(answers, 0, kAnsweredBeforeStart);
        auto host = StartHost();
        AwaitStored(PageDatabase(), kPageTable, kAnsweredBeforeStart, kAnsweredBeforeStart);
        Deliver(answers, kAnsweredBeforeStart, answers.size());
        AwaitStored(PageDatabase(), kPageTable, answers.size(), answers.size());
        StopHost(host);

        // What the first run did is not done again by the next: its start-up
        // scan reads the Inbox in order, so the old answers come before the
        // new ones at the end.
        Deliver(formAnswers, 0, formAnswers.size());
        host = StartHost();
        AwaitStored(FormDatabase(), kFormTable, formAnswers.size(), answers.size() + formAnswers.size());
        StopHost(host);
    }

    void CheckTheRecordsLogAndSubjects()
    {
        CheckStoredAnswers(ReadAnswerTable(PageDatabase(), kPageTable), answers);
        CheckStoredAnswers(ReadAnswerTable(FormDatabase(), kFormTable), formAnswers);

        const std::vector<LogRecord> log = ReadAddinLog(folders.Logs());
        const std::size_t stored = answers.size() + formAnswers.size();
        Require(CountLogRecords(log, kStored) == stored,
                std::to_string(CountLogRecords(log, kStored)) + " stored answers logged for " + std::to_string(stored));
        const std::string project = "Project # " + std::to_string(pageProject);
        for (const RecipientAnswer& answer : answers)
            Require(std::count_if(log.begin(), log.end(),
                                  [&](const LogRecord& record) {
                                      return record.text.find(kStored) == 0 &&
                                             record.text.find("<" + answer.recipient + ">") != std::string::npos &&
                                             record.text.find(project) != std::string::npos;
                                  }) == 1,
                    "the log does not tell once of the answer of " + answer.recipient);
        for (const LogRecord& record : log)
            Require(record.status != "E", "the log has an error: " + record.text);

        ProjectCatalog catalog;
        std::multiset<std::string> expected;
        for (std::size_t i = 0; i < answers.size(); ++i)
            expected.insert(std::string(kPageSubject) + " " + catalog.Property(pageProject, "SuccessMark"));
        for (std::size_t i = 0; i < formAnswers.size(); ++i)
            expected.insert(std::string(kFormSubject) + " " + catalog.Property(formProject, "SuccessMark"));
        const std::vector<std::string> subjects = InboxSubjects(programs, RoadFolders::kProfile);
        Require(std::multiset<std::string>(subjects.begin(), subjects.end()) == expected,
                "the Inbox holds " + std::to_string(subjects.size()) + " messages: " + Joined(subjects));
    }

    // The same road over real mail servers of the test's own: the copies
    // leave through SMTP and the answers come back from an IMAP mailbox.
    void ConnectTheAccount()
    {
        using namespace pollenta::testsupport;
        certificate = std::make_unique<TestCertificate>(folders.Root() / "tls");
        smtp = std::make_unique<SmtpTestServer>(folders.Root() / "smtp", *certificate, "mia", kPassword);
        imap = std::make_unique<ImapTestServer>(folders.Root() / "imap", *certificate, "mia", kPassword);
        std::ofstream(folders.Root() / "password") << kPassword << "\n";
        programs.Run({"mailhost", "--profile", RoadFolders::kProfile, "account", "--smtp", smtp->Url(), "--imap",
                      imap->Url(), "--user", "mia", "--password-file", (folders.Root() / "password").string(),
                      "--ca-file", certificate->Ca().string(), "--poll", "3600"});
    }

    void SendThroughTheServer()
    {
        recipients = MakeSurveyRecipients(folders.AddressBook());
        InProcessHost host(RoadFolders::kProfile);
        sent = SendSurvey(host, kPageProject, std::string(kSurveySubject) + "%%RECIPIENT%%", recipients.typed,
                          folders.Root() / "smtp", recipients.addresses.size());
        host.Close();
        for (const pollenta::testsupport::SmtpTestServer::Mail& mail : smtp->Received())
            Require(mail.sender == "mia@example.org" && mail.recipients.size() == 1,
                    "the copy " + mail.file.string() + " went from " + mail.sender + " to " +
                        std::to_string(mail.recipients.size()) + " recipients");
        Require(!std::filesystem::exists(folders.Outgoing()) || std::filesystem::is_empty(folders.Outgoing()),
                "copies were written into the outgoing folder as well");
    }

    void FetchTheAnswers()
    {
        for (std::size_t i = 0; i < kAnsweredBeforeStart; ++i) imap->Place(answers[i].eml);
        auto host = StartHost();
        AwaitStored(PageDatabase(), kPageTable, kAnsweredBeforeStart, kAnsweredBeforeStart);
        for (std::size_t i = kAnsweredBeforeStart; i < answers.size(); ++i) imap->Place(answers[i].eml);
        programs.Run({"mailhost", "--profile", RoadFolders::kProfile, "fetch"});
        AwaitStored(PageDatabase(), kPageTable, answers.size(), answers.size());
        StopHost(host);
        // A restart and another fetch store nothing again.
        host = StartHost();
        programs.Run({"mailhost", "--profile", RoadFolders::kProfile, "fetch"});
        StopHost(host);
        CheckStoredAnswers(ReadAnswerTable(PageDatabase(), kPageTable), answers);
        const std::size_t logged = CountLogRecords(ReadAddinLog(folders.Logs()), kStored);
        Require(logged == answers.size(), std::to_string(logged) + " stored answers logged for " +
                                              std::to_string(answers.size()));
    }

    static constexpr const char* kPassword = "road pass";
    RoadFolders folders;
    RoadPrograms programs{folders.Runs()};
    std::unique_ptr<pollenta::testsupport::TestCertificate> certificate;
    std::unique_ptr<pollenta::testsupport::SmtpTestServer> smtp;
    std::unique_ptr<pollenta::testsupport::ImapTestServer> imap;
    std::size_t delivered = 0;
    LONG pageProject = 0;
    LONG formProject = 0;
    SurveyRecipients recipients;
    SentSurvey sent;
    std::vector<RecipientAnswer> answers;
    std::vector<RecipientAnswer> formAnswers;
};

}  // namespace

TEST_F(RoadTest, ASurveyTravelsFromItsPageToOneStoredRecordPerAnswer)
{
    ASSERT_TRUE(RunHop("hop 1: register", [this] { Register(); }));
    ASSERT_TRUE(RunHop("hop 2: make the projects", [this] { MakeProjects(); }));
    ASSERT_TRUE(RunHop("hop 3: send survey", [this] { Send(); }));
    ASSERT_TRUE(RunHop("hop 4: answer the copies", [this] { AnswerTheCopies(); }));
    ASSERT_TRUE(RunHop("hop 5: collect the answers", [this] { Collect(); }));
    ASSERT_TRUE(RunHop("hop 5: records, log and subjects", [this] { CheckTheRecordsLogAndSubjects(); }));
}

TEST_F(RoadTest, ASurveySentThroughAMailServerHasItsAnswersFetchedFromAMailbox)
{
    ASSERT_TRUE(RunHop("hop 1: register", [this] { Register(); }));
    ASSERT_TRUE(RunHop("hop 2: make the projects", [this] { MakeProjects(); }));
    ASSERT_TRUE(RunHop("hop 3: connect the mail account", [this] { ConnectTheAccount(); }));
    ASSERT_TRUE(RunHop("hop 4: send survey through SMTP", [this] { SendThroughTheServer(); }));
    ASSERT_TRUE(RunHop("hop 5: answer the copies", [this] { AnswerTheCopies(); }));
    ASSERT_TRUE(RunHop("hop 6: fetch the answers through IMAP", [this] { FetchTheAnswers(); }));
}
