#include "mapi/Mime.h"

#include "MimeTestSupport.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <thread>

namespace {

bool IsUtf8(const std::string& text) { return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr); }

void ExpectAllTextValid(const MimeMessageData& m)
{
    EXPECT_TRUE(IsUtf8(m.subject));
    EXPECT_TRUE(IsUtf8(m.plainBody));
    EXPECT_TRUE(IsUtf8(m.htmlBody));
    EXPECT_TRUE(IsUtf8(m.from.name));
    for (const MimeAttachment& a : m.attachments)
        EXPECT_TRUE(IsUtf8(a.fileName));
}

const MimeAttachment* FindByContentId(const MimeMessageData& m, const std::string& id)
{
    for (const MimeAttachment& a : m.attachments) {
        if (a.contentId == id)
            return &a;
    }
    return nullptr;
}

// A multipart/mixed message of `parts`, each its headers, a blank line and its content.
std::vector<BYTE> MixedMessage(std::initializer_list<std::string> parts)
{
    std::string text = "Subject: parts\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n\r\n";
    for (const std::string& part : parts)
        text += "--b\r\n" + part + "\r\n";
    return Bytes(text + "--b--\r\n");
}

TEST(ParseMime, MultipartMessageWithPicturesAndFormData)
{
    const MimeMessageData m = ParseMime(ReadSample("survey-answer.eml"));
    EXPECT_TRUE(m.warnings.empty()) << m.warnings.front();

    EXPECT_EQ(m.subject, "Antwort: Umfrage über Kaffee");
    EXPECT_EQ(m.from, (MimeAddress{"Anna Müller", "anna@example.org"}));
    ASSERT_EQ(m.to.size(), 2u);
    EXPECT_EQ(m.to[0], (MimeAddress{"Survey Desk", "survey@example.com"}));
    EXPECT_EQ(m.to[1], (MimeAddress{"", "bob@example.com"}));
    ASSERT_EQ(m.cc.size(), 1u);
    EXPECT_EQ(m.cc[0], (MimeAddress{"Иван Петров", "ivan@example.ru"}));
    EXPECT_TRUE(m.bcc.empty());
    ASSERT_TRUE(m.date.has_value());
    EXPECT_EQ(*m.date, 1796721300); // 2026-12-08 09:15:00 UTC
    EXPECT_EQ(m.messageId, "20261208101500.4711@mail.example.org");

    EXPECT_EQ(m.plainBody, "Survey – please answer.\r\nCafé naïve text line that is long enough to need a soft line "
                           "break in quoted-printable encoding.\r\n");
    EXPECT_NE(m.htmlBody.find("<p>Опрос: survey</p>"), std::string::npos);
    EXPECT_NE(m.htmlBody.find("src=\"cid:logo.png@01D9A1B2.3C4D5E60\""), std::string::npos);
    EXPECT_EQ(m.charset, "utf-8");

    ASSERT_EQ(m.attachments.size(), 3u);
    const MimeAttachment* logo = FindByContentId(m, "logo.png@01D9A1B2.3C4D5E60");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->contentType, "image/png");
    EXPECT_EQ(logo->fileName, "logo.png");
    EXPECT_TRUE(logo->isInline);
    EXPECT_EQ(logo->data, kLogoPng);
    const MimeAttachment* spacer = FindByContentId(m, "spacer@01D9A1B2.3C4D5E60");
    ASSERT_NE(spacer, nullptr);
    EXPECT_TRUE(spacer->isInline);
    EXPECT_EQ(spacer->data, kSpacerGif);

    const MimeAttachment& form = m.attachments[2];
    EXPECT_EQ(form.fileName, "POSTDATA.ATT");
    EXPECT_FALSE(form.isInline);
    EXPECT_EQ(Text(form.data), "kqprojectid=5&q1=Yes&comment=Hello+world%21");
    bool sawDisposition = false;
    for (const MimeHeader& h : form.headers)
        sawDisposition |= h.name == "Content-Disposition" && h.value.find("POSTDATA.ATT") != std::string::npos;
    EXPECT_TRUE(sawDisposition);

    bool sawMailer = false;
    for (const MimeHeader& h : m.headers)
        sawMailer |= h.name == "X-Mailer" && h.value == "Example Mail 6.0";
    EXPECT_TRUE(sawMailer);
}

