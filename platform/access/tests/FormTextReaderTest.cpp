// Form texts written by hand the way the desktop database program saves
// them, read back.

#include "FormTextWriter.h"

#include "access/FormText.h"
#include "win/CodePage.h"

#include <gtest/gtest.h>

namespace {

FormTextWriter SmallForm(const std::string& caption)
{
    FormTextWriter form;
    form.Begin("Form").Text("RecordSource", "Answers").Begin();
    form.Begin("Section").Number("Height", 2835).Text("Name", "Detail").Begin();
    form.Begin("Label").Text("Name", "Title").Text("Caption", caption).End();
    form.End().End().End().End();
    return form;
}

const FormTextBlock& FirstLabel(const FormTextDocument& document)
{
    return document.form.children.at(0).children.at(0);
}

std::string CaptionOf(const FormTextReadResult& read)
{
    const FormTextProperty* caption = FirstLabel(read.document).Find("Caption");
    return caption ? caption->text : "<none>";
}

TEST(FormTextReader, ReadsTheSameFormFromEveryEncodingTheProgramAndExportToolsWrite)
{
    const std::string caption = "Caf\xC3\xA9 \xCE\xA9 \xF0\x9F\x98\x80";  // é, Omega, an emoji
    const FormTextWriter form = SmallForm(caption);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"UTF-16LE with BOM, CRLF", form.Utf16LeWithBom()},
        {"UTF-8 with BOM, CRLF", form.Utf8WithBom()},
        {"UTF-8 without BOM, CRLF", form.Utf8()},
        {"UTF-8 without BOM, LF", form.Utf8WithLf()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FormTextReadResult read = ReadFormText(c.bytes);
        ASSERT_TRUE(read.ok) << read.line << ": " << read.error;
        EXPECT_EQ("Form", read.document.form.keyword);
        EXPECT_EQ("Answers", read.document.form.Find("RecordSource")->text);
        EXPECT_EQ(caption, CaptionOf(read));
        ASSERT_EQ(2u, read.document.header.size());
        EXPECT_EQ("20", read.document.header[0].text);
    }
}

TEST(FormTextReader, ReadsAnsiTextInTheWesternCodePage)
{
    const std::string utf8 = SmallForm("Gr\xC3\xB6\xC3\x9F" "e").Utf8();
    const FormTextReadResult read = ReadFormText(Recode(utf8, CP_UTF8, 1252));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ("Gr\xC3\xB6\xC3\x9F" "e", CaptionOf(read));
}

TEST(FormTextReader, JoinsSurrogatePairsThatToolsWroteAsTwoThreeByteSequences)
{
    // U+1F600 as CESU-8: ED A0 BD ED B8 80.
    std::string text = SmallForm("@").Utf8();
    text.replace(text.find('@'), 1, "\xED\xA0\xBD\xED\xB8\x80");
    const FormTextReadResult read = ReadFormText(text);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ("\xF0\x9F\x98\x80", CaptionOf(read));
}

TEST(FormTextReader, JoinsContinuedStringsAndResolvesEscapes)
{
    std::string longText;
    for (int i = 0; i < 40; ++i)
        longText += "item " + std::to_string(i) + ";";
    const std::string caption = "Say \"yes\"\r\nor M\\DD\\YYYY";
    FormTextWriter form;
    form.Begin("Form").Begin().Begin("Section").Begin();
    form.Begin("ComboBox").Text("RowSource", longText, 30).Text("Caption", caption, 7).End();
    form.End().End().End().End();
    const FormTextReadResult read = ReadFormText(form.Utf8());
    ASSERT_TRUE(read.ok) << read.line << ": " << read.error;
    const FormTextBlock& combo = FirstLabel(read.document);
    EXPECT_EQ(longText, combo.Find("RowSource")->text);
    EXPECT_EQ(caption, combo.Find("Caption")->text);
}

