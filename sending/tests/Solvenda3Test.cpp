#include "SendingFixture.h"

#include "mapisender/CZrReportDlg.h"
#include "mapisender/FindRowProp.h"
#include "mapisender/ReportFile.h"
#include "sender/SendingDialogs.h"

#include "ui/FileDialog.h"

#include <cstdio>

namespace {

// What python's csv module makes of the file: the number of rows, then the
// first field of every row, one a line.
std::vector<std::string> ReadWithPythonCsv(const std::string& path, const std::string& separator)
{
    const std::string command = "python3 -c \"import csv,sys; rows=list(csv.reader(open(sys.argv[1], newline=''), "
                                "delimiter=sys.argv[2])); print(len(rows)); [print(r[0] + '|' + str(len(r))) for r in rows]\" '" +
                                path + "' '" + separator + "'";
    std::vector<std::string> lines;
    FILE* child = popen(command.c_str(), "r");
    if (!child)
        return lines;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, child)) {
        std::string line = buffer;
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        lines.push_back(line);
    }
    pclose(child);
    return lines;
}

std::vector<std::string> ReportLines(CZrReportDlg& report)
{
    std::vector<std::string> lines;
    for (int i = 0; i < report.ReportList().GetItemCount(); ++i)
        lines.push_back(report.ReportList().GetItemText(i, 0));
    return lines;
}

}  // namespace

class Solvenda3Test : public SolvendaTest {
public:
    void TearDown() override
    {
        SetChooserHook({});
        standin::MailItem::s_failingSend = 0;
        standin::MailItem::s_sends = 0;
        SolvendaTest::TearDown();
    }

    HRESULT Send3(bool showReport = false)
    {
        EXPECT_EQ(S_OK, m_object->putref_Item(DraftItem()));
        const HRESULT hr =
            m_object->Solvenda3(0, showReport ? VARIANT_TRUE : VARIANT_FALSE, CComBSTR(""), CComBSTR(""));
        PumpWaitingMessages();
        // The copies leave on the spooler's own thread, which may not have
        // reached the last ones yet: the rest of the queue goes out now.
        EXPECT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
        return hr;
    }

    // Whatever `atEnd` does with the window in its final wait, then the user
    // closes it.
    void WatchReport(std::function<void(CZrReportDlg&)> atEnd)
    {
        m_atEnd = std::move(atEnd);
        SetDialogShownHook([this](CDialog& dialog) {
            if (auto* report = dynamic_cast<CZrReportDlg*>(&dialog)) {
                m_report = report;
                PostCallback(m_closeWhenWaiting);
            }
        });
        m_closeWhenWaiting = [this] {
            if (!m_report->IsWaiting())
                return PostCallback(m_closeWhenWaiting);
            m_lines = ReportLines(*m_report);
            m_atEnd(*m_report);
            m_report->OnCommand(IDCANCEL, BN_CLICKED, nullptr);
        };
    }

    CZrReportDlg* m_report = nullptr;
    std::vector<std::string> m_lines;
    std::function<void(CZrReportDlg&)> m_atEnd;
    std::function<void()> m_closeWhenWaiting;
    const std::string m_pictures = POLLENTA_TEST_DIR;
};

