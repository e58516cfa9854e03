#include "SendingFixture.h"
#include "sender/RecipientIdentity.h"
#include "sender/RecipientWalk.h"

TEST_F(SolvendaTest, HtmlDraftGoesOnceToEveryDistinctAddressWithItsOwnAddressInside)
{
    const std::string html = "<HTML><BODY><P>Dear %%RECIPIENT%%</P><IMG SRC=\"cid:pic1\"></BODY></HTML>";
    SetHtml(html);
    AttachPicture();
    AddRecipientsOfEveryKind();
    AddCc("cc@example.com");

    ASSERT_EQ(S_OK, Send());

    const std::set<std::string> expected = AddressesOfEveryKind();
    auto byAddress = ExpectOneCopyEach(expected, "cc@example.com");
    for (const std::string& address : expected) {
        SCOPED_TRACE(address);
        const MimeMessageData& message = byAddress[address];
        EXPECT_NE(std::string::npos, message.htmlBody.find("Dear " + address + "</P>")) << message.htmlBody;
        ASSERT_EQ(1u, message.attachments.size());
        EXPECT_EQ("pic1", message.attachments[0].contentId);
        EXPECT_EQ(kPicture, message.attachments[0].data);
    }
    // The draft itself is left as it was.
    std::string draftHtml;
    ASSERT_EQ(S_OK, ReadTextProperty(m_draft, PR_HTML, draftHtml));
    EXPECT_EQ(html, draftHtml);
    EXPECT_EQ("Survey for %%RECIPIENT%%", GetString(m_draft, PR_SUBJECT_A));
    EXPECT_EQ(1u, CountIn(m_drafts));
}

TEST_F(SolvendaTest, APlainTextDraftGetsEachRecipientsAddress)
{
    SetString(m_draft, PR_BODY_A, "Hello %%RECIPIENT%%, this is for %%RECIPNAME%%.");
    AddEntry(User("Ann One", "ann@example.com"), "Ann One");
    AddEntry(User("CORP\\jsmith {a}", "js@example.com"), "CORP\\jsmith {a}");

    ASSERT_EQ(S_OK, Send());

    auto byAddress = SentByAddress();
    ASSERT_EQ(2u, byAddress.size());
    EXPECT_NE(std::string::npos, byAddress["ann@example.com"].plainBody.find("Hello ann@example.com, this is for Ann One."));
    EXPECT_NE(std::string::npos, byAddress["js@example.com"].plainBody.find("for CORP\\jsmith {a}."));
}

TEST_F(SolvendaTest, AnRtfDraftGetsEachRecipientsAddressEscapedInItsRtf)
{
    const std::string rtf = "{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0 Arial;}}\\f0 Dear %%RECIPNAME%% (%%RECIPIENT%%)\\par}";
    SetRtf(rtf);
    AddEntry(User("Ann One", "ann@example.com"), "Ann One");
    AddEntry(User("CORP\\jsmith {a}", "js@example.com"), "CORP\\jsmith {a}");

    ASSERT_EQ(S_OK, Send());

    // The Internet form carries the text of the RTF.
    auto byAddress = SentByAddress();
    ASSERT_EQ(2u, byAddress.size());
    EXPECT_NE(std::string::npos, byAddress["ann@example.com"].plainBody.find("Dear Ann One (ann@example.com)"));
    EXPECT_NE(std::string::npos, byAddress["js@example.com"].plainBody.find("Dear CORP\\jsmith {a} (js@example.com)"));

    const std::set<std::string> rtfBodies = SentRtfBodies();
    EXPECT_TRUE(rtfBodies.count("{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0 Arial;}}\\f0 Dear Ann One (ann@example.com)\\par}"));
    EXPECT_TRUE(rtfBodies.count(
        "{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0 Arial;}}\\f0 Dear CORP\\\\jsmith \\{a\\} (js@example.com)\\par}"));
}

