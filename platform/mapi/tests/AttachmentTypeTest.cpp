// The media type an attachment goes out with, read from the sent file as a
// receiving server reads it.

#include "MapiTestSupport.h"

#include "testsupport/StandardMailReader.h"

#include <filesystem>
#include <map>

using pollenta::testsupport::ReadWithStandardLibrary;
using pollenta::testsupport::ReceivedMail;
using pollenta::testsupport::ReceivedPart;

namespace {

struct Attached {
    const char* fileName;
    const char* mimeTag;  // null: the attachment has none, as files added by hand have not
    const char* contentId;
};

}  // namespace

class CAttachmentTypeTest : public CMapiTest {
protected:
    void Attach(IMessage* message, const Attached& file)
    {
        CComPtr<IAttachment> attach;
        ULONG number = 0;
        ASSERT_EQ(S_OK, message->CreateAttach(nullptr, 0, &number, &attach));
        SetString(attach, PR_ATTACH_LONG_FILENAME_A, file.fileName);
        if (file.mimeTag)
            SetString(attach, PR_ATTACH_MIME_TAG_A, file.mimeTag);
        if (file.contentId)
            SetString(attach, PR_ATTACH_CONTENT_ID_A, file.contentId);
        const std::string bytes = std::string("bytes of ") + file.fileName;
        SPropValue data{};
        data.ulPropTag = PR_ATTACH_DATA_BIN;
        data.Value.bin = {static_cast<ULONG>(bytes.size()), reinterpret_cast<LPBYTE>(const_cast<char*>(bytes.data()))};
        ASSERT_EQ(S_OK, HrSetOneProp(attach, &data));
        ASSERT_EQ(S_OK, attach->SaveChanges(0));
    }

    // The one file the spooler wrote for a message with these attachments.
    ReceivedMail SendWith(std::initializer_list<Attached> files)
    {
        CComPtr<IMAPIFolder> outbox = SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID);
        CComPtr<IMessage> message;
        EXPECT_EQ(S_OK, outbox->CreateMessage(nullptr, 0, &message));
        SetString(message, PR_SUBJECT_A, "Pictures");
        SetString(message, PR_BODY_A, "See the pictures.");
        const std::string html = "<p><img src=\"cid:chart\"><img src=\"cid:scan\"><img src=\"cid:logo\"></p>";
        SPropValue value{};
        value.ulPropTag = PR_HTML;
        value.Value.bin = {static_cast<ULONG>(html.size()), reinterpret_cast<LPBYTE>(const_cast<char*>(html.data()))};
        EXPECT_EQ(S_OK, HrSetOneProp(message, &value));
        for (const Attached& file : files)
            Attach(message, file);
        AddRecipient(message, "Bob", "bob@example.com");
        EXPECT_EQ(S_OK, message->SubmitMessage(FORCE_SUBMIT));
        EXPECT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
        std::vector<std::filesystem::path> sent;
        for (const auto& entry : std::filesystem::directory_iterator(Outgoing()))
            if (entry.path().extension() == ".eml")
                sent.push_back(entry.path());
        if (sent.size() != 1) {
            ADD_FAILURE() << sent.size() << " files sent";
            return {};
        }
        return ReadWithStandardLibrary(sent[0]);
    }
};

TEST_F(CAttachmentTypeTest, AnAttachmentWithoutAMimeTagGoesWithTheTypeTheSystemTableGivesItsExtension)
{
    const ReceivedMail mail = SendWith({{"Chart.JPG", nullptr, "chart"},
                                        {"scan.bmp", nullptr, "scan"},
                                        {"logo.gif", "image/gif", "logo"},
                                        {"figures.csv", nullptr, nullptr},
                                        {"drawing.svg", nullptr, nullptr},
                                        {"notes.unknown-kind", nullptr, nullptr},
                                        {"README", nullptr, nullptr}});
    EXPECT_TRUE(mail.defects.empty()) << mail.defects.front();
    std::map<std::string, ReceivedPart> byName;
    for (const ReceivedPart& part : mail.parts)
        if (!part.fileName.empty())
            byName[part.fileName] = part;
    ASSERT_EQ(7u, byName.size());
    const std::map<std::string, std::string> expected = {{"Chart.JPG", "image/jpeg"},
                                                         {"scan.bmp", "image/bmp"},
                                                         {"logo.gif", "image/gif"},
                                                         {"figures.csv", "text/csv"},
                                                         {"drawing.svg", "image/svg+xml"},
                                                         {"notes.unknown-kind", "application/octet-stream"},
                                                         {"README", "application/octet-stream"}};
    for (const auto& [name, type] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(type, byName[name].contentType);
    }
    for (const char* picture : {"Chart.JPG", "scan.bmp", "logo.gif"}) {
        SCOPED_TRACE(picture);
        EXPECT_EQ("inline", byName[picture].disposition);
        EXPECT_FALSE(byName[picture].contentId.empty());
    }
    EXPECT_EQ("chart", byName["Chart.JPG"].contentId);
    EXPECT_EQ("attachment", byName["figures.csv"].disposition);
}