TEST_F(Solvenda3Test, TheDraftGoesOnceToEveryDistinctAddressWithMacrosInEveryBodyAndAReportLine)
{
    const std::string html = "<HTML><BODY><P>Dear %%RECIPIENT%% (%%RECIPNAME%%)</P>"
                             "<A HREF=\"http://example.com/s?to=%25%RECIPIENT%%25\">go</A></BODY></HTML>";
    SetHtml(html);
    AddRecipientsOfEveryKind();
    AddEntry(User("Smith, John", "js@example.com"), "Smith, John");
    AddCc("cc@example.com");
    std::string csv = m_pictures + "/solvenda3-report.csv";
    SetChooserHook([&](const ChooserRequest& request, std::string& path) {
        EXPECT_EQ(ChooserRequest::Kind::Save, request.kind);
        path = csv;
        return true;
    });
    WatchReport([&](CZrReportDlg& report) {
        SaveWindowPicture(report.m_hWnd, (m_pictures + "/solvenda3-report.png").c_str());
        report.OnCommand(IDC_REPORT_SAVE, BN_CLICKED, nullptr);
    });

    const HRESULT hr = Send3(true);
    CComPtr<IErrorInfo> error;
    CComBSTR description;
    if (GetErrorInfo(0, &error) == S_OK)
        error->GetDescription(&description);
    ASSERT_EQ(S_OK, hr) << description.ToString();

    std::set<std::string> expected = AddressesOfEveryKind();
    expected.insert("js@example.com");
    auto byAddress = ExpectOneCopyEach(expected, "cc@example.com");
    for (const std::string& address : expected) {
        SCOPED_TRACE(address);
        const MimeMessageData& message = byAddress[address];
        EXPECT_NE(std::string::npos, message.htmlBody.find("Dear " + address + " (")) << message.htmlBody;
        EXPECT_NE(std::string::npos, message.htmlBody.find("to=" + address.substr(0, address.find('@')) + "%40"))
            << message.htmlBody;
    }
    EXPECT_NE(std::string::npos, byAddress["js@example.com"].htmlBody.find("(Smith, John)"));

    // One sent line per copy, then the end.
    ASSERT_EQ(expected.size() + 1, m_lines.size());
    EXPECT_EQ("Task is completed", m_lines.back());
    EXPECT_NE(m_lines.end(), std::find(m_lines.begin(), m_lines.end(), "Smith, John <js@example.com>"));
    EXPECT_TRUE(std::filesystem::exists(m_pictures + "/solvenda3-report.png"));

    const std::vector<std::string> rows = ReadWithPythonCsv(csv, ReportSeparatorFor(csv));
    ASSERT_EQ(m_lines.size() + 2, rows.size());
    EXPECT_EQ(std::to_string(m_lines.size() + 1), rows[0]);
    EXPECT_EQ("Solvenda Report|1", rows[1]);
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        EXPECT_EQ(m_lines[i] + "|1", rows[i + 2]);
}

TEST_F(Solvenda3Test, APlainTextDraftGoesOnceToEveryDistinctAddressWithMacrosInItsTextAndAReportLine)
{
    SetString(m_draft, PR_BODY_A, "Hello %%RECIPIENT%%, this is for %%RECIPNAME%%.\r\nSecond line.");
    AddRecipientsOfEveryKind();
    AddEntry(User("CORP\\jsmith {a}", "js@example.com"), "CORP\\jsmith {a}");
    AddCc("cc@example.com");
    WatchReport([](CZrReportDlg&) {});

    ASSERT_EQ(S_OK, Send3(true));

    const std::map<std::string, std::string> expected = {
        {"ann@example.com", "Ann One"},  {"bob@example.com", "Bob Two"},  {"cid@example.com", "Cid Three"},
        {"dan@example.com", "Dan Four"}, {"eve@example.com", "Eve Five"}, {"fay@example.com", "Fay Six"},
        {"js@example.com", "CORP\\jsmith"}};
    std::set<std::string> addresses;
    for (const auto& [address, name] : expected)
        addresses.insert(address);
    auto byAddress = ExpectOneCopyEach(addresses, "cc@example.com");
    for (const auto& [address, name] : expected) {
        SCOPED_TRACE(address);
        const MimeMessageData& message = byAddress[address];
        EXPECT_TRUE(message.htmlBody.empty()) << message.htmlBody;
        EXPECT_NE(std::string::npos,
                  message.plainBody.find("Hello " + address + ", this is for " + name + ".\r\nSecond line."))
            << message.plainBody;
        EXPECT_NE(m_lines.end(), std::find(m_lines.begin(), m_lines.end(), name + " <" + address + ">"));
    }
    ASSERT_EQ(expected.size() + 1, m_lines.size());
    EXPECT_EQ("Task is completed", m_lines.back());
    EXPECT_EQ("Hello %%RECIPIENT%%, this is for %%RECIPNAME%%.\r\nSecond line.", GetString(m_draft, PR_BODY_A));
}