TEST_F(SolvendaTest, NamesComeOutEscapedAndIntactInHtmlAndPlainText)
{
    SetHtml("<P>%%RECIPNAME%%</P><INPUT TYPE=hidden NAME=RecipientEmail VALUE=\"%%RECIPIENT%%\">");
    SetString(m_draft, PR_BODY_A, "Name: %%RECIPNAME%%");
    AddEntry(User("Smith & \"Co\" <x>", "smith@example.com"), "Smith");
    AddEntry(User("CORP\\jsmith {a}", "js@example.com"), "CORP");
    AddEntry(User("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD \xD0\x9F\xD0\xB5\xD1\x82\xD1\x80\xD0\xBE\xD0\xB2", "ivan@example.com"),
             "Ivan");

    ASSERT_EQ(S_OK, Send());

    auto byAddress = SentByAddress();
    ASSERT_EQ(3u, byAddress.size());
    EXPECT_NE(std::string::npos, byAddress["smith@example.com"].htmlBody.find("<P>Smith &amp; &quot;Co&quot; &lt;x&gt;</P>"));
    EXPECT_NE(std::string::npos, byAddress["js@example.com"].htmlBody.find("<P>CORP\\jsmith {a}</P>"));
    EXPECT_NE(std::string::npos, byAddress["ivan@example.com"].htmlBody.find(
                                     "<P>&#1048;&#1074;&#1072;&#1085; &#1055;&#1077;&#1090;&#1088;&#1086;&#1074;</P>"));
    EXPECT_NE(std::string::npos, byAddress["ivan@example.com"].plainBody.find(
                                     "Name: \xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD \xD0\x9F\xD0\xB5\xD1\x82\xD1\x80\xD0\xBE\xD0\xB2"));
    EXPECT_NE(std::string::npos, byAddress["smith@example.com"].plainBody.find("Name: Smith & \"Co\" <x>"));
}

TEST_F(SolvendaTest, ResultCodesSayWhyNothingWasSent)
{
    struct Case {
        const char* name;
        std::function<void(SolvendaTest&)> recipients;
        HRESULT expected;
    };
    const Case cases[] = {
        {"only a Cc recipient", [](SolvendaTest& t) { t.AddCc("cc@example.com"); }, TM_E_NORECIPIENTS},
        {"only an empty list",
         [](SolvendaTest& t) { t.AddEntry(pollenta::mapi::AddDistList(t.Book(), "Empty", {}), "Empty"); },
         TM_E_EMPTYLISTS},
        {"the one address is excluded",
         [](SolvendaTest& t) {
             const std::string ann = t.User("Ann One", "ann@example.com");
             t.AddEntry(ann, "Ann One");
             t.AddEntry(pollenta::mapi::AddDistList(t.Book(), "exclude these", {ann}), "exclude these");
         },
         TM_E_ALLEXCLUDED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_draft.Release();
        ASSERT_EQ(S_OK, m_drafts->CreateMessage(&IID_IMessage, 0, &m_draft));
        SetString(m_draft, PR_SUBJECT_A, "Survey");
        c.recipients(*this);
        EXPECT_EQ(c.expected, Send());
        EXPECT_TRUE(Sent().empty());
    }
}

TEST_F(SolvendaTest, AddressesThatWereNotRecognizedAreNamedInTheErrorDescription)
{
    AddEntry(User("Ann One", "ann@example.com"), "Ann One");
    // Typed into "To" as a user types them, not in the address book.
    for (const char* typed : {"Zed Nobody", "Yan Nemo"}) {
        std::vector<SPropValue> props(2);
        props[0].ulPropTag = PR_DISPLAY_NAME_A;
        props[0].Value.lpszA = const_cast<char*>(typed);
        props[1].ulPropTag = PR_RECIPIENT_TYPE;
        props[1].Value.l = MAPI_TO;
        SizedADRLIST(1, list) = {1, {{0, static_cast<ULONG>(props.size()), props.data()}}};
        ASSERT_EQ(S_OK, m_draft->ModifyRecipients(MODRECIP_ADD, reinterpret_cast<LPADRLIST>(&list)));
    }
    EXPECT_EQ(TM_E_UNRESOLVED, Send());
    EXPECT_TRUE(Sent().empty());
    CComPtr<IErrorInfo> error;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &error));
    CComBSTR description;
    error->GetDescription(&description);
    EXPECT_EQ("Unable to resolve one or more email adresses.\r\nZed Nobody\r\nYan Nemo", description.ToString());
}

