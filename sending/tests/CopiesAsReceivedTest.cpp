// Every copy of both sending methods read by a standard mail library, as the
// recipient's server reads it: for each body format and each version of the
// client, no macro is left in any text part, and the pictures keep their
// types and content ids.

#include "SendingFixture.h"

#include "testsupport/StandardMailReader.h"

#include <ostream>

using pollenta::testsupport::ReadWithStandardLibrary;
using pollenta::testsupport::ReceivedMail;
using pollenta::testsupport::ReceivedPart;

namespace {

enum class Method { First, Second };
enum class Body { Plain, Html, HtmlWithPlain, Rtf };

struct CopyCase {
    Method method;
    Body body;
    const char* version;
};

void PrintTo(const CopyCase& c, std::ostream* out)
{
    static const char* const kBodies[] = {"plain", "HTML", "HTML with plain text", "RTF"};
    *out << (c.method == Method::First ? "Solvenda" : "Solvenda3") << ", " << kBodies[static_cast<int>(c.body)]
         << ", client " << c.version;
}

bool HasHtml(Body body)
{
    return body == Body::Html || body == Body::HtmlWithPlain;
}

const char* const kHtml = "<HTML><BODY><P>Dear %%RECIPNAME%% (%%RECIPIENT%%)</P><IMG SRC=\"cid:pic1\">"
                          "<IMG SRC=\"cid:pic2\"></BODY></HTML>";
const char* const kPlain = "Dear %%RECIPNAME%% (%%RECIPIENT%%)\r\n";
const char* const kRtf = "{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0 Arial;}}\\f0 Dear %%RECIPNAME%% (%%RECIPIENT%%)\\par}";

}  // namespace

class CopiesAsReceived : public SolvendaTest, public testing::WithParamInterface<CopyCase> {
public:
    void Draft(Body body)
    {
        if (body == Body::Plain || body == Body::HtmlWithPlain)
            SetString(m_draft, PR_BODY_A, kPlain);
        if (HasHtml(body)) {
            SetHtml(kHtml);
            AttachPicture();
            AttachUntypedGif();
        }
        if (body == Body::Rtf)
            SetRtf(kRtf);
    }

    // A picture added without a media type, as a file dropped on the draft is.
    void AttachUntypedGif()
    {
        CComPtr<IAttachment> attach;
        ULONG number = 0;
        ASSERT_EQ(S_OK, m_draft->CreateAttach(nullptr, 0, &number, &attach));
        SetString(attach, PR_ATTACH_LONG_FILENAME_A, "_kqwpic_002.gif");
        SetString(attach, PR_ATTACH_CONTENT_ID_A, "pic2");
        const std::string gif = "GIF89a";
        SPropValue data{};
        data.ulPropTag = PR_ATTACH_DATA_BIN;
        data.Value.bin = {static_cast<ULONG>(gif.size()), reinterpret_cast<LPBYTE>(const_cast<char*>(gif.data()))};
        ASSERT_EQ(S_OK, HrSetOneProp(attach, &data));
        ASSERT_EQ(S_OK, attach->SaveChanges(0));
    }

    HRESULT SendBy(Method method)
    {
        if (method == Method::First)
            return Send();
        EXPECT_EQ(S_OK, m_object->putref_Item(DraftItem()));
        const HRESULT hr = m_object->Solvenda3(0, VARIANT_FALSE, CComBSTR(""), CComBSTR(""));
        EXPECT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
        return hr;
    }

    std::vector<ReceivedMail> Received()
    {
        std::vector<ReceivedMail> mails;
        for (const auto& entry : std::filesystem::directory_iterator(Outgoing()))
            if (entry.path().extension() == ".eml")
                mails.push_back(ReadWithStandardLibrary(entry.path()));
        return mails;
    }
};

TEST_P(CopiesAsReceived, CarryTheirRecipientsValuesInEveryPartAndPicturesWithTheirTypes)
{
    const CopyCase& c = GetParam();
    dynamic_cast<standin::Application&>(*m_application.p).SetVersion(c.version);
    Draft(c.body);
    AddEntry(User("Ann One", "ann@example.com"), "Ann One");
    AddEntry(User("Smith & Sons", "smith@example.com"), "Smith & Sons");

    ASSERT_EQ(S_OK, SendBy(c.method));

    const std::vector<ReceivedMail> mails = Received();
    ASSERT_EQ(2u, mails.size());
    for (const ReceivedMail& mail : mails) {
        const std::string to = mail.Header("To");
        SCOPED_TRACE(to);
        EXPECT_TRUE(mail.defects.empty()) << mail.defects.front();
        const std::string address = to.find("ann@") != std::string::npos ? "ann@example.com" : "smith@example.com";
        const std::string name = address == "ann@example.com" ? "Ann One" : "Smith & Sons";
        EXPECT_EQ("Survey for " + address, mail.Header("Subject"));
        EXPECT_FALSE(mail.Header("Date").empty());
        std::size_t texts = 0;
        std::map<std::string, ReceivedPart> pictures;
        for (const ReceivedPart& part : mail.parts) {
            if (!part.IsText()) {
                pictures[part.contentId] = part;
                continue;
            }
            ++texts;
            SCOPED_TRACE(part.contentType);
            EXPECT_EQ(std::string::npos, part.text.find("%%")) << part.text;
            // The HTML shows the name as the page writes it.
            const bool html = part.contentType == "text/html";
            const std::string shown = html && name == "Smith & Sons" ? "Smith &amp; Sons" : name;
            EXPECT_NE(std::string::npos, part.text.find("Dear " + shown + " (" + address + ")")) << part.text;
        }
        EXPECT_EQ(c.body == Body::HtmlWithPlain ? 2u : 1u, texts);
        if (!HasHtml(c.body))
            continue;
        ASSERT_EQ(2u, pictures.size());
        EXPECT_EQ("image/png", pictures["pic1"].contentType);
        EXPECT_EQ("image/gif", pictures["pic2"].contentType);
        for (const auto& [id, picture] : pictures)
            EXPECT_EQ("inline", picture.disposition) << id;
    }
}

std::vector<CopyCase> EveryMethodFormatAndClient()
{
    std::vector<CopyCase> cases;
    for (Method method : {Method::First, Method::Second})
        for (Body body : {Body::Plain, Body::Html, Body::HtmlWithPlain, Body::Rtf})
            for (const char* version : {"9.0.0.2711", "11.0.8169", "12.0.4518"})
                cases.push_back({method, body, version});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(BothMethodsEveryFormatEveryClient, CopiesAsReceived,
                         testing::ValuesIn(EveryMethodFormatAndClient()));