TEST(ParseMime, EncodedWordsInHeaders)
{
    const MimeMessageData m = ParseMime(Bytes(
        "From: =?iso-8859-1?Q?Andr=E9?= <andre@example.fr>\r\n"
        "To: =?koi8-r?B?8NLJ18XU?= <privet@example.ru>\r\n"
        "Subject: =?windows-1251?B?z/Du4uXw6uA=?= =?iso-8859-2?Q?_=BFo=B3w?= plain\r\n"
        "\r\n"
        "body\r\n"));
    EXPECT_EQ(m.subject, "Проверка żołw plain");
    EXPECT_EQ(m.from.name, "André");
    ASSERT_EQ(m.to.size(), 1u);
    EXPECT_EQ(m.to[0].name, "Привет");
    EXPECT_EQ(m.plainBody, "body\r\n");
}

TEST(ParseMime, UnknownCharsetIsGuessedAndReported)
{
    const MimeMessageData latin = ParseMime(Bytes("Subject: =?x-martian?Q?caf=E9?=\r\n"
                                                  "Content-Type: text/plain; charset=x-martian\r\n"
                                                  "\r\n"
                                                  "caf\xE9 cr\xE8me\r\n"));
    EXPECT_EQ(latin.plainBody, "café crème\r\n");
    EXPECT_FALSE(latin.warnings.empty());
    EXPECT_EQ(latin.charset, "x-martian");
    EXPECT_NE(latin.subject.find("caf"), std::string::npos);
    ExpectAllTextValid(latin);

    const MimeMessageData utf8 = ParseMime(Bytes("Content-Type: text/html; charset=\"x-unknown\"\r\n"
                                                 "\r\n"
                                                 "<p>\xC3\xA9t\xC3\xA9</p>"));
    EXPECT_EQ(utf8.htmlBody, "<p>été</p>");
    EXPECT_FALSE(utf8.warnings.empty());

    const MimeMessageData lying = ParseMime(Bytes("Content-Type: text/plain; charset=utf-8\r\n\r\nbad \xFF byte"));
    EXPECT_TRUE(IsUtf8(lying.plainBody));
    EXPECT_NE(lying.plainBody.find("bad "), std::string::npos);
    EXPECT_FALSE(lying.warnings.empty());
}

TEST(ParseMime, MangledCharsetNameNeverLetsInvalidTextThrough)
{
    // A stray quote and NULs in the parameter make a name that the converter
    // reads as UTF-8 without checking the code points.
    const std::string header("Content-Type: text/plain; charset=\"utf-8\0\0\"\r\n\r\n", 47);
    const MimeMessageData m = ParseMime(Bytes(header + "abc\xF6\xBC\x90\x8A" "def\r\n"));
    EXPECT_TRUE(IsUtf8(m.plainBody));
    EXPECT_EQ(m.plainBody.substr(0, 3), "abc");
    EXPECT_NE(m.plainBody.find("def"), std::string::npos);
    EXPECT_FALSE(m.warnings.empty());
}

TEST(ParseMime, TruncatedMessageKeepsWhatWasRead)
{
    const std::vector<BYTE> whole = ReadSample("survey-answer.eml");
    const std::string text = Text(whole);
    // Cut inside the base64 of the first picture.
    const std::size_t cut = text.find("iVBORw0KGgo") + 20;
    const MimeMessageData m = ParseMime(std::span<const BYTE>(whole).first(cut));
    EXPECT_FALSE(m.warnings.empty());
    EXPECT_EQ(m.subject, "Antwort: Umfrage über Kaffee");
    EXPECT_NE(m.plainBody.find("please answer"), std::string::npos);
    EXPECT_NE(m.htmlBody.find("cid:logo.png"), std::string::npos);
    const MimeAttachment* logo = FindByContentId(m, "logo.png@01D9A1B2.3C4D5E60");
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(logo->data.empty());

    // No cut anywhere may crash or produce broken text.
    for (std::size_t length = 0; length < whole.size(); length += 37)
        ExpectAllTextValid(ParseMime(std::span<const BYTE>(whole).first(length)));
}

