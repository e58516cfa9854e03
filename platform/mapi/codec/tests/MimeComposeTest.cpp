#include "mapi/Mime.h"

#include "MimeTestSupport.h"

#include <gtest/gtest.h>

namespace {

bool Contains(const std::vector<BYTE>& bytes, std::string_view text)
{
    return Text(bytes).find(text) != std::string::npos;
}

void ExpectSameContent(const MimeMessageData& a, const MimeMessageData& b)
{
    EXPECT_EQ(a.subject, b.subject);
    EXPECT_EQ(a.from, b.from);
    EXPECT_EQ(a.to, b.to);
    EXPECT_EQ(a.cc, b.cc);
    EXPECT_EQ(a.bcc, b.bcc);
    EXPECT_EQ(a.date, b.date);
    EXPECT_EQ(a.messageId, b.messageId);
    EXPECT_EQ(a.plainBody, b.plainBody);
    EXPECT_EQ(a.htmlBody, b.htmlBody);
    ASSERT_EQ(a.attachments.size(), b.attachments.size());
    for (std::size_t i = 0; i < a.attachments.size(); ++i) {
        EXPECT_EQ(a.attachments[i].fileName, b.attachments[i].fileName) << i;
        EXPECT_EQ(a.attachments[i].contentType, b.attachments[i].contentType) << i;
        EXPECT_EQ(a.attachments[i].contentId, b.attachments[i].contentId) << i;
        EXPECT_EQ(a.attachments[i].isInline, b.attachments[i].isInline) << i;
        EXPECT_EQ(a.attachments[i].data, b.attachments[i].data) << i;
    }
}

TEST(ComposeMime, ParsedMessageRecomposesWithItsPartsIntact)
{
    const MimeMessageData original = ParseMime(ReadSample("survey-answer.eml"));
    const std::vector<BYTE> composed = ComposeMime(original);

    // The pictures travel with the HTML; the form data is an ordinary attachment.
    EXPECT_TRUE(Contains(composed, "multipart/mixed"));
    EXPECT_TRUE(Contains(composed, "multipart/alternative"));
    EXPECT_TRUE(Contains(composed, "multipart/related"));
    EXPECT_TRUE(Contains(composed, "Content-Id: <logo.png@01D9A1B2.3C4D5E60>") ||
                Contains(composed, "Content-ID: <logo.png@01D9A1B2.3C4D5E60>"));
    EXPECT_TRUE(Contains(composed, "X-Mailer: Example Mail 6.0"));
    EXPECT_TRUE(Contains(composed, "\r\n\r\n"));
    EXPECT_FALSE(Contains(composed, "Subject: Antwort: Umfrage \xC3\xBC")) << "8-bit subject";

    const MimeMessageData again = ParseMime(composed);
    EXPECT_TRUE(again.warnings.empty()) << again.warnings.front();
    ExpectSameContent(original, again);
    EXPECT_EQ(again.charset, "utf-8");
}

TEST(ComposeMime, BuiltMessageRoundTrips)
{
    MimeMessageData m;
    m.subject = "Опрос: ваше мнение — 2026";
    m.from = {"Pollenta Surveys", "surveys@example.com"};
    m.to = {{"Jürgen Groß", "juergen@example.de"}, {"", "plain@example.com"}};
    m.bcc = {{"Hidden", "hidden@example.com"}};
    m.date = 1796721300;
    m.messageId = "abc.123@example.com";
    m.htmlBody = "<html><body><p>Здравствуйте!</p><img src=\"cid:6F9619FF-8B86-D011-B42D-00C04FC964FF\"></body></html>";
    m.attachments.push_back({"picture.png", "image/png", "6F9619FF-8B86-D011-B42D-00C04FC964FF", true, kLogoPng, {}});
    std::vector<BYTE> binary;
    for (int i = 0; i < 3000; ++i)
        binary.push_back(static_cast<BYTE>(i * 7));
    m.attachments.push_back({"Отчёт 2026.bin", "application/octet-stream", "", false, binary, {}});
    m.attachments.push_back({"lines.txt", "text/plain", "", false, Bytes("one\ntwo\r\nthree\r"), {}});
    m.headers = {{"Subject", "ignored: the field wins"}, {"X-Survey", "Projekt 5 – Kaffee"}};

    const std::vector<BYTE> composed = ComposeMime(m);
    EXPECT_FALSE(Contains(composed, "ignored: the field wins"));
    const MimeMessageData again = ParseMime(composed);
    EXPECT_TRUE(again.warnings.empty()) << again.warnings.front();
    ExpectSameContent(m, again);
    bool sawCustom = false;
    for (const MimeHeader& h : again.headers)
        sawCustom |= h.name == "X-Survey" && h.value == "Projekt 5 – Kaffee";
    EXPECT_TRUE(sawCustom);
}

TEST(ComposeMime, LineBreaksInFieldsCannotAddHeaders)
{
    MimeMessageData m;
    m.subject = "Hello\r\nBcc: evil@example.com";
    m.to = {{"x\r\nCc: evil2@example.com", "a@example.com"}};
    m.headers = {{"X-Test", "v\r\nX-Injected: 1"}, {"Bad Name:", "x"}, {"", "y"}};
    m.plainBody = "hi";
    const MimeMessageData again = ParseMime(ComposeMime(m));
    EXPECT_TRUE(again.warnings.empty()) << again.warnings.front();
    EXPECT_EQ(again.subject, m.subject);
    ASSERT_EQ(again.to.size(), 1u);
    EXPECT_EQ(again.to[0].address, "a@example.com");
    EXPECT_TRUE(again.cc.empty());
    EXPECT_TRUE(again.bcc.empty());
    for (const MimeHeader& h : again.headers) {
        EXPECT_NE(h.name, "X-Injected");
        EXPECT_NE(h.name, "Bad Name");
    }
}

TEST(ComposeMime, AttachedMessagesAndContainerTypes)
{
    MimeMessageData m;
    m.plainBody = "see attached";
    m.attachments.push_back(
        {"forwarded.eml", "message/rfc822", "", false, Bytes("Subject: inner\r\n\r\ninner body\r\n"), {}});
    m.attachments.push_back({"odd.bin", "multipart/related", "", false, Bytes("not a multipart"), {}});
    m.attachments.push_back({"", "nonsense", "", false, Bytes("data"), {}});
    const MimeMessageData again = ParseMime(ComposeMime(m));
    EXPECT_TRUE(again.warnings.empty()) << again.warnings.front();
    ASSERT_EQ(again.attachments.size(), 3u);
    EXPECT_EQ(again.attachments[0].contentType, "message/rfc822");
    EXPECT_EQ(again.attachments[0].fileName, "forwarded.eml");
    EXPECT_EQ(ParseMime(again.attachments[0].data).plainBody, "inner body\r\n");
    EXPECT_EQ(again.attachments[1].contentType, "application/octet-stream");
    EXPECT_EQ(Text(again.attachments[1].data), "not a multipart");
    EXPECT_EQ(again.attachments[2].contentType, "application/octet-stream");
    EXPECT_EQ(Text(again.attachments[2].data), "data");
}

TEST(ComposeMime, PlainTextOnlyAndEmptyMessages)
{
    MimeMessageData plain;
    plain.subject = "ascii";
    plain.plainBody = std::string(5000, 'a') + "\r\nend\r\n";
    const MimeMessageData again = ParseMime(ComposeMime(plain));
    EXPECT_EQ(again.plainBody, plain.plainBody);
    EXPECT_TRUE(again.attachments.empty());

    const MimeMessageData empty = ParseMime(ComposeMime(MimeMessageData{}));
    EXPECT_TRUE(empty.subject.empty());
    EXPECT_TRUE(empty.plainBody.empty());
    EXPECT_TRUE(empty.attachments.empty());
}

TEST(ComposeMime, BodiesAreWrittenInTheCharsetTheirPartsDeclare)
{
    // Text that fits Latin-1 as well as text that needs UTF-8.
    for (const std::string text : {"Grüße aus Köln", "Preis: 5 € – Ελλάδα, Россия", "plain ascii"}) {
        SCOPED_TRACE(text);
        MimeMessageData m;
        m.plainBody = text + "\r\n";
        m.htmlBody = "<p>" + text + "</p>\r\n";
        const std::vector<BYTE> both = ComposeMime(m);
        EXPECT_FALSE(Contains(both, "iso-8859-1"));
        const MimeMessageData again = ParseMime(both);
        EXPECT_TRUE(again.warnings.empty()) << again.warnings.front();
        EXPECT_EQ("utf-8", again.charset);
        EXPECT_EQ(m.plainBody, again.plainBody);
        EXPECT_EQ(m.htmlBody, again.htmlBody);

        MimeMessageData html;
        html.htmlBody = m.htmlBody;
        const MimeMessageData htmlAgain = ParseMime(ComposeMime(html));
        EXPECT_TRUE(htmlAgain.warnings.empty()) << htmlAgain.warnings.front();
        EXPECT_EQ(html.htmlBody, htmlAgain.htmlBody);
    }
}

TEST(ComposeMime, BodyWithoutAFinalLineBreakKeepsItsBytes)
{
    const std::string texts[] = {
        "hello",
        "line one\r\nline two",
        "a = b, tabs\tand trailing space ",
        std::string(200, 'x'),
        "Grüße aus Köln",
        "Здравствуйте",
        "ends in a line break\r\n",
        "two line breaks\r\n\r\n",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        MimeMessageData plain;
        plain.plainBody = text;
        EXPECT_EQ(text, ParseMime(ComposeMime(plain)).plainBody);

        MimeMessageData html;
        html.htmlBody = text;
        EXPECT_EQ(text, ParseMime(ComposeMime(html)).htmlBody);

        MimeMessageData both;
        both.plainBody = text;
        both.htmlBody = text;
        const MimeMessageData again = ParseMime(ComposeMime(both));
        EXPECT_EQ(text, again.plainBody);
        EXPECT_EQ(text, again.htmlBody);
    }
}

} // namespace
