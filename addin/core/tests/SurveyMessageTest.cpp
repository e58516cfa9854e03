// The survey message built in the stand-in client's object model from a
// project folder on disk: its body, its attachments by content id and the
// inspector it opens in.

#include "AddinTestFolder.h"
#include "OutlookTestSupport.h"
#include "SurveyTestSupport.h"

#include "survey/CWEMessageBuilder.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "mapi/IAttachment.h"
#include "mapi/MapiUtil.h"
#include "mapi/Mime.h"
#include "mapi/PropTags.h"
#include "testsupport/StandardMailReader.h"
#include "win/Registry.h"

#include <cstdlib>
#include <fstream>
#include <map>

class SurveyMessageTest : public COutlookTest {
public:
    void SetUp() override
    {
        COutlookTest::SetUp();
        AddinTestFolder::SetText(HKEY_CURRENT_USER, "Software\\Classes\\.gif", "Content Type", "image/gif");
        AddinTestFolder::SetText(HKEY_CURRENT_USER, "Software\\Classes\\.png", "Content Type", "image/png");
        m_props.m_strProjectDir = m_dir + "/project";
        m_props.m_strStartPage = "index.html";
        std::filesystem::create_directories(m_props.m_strProjectDir);
    }

    void Write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(m_props.m_strProjectDir + "/" + name, std::ios::binary) << bytes;
    }

    CComPtr<_MailItem> OpenedMail()
    {
        CComPtr<_Inspector> inspector = FirstInspector(m_application);
        CComPtr<IDispatch> item;
        if (!inspector)
            return nullptr;
        inspector->get_CurrentItem(&item);
        return CComQIPtr<_MailItem>(item.p);
    }
    // Content id -> (file name, MIME tag) of every attachment of the item.
    std::map<std::string, std::pair<std::string, std::string>> AttachmentsOf(_MailItem* mail)
    {
        std::map<std::string, std::pair<std::string, std::string>> found;
        CComPtr<Attachments> attachments;
        LONG count = 0;
        mail->get_Attachments(&attachments);
        attachments->get_Count(&count);
        for (LONG i = 1; i <= count; ++i) {
            CComPtr<Attachment> attachment;
            CComPtr<IUnknown> object;
            CComBSTR name;
            attachments->Item(CComVariant(i), &attachment);
            attachment->get_FileName(&name);
            attachment->get_MAPIOBJECT(&object);
            CComQIPtr<IAttachment> attach(object.p);
            found[Text(attach, PR_ATTACH_CONTENT_ID)] = {name.ToString(), Text(attach, PR_ATTACH_MIME_TAG)};
        }
        return found;
    }
    static std::string Text(IMAPIProp* object, ULONG tag)
    {
        LPSPropValue value = nullptr;
        if (FAILED(HrGetOneProp(object, tag, &value)))
            return "";
        std::string text = value->Value.lpszA;
        MAPIFreeBuffer(value);
        return text;
    }
    static std::string Body(_MailItem* mail)
    {
        CComBSTR html;
        mail->get_HTMLBody(&html);
        return html.ToString();
    }

    CWELog m_log;
    CWEProjectProps m_props;
};

