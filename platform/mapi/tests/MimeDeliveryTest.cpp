#include "MapiTestSupport.h"

#include "com/Stream.h"
#include "mapi/Mime.h"
#include "win/CodePage.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

namespace {

// A one-pixel PNG, and a second picture that differs from it.
const char kPng1[] = "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk+M9QDwADhgGAWjR9awAAAABJRU5ErkJggg==";
const char kPng2[] = "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==";

std::vector<BYTE> MimeBytes(const std::string& text) { return std::vector<BYTE>(text.begin(), text.end()); }

std::string Mail()
{
    return std::string(
               "From: \"Alice Example\" <alice@example.com>\r\n"
               "To: Bob <bob@example.com>, carol@example.com\r\n"
               "Cc: Dave <dave@example.com>\r\n"
               "Subject: Pictures\r\n"
               "Date: Tue, 01 Dec 2026 10:00:00 +0000\r\n"
               "Message-ID: <pictures-1@example.com>\r\n"
               "MIME-Version: 1.0\r\n"
               "Content-Type: multipart/mixed; boundary=\"outer\"\r\n"
               "\r\n"
               "--outer\r\n"
               "Content-Type: multipart/related; boundary=\"related\"\r\n"
               "\r\n"
               "--related\r\n"
               "Content-Type: multipart/alternative; boundary=\"alt\"\r\n"
               "\r\n"
               "--alt\r\n"
               "Content-Type: text/plain; charset=utf-8\r\n"
               "\r\n"
               "Two pictures.\r\n"
               "--alt\r\n"
               "Content-Type: text/html; charset=utf-8\r\n"
               "\r\n"
               "<html><body><img src=\"cid:one@example.com\"><img src=\"cid:two@example.com\"></body></html>\r\n"
               "--alt--\r\n"
               "--related\r\n"
               "Content-Type: image/png; name=\"one.png\"\r\n"
               "Content-Transfer-Encoding: base64\r\n"
               "Content-ID: <one@example.com>\r\n"
               "Content-Disposition: inline; filename=\"one.png\"\r\n"
               "\r\n") +
           kPng1 +
           "\r\n"
           "--related\r\n"
           "Content-Type: image/png; name=\"two.png\"\r\n"
           "Content-Transfer-Encoding: base64\r\n"
           "Content-ID: <two@example.com>\r\n"
           "Content-Disposition: inline; filename=\"two.png\"\r\n"
           "\r\n" +
           kPng2 +
           "\r\n"
           "--related--\r\n"
           "--outer\r\n"
           "Content-Type: application/pdf; name=\"report.pdf\"\r\n"
           "Content-Transfer-Encoding: base64\r\n"
           "Content-Disposition: attachment; filename=\"report.pdf\"\r\n"
           "\r\n"
           "JVBERi0xLjQKJcfsj6IK\r\n"
           "--outer--\r\n";
}

CComPtr<IMessage> Open(IMsgStore* store, const std::string& eid)
{
    ULONG type = 0;
    CComPtr<IUnknown> object;
    EXPECT_EQ(S_OK, store->OpenEntry(static_cast<ULONG>(eid.size()), CMapiTest::Eid(eid), &IID_IMessage, MAPI_BEST_ACCESS,
                                     &type, &object));
    return CComQIPtr<IMessage>(object.p);
}

std::string AttachmentData(IMessage* message, ULONG num)
{
    CComPtr<IAttachment> attach;
    EXPECT_EQ(S_OK, message->OpenAttach(num, nullptr, 0, &attach));
    LPSPropValue data = nullptr;
    EXPECT_EQ(S_OK, HrGetOneProp(attach, PR_ATTACH_DATA_BIN, &data));
    std::string bytes = CMapiTest::Bytes(data->Value.bin);
    MAPIFreeBuffer(data);
    return bytes;
}

}  // namespace