TEST_F(SolvendaTest, MembersOfAnExcludeListGetNoCopyButACapitalExcludeIsAnOrdinaryList)
{
    const std::string ann = User("Ann One", "ann@example.com");
    const std::string bob = User("Bob Two", "bob@example.com");
    const std::string cid = User("Cid Three", "cid@example.com");
    AddEntry(ann, "Ann One");
    AddEntry(pollenta::mapi::AddDistList(Book(), "Team", {ann, bob}), "Team");
    AddEntry(pollenta::mapi::AddDistList(Book(), "exclude", {bob}), "exclude");
    AddEntry(pollenta::mapi::AddDistList(Book(), "Exclude", {cid}), "Exclude");

    ASSERT_EQ(S_OK, Send());

    auto byAddress = SentByAddress();
    EXPECT_EQ((std::set<std::string>{"ann@example.com", "cid@example.com"}),
              ([&] {
                  std::set<std::string> keys;
                  for (const auto& [address, message] : byAddress)
                      keys.insert(address);
                  return keys;
              })());
}

TEST_F(SolvendaTest, OwnerEvaluatedMacrosAskEveryAdvisedSinkPerRecipient)
{
    CComVariant ownerCode(static_cast<LONG>(99));
    ASSERT_EQ(S_OK, m_object->AddMacros(CComBSTR("GREETING"), ownerCode, VARIANT_TRUE));
    std::vector<std::string> asked;
    auto handler = [&](DISPID id, pollenta::com::DispatchCall& call) -> HRESULT {
        CComVariant person;
        CComVariant macros;
        call.Arg(0, VT_DISPATCH, &person);
        call.Arg(1, VT_DISPATCH, &macros);
        CComVariant address;
        pollenta::com::GetProperty(person.pdispVal, "SMTPAddress", &address);
        asked.push_back(CComBSTR(address.bstrVal).ToString());
        return pollenta::com::PutProperty(macros.pdispVal, "Value", CComVariant("Hi <" + asked.back() + ">"));
    };
    Advise(handler);
    SetString(m_draft, PR_BODY_A, "%GREETING%");
    AddEntry(User("Ann One", "ann@example.com"), "Ann One");
    AddEntry(User("Bob Two", "bob@example.com"), "Bob Two");

    ASSERT_EQ(S_OK, Send());

    EXPECT_EQ((std::vector<std::string>{"ann@example.com", "bob@example.com"}), asked);
    auto byAddress = SentByAddress();
    EXPECT_NE(std::string::npos, byAddress["bob@example.com"].plainBody.find("Hi <bob@example.com>"));
}

// A copy is stored only once it is complete: one that fails on the way is
// found nowhere, and the run goes on with the next recipient.
TEST_F(SolvendaTest, ACopyThatFailsBeforeItIsCompleteLeavesNothingBehind)
{
    SetString(m_draft, PR_BODY_A, "Dear %RECIPNAME%");
    AddEntry(User("Ann One", "ann@example.com"), "Ann One");
    // Neither a name nor an address to make one of: the name macro fails.
    AddEntry(User("", "bob"), "");
    AddEntry(User("Cid Three", "cid@example.com"), "Cid Three");

    ASSERT_EQ(S_OK, Send());

    auto byAddress = SentByAddress();
    EXPECT_EQ(2u, byAddress.size());
    EXPECT_EQ(0u, byAddress.count("bob"));
    EXPECT_EQ(2u, SentItems().size());
    EXPECT_EQ(0u, CountIn(SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)));
    EXPECT_EQ(1u, CountIn(m_drafts));
}

