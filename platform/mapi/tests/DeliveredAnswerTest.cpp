// What delivery keeps of a message as the real client keeps it, for those
// who read answers back: a subject only when the message has one, and the
// charset that the part of an attachment declares.

#include "MapiTestSupport.h"

#include "mapi/Mime.h"

namespace {

CComPtr<IMessage> Delivered(IMsgStore* store, const std::string& mail)
{
    std::string eid;
    EXPECT_EQ(S_OK, pollenta::mapi::DeliverMime(store, nullptr, std::vector<BYTE>(mail.begin(), mail.end()), &eid));
    ULONG type = 0;
    CComPtr<IUnknown> object;
    EXPECT_EQ(S_OK, store->OpenEntry(static_cast<ULONG>(eid.size()), CMapiTest::Eid(eid), &IID_IMessage,
                                     MAPI_BEST_ACCESS, &type, &object));
    return CComQIPtr<IMessage>(object.p);
}

CComPtr<IAttachment> FirstAttachment(IMessage* message)
{
    CComPtr<IAttachment> attachment;
    EXPECT_EQ(S_OK, message->OpenAttach(0, &IID_IAttachment, 0, &attachment));
    return attachment;
}

std::string Posted(const std::string& contentType)
{
    return "From: ann@example.com\r\nTo: answers@example.com\r\nSubject: Answer\r\nMIME-Version: 1.0\r\n"
           "Content-Type: multipart/mixed; boundary=\"b\"\r\n\r\n"
           "--b\r\nContent-Type: text/plain; charset=us-ascii\r\n\r\nForm posted.\r\n"
           "--b\r\nContent-Type: " +
           contentType +
           "\r\nContent-Disposition: attachment; filename=\"POSTDATA.ATT\"\r\n\r\nkqProjectID=1&Town=K%F6ln\r\n"
           "--b--\r\n";
}

}  // namespace

TEST_F(CMapiTest, AMessageWithoutASubjectHeaderHasNoSubjectProperty)
{
    const struct {
        const char* name;
        const char* header;
        const char* subject;
    } cases[] = {
        {"no Subject header", "", "<missing>"},
        {"an empty Subject header", "Subject: \r\n", ""},
        {"a Subject header in capitals", "SUBJECT: Answer\r\n", "Answer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CComPtr<IMessage> message =
            Delivered(m_store, std::string("From: ann@example.com\r\nTo: answers@example.com\r\n") + c.header +
                                   "Date: Tue, 14 Mar 2006 10:15:02 +0100\r\n\r\nkqProjectID=1\r\n");
        EXPECT_EQ(c.subject, GetString(message, PR_SUBJECT_A));
        EXPECT_EQ("ann@example.com", GetString(message, PR_SENDER_EMAIL_ADDRESS_A));
    }
}

TEST_F(CMapiTest, AnAttachmentKeepsTheCharsetItsPartDeclares)
{
    const struct {
        const char* contentType;
        const char* charset;
    } cases[] = {
        {"application/octet-stream; name=\"POSTDATA.ATT\"", "<missing>"},
        {"text/plain; charset=\"Windows-1252\"; name=\"POSTDATA.ATT\"", "windows-1252"},
        {"application/x-www-form-urlencoded; charset=shift_jis", "shift_jis"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contentType);
        CComPtr<IMessage> message = Delivered(m_store, Posted(c.contentType));
        EXPECT_EQ(c.charset, GetString(FirstAttachment(message), PR_TEXT_ATTACHMENT_CHARSET_A));
    }
}