TEST_F(Solvenda3Test, AnRtfDraftGetsTheValuesEscapedInTheRtfOfEveryCopyAndAReportLine)
{
    const std::string rtf = "{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0 Arial;}}\\f0 {\\b Dear} %%RECIPNAME%%\\par %%RECIPIENT%%\\par}";
    SetRtf(rtf);
    WatchReport([](CZrReportDlg&) {});
    AddEntry(User("CORP\\jsmith {a}", "js@example.com"), "CORP\\jsmith {a}");
    AddEntry(User("Ann One", "ann@example.com"), "Ann One");

    ASSERT_EQ(S_OK, Send3(true));

    // The Internet form carries the text of the RTF.
    auto byAddress = SentByAddress();
    ASSERT_EQ(2u, byAddress.size());
    EXPECT_EQ("Survey for ann@example.com", byAddress["ann@example.com"].subject);
    EXPECT_NE(std::string::npos, byAddress["ann@example.com"].plainBody.find("Dear Ann One\r\nann@example.com"))
        << byAddress["ann@example.com"].plainBody;
    EXPECT_NE(std::string::npos, byAddress["js@example.com"].plainBody.find("Dear CORP\\jsmith\r\njs@example.com"))
        << byAddress["js@example.com"].plainBody;

    const std::set<std::string> rtfBodies = SentRtfBodies();
    EXPECT_TRUE(rtfBodies.count("{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0 Arial;}}\\f0 {\\b Dear} Ann One\\par ann@example.com\\par}"));
    EXPECT_TRUE(rtfBodies.count(
        "{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0 Arial;}}\\f0 {\\b Dear} CORP\\\\jsmith\\par js@example.com\\par}"));
    ASSERT_EQ(3u, m_lines.size());
    EXPECT_EQ((std::vector<std::string>{"Ann One <ann@example.com>", "CORP\\jsmith <js@example.com>"}),
              (std::vector<std::string>{std::min(m_lines[0], m_lines[1]), std::max(m_lines[0], m_lines[1])}));
}

TEST_F(Solvenda3Test, EveryCopyCarriesItsOwnToRecipientAndTheDraftsCcAndBccAndNoOtherAddress)
{
    SetString(m_draft, PR_BODY_A, "%%RECIPIENT%%");
    AddCc("cc@example.com");
    for (int i = 1; i <= 4; ++i)
        AddEntry(User("User " + std::to_string(i), "user" + std::to_string(i) + "@example.com"), "User");
    AddCc("bcc@example.com", MAPI_BCC);

    ASSERT_EQ(S_OK, Send3());

    const std::vector<CComPtr<IMessage>> copies = SentItems();
    ASSERT_EQ(4u, copies.size());
    std::set<std::string> toAddresses;
    for (IMessage* copy : copies) {
        std::map<LONG, std::vector<std::string>> byType;
        CComPtr<IMAPITable> table;
        ASSERT_EQ(S_OK, copy->GetRecipientTable(0, &table));
        LPSRowSet rows = nullptr;
        ASSERT_EQ(S_OK, HrQueryAllRows(table, nullptr, nullptr, nullptr, 0, &rows));
        for (ULONG i = 0; i < rows->cRows; ++i) {
            const SRow& row = rows->aRow[i];
            LPSPropValue type = FindRowProp(row, PR_RECIPIENT_TYPE);
            LPSPropValue address = FindRowProp(row, PR_EMAIL_ADDRESS_A);
            ASSERT_TRUE(type && address);
            byType[type->Value.l].push_back(address->Value.lpszA);
        }
        const ULONG rowCount = rows->cRows;
        FreeProws(rows);
        SCOPED_TRACE(GetString(copy, PR_BODY_A));
        EXPECT_EQ(3u, rowCount);
        ASSERT_EQ(1u, byType[MAPI_TO].size());
        EXPECT_EQ(GetString(copy, PR_BODY_A), byType[MAPI_TO][0]);
        toAddresses.insert(byType[MAPI_TO][0]);
        EXPECT_EQ(std::vector<std::string>{"cc@example.com"}, byType[MAPI_CC]);
        EXPECT_EQ(std::vector<std::string>{"bcc@example.com"}, byType[MAPI_BCC]);
    }
    EXPECT_EQ(4u, toAddresses.size());
    // The draft keeps its own recipients.
    CComPtr<IMAPITable> draftTable;
    ASSERT_EQ(S_OK, m_draft->GetRecipientTable(0, &draftTable));
    ULONG draftRows = 0;
    ASSERT_EQ(S_OK, draftTable->GetRowCount(0, &draftRows));
    EXPECT_EQ(6u, draftRows);
}