TEST_F(SolvendaTest, CancelAfterTheThirdCopyRollsBackAndReturnsTheCancelCode)
{
    ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", true, true));
    SetString(m_draft, PR_BODY_A, "%%RECIPIENT%%");
    for (int i = 1; i <= 6; ++i)
        AddEntry(User("User " + std::to_string(i), "user" + std::to_string(i) + "@example.com"), "User");
    // The third copy's macro evaluation asks for Cancel; the window takes it
    // at its next step, before a fourth recipient is begun.
    CComVariant ownerCode(static_cast<LONG>(99));
    ASSERT_EQ(S_OK, m_object->AddMacros(CComBSTR("OWNER"), ownerCode, VARIANT_TRUE));
    CWEProgress* progress = nullptr;
    std::string rollBackText;
    const std::string pictures = POLLENTA_TEST_DIR;
    SetDialogShownHook([&](CDialog& dialog) {
        if (auto* window = dynamic_cast<CWEProgress*>(&dialog))
            progress = window;
        if (dynamic_cast<CWERollBackDlg*>(&dialog)) {
            rollBackText = GetWindowTextString(dialog.GetDlgItem(IDC_ROLLBACK_COUNT));
            SaveWindowPicture(dialog.m_hWnd, (pictures + "/sending-rollback.png").c_str());
            CheckRadioButton(dialog.m_hWnd, IDC_ROLLBACK_LEAVE, IDC_ROLLBACK_DELETE, IDC_ROLLBACK_DELETE);
            dialog.OnCommand(IDOK, BN_CLICKED, nullptr);
        }
    });
    int evaluations = 0;
    auto handler = [&](DISPID, pollenta::com::DispatchCall&) -> HRESULT {
        if (++evaluations == 3) {
            PostCallback([&] {
                ASSERT_NE(nullptr, progress);
                SaveWindowPicture(progress->m_hWnd, (pictures + "/sending-progress.png").c_str());
                progress->OnCommand(IDCANCEL, BN_CLICKED, nullptr);
            });
        }
        return S_OK;
    };
    Advise(handler);

    EXPECT_EQ(TM_E_CANCELLED, Send(true));

    EXPECT_EQ(3, evaluations);
    EXPECT_EQ("3 prepared for sending, some of them probably have already been sent.", rollBackText);
    EXPECT_EQ(0u, CountIn(SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)));
    pollenta::mapi::SetSpoolerHold("Test", false);
    EXPECT_TRUE(Sent().empty());
    CComPtr<IErrorInfo> error;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &error));
    CComBSTR description;
    error->GetDescription(&description);
    EXPECT_EQ("Sending cancelled by user.\r\n3 of 3 prepared messages were withdrawn from sending.",
              description.ToString());
    EXPECT_TRUE(std::filesystem::exists(pictures + "/sending-progress.png"));
    EXPECT_TRUE(std::filesystem::exists(pictures + "/sending-rollback.png"));
}

TEST_F(SolvendaTest, ACancelledRunWithErrorLinesStillReturnsTheCancelCode)
{
    SetString(m_draft, PR_BODY_A, "%%RECIPIENT%%");
    AddEntry(User("Nobody", ""), "Nobody");
    for (int i = 1; i <= 3; ++i)
        AddEntry(User("User " + std::to_string(i), "user" + std::to_string(i) + "@example.com"), "User");
    CWEProgress* progress = nullptr;
    int rollBackDialogs = 0;
    std::vector<std::string> errorLines;
    SetDialogShownHook([&](CDialog& dialog) {
        if (auto* window = dynamic_cast<CWEProgress*>(&dialog))
            progress = window;
        if (dynamic_cast<CWERollBackDlg*>(&dialog)) {
            ++rollBackDialogs;
            dialog.OnCommand(IDOK, BN_CLICKED, nullptr); // "Leave unchanged"
        }
    });
    CComVariant ownerCode(static_cast<LONG>(99));
    ASSERT_EQ(S_OK, m_object->AddMacros(CComBSTR("OWNER"), ownerCode, VARIANT_TRUE));
    std::function<void()> closeWhenWaiting = [&] {
        if (!progress->IsWaiting())
            return PostCallback(closeWhenWaiting);
        SaveWindowPicture(progress->m_hWnd, (std::string(POLLENTA_TEST_DIR) + "/sending-errors.png").c_str());
        errorLines = CloseAndReadErrors(*progress);
    };
    auto handler = [&](DISPID, pollenta::com::DispatchCall&) -> HRESULT {
        PostCallback([&] {
            progress->OnCommand(IDCANCEL, BN_CLICKED, nullptr);
            PostCallback(closeWhenWaiting);
        });
        return S_OK;
    };
    Advise(handler);

    EXPECT_EQ(TM_E_CANCELLED, Send(true));

    ASSERT_EQ(1u, errorLines.size());
    EXPECT_EQ("Unable to get the address of the recipient (The object or property was not found) (Nobody)", errorLines[0]);
    EXPECT_EQ(1, rollBackDialogs);
    // Left unchanged: the one copy made goes out as usual.
    EXPECT_EQ(1u, Sent().size());
}

TEST_F(SolvendaTest, TheFinalWaitEndsOnAQuitRequest)
{
    AddEntry(User("Nobody", ""), "Nobody");
    AddEntry(User("Ann One", "ann@example.com"), "Ann One");
    SetDialogShownHook([](CDialog&) { PostQuitMessage(0); });

    EXPECT_EQ(S_OK, Send(true));

    EXPECT_TRUE(IsQuitRequested());
    ClearQuitRequest();
    EXPECT_EQ(1u, Sent().size());
}