TEST_F(SurveyMessageTest, EveryPictureThePageNamesIsAttachedByContentIdAndTheMessageOpens)
{
    Write("index.html", "<HTML><BODY><IMG SRC=\"_kqwpic_001.gif\"><IMG SRC='Blue Sky.PNG'>"
                        "<P>_kqwpic_001.gif</P></BODY></HTML>");
    Write("_kqwpic_001.gif", "GIF89a");
    Write("blue sky.png", "PNG");
    Write("unused.gif", "GIF89a");
    Write("INDEX.HTML", "an old copy of the page");
    CWEMessageBuilder builder(m_application, m_log);
    ASSERT_EQ(S_OK, builder.CreateSurveyMessage(1, m_props)) << builder.GetErrorText();

    CComPtr<_MailItem> mail = OpenedMail();
    ASSERT_TRUE(mail);
    const auto attachments = AttachmentsOf(mail);
    ASSERT_EQ(2u, attachments.size());
    std::string expected = "<HTML><BODY>";
    for (const auto& [id, file] : attachments) {
        SCOPED_TRACE(file.first);
        EXPECT_EQ(36u, id.size());
        EXPECT_EQ(file.first == "_kqwpic_001.gif" ? "image/gif" : "image/png", file.second);
    }
    const std::string body = Body(mail);
    for (const CWEPageFile& file : builder.GetFiles()) {
        SCOPED_TRACE(file.m_strName);
        const bool attached = attachments.count(file.m_strContentId) == 1;
        EXPECT_EQ(!file.m_bUnreferenced, attached);
        EXPECT_EQ(attached, body.find("cid:" + file.m_strContentId) != std::string::npos);
    }
    EXPECT_NE(std::string::npos, body.find("<P>_kqwpic_001.gif</P>"));
    EXPECT_EQ(1, DraftCount(m_application));
    CComPtr<IUnknown> object;
    mail->get_MAPIOBJECT(&object);
    LPSPropValue cpid = nullptr;
    ASSERT_EQ(S_OK, HrGetOneProp(CComQIPtr<IMessage>(object.p), PR_INTERNET_CPID, &cpid));
    EXPECT_EQ(65001, cpid->Value.l);
    MAPIFreeBuffer(cpid);
}

TEST_F(SurveyMessageTest, AMissingStartPageNamesItsPathAndSavesNothing)
{
    Write("pic.gif", "GIF89a");
    CWEMessageBuilder builder(m_application, m_log);
    EXPECT_EQ(E_FAIL, builder.CreateSurveyMessage(1, m_props));
    EXPECT_EQ("Error while opening HTML file with contents of survey (" + m_props.GetPagePath() +
                  "). Probably the file has been deleted or moved.",
              builder.GetErrorText());
    EXPECT_EQ(0, DraftCount(m_application));
    EXPECT_FALSE(OpenedMail());
}

TEST_F(SurveyMessageTest, AProjectWithoutAFolderFailsWithTheFileListText)
{
    m_props.m_strProjectDir.clear();
    CWEMessageBuilder builder(m_application, m_log);
    EXPECT_EQ(E_FAIL, builder.CreateSurveyMessage(1, m_props));
    EXPECT_EQ("Fatal error while creating the list of files to be attached to the survey", builder.GetErrorText());
}

TEST_F(SurveyMessageTest, APageWithTwoHundredPicturesAndOverlappingNamesBuildsItsMessage)
{
    std::string page = "<html><body>";
    for (int i = 0; i < 100; ++i) {
        const std::string n = std::to_string(i);
        Write("p" + n + ".gif", "GIF89a" + n);
        Write("top p" + n + ".gif", "GIF89a top" + n);
        page += "<img src=\"top p" + n + ".gif\"><img src='P" + n + ".GIF'>\n";
    }
    Write("index.html", page + "</body></html>");
    CWEMessageBuilder builder(m_application, m_log);
    ASSERT_EQ(S_OK, builder.CreateSurveyMessage(1, m_props)) << builder.GetErrorText();
    CComPtr<_MailItem> mail = OpenedMail();
    ASSERT_TRUE(mail);
    const auto attachments = AttachmentsOf(mail);
    EXPECT_EQ(200u, attachments.size());
    const std::string body = Body(mail);
    EXPECT_EQ(std::string::npos, body.find(".gif\""));
    EXPECT_EQ(std::string::npos, body.find(".GIF'"));
    for (const CWEPageFile& file : builder.GetFiles()) {
        SCOPED_TRACE(file.m_strName);
        ASSERT_EQ(1u, attachments.count(file.m_strContentId));
        EXPECT_EQ(file.m_strName, attachments.at(file.m_strContentId).first);
    }
}