TEST_F(Solvenda3Test, ACancelAfterTheSecondCopyStopsTheLoopAndTheSentCopiesStaySent)
{
    SetString(m_draft, PR_BODY_A, "%%RECIPIENT%%");
    for (int i = 1; i <= 5; ++i)
        AddEntry(User("User " + std::to_string(i), "user" + std::to_string(i) + "@example.com"), "User");
    CComVariant ownerCode(static_cast<LONG>(dfOwnerEvaluate));
    ASSERT_EQ(S_OK, m_object->AddMacros(CComBSTR("OWNER"), ownerCode, VARIANT_TRUE));
    int evaluations = 0;
    Advise([&](DISPID, pollenta::com::DispatchCall&) -> HRESULT {
        if (++evaluations == 2)
            PostCallback([&] { m_report->OnCommand(IDCANCEL, BN_CLICKED, nullptr); });
        return S_OK;
    });
    WatchReport([](CZrReportDlg&) {});
    m_report = nullptr;
    SetDialogShownHook([this](CDialog& dialog) {
        if (auto* report = dynamic_cast<CZrReportDlg*>(&dialog))
            m_report = report;
    });

    EXPECT_EQ(TM_E_CANCELLED, Send3(true));

    EXPECT_EQ(2, evaluations);
    EXPECT_EQ(2u, Sent().size());
    EXPECT_EQ(0u, CountIn(SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)));
}

TEST_F(Solvenda3Test, ACopyThatFailsAtSendingIsWithdrawnFromTheOutboxAndReported)
{
    SetString(m_draft, PR_BODY_A, "%%RECIPIENT%%");
    for (int i = 1; i <= 3; ++i)
        AddEntry(User("User " + std::to_string(i), "user" + std::to_string(i) + "@example.com"), "User");
    standin::MailItem::s_failingSend = 2;
    WatchReport([](CZrReportDlg&) {});

    ASSERT_EQ(S_OK, Send3(true));

    EXPECT_EQ(2u, Sent().size());
    EXPECT_EQ(0u, CountIn(SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)));
    ASSERT_EQ(4u, m_lines.size());
    int errors = 0;
    for (const std::string& line : m_lines)
        errors += line.rfind("User <user", 0) == 0 && line.find(": ") != std::string::npos;
    EXPECT_EQ(1, errors);
    EXPECT_EQ(1, m_report ? 1 : 0);
}

TEST_F(Solvenda3Test, ATemplateWithoutToRecipientsOrWithAnEmptyListFails)
{
    AddCc("cc@example.com");
    EXPECT_EQ(static_cast<HRESULT>(0xC0002309), Send3());
    AddEntry(pollenta::mapi::AddDistList(Book(), "Empty", {}), "Empty");
    EXPECT_EQ(static_cast<HRESULT>(0xC000230B), Send3());
    EXPECT_TRUE(Sent().empty());
}

TEST_F(Solvenda3Test, MembersOfAnExcludeListGetNoCopyEvenOnTheToLineAndOthersGetOne)
{
    SetString(m_draft, PR_BODY_A, "%%RECIPIENT%%");
    const std::string ann = User("Ann", "ann@example.com");
    const std::string bob = User("Bob", "bob@example.com");
    const std::string cid = User("Cid", "cid@example.com");
    AddEntry(ann, "Ann");
    AddEntry(pollenta::mapi::AddDistList(Book(), "Exclude-Temps", {ann}), "Exclude-Temps");
    AddEntry(pollenta::mapi::AddDistList(Book(), "Staff", {bob, cid}), "Staff");
    AddEntry(pollenta::mapi::AddDistList(Book(), "Board", {bob}), "Board");
    WatchReport([](CZrReportDlg&) {});

    ASSERT_EQ(S_OK, Send3(true));

    auto byAddress = SentByAddress();
    EXPECT_EQ((std::set<std::string>{"bob@example.com", "cid@example.com"}),
              (std::set<std::string>{byAddress.begin()->first, std::next(byAddress.begin())->first}));
    EXPECT_EQ(2u, byAddress.size());
}