TEST_F(SolvendaTest, BlocksArePausedAfterEveryBlockSizeCopies)
{
    struct Case {
        DWORD blockSize;
        DWORD pause;
        std::vector<int> pausesAfter;
    };
    const Case cases[] = {{2, 5, {2, 4}}, {2, 0, {}}, {0, 5, {}}, {5, 1, {5}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.blockSize) + " copies, " + std::to_string(c.pause) + " s");
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Velquin Ltd\\Solvenda", 0, nullptr, 0,
                                                KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegSetValueEx(key, "SendingBlockSize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&c.blockSize), 4);
        RegSetValueEx(key, "PauseBetweenBlocks", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&c.pause), 4);
        RegCloseKey(key);
        m_draft.Release();
        ASSERT_EQ(S_OK, m_drafts->CreateMessage(&IID_IMessage, 0, &m_draft));
        SetString(m_draft, PR_SUBJECT_A, "Blocks");
        for (int i = 1; i <= 5; ++i)
            AddEntry(User("User", "block" + std::to_string(i) + "@example.com"), "User");

        CWEPersonalSender sender;
        sender.SetItem(DraftItem());
        sender.SetOwner(static_cast<TMMailItem*>(m_object.p));
        sender.SetShowProgress(false);
        std::vector<int> pausesAfter;
        int copiesBefore = static_cast<int>(Sent().size());
        sender.SetPause([&](DWORD seconds, CWEProgress&) {
            EXPECT_EQ(c.pause, seconds);
            pausesAfter.push_back(static_cast<int>(Sent().size()) - copiesBefore);
        });
        EXPECT_EQ(S_OK, sender.Run());
        EXPECT_EQ(c.pausesAfter, pausesAfter);
    }
}

TEST_F(SolvendaTest, SendingWindowsSpeakTheCurrentLanguage)
{
    Languages().SetLanguageId(CWELanguages::GermanId);
    std::map<std::string, std::string> texts;
    SetDialogShownHook([&](CDialog& dialog) {
        texts["caption"] = GetWindowTextString(dialog.m_hWnd);
        texts["2051"] = GetWindowTextString(dialog.GetDlgItem(IDC_ROLLBACK_LEAVE));
        texts["5002"] = GetWindowTextString(dialog.GetDlgItem(IDC_ROLLBACK_TERMINATED));
        texts["209"] = GetWindowTextString(dialog.GetDlgItem(IDC_ROLLBACK_COUNT));
        dialog.EndDialog(IDOK);
    });
    CWERollBackDlg dialog(nullptr, 12);
    dialog.DoModal();
    Languages().SetLanguageId(CWELanguages::EnglishId);
    EXPECT_EQ("Senden abbrechen", texts["caption"]);
    EXPECT_EQ("Unverändert lassen", texts["2051"]);
    EXPECT_EQ("Das Senden wurde vom Benutzer abgebrochen.", texts["5002"]);
    EXPECT_EQ(0u, texts["209"].find("12 ")) << texts["209"];
}

TEST_F(SolvendaTest, ALongNameNeverLosesItsErrorLine)
{
    const std::string name(3000, 'n');
    AddEntry(User(name, ""), "Long");
    AddEntry(User("Ann One", "ann@example.com"), "Ann One");
    std::vector<std::string> errorLines;
    CWEProgress* progress = nullptr;
    std::function<void()> closeWhenWaiting = [&] {
        if (!progress->IsWaiting())
            return PostCallback(closeWhenWaiting);
        errorLines = CloseAndReadErrors(*progress);
    };
    SetDialogShownHook([&](CDialog& dialog) {
        if ((progress = dynamic_cast<CWEProgress*>(&dialog)))
            PostCallback(closeWhenWaiting);
    });

    EXPECT_EQ(S_OK, Send(true));

    ASSERT_EQ(1u, errorLines.size());
    EXPECT_NE(std::string::npos, errorLines[0].find("(" + name + ")"));
    EXPECT_EQ(1u, Sent().size());
}

TEST(BlockPause, AQuitRequestEndsEvenTheLongestPause)
{
    CWEProgress progress;
    PostQuitMessage(0);
    PauseBetweenBlocks(0xFFFFFFFF, progress);
    EXPECT_TRUE(IsQuitRequested());
    ClearQuitRequest();
}