TEST_F(SurveyMessageTest, TheSentSurveyMessageCarriesEveryPictureUnderTheContentIdItsHtmlNames)
{
    Write("index.html", "<HTML><BODY><IMG SRC=\"my pic.gif\"><IMG SRC=\"Ёлка.PNG\"></BODY></HTML>");
    Write("my pic.gif", "GIF89a my pic");
    Write("pic.gif", "GIF89a pic");
    Write("ёлка.png", "PNG fir");
    CWEMessageBuilder builder(m_application, m_log);
    ASSERT_EQ(S_OK, builder.CreateSurveyMessage(1, m_props)) << builder.GetErrorText();
    CComPtr<_MailItem> mail = OpenedMail();
    ASSERT_TRUE(mail);
    CComPtr<Recipients> recipients;
    mail->get_Recipients(&recipients);
    recipients->Add(CComBSTR("carol@example.org"), nullptr);
    ASSERT_EQ(S_OK, mail->Send());

    const std::string written = WaitForOutgoingMail();
    ASSERT_FALSE(written.empty());
    const std::string bytes = AddinTestFolder::ReadFile(written);
    const MimeMessageData sent = ParseMime(std::span(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size()));
    ASSERT_EQ(2u, sent.attachments.size());
    for (const MimeAttachment& part : sent.attachments) {
        SCOPED_TRACE(part.fileName);
        EXPECT_NE(std::string::npos, sent.htmlBody.find("\"cid:" + part.contentId + "\""));
        const std::string expected = part.fileName == "my pic.gif" ? "GIF89a my pic" : "PNG fir";
        EXPECT_EQ(expected, std::string(part.data.begin(), part.data.end()));
    }
}

TEST_F(SurveyMessageTest, PicturesGoOutInlineWithTheImageTypeRegistrationGivesTheirExtension)
{
    // Only what the registration script enters, not the values the other tests set by hand.
    for (const char* key : {"Software\\Classes\\.gif", "Software\\Classes\\.png"})
        ASSERT_EQ(ERROR_SUCCESS, RegDeleteTree(HKEY_CURRENT_USER, key));
    const std::string script = std::string(POLLENTA_SOURCE_DIR) + "/scripts/register-picture-types";
    ASSERT_EQ(0, std::system(("'" + script + "' '" + POLLENTA_BIN_DIR + "'").c_str()));
    Write("index.html", "<HTML><BODY><IMG SRC=\"a.gif\"><IMG SRC=\"b.PNG\"><IMG SRC=\"c.jpg\"><IMG SRC=\"d.jpeg\">"
                        "<IMG SRC=\"e.bmp\"></BODY></HTML>");
    for (const char* name : {"a.gif", "b.PNG", "c.jpg", "d.jpeg", "e.bmp"})
        Write(name, std::string("picture ") + name);
    CWEMessageBuilder builder(m_application, m_log);
    ASSERT_EQ(S_OK, builder.CreateSurveyMessage(1, m_props)) << builder.GetErrorText();
    CComPtr<_MailItem> mail = OpenedMail();
    ASSERT_TRUE(mail);
    CComPtr<Recipients> recipients;
    mail->get_Recipients(&recipients);
    recipients->Add(CComBSTR("carol@example.org"), nullptr);
    ASSERT_EQ(S_OK, mail->Send());

    const std::string written = WaitForOutgoingMail();
    ASSERT_FALSE(written.empty());
    const pollenta::testsupport::ReceivedMail sent = pollenta::testsupport::ReadWithStandardLibrary(written);
    EXPECT_TRUE(sent.defects.empty()) << sent.defects.front();
    const std::map<std::string, std::string> expected = {
        {"a.gif", "image/gif"}, {"b.PNG", "image/png"}, {"c.jpg", "image/jpeg"}, {"d.jpeg", "image/jpeg"},
        {"e.bmp", "image/bmp"}};
    std::string html;
    std::map<std::string, pollenta::testsupport::ReceivedPart> pictures;
    for (const pollenta::testsupport::ReceivedPart& part : sent.parts) {
        if (part.contentType == "text/html")
            html = part.text;
        else
            pictures[part.fileName] = part;
    }
    ASSERT_EQ(expected.size(), pictures.size());
    for (const auto& [name, type] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(type, pictures[name].contentType);
        EXPECT_EQ("inline", pictures[name].disposition);
        EXPECT_NE(std::string::npos, html.find("\"cid:" + pictures[name].contentId + "\"")) << html;
    }
}
