// Headers as other mail programs fold and encode them: a long text in
// several encoded words, words of different charsets side by side, file
// names in RFC 2231 form and as encoded words.

#include "mapi/Mime.h"

#include "EncodedWords.h"
#include "MimeTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

// A message of `headers` with an HTML body and one picture whose own
// headers are `pictureHeaders`.
std::vector<BYTE> MessageWith(const std::string& headers, const std::string& pictureHeaders = "")
{
    std::string text = headers + "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n\r\n"
                                 "--b\r\nContent-Type: text/plain; charset=utf-8\r\n\r\nanswer\r\n";
    if (!pictureHeaders.empty())
        text += "--b\r\n" + pictureHeaders + "Content-Transfer-Encoding: base64\r\n\r\nR0lGODlhAQABAAAAACw=\r\n";
    return Bytes(text + "--b--\r\n");
}

std::string HeaderValue(const MimeMessageData& m, const std::string& name)
{
    for (const MimeHeader& header : m.headers) {
        if (header.name == name)
            return header.value;
    }
    return "(none)";
}

struct SubjectCase {
    const char* client;
    const char* header;
    const char* subject;
};

void PrintTo(const SubjectCase& c, std::ostream* out)
{
    *out << c.client;
}

class SubjectAsClientsWriteIt : public testing::TestWithParam<SubjectCase> {};

TEST_P(SubjectAsClientsWriteIt, IsReadWhole)
{
    const SubjectCase& c = GetParam();
    const MimeMessageData m =
        ParseMime(MessageWith(std::string("From: a@example.org\r\nSubject:") + c.header + "\r\n"));
    EXPECT_EQ(c.subject, m.subject) << c.client;
    EXPECT_EQ(c.subject, HeaderValue(m, "Subject")) << c.client;
}

INSTANTIATE_TEST_SUITE_P(
    ParseMime, SubjectAsClientsWriteIt,
    testing::Values(
        // The words of the issue: padded base64, the second word lost before.
        SubjectCase{"padded words on one line", " =?UTF-8?B?Q291cnM=?= =?UTF-8?B?ZSBhbnN3ZXI=?=", "Course answer"},
        SubjectCase{"Outlook, folded",
                    " =?utf-8?B?0J7RgtCy0LXRgiDQvdCwIA==?=\r\n =?utf-8?B?0L7Qv9GA0L7RgSDQviDQutC+0YTQtQ==?=",
                    "Ответ на опрос о кофе"},
        SubjectCase{"folded with a tab",
                    " =?UTF-8?B?VW1mcmFnZSA=?=\r\n\t=?UTF-8?B?w7xiZXIgS2FmZmVl?=", "Umfrage über Kaffee"},
        SubjectCase{"three words, short groups",
                    " =?UTF-8?B?VW1mcmFnZSA?= =?UTF-8?B?w7xiZXIg?= =?UTF-8?B?S2FmZmVl?=", "Umfrage über Kaffee"},
        SubjectCase{"a character split across two words", " =?UTF-8?B?0JrQ?= =?UTF-8?B?sNGE0LU=?=", "Кафе"},
        SubjectCase{"mixed charsets",
                    " =?ISO-8859-1?Q?Caf=E9?= =?KOI8-R?B?79TXxdQ=?= =?UTF-8?B?VW1mcmFnZSA=?=\r\n"
                    " =?UTF-8?B?w7xiZXIgS2FmZmVl?=",
                    "CaféОтветUmfrage über Kaffee"},
        SubjectCase{"plain text around the words", " Re: =?UTF-8?B?U29uZGFnZSA=?= =?UTF-8?B?Y2Fmw6k=?= [OK]",
                    "Re: Sondage café [OK]"},
        // What GMime already read right stays as it was.
        SubjectCase{"Thunderbird, whole groups",
                    " =?UTF-8?B?0JjQstCw0L0g?= =?UTF-8?B?0J/QtdGC0YDQvtCy?=", "Иван Петров"},
        SubjectCase{"quoted-printable words",
                    " =?iso-8859-1?Q?Umfrage_?=\r\n =?iso-8859-1?Q?=FCber_Kaffee?=", "Umfrage über Kaffee"},
        SubjectCase{"one word", " =?UTF-8?B?Q291cnM=?=", "Cours"}));

TEST(ParseMime, DisplayNamesInSeveralWordsAreReadWholeInEveryAddressHeader)
{
    const MimeMessageData m = ParseMime(
        MessageWith("From: =?UTF-8?B?QW5uYSA=?=\r\n =?UTF-8?B?TcO8bGxlcg==?= <anna@example.org>\r\n"
                    "To: \"=?utf-8?B?U29uZGFnZSA=?= =?utf-8?B?Y2Fmw6k=?=\" <desk@example.com>, bob@example.com\r\n"
                    "Cc: =?windows-1251?B?yOLg7SA=?= =?windows-1251?B?z+Xy8O7i?= <ivan@example.ru>\r\n"
                    "Bcc: =?UTF-8?Q?Anna_?= =?UTF-8?B?TcO8bGxlcg==?= <copy@example.org>\r\n"
                    "Subject: names\r\n"));
    EXPECT_EQ((MimeAddress{"Anna Müller", "anna@example.org"}), m.from);
    ASSERT_EQ(2u, m.to.size());
    EXPECT_EQ((MimeAddress{"Sondage café", "desk@example.com"}), m.to[0]);
    EXPECT_EQ((MimeAddress{"", "bob@example.com"}), m.to[1]);
    ASSERT_EQ(1u, m.cc.size());
    EXPECT_EQ((MimeAddress{"Иван Петров", "ivan@example.ru"}), m.cc[0]);
    ASSERT_EQ(1u, m.bcc.size());
    EXPECT_EQ((MimeAddress{"Anna Müller", "copy@example.org"}), m.bcc[0]);
    EXPECT_EQ("Anna Müller <anna@example.org>", HeaderValue(m, "From"));
}