TEST_F(SolvendaTest, HtmlKeptInRtfGetsTheValuesInItsRtfAndItsHtml)
{
    const std::string rtf = "{\\rtf1\\ansi\\fromhtml1 {\\*\\htmltag64 <P>}\\htmlrtf {\\htmlrtf0 Dear %%RECIPNAME%%"
                            "{\\*\\htmltag72 </P>}\\htmlrtf \\par}\\htmlrtf0 }";
    SetHtml("<P>Dear %%RECIPNAME%%</P>");
    SetRtf(rtf);
    AddEntry(User("Smith & {Co}", "smith@example.com"), "Smith");

    ASSERT_EQ(S_OK, Send());

    auto byAddress = SentByAddress();
    ASSERT_EQ(1u, byAddress.size());
    EXPECT_NE(std::string::npos, byAddress["smith@example.com"].htmlBody.find("<P>Dear Smith &amp; {Co}</P>"));
    EXPECT_NE(std::string::npos, byAddress["smith@example.com"].plainBody.find("Dear Smith & {Co}"));
}

TEST_F(SolvendaTest, TheAccountTheDraftWasWrittenWithSendsEveryCopy)
{
    MAPINAMEID names[2] = {{const_cast<LPGUID>(&PSETID_Common), MNID_ID, {0x8580}},
                           {const_cast<LPGUID>(&PSETID_Common), MNID_ID, {0x8581}}};
    LPMAPINAMEID nameList[2] = {&names[0], &names[1]};
    LPSPropTagArray tags = nullptr;
    ASSERT_EQ(S_OK, m_draft->GetIDsFromNames(2, nameList, MAPI_CREATE, &tags));
    SetString(m_draft, CHANGE_PROP_TYPE(tags->aulPropTag[0], PT_STRING8), "Work");
    SetString(m_draft, CHANGE_PROP_TYPE(tags->aulPropTag[1], PT_STRING8), "acct-7");
    MAPIFreeBuffer(tags);
    AddEntry(User("Ann One", "ann@example.com"), "Ann One");

    ASSERT_EQ(S_OK, Send());

    auto copies = SentItems();
    ASSERT_EQ(1u, copies.size());
    EXPECT_EQ(std::string("acct-7\x01Work"), GetString(copies[0], PR_PRIMARY_SEND_ACCT_A));
}

namespace {

// What a walk reports, in order, one line per call.
class WalkRecord : public CWERecipientCallback {
public:
    void EnterList(IDistList* list) override { m_lines.push_back("list " + StringProp(list, PR_DISPLAY_NAME_A)); }
    void Recipient(IDistList*, IMailUser* user, const char* rowName) override
    {
        m_lines.push_back(user ? "user " + StringProp(user, PR_EMAIL_ADDRESS_A) : std::string("row ") + rowName);
    }
    void RowError(const char* text) override { m_lines.push_back(std::string("error ") + text); }
    std::vector<std::string> m_lines;
};

}  // namespace

// Each entry of the table is opened once and what it is decides the way:
// a list is walked (a list holding itself only once), a user is handed on,
// an entry the book does not know is an error line when entries are opened
// and a plain row when they are not.
TEST_F(SolvendaTest, AWalkEntersListsHandsOnUsersAndNamesEntriesTheBookDoesNotKnow)
{
    const std::string ann = User("Ann", "ann@example.com");
    const std::string bob = User("Bob", "bob@example.com");
    const std::string loop = pollenta::mapi::AddDistList(Book(), "Loop", {bob});
    ASSERT_EQ(S_OK, pollenta::mapi::AddDistListMember(Book(), loop, loop));
    AddEntry(ann, "Ann");
    AddEntry(loop, "Loop");
    AddEntry(std::string("\x01\x02\x03\x04unknown", 11), "Ghost");
    CComPtr<IAddrBook> book;
    ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &book));

    const struct {
        bool openEntries;
        std::vector<std::string> expected;
    } cases[] = {
        {true, {"user ann@example.com", "list Loop", "user bob@example.com", "error Open address book entry."}},
        {false, {"row Ann", "list Loop", "row Bob", "row Ghost"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.openEntries ? "entries opened" : "entries not opened");
        CComPtr<IMAPITable> table;
        ASSERT_EQ(S_OK, m_draft->GetRecipientTable(0, &table));
        WalkRecord record;
        CWERecipientWalk walk(book, record, c.openEntries);
        EXPECT_EQ(S_OK, walk.Walk(table, nullptr, true));
        EXPECT_EQ(c.expected, record.m_lines);
    }
}