TEST(FormTextReader, KeepsKindsOfSettings)
{
    FormTextWriter form;
    form.Begin("Form").Begin().Begin("Section").Begin().Begin("TextBox");
    form.NotDefault("Visible").Number("Left", 1927).Raw("AlternateBackShade", "95.0").Raw("Format", "General");
    form.Blank().Binary("GUID", {0xde, 0xad, 0xbe, 0xef});
    form.End().End().End().End().End();
    const FormTextReadResult read = ReadFormText(form.Utf8());
    ASSERT_TRUE(read.ok) << read.line << ": " << read.error;
    const FormTextBlock& box = FirstLabel(read.document);
    EXPECT_EQ(FormTextProperty::Kind::NotDefault, box.Find("visible")->kind);
    EXPECT_EQ(FormTextProperty::Kind::Number, box.Find("Left")->kind);
    EXPECT_EQ(1927, box.Find("Left")->number);
    EXPECT_EQ(95.0, box.Find("AlternateBackShade")->number);
    EXPECT_EQ(FormTextProperty::Kind::Bare, box.Find("Format")->kind);
    EXPECT_EQ("General", box.Find("Format")->text);
    EXPECT_EQ((std::vector<std::uint8_t>{0xde, 0xad, 0xbe, 0xef}), box.Find("GUID")->bytes);
}

TEST(FormTextReader, ReadsBinaryBlocksOverManyLines)
{
    std::vector<std::uint8_t> bytes(100);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    FormTextWriter form;
    form.Begin("Form").Binary("PrtDevMode", bytes).Number("Width", 5000).End();
    const FormTextReadResult read = ReadFormText(form.Utf8());
    ASSERT_TRUE(read.ok) << read.line << ": " << read.error;
    EXPECT_EQ(bytes, read.document.form.Find("PrtDevMode")->bytes);
    EXPECT_EQ(5000, read.document.form.Find("Width")->number);
}

TEST(FormTextReader, KeepsEmbeddedMacrosAndTheCodeBehindTheFormApart)
{
    FormTextWriter form;
    form.Begin("Form").Begin().Begin("Section").Begin().Begin("CommandButton").Text("Name", "Submit");
    form.Line("OnClickEmMacro = Begin").Begin().Line("Version =196611").Line("Begin").Line("Action =\"OpenQuery\"");
    form.Line("Argument =\"Answers\"").Line("End").End().Line("End");
    form.Text("Caption", "Send").End().End().End().End().End();
    form.Line("CodeBehindForm").Line("Attribute VB_GlobalNameSpace = False").Line("Option Compare Database");
    const FormTextReadResult read = ReadFormText(form.Utf8());
    ASSERT_TRUE(read.ok) << read.line << ": " << read.error;
    const FormTextBlock& button = FirstLabel(read.document);
    EXPECT_EQ(FormTextProperty::Kind::Macro, button.Find("OnClickEmMacro")->kind);
    EXPECT_NE(std::string::npos, button.Find("OnClickEmMacro")->text.find("OpenQuery"));
    EXPECT_EQ("Send", button.Find("Caption")->text);
    EXPECT_EQ("Attribute VB_GlobalNameSpace = False\nOption Compare Database\n", read.document.codeBehind);
}

TEST(FormTextReader, NamesTheLineOfDamage)
{
    const struct {
        const char* name;
        std::string text;
        int line;
    } cases[] = {
        {"no form at all", "Version =20\r\n", 1},
        {"block without End", "Version =20\r\nBegin Form\r\n    Width =10\r\n", 2},
        {"string without closing quote", "Begin Form\r\n    Caption =\"open\r\nEnd\r\n", 2},
        {"bad hex digits", "Begin Form\r\n    GUID = Begin\r\n        0x12zz\r\n    End\r\nEnd\r\n", 3},
        {"stray line", "Begin Form\r\n    something odd\r\nEnd\r\n", 2},
        {"list without End", "Begin Form\r\n    Begin\r\n        Begin Label\r\n        End\r\n", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FormTextReadResult read = ReadFormText(c.text);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(c.line, read.line) << read.error;
        EXPECT_FALSE(read.error.empty());
    }
}

TEST(FormTextReader, RefusesBlocksNestedBeyondAnyRealForm)
{
    std::string text = "Begin Form\r\n";
    for (int i = 0; i < 200; ++i)
        text += "Begin Label\r\n";
    const FormTextReadResult read = ReadFormText(text);
    EXPECT_FALSE(read.ok);
    EXPECT_NE(std::string::npos, read.error.find("deeper"));
}

}  // namespace