TEST(ParseMime, MalformedAndHugeInputStillYieldsAMessage)
{
    const MimeMessageData empty = ParseMime({});
    EXPECT_FALSE(empty.warnings.empty());

    const MimeMessageData junkFirst = ParseMime(Bytes("garbage line\r\nSubject: after junk\r\n\r\nbody"));
    EXPECT_EQ(junkFirst.subject, "after junk");
    EXPECT_EQ(junkFirst.plainBody, "body");
    EXPECT_FALSE(junkFirst.warnings.empty());

    const MimeMessageData nul = ParseMime(Bytes(std::string("Subject: n\r\n\r\nbefore\0after", 26)));
    EXPECT_EQ(nul.plainBody, "before\xEF\xBF\xBD" "after");
    EXPECT_FALSE(nul.warnings.empty());

    const MimeMessageData noBoundary =
        ParseMime(Bytes("Subject: x\r\nContent-Type: multipart/mixed\r\n\r\n--zz\r\n\r\ntext\r\n--zz--\r\n"));
    EXPECT_EQ(noBoundary.subject, "x");
    EXPECT_FALSE(noBoundary.warnings.empty());

    std::string nested = "Subject: deep\r\n";
    for (int i = 0; i < 2000; ++i)
        nested += "Content-Type: multipart/mixed; boundary=\"b" + std::to_string(i) + "\"\r\n\r\n--b" +
                  std::to_string(i) + "\r\n";
    nested += "Content-Type: text/plain\r\n\r\ninnermost\r\n";
    const MimeMessageData deep = ParseMime(Bytes(nested));
    EXPECT_EQ(deep.subject, "deep");
    EXPECT_FALSE(deep.warnings.empty());

    const std::vector<BYTE> whole = ReadSample("survey-answer.eml");
    const MimeMessageData limited = ParseMime(whole, 1200);
    EXPECT_EQ(limited.subject, "Antwort: Umfrage über Kaffee");
    EXPECT_FALSE(limited.warnings.empty());

    std::string big = "Subject: big\r\nContent-Type: text/plain; charset=us-ascii\r\n\r\n";
    big.append(8u * 1024 * 1024, 'x');
    const MimeMessageData large = ParseMime(Bytes(big));
    EXPECT_EQ(large.plainBody.size(), 8u * 1024 * 1024);
}

TEST(ParseMime, FormDataPartWithoutFileNameIsAnAttachment)
{
    const MimeMessageData m = ParseMime(Bytes("Subject: Form posted from Mozilla\r\n"
                                              "Content-Type: multipart/mixed; boundary=\"b\"\r\n"
                                              "\r\n"
                                              "--b\r\n"
                                              "Content-Type: text/plain\r\n"
                                              "\r\n"
                                              "See the form data.\r\n"
                                              "--b\r\n"
                                              "Content-Type: application/x-www-form-urlencoded\r\n"
                                              "\r\n"
                                              "kqprojectid=7&name=Jo+Doe\r\n"
                                              "--b--\r\n"));
    EXPECT_TRUE(m.warnings.empty());
    EXPECT_EQ(m.plainBody, "See the form data.");
    ASSERT_EQ(m.attachments.size(), 1u);
    EXPECT_EQ(m.attachments[0].contentType, "application/x-www-form-urlencoded");
    EXPECT_EQ(Text(m.attachments[0].data), "kqprojectid=7&name=Jo+Doe");
    EXPECT_TRUE(m.attachments[0].fileName.empty());
}

TEST(ParseMime, UnpaddedBase64DecodesToTheLastByte)
{
    struct Case {
        const char* encoded;
        const char* decoded;
    };
    const Case cases[] = {
        {"YWJj", "abc"},
        {"YWJjZA", "abcd"},
        {"YWJjZGU", "abcde"},
        {"YWJjZA==", "abcd"},
        {"YWJjZGU=", "abcde"},
        {"YWJj\r\nZGU", "abcde"},
        {"YWJjZGU\r\n\r\n", "abcde"},
        {"YWJjZ", "abc"},          // a lone last character holds no whole byte
        {"YQ==YmM=", "abc"},       // pieces encoded one after another
        {"Y W\tJ j Z A", "abcd"},  // stray white space inside
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.encoded);
        const std::string encoded = c.encoded;
        const MimeMessageData m = ParseMime(MixedMessage(
            {"Content-Type: text/plain; charset=us-ascii\r\nContent-Transfer-Encoding: base64\r\n\r\n" + encoded,
             "Content-Type: application/octet-stream; name=\"a.bin\"\r\n"
             "Content-Transfer-Encoding: BASE64\r\n\r\n" + encoded}));
        EXPECT_EQ(c.decoded, m.plainBody);
        ASSERT_EQ(1u, m.attachments.size());
        EXPECT_EQ(c.decoded, Text(m.attachments[0].data));
    }

    // "Grüße" in UTF-8 is seven bytes; the last one is the unpadded tail.
    const MimeMessageData single = ParseMime(Bytes("Content-Type: text/plain; charset=utf-8\r\n"
                                                   "Content-Transfer-Encoding: base64\r\n"
                                                   "\r\n"
                                                   "R3LDvMOfZQ"));
    EXPECT_EQ("Grüße", single.plainBody);
    EXPECT_TRUE(single.warnings.empty()) << single.warnings.front();
}

