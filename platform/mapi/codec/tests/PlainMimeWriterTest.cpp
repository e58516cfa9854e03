#include "GMimeLibrary.h"
#include "MimeComposer.h"
#include "PlainMimeWriter.h"
#include "mapi/Mime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The multipart boundary is random on both paths; it is named the same in
// both before they are compared.
std::string WithFixedBoundary(const std::vector<BYTE>& bytes)
{
    std::string text(bytes.begin(), bytes.end());
    const std::string marker = "boundary=\"";
    std::size_t start = text.find(marker);
    if (start == std::string::npos) return text;
    start += marker.size();
    const std::string boundary = text.substr(start, text.find('"', start) - start);
    for (std::size_t at = text.find(boundary); at != std::string::npos; at = text.find(boundary, at + 8))
        text.replace(at, boundary.size(), "BOUNDARY");
    return text;
}

std::string Lines(int count, const std::string& line, const std::string& end)
{
    std::string text;
    for (int i = 0; i < count; ++i) text += line + end;
    return text;
}

struct Case {
    const char* name;
    MimeMessageData message;
    bool plain;  // whether the plain writer takes it
};

MimeMessageData Survey()
{
    MimeMessageData m;
    m.subject = "Survey copy 17";
    m.from = {"Pollenta Surveys", "surveys@example.com"};
    m.to = {{"Survey Person", "person17@example.com"}};
    m.date = 1796721300;
    m.plainBody = Lines(20, "Please answer the questions of this survey by replying.", "\r\n");
    m.htmlBody = "<html><body><form method=\"post\" action=\"mailto:survey@example.com\">" +
                 Lines(40, "<p>Question <input type=\"text\" name=\"Q\"></p>", "") + "</form></body></html>";
    return m;
}

template <class Change>
MimeMessageData SurveyWith(Change change)
{
    MimeMessageData m = Survey();
    change(m);
    return m;
}

std::vector<Case> Cases()
{
    return {
        {"survey copy", Survey(), true},
        {"empty message", MimeMessageData{}, true},
        {"plain text only", SurveyWith([](MimeMessageData& m) { m.htmlBody.clear(); }), true},
        {"html only", SurveyWith([](MimeMessageData& m) { m.plainBody.clear(); }), true},
        {"html ending in a line break", SurveyWith([](MimeMessageData& m) { m.htmlBody += "\r\n"; }), true},
        {"every address field", SurveyWith([](MimeMessageData& m) {
             m.to.push_back({"", "plain.address@example.com"});
             m.cc = {{"Copy", "copy@mail.example.org"}};
             m.bcc = {{"", "hidden+tag@example.net"}};
             m.messageId = "abc.123_x@host-1.example.com";
         }), true},
        {"no date and no sender", SurveyWith([](MimeMessageData& m) {
             m.date.reset();
             m.from = {};
         }), true},
        {"date at the epoch", SurveyWith([](MimeMessageData& m) { m.date = 0; }), true},
        {"leap day", SurveyWith([](MimeMessageData& m) { m.date = 951782400; }), true},
        {"punctuation in the subject", SurveyWith([](MimeMessageData& m) { m.subject = "Re: (2/3) \"A\" <b> 100% [x]; ok?"; }), true},
        {"empty subject", SurveyWith([](MimeMessageData& m) { m.subject.clear(); }), true},
        {"LF line ends", SurveyWith([](MimeMessageData& m) { m.plainBody = Lines(3, "line", "\n"); }), true},
        {"mixed line ends", SurveyWith([](MimeMessageData& m) { m.plainBody = "a\r\nb\nc\r\n\r\n\n"; }), true},
        {"tabs and trailing spaces", SurveyWith([](MimeMessageData& m) { m.plainBody = "a\tb  \r\nc \t\r\n"; }), true},
        {"no final line break", SurveyWith([](MimeMessageData& m) { m.plainBody = "a = b\r\nend  "; }), true},
        {"dots and equals signs", SurveyWith([](MimeMessageData& m) { m.plainBody = ".\r\n..\r\n=3D\r\n= \r\n"; }), true},
        {"line of 979", SurveyWith([](MimeMessageData& m) { m.plainBody = std::string(979, 'x') + "\r\n"; }), true},
        {"line of 1021", SurveyWith([](MimeMessageData& m) { m.plainBody = std::string(1021, 'x') + "\r\n"; }), true},
        {"long line with spaces", SurveyWith([](MimeMessageData& m) {
             m.plainBody = Lines(300, "word ", "") + "\r\nnext\r\n";
         }), true},
        {"line near the limit", SurveyWith([](MimeMessageData& m) { m.plainBody = std::string(998, 'x') + "\r\n"; }), false},
        {"line starting with From", SurveyWith([](MimeMessageData& m) { m.plainBody = "a\r\nFrom me\r\n"; }), false},
        {"8-bit body", SurveyWith([](MimeMessageData& m) { m.plainBody = "Gr\xC3\xBC\xC3\x9F" "e\r\n"; }), false},
        {"empty first lines", SurveyWith([](MimeMessageData& m) { m.plainBody = "\n\r\nx\r\n"; }), true},
        {"lone CR", SurveyWith([](MimeMessageData& m) { m.plainBody = "a\rb\r\n"; }), false},
        {"CR before a line end", SurveyWith([](MimeMessageData& m) { m.plainBody = "a\r\r\nb\r\n"; }), false},
        {"CR at the end", SurveyWith([](MimeMessageData& m) { m.plainBody = "a\r\nb\r"; }), false},
        {"control character", SurveyWith([](MimeMessageData& m) { m.htmlBody = "<p>\x01</p>"; }), false},
        {"8-bit subject", SurveyWith([](MimeMessageData& m) { m.subject = "Umfrage \xC3\xBC"; }), false},
        {"encoded-word look-alike", SurveyWith([](MimeMessageData& m) { m.subject = "=?utf-8?q?x?="; }), false},
        {"long subject", SurveyWith([](MimeMessageData& m) { m.subject = std::string(70, 's'); }), false},
        {"name that needs quotes", SurveyWith([](MimeMessageData& m) { m.to = {{"Smith, J.", "j@example.com"}}; }), false},
        {"upper-case domain", SurveyWith([](MimeMessageData& m) { m.to = {{"", "j@Example.com"}}; }), false},
        {"many recipients", SurveyWith([](MimeMessageData& m) {
             for (int i = 0; i < 5; ++i) m.to.push_back({"Person", "person@example.com"});
         }), false},
        {"extra header", SurveyWith([](MimeMessageData& m) { m.headers = {{"X-Survey", "5"}}; }), false},
        {"attachment", SurveyWith([](MimeMessageData& m) {
             m.attachments.push_back({"a.txt", "text/plain", "", false, {'a'}, {}});
         }), false},
    };
}