TEST_F(CMapiTest, MultipartHtmlWithPicturesRoundTripsThroughDeliveryAndExport)
{
    std::string eid;
    ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, nullptr, MimeBytes(Mail()), &eid));
    CComPtr<IMessage> message = Open(m_store, eid);
    ASSERT_TRUE(message);
    EXPECT_EQ("Pictures", GetString(message, PR_SUBJECT_A));
    EXPECT_EQ("IPM.Note", GetString(message, PR_MESSAGE_CLASS_A));
    EXPECT_EQ("Alice Example", GetString(message, PR_SENDER_NAME_A));
    EXPECT_EQ("alice@example.com", GetString(message, PR_SENDER_EMAIL_ADDRESS_A));
    EXPECT_EQ("SMTP", GetString(message, PR_SENDER_ADDRTYPE_A));
    EXPECT_EQ("Two pictures.", GetString(message, PR_BODY_A).substr(0, 13));
    EXPECT_NE(std::string::npos, GetString(message, PR_BODY_HTML_A).find("cid:two@example.com"));
    LPSPropValue value = nullptr;
    ASSERT_EQ(S_OK, HrGetOneProp(message, PR_CLIENT_SUBMIT_TIME, &value));
    ULONGLONG submitted = (static_cast<ULONGLONG>(value->Value.ft.dwHighDateTime) << 32) | value->Value.ft.dwLowDateTime;
    EXPECT_EQ(11644473600ULL * 10000000ULL + 1796119200ULL * 10000000ULL, submitted);
    MAPIFreeBuffer(value);
    ASSERT_EQ(S_OK, HrGetOneProp(message, PR_MESSAGE_DELIVERY_TIME, &value));
    MAPIFreeBuffer(value);
    ASSERT_EQ(S_OK, HrGetOneProp(message, PR_SENDER_ENTRYID, &value));
    std::string sender = Bytes(value->Value.bin);
    MAPIFreeBuffer(value);
    CComPtr<IAddrBook> book;
    ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &book));
    ULONG type = 0;
    CComPtr<IUnknown> senderEntry;
    ASSERT_EQ(S_OK, book->OpenEntry(static_cast<ULONG>(sender.size()), Eid(sender), nullptr, 0, &type, &senderEntry));
    EXPECT_EQ(MAPI_MAILUSER, type);

    CComPtr<IMAPITable> recipients;
    ASSERT_EQ(S_OK, message->GetRecipientTable(0, &recipients));
    ULONG count = 0;
    ASSERT_EQ(S_OK, recipients->GetRowCount(0, &count));
    EXPECT_EQ(3u, count);

    CComPtr<IMAPITable> attachments;
    ASSERT_EQ(S_OK, message->GetAttachmentTable(0, &attachments));
    SizedSPropTagArray(4, columns) = {4, {PR_ATTACH_NUM, PR_ATTACH_LONG_FILENAME_A, PR_ATTACH_CONTENT_ID_A, PR_ATTACH_MIME_TAG_A}};
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(attachments, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    ASSERT_EQ(3u, rows->cRows);
    std::map<std::string, std::string> contentIds;
    for (ULONG i = 0; i < rows->cRows; ++i) {
        const SPropValue* row = rows->aRow[i].lpProps;
        contentIds[row[1].Value.lpszA] = PROP_TYPE(row[2].ulPropTag) == PT_ERROR ? "" : row[2].Value.lpszA;
    }
    EXPECT_EQ("one@example.com", contentIds["one.png"]);
    EXPECT_EQ("two@example.com", contentIds["two.png"]);
    EXPECT_EQ("", contentIds["report.pdf"]);
    ULONG pdf = 0;
    for (ULONG i = 0; i < rows->cRows; ++i)
        if (std::string(rows->aRow[i].lpProps[1].Value.lpszA) == "report.pdf") pdf = rows->aRow[i].lpProps[0].Value.ul;
    FreeProws(rows);
    EXPECT_EQ("%PDF-1.4\n%\xC7\xEC\x8F\xA2\n", AttachmentData(message, pdf));

    std::vector<BYTE> exported;
    ASSERT_EQ(S_OK, pollenta::mapi::ExportMime(message, exported));
    MimeMessageData original = ParseMime(MimeBytes(Mail()));
    MimeMessageData again = ParseMime(exported);
    EXPECT_EQ(original.subject, again.subject);
    EXPECT_EQ(original.from.address, again.from.address);
    EXPECT_EQ(original.htmlBody, again.htmlBody);
    EXPECT_EQ(original.plainBody, again.plainBody);
    ASSERT_EQ(original.attachments.size(), again.attachments.size());
    for (const MimeAttachment& part : original.attachments) {
        bool matched = false;
        for (const MimeAttachment& other : again.attachments)
            matched |= other.fileName == part.fileName && other.contentId == part.contentId && other.data == part.data &&
                       other.contentType == part.contentType;
        EXPECT_TRUE(matched) << part.fileName;
    }
}

TEST_F(CMapiTest, DamagedMailIsDeliveredWithWhatCouldBeRead)
{
    std::string truncated = Mail().substr(0, Mail().find("--related\r\nContent-Type: image/png; name=\"two.png\"") + 40);
    std::string eid;
    ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, nullptr, MimeBytes(truncated), &eid));
    EXPECT_EQ("Pictures", GetString(Open(m_store, eid), PR_SUBJECT_A));

    std::string strange = "Subject: =?x-unknown?Q?abc?=\r\nContent-Type: text/plain; charset=x-unknown\r\n\r\n\xFF\xFE text\r\n";
    ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, nullptr, MimeBytes(strange), &eid));
    EXPECT_NE("<missing>", GetString(Open(m_store, eid), PR_MESSAGE_CLASS_A));

    ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, nullptr, {}, &eid));
    EXPECT_EQ("IPM.Note", GetString(Open(m_store, eid), PR_MESSAGE_CLASS_A));
}

