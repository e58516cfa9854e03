#include "testsupport/StandardMailReader.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <stdexcept>

using pollenta::testsupport::ReadWithStandardLibrary;
using pollenta::testsupport::ReceivedMail;
using pollenta::testsupport::TempFolder;

TEST(StandardMailReader, GivesDecodedHeadersAndEveryLeafPartWithItsTypeIdAndText)
{
    TempFolder folder("pollenta-reader");
    const auto eml = folder.Write(
        "in.eml", "From: =?UTF-8?Q?Anna_M=C3=BCller?= <anna@example.org>\r\n"
                  "Subject: =?UTF-8?Q?Caf=C3=A9?=\r\nMIME-Version: 1.0\r\n"
                  "Content-Type: multipart/related; boundary=\"b\"\r\n\r\n"
                  "--b\r\nContent-Type: text/html; charset=utf-8\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n"
                  "<p>tab\there =E2=80=93 done</p>\r\n"
                  "--b\r\nContent-Type: image/gif; name=logo.gif\r\nContent-Disposition: inline\r\n"
                  "Content-ID: <logo@x>\r\nContent-Transfer-Encoding: base64\r\n\r\nR0lGODlh\r\n--b--\r\n");
    const ReceivedMail mail = ReadWithStandardLibrary(eml);
    EXPECT_EQ("Anna Müller <anna@example.org>", mail.Header("from"));
    EXPECT_EQ("Café", mail.Header("Subject"));
    EXPECT_EQ(1u, mail.HeaderCount("SUBJECT"));
    EXPECT_TRUE(mail.defects.empty()) << mail.defects.front();
    ASSERT_EQ(2u, mail.parts.size());
    EXPECT_EQ("text/html", mail.parts[0].contentType);
    EXPECT_EQ("<p>tab\there – done</p>", mail.parts[0].text);
    EXPECT_TRUE(mail.parts[0].IsText());
    EXPECT_EQ("image/gif", mail.parts[1].contentType);
    EXPECT_EQ("inline", mail.parts[1].disposition);
    EXPECT_EQ("logo@x", mail.parts[1].contentId);
    EXPECT_EQ("logo.gif", mail.parts[1].fileName);
}

TEST(StandardMailReader, AMissingFileIsAnErrorNamingIt)
{
    TempFolder folder("pollenta-reader");
    try {
        ReadWithStandardLibrary(folder.Path() / "missing.eml");
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string::npos, std::string(error.what()).find("missing.eml")) << error.what();
    }
}