struct FileNameCase {
    const char* client;
    const char* headers;
    const char* fileName;
};

void PrintTo(const FileNameCase& c, std::ostream* out)
{
    *out << c.client;
}

class FileNameAsClientsWriteIt : public testing::TestWithParam<FileNameCase> {};

TEST_P(FileNameAsClientsWriteIt, IsReadWhole)
{
    const FileNameCase& c = GetParam();
    const MimeMessageData m = ParseMime(MessageWith("Subject: picture\r\n", c.headers));
    ASSERT_EQ(1u, m.attachments.size()) << c.client;
    EXPECT_EQ(c.fileName, m.attachments[0].fileName) << c.client;
    EXPECT_EQ("image/gif", m.attachments[0].contentType) << c.client;
}

INSTANTIATE_TEST_SUITE_P(
    ParseMime, FileNameAsClientsWriteIt,
    testing::Values(
        FileNameCase{
            "Outlook, encoded words in both headers",
            "Content-Type: image/gif;\r\n\tname=\"=?utf-8?B?QmVyaWNodCAyMDI2IA==?=\r\n =?utf-8?B?TcOkcnoucGRm?=\"\r\n"
            "Content-Disposition: attachment;\r\n\tfilename=\"=?utf-8?B?QmVyaWNodCAyMDI2IA==?=\r\n"
            " =?utf-8?B?TcOkcnoucGRm?=\"\r\n",
            "Bericht 2026 März.pdf"},
        FileNameCase{"name only in the type",
                     "Content-Type: image/gif; name=\"=?UTF-8?B?0JrRg9GA?= =?UTF-8?B?0YEucG5n?=\"\r\n", "Курс.png"},
        FileNameCase{"padded name only in the type",
                     "Content-Type: image/gif; name=\"=?UTF-8?B?U29uZGFnZSA=?= =?UTF-8?B?Y2Fmw6kuZ2lm?=\"\r\n",
                     "Sondage café.gif"},
        FileNameCase{"Thunderbird, RFC 2231 with continuations and an encoded name",
                     "Content-Type: image/gif;\r\n name=\"=?UTF-8?B?U29uZGFnZSA=?= =?UTF-8?B?Y2Fmw6kuZ2lm?=\"\r\n"
                     "Content-Disposition: attachment;\r\n filename*0*=UTF-8''Sondage%20caf%C3;\r\n"
                     " filename*1*=%A9.gif\r\n",
                     "Sondage café.gif"},
        FileNameCase{
            "Apple Mail, RFC 2231 in one piece",
            "Content-Type: image/gif\r\nContent-Disposition: inline;\r\n filename*=utf-8''Sondage%20caf%C3%A9.gif\r\n",
            "Sondage café.gif"},
        FileNameCase{"RFC 2231 in a single-byte charset",
                     "Content-Type: image/gif\r\nContent-Disposition: attachment;\r\n"
                     " filename*=iso-8859-1'de'M%E4rz.gif\r\n",
                     "März.gif"}));

TEST(ParseMime, AttachedMessageNamedInSeveralWordsKeepsItsWholeName)
{
    const std::string text =
        "Subject: forwarded\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n\r\n"
        "--b\r\nContent-Type: text/plain\r\n\r\nsee attached\r\n"
        "--b\r\nContent-Type: message/rfc822\r\nContent-Disposition: attachment;\r\n"
        " filename=\"=?UTF-8?B?U29uZGFnZSA=?= =?UTF-8?B?Y2Fmw6kuZW1s?=\"\r\n\r\n"
        "Subject: inner\r\n\r\nbody\r\n--b--\r\n";
    const MimeMessageData m = ParseMime(Bytes(text));
    ASSERT_EQ(1u, m.attachments.size());
    EXPECT_EQ("Sondage café.eml", m.attachments[0].fileName);
    EXPECT_EQ("message/rfc822", m.attachments[0].contentType);
}

TEST(JoinEncodedWords, LeavesWhatGMimeReadsRightAsItStands)
{
    for (const char* raw :
         {" plain text", " =?UTF-8?B?Q291cnM=?=", " =?UTF-8?B?0JjQstCw0L0g?= =?UTF-8?B?0J/QtdGC0YDQvtCy?=",
          " =?iso-8859-1?Q?Umfrage_?=\r\n =?iso-8859-1?Q?=FCber?=", " =?UTF-8?B?Q291cnM=?= =?ISO-8859-1?B?Q291cnM=?=",
          " =?UTF-8?B?Q291cnM=?= text =?UTF-8?B?Q291cnM=?=", " =?UTF-8?X?Q291cnM=?= =?UTF-8?B?Q291cnM=?=",
          " =? not a word ?= =?"})
        EXPECT_EQ(raw, JoinEncodedWords(raw)) << raw;
}

TEST(JoinEncodedWords, WritesARunAsOneWordOfItsBytesInItsCharset)
{
    EXPECT_EQ(" =?UTF-8?B?Q291cnNlIGFuc3dlcg==?=\r\n",
              JoinEncodedWords(" =?UTF-8?B?Q291cnM=?=\r\n =?utf-8?B?ZSBhbnN3ZXI=?=\r\n"));
    EXPECT_EQ("\"=?KOI8-R?B?79TXxdQgeA==?=\" <a@b>",
              JoinEncodedWords("\"=?KOI8-R?B?79TXxdQ=?= =?KOI8-R?Q?_x?=\" <a@b>"));
}

}  // namespace