TEST_F(CMapiTest, MailDroppedIntoTheDropFolderArrivesInTheInbox)
{
    std::filesystem::create_directories(Drop());
    {
        std::ofstream out(Drop() + "/one.eml.part", std::ios::binary);
        out << Mail();
    }
    std::filesystem::rename(Drop() + "/one.eml.part", Drop() + "/one.eml");
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    ULONG count = 0;
    for (int i = 0; i < 100 && count == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        CComPtr<IMAPITable> table;
        ASSERT_EQ(S_OK, inbox->GetContentsTable(0, &table));
        ASSERT_EQ(S_OK, table->GetRowCount(0, &count));
    }
    EXPECT_EQ(1u, count);
    for (int i = 0; i < 100 && std::filesystem::exists(Drop() + "/one.eml"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(std::filesystem::exists(Drop() + "/one.eml"));
}

TEST_F(CMapiTest, MailDroppedWithAFolderBesideItArrivesThereOrIsSetAsideWhenThereIsNone)
{
    std::filesystem::create_directories(Drop());
    const struct {
        const char* name;
        const char* folder;
    } drops[] = {{"sent.eml", "\\\\main\\Sent Items"}, {"nowhere.eml", "\\\\Main\\Sent Items\\Nowhere"}};
    for (const auto& drop : drops) {
        // The folder first, then the mail, each written whole and renamed.
        std::ofstream(Drop() + "/part", std::ios::binary) << drop.folder << "\n";
        std::filesystem::rename(Drop() + "/part", Drop() + "/" + drop.name + ".folder");
        std::ofstream(Drop() + "/part", std::ios::binary) << Mail();
        std::filesystem::rename(Drop() + "/part", Drop() + "/" + drop.name);
    }
    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_DOWNLOAD));

    // The spooler's own thread may have claimed a file first: its end is awaited.
    const std::vector<std::string> expected{"nowhere.eml.folder", "nowhere.eml.refused"};
    std::vector<std::string> left;
    for (int i = 0; i < 500 && left != expected; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        left.clear();
        for (const auto& entry : std::filesystem::directory_iterator(Drop())) left.push_back(entry.path().filename());
        std::sort(left.begin(), left.end());
    }
    EXPECT_EQ(expected, left);
    auto count = [](IMAPIFolder* folder) {
        CComPtr<IMAPITable> table;
        ULONG rows = 0;
        EXPECT_EQ(S_OK, folder->GetContentsTable(0, &table));
        EXPECT_EQ(S_OK, table->GetRowCount(0, &rows));
        return rows;
    };
    EXPECT_EQ(1u, count(SpecialFolder(m_store, PR_IPM_SENTMAIL_ENTRYID)));
    EXPECT_EQ(0u, count(Inbox(m_store)));
}

TEST_F(CMapiTest, TextIsKeptInTheAnsiCodePageAndSentAsUtf8)
{
    ASSERT_TRUE(SetAnsiCodePage(1252));
    std::string mail = "From: =?utf-8?Q?J=C3=BCrgen?= <j@example.com>\r\nTo: b@example.com\r\n"
                       "Subject: =?utf-8?Q?Gr=C3=BC=C3=9Fe?=\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n"
                       "Gr\xC3\xBC\xC3\x9F" "e\r\n";
    std::string eid;
    ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, nullptr, MimeBytes(mail), &eid));
    CComPtr<IMessage> message = Open(m_store, eid);
    EXPECT_EQ("Gr\xFC\xDF" "e", GetString(message, PR_SUBJECT_A));
    EXPECT_EQ("J\xFCrgen", GetString(message, PR_SENDER_NAME_A));
    std::vector<BYTE> exported;
    ASSERT_EQ(S_OK, pollenta::mapi::ExportMime(message, exported));
    MimeMessageData again = ParseMime(exported);
    EXPECT_EQ("Gr\xC3\xBC\xC3\x9F" "e", again.subject);
    EXPECT_EQ("J\xC3\xBCrgen", again.from.name);
    SetAnsiCodePage(CP_UTF8);
}