TEST_F(Solvenda3Test, AnEntryWithAnEmptyAddressIsRefusedAsTheFirstMethodRefusesItAndTheOthersGetTheirCopy)
{
    SetString(m_draft, PR_BODY_A, "%%RECIPIENT%%");
    AddEntry(User("No Mail", ""), "No Mail");
    AddEntry(User("Ann One", "ann@example.com"), "Ann One");
    WatchReport([](CZrReportDlg&) {});

    ASSERT_EQ(S_OK, Send3(true));

    const std::vector<MimeMessageData> sent = Sent();
    ASSERT_EQ(1u, sent.size());
    ASSERT_EQ(1u, sent[0].to.size());
    EXPECT_EQ("ann@example.com", sent[0].to[0].address);
    EXPECT_EQ((std::vector<std::string>{
                  "Unable to get the address of the recipient (The object or property was not found) (No Mail)",
                  "Ann One <ann@example.com>", "Task is completed"}),
              m_lines);
}

TEST_F(Solvenda3Test, WhenNoCopyWentOutTheResultIsTheFirstMethodsAllExcludedCodeWithItsText)
{
    struct Case {
        const char* name;
        std::function<void(Solvenda3Test&)> recipients;
        int failingSend;
    };
    const Case cases[] = {
        {"the one entry has an empty address", [](Solvenda3Test& t) { t.AddEntry(t.User("No Mail", ""), "No Mail"); },
         0},
        {"every address is excluded",
         [](Solvenda3Test& t) {
             const std::string ann = t.User("Ann One", "ann@example.com");
             t.AddEntry(ann, "Ann One");
             t.AddEntry(pollenta::mapi::AddDistList(t.Book(), "exclude these", {ann}), "exclude these");
         },
         0},
        {"the one copy fails", [](Solvenda3Test& t) { t.AddEntry(t.User("Ann One", "ann@example.com"), "Ann One"); }, 1},
    };
    const std::string text = Languages().LoadLangString(120);
    ASSERT_FALSE(text.empty());
    for (const Case& c : cases) {
        for (bool showReport : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (showReport ? ", report shown" : ", report hidden"));
            m_draft.Release();
            ASSERT_EQ(S_OK, m_drafts->CreateMessage(&IID_IMessage, 0, &m_draft));
            SetString(m_draft, PR_SUBJECT_A, "Survey");
            c.recipients(*this);
            standin::MailItem::s_sends = 0;
            standin::MailItem::s_failingSend = c.failingSend;
            if (showReport)
                WatchReport([](CZrReportDlg&) {});
            EXPECT_EQ(TM_E_ALLEXCLUDED, Send3(showReport));
            CComPtr<IErrorInfo> error;
            CComBSTR description;
            ASSERT_EQ(S_OK, GetErrorInfo(0, &error));
            error->GetDescription(&description);
            EXPECT_EQ(text, description.ToString());
            EXPECT_TRUE(Sent().empty());
            standin::MailItem::s_failingSend = 0;
            if (c.failingSend == 0) {
                // The first method says the same of the same recipients.
                m_draft.Release();
                ASSERT_EQ(S_OK, m_drafts->CreateMessage(&IID_IMessage, 0, &m_draft));
                SetString(m_draft, PR_SUBJECT_A, "Survey");
                c.recipients(*this);
                EXPECT_EQ(TM_E_ALLEXCLUDED, Send());
            }
        }
    }
}

TEST(ReportFileTest, FieldsWithTheSeparatorQuotesOrLineBreaksAreQuoted)
{
    pollenta::testsupport::TempFolder folder{"report-file"};
    const std::string path = (folder.Path() / "report.CSV").string();
    EXPECT_NE("\t", ReportSeparatorFor(path));
    EXPECT_EQ("\t", ReportSeparatorFor((folder.Path() / "report.txt").string()));
    EXPECT_EQ("\t", ReportSeparatorFor((folder.Path() / "report.log").string()));
    ASSERT_TRUE(WriteReportFile(path, {{"Title"}, {"Smith; John"}, {"say \"hi\""}, {"two\nlines"}, {"plain"}}, ";"));
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ("Title\r\n\"Smith; John\"\r\n\"say \"\"hi\"\"\"\r\n\"two\nlines\"\r\nplain\r\n", text);
    EXPECT_FALSE(WriteReportFile((folder.Path() / "missing" / "x.txt").string(), {{"a"}}, "\t"));
}