TEST(PlainMimeWriter, WritesTheSameBytesAsTheComposerForSimpleMessages)
{
    EnsureGMime();
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::optional<std::vector<BYTE>> plain = PlainMimeWriter::Compose(c.message);
        EXPECT_EQ(c.plain, plain.has_value());
        if (plain) {
            EXPECT_EQ(WithFixedBoundary(MimeComposer(c.message).Compose()), WithFixedBoundary(*plain));
        }
    }
}

TEST(PlainMimeWriter, WhateverItTakesMatchesTheComposerAcrossLineLengths)
{
    // Every line length around where GMime switches to quoted-printable,
    // with and without a final line break, in both bodies.
    EnsureGMime();
    for (std::size_t length = 960; length <= 1040; ++length) {
        for (const char* end : {"\r\n", "\n", ""}) {
            SCOPED_TRACE(std::to_string(length) + " " + (*end ? "ended" : "open"));
            MimeMessageData m = Survey();
            m.plainBody = "short\r\n" + std::string(length, 'p') + end;
            m.htmlBody = std::string(length, 'h') + end;
            if (std::optional<std::vector<BYTE>> plain = PlainMimeWriter::Compose(m)) {
                EXPECT_EQ(WithFixedBoundary(MimeComposer(m).Compose()), WithFixedBoundary(*plain));
            }
        }
    }
}

TEST(PlainMimeWriter, GivesEachMultipartMessageItsOwnBoundary)
{
    const MimeMessageData m = Survey();
    const std::vector<BYTE> first = *PlainMimeWriter::Compose(m);
    const std::vector<BYTE> second = *PlainMimeWriter::Compose(m);
    EXPECT_NE(first, second);
    EXPECT_EQ(WithFixedBoundary(first), WithFixedBoundary(second));
    const std::string text = WithFixedBoundary(first);
    EXPECT_NE(std::string::npos, text.find("boundary=\"BOUNDARY\"\r\n\r\n--BOUNDARY\r\n"));
    EXPECT_TRUE(text.ends_with("\r\n--BOUNDARY--\r\n"));
}

} // namespace