TEST_F(CMapiTest, LatinTextFromAnOlderClientIsExportedInTheCharsetItIsLabelledWith)
{
    std::string mail = "From: Anna <anna@example.de>\r\n"
                       "To: bob@example.com\r\n"
                       "Subject: Koeln\r\n"
                       "MIME-Version: 1.0\r\n"
                       "Content-Type: multipart/alternative; boundary=\"alt\"\r\n"
                       "\r\n"
                       "--alt\r\n"
                       "Content-Type: text/plain; charset=iso-8859-1\r\n"
                       "Content-Transfer-Encoding: quoted-printable\r\n"
                       "\r\n"
                       "Gr=FC=DFe aus K=F6ln\r\n"
                       "--alt\r\n"
                       "Content-Type: text/html; charset=\"ISO-8859-1\"\r\n"
                       "Content-Transfer-Encoding: 8bit\r\n"
                       "\r\n"
                       "<p>Gr\xFC\xDF" "e aus K\xF6ln</p>\r\n"
                       "--alt--\r\n";
    std::string eid;
    ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, nullptr, MimeBytes(mail), &eid));
    std::vector<BYTE> exported;
    ASSERT_EQ(S_OK, pollenta::mapi::ExportMime(Open(m_store, eid), exported));
    const MimeMessageData again = ParseMime(exported);
    EXPECT_TRUE(again.warnings.empty()) << again.warnings.front();
    EXPECT_EQ("utf-8", again.charset);
    EXPECT_EQ("Grüße aus Köln", again.plainBody);
    EXPECT_EQ("<p>Grüße aus Köln</p>", again.htmlBody);
}

TEST_F(CMapiTest, SenderWithoutANameIsExportedAsABareAddress)
{
    std::string mail = "From: a@example.com\r\nTo: b@example.com\r\nSubject: bare\r\n\r\nbody\r\n";
    std::string eid;
    ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, nullptr, MimeBytes(mail), &eid));
    std::vector<BYTE> exported;
    ASSERT_EQ(S_OK, pollenta::mapi::ExportMime(Open(m_store, eid), exported));
    const std::string text(exported.begin(), exported.end());
    EXPECT_NE(std::string::npos, text.find("From: a@example.com\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("To: b@example.com\r\n")) << text;
    const MimeAddress sender = ParseMime(exported).from;
    EXPECT_EQ("", sender.name);
    EXPECT_EQ("a@example.com", sender.address);
}

TEST_F(CMapiTest, RecipientNamesWithRawBytesInEncodedWordsAreStoredDecoded)
{
    std::string mail = "From: =?iso-8859-1?Q?J=FCrgen_K\xF6hler?= <j@example.de>\r\n"
                       "To: Heinz =?iso-8859-1?Q?M\xFCller?= <h@example.de>\r\n"
                       "Cc: =?iso-8859-1?Q?Stra\xDF" "e?= <s@example.de>\r\n"
                       "Subject: names\r\n\r\nbody\r\n";
    std::string eid;
    ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, nullptr, MimeBytes(mail), &eid));
    CComPtr<IMessage> message = Open(m_store, eid);
    EXPECT_EQ("Jürgen Köhler", GetString(message, PR_SENDER_NAME_A));
    CComPtr<IMAPITable> recipients;
    ASSERT_EQ(S_OK, message->GetRecipientTable(0, &recipients));
    SizedSPropTagArray(1, columns) = {1, {PR_DISPLAY_NAME_A}};
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(recipients, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    std::vector<std::string> names;
    for (ULONG i = 0; i < rows->cRows; ++i) names.push_back(rows->aRow[i].lpProps[0].Value.lpszA);
    FreeProws(rows);
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"Heinz Müller", "Straße"}), names);
}

TEST_F(CMapiTest, HtmlBytesInTheMessagesCodePageAreExportedAsTheUtf8TheirPartDeclares)
{
    struct Case {
        LONG codePage;
        std::string html;
        std::string utf8;
    };
    const Case cases[] = {
        {1252, "<p>Gr\xFC\xDF" "e aus K\xF6ln</p>", "<p>Grüße aus Köln</p>"},
        {1251, "<p>\xCF\xF0\xE8\xE2\xE5\xF2</p>", "<p>Привет</p>"},
        {65001, "<p>Grüße, Привет</p>", "<p>Grüße, Привет</p>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        CComPtr<IMessage> message;
        ASSERT_EQ(S_OK, Inbox(m_store)->CreateMessage(&IID_IMessage, 0, &message));
        SPropValue html{};
        html.ulPropTag = PR_HTML;
        html.Value.bin = {static_cast<ULONG>(c.html.size()), reinterpret_cast<LPBYTE>(const_cast<char*>(c.html.data()))};
        ASSERT_EQ(S_OK, HrSetOneProp(message, &html));
        SetLong(message, PR_INTERNET_CPID, c.codePage);
        std::vector<BYTE> exported;
        ASSERT_EQ(S_OK, pollenta::mapi::ExportMime(message, exported));
        const MimeMessageData again = ParseMime(exported);
        EXPECT_TRUE(again.warnings.empty()) << again.warnings.front();
        EXPECT_EQ(c.utf8, again.htmlBody);
    }
}