TEST(ParseMime, RawBytesInsideEncodedWordsOfAddressesDecodeAsInTheSubject)
{
    // Older mail programs put 8-bit bytes into "Q" encoded words unescaped.
    const MimeMessageData m = ParseMime(Bytes("From: =?iso-8859-1?Q?J=FCrgen_K\xF6hler?= <j@example.de>\r\n"
                                              "To: Heinz =?iso-8859-1?Q?M\xFCller?= <h@example.de>,\r\n"
                                              " =?windows-1251?Q?\xCF\xE5\xF2\xF0?= <p@example.ru>\r\n"
                                              "Cc: =?ISO-8859-1?q?Stra\xDF" "e?= <s@example.de>, J\xFCrgen <r@example.de>\r\n"
                                              "Bcc: =?utf-8?Q?M\xC3\xBCller?= <u@example.de>\r\n"
                                              "Reply-To: =?iso-8859-1?Q?M\xFCller?= <h@example.de>\r\n"
                                              "Subject: =?iso-8859-1?Q?M\xFCller?=\r\n"
                                              "\r\n"
                                              "body\r\n"));
    EXPECT_EQ("Müller", m.subject);
    EXPECT_EQ((MimeAddress{"Jürgen Köhler", "j@example.de"}), m.from);
    EXPECT_EQ((std::vector<MimeAddress>{{"Heinz Müller", "h@example.de"}, {"Петр", "p@example.ru"}}), m.to);
    EXPECT_EQ((std::vector<MimeAddress>{{"Straße", "s@example.de"}, {"Jürgen", "r@example.de"}}), m.cc);
    EXPECT_EQ((std::vector<MimeAddress>{{"Müller", "u@example.de"}}), m.bcc);
    bool sawReplyTo = false;
    for (const MimeHeader& h : m.headers)
        sawReplyTo |= h.name == "Reply-To" && h.value == "Müller <h@example.de>";
    EXPECT_TRUE(sawReplyTo);
}

TEST(ParseMime, PartWithAnUnreadableContentTypeKeepsItsFileName)
{
    struct Case {
        const char* contentType;
        const char* fileName;
    };
    const Case cases[] = {
        {"application-x-gzip; name=x.gz", "x.gz"},
        {"application-x-gzip; name=\"report 2026.gz\"", "report 2026.gz"},
        {"gzip;name=\"=?iso-8859-1?Q?Gr=FC=DFe.gz?=\"", "Grüße.gz"},
        {"application-x-gzip; name*=utf-8''K%C3%B6ln.gz", "Köln.gz"},
        {"application-x-gzip", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contentType);
        const MimeMessageData m = ParseMime(MixedMessage(
            {"Content-Type: text/plain\r\n\r\nsee the file",
             std::string("Content-Type: ") + c.contentType +
                 "\r\nContent-Transfer-Encoding: base64\r\n\r\nH4sIAAAAAAAAAw=="}));
        EXPECT_EQ("see the file", m.plainBody);
        ASSERT_EQ(1u, m.attachments.size());
        EXPECT_EQ(c.fileName, m.attachments[0].fileName);
        EXPECT_EQ("application/octet-stream", m.attachments[0].contentType);
        EXPECT_EQ(10u, m.attachments[0].data.size());
    }
}

TEST(ParseMime, ThreadsParseAndComposeAtOnce)
{
    // The spooler composes on its thread while delivery parses on another.
    const std::vector<BYTE> sample = ReadSample("survey-answer.eml");
    std::vector<std::thread> threads;
    std::vector<int> sound(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 25; ++i) {
                const MimeMessageData m = ParseMime(ComposeMime(ParseMime(sample)));
                sound[t] += m.attachments.size() == 3 && m.subject == "Antwort: Umfrage über Kaffee";
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(sound, std::vector<int>(4, 25));
}

} // namespace
