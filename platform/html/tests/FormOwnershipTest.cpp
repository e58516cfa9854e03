// Which controls a form submits, as the HTML parsing algorithm's form
// element pointer decides it, on pages laid out as old editors and
// hand-written sites laid them out; and pages written back so that a
// browser still submits the same controls.

#include "HtmlTestPage.h"

#include "html/HtmlForm.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <string>
#include <vector>

using namespace pollenta::html;

namespace {

// "name" of every control the page's forms submit, form by form.
std::vector<std::vector<std::string>> Submitted(const HtmlDocument& document)
{
    std::vector<std::vector<std::string>> forms;
    for (const HtmlElement& form : document.Forms()) {
        std::vector<std::string> names;
        for (const HtmlElement& control : HtmlForm(form).Elements())
            names.push_back(control.TagName() + ":" + control.Name());
        forms.push_back(names);
    }
    return forms;
}

using Forms = std::vector<std::vector<std::string>>;

struct OwnershipCase {
    const char* what;
    const char* page;
    Forms expected;
};

}  // namespace

TEST(FormOwnershipTest, ControlsBelongToTheFormWhosePointerIsSetWhenTheyAreWritten)
{
    const OwnershipCase cases[] = {
        {"form closed by the end of its cell",
         "<TABLE><TR><TD><FORM ACTION=mailto:a@b.c><INPUT NAME=a></TD>"
         "<TD><INPUT NAME=b><INPUT TYPE=SUBMIT></TD></TR></TABLE></FORM><INPUT NAME=after>",
         {{"INPUT:a", "INPUT:b", "INPUT:"}}},
        {"cells without end tags",
         "<TABLE><TR><TD><FORM><INPUT NAME=a><TD><SELECT NAME=s><OPTION>1</SELECT><TR><TD>"
         "<TEXTAREA NAME=t></TEXTAREA></TABLE></FORM>",
         {{"INPUT:a", "SELECT:s", "TEXTAREA:t"}}},
        {"center, font and div wrappers",
         "<CENTER><FORM><INPUT NAME=a></CENTER><FONT FACE=Arial><INPUT NAME=b></FONT>"
         "<DIV><INPUT NAME=c></DIV><BUTTON TYPE=SUBMIT>Go</BUTTON></FORM><INPUT NAME=d>",
         {{"INPUT:a", "INPUT:b", "INPUT:c", "BUTTON:"}}},
        {"a form tag inside an open form is ignored, and its end tag ends the outer form",
         "<FORM ACTION=x><TABLE><TR><TD><FORM ACTION=y><INPUT NAME=a></FORM></TD>"
         "<TD><INPUT NAME=b></TD></TR></TABLE></FORM>",
         {{"INPUT:a"}}},
        {"nested forms in table cells, the outer one closed by its cell",
         "<TABLE><TR><TD><FORM><INPUT NAME=a></TD><TD><FORM><INPUT NAME=b></TD></TR></TABLE>"
         "<INPUT NAME=c></FORM><INPUT NAME=d>",
         {{"INPUT:a", "INPUT:b", "INPUT:c"}}},
        {"two forms one after the other",
         "<FORM><INPUT NAME=a></FORM><FORM><INPUT NAME=b></FORM>",
         {{"INPUT:a"}, {"INPUT:b"}}},
        {"forms in comments, scripts and attribute values are text",
         "<!-- <FORM ACTION=old> --><SCRIPT>document.write('<form><input name=w>')</SCRIPT>"
         "<IMG ALT='<form>'><FORM><INPUT NAME=a></FORM>",
         {{"INPUT:a"}}},
        {"controls in an unclosed textarea are its text",
         "<FORM><INPUT NAME=a><TEXTAREA NAME=t><INPUT NAME=b><INPUT TYPE=SUBMIT></FORM>",
         {{"INPUT:a", "TEXTAREA:t"}}},
        {"a textarea ends at its end tag in any case",
         "<FORM><TEXTAREA NAME=t><b>bold</b></TeXtArEa><INPUT NAME=a></FORM>",
         {{"TEXTAREA:t", "INPUT:a"}}},
        {"a form never closed keeps every control after it",
         "<P><FORM><INPUT NAME=a></P><P><INPUT NAME=b>",
         {{"INPUT:a", "INPUT:b"}}},
    };
    for (const OwnershipCase& c : cases) {
        HtmlDocument document;
        LoadPage(document, c.page);
        EXPECT_EQ(c.expected, Submitted(document)) << c.what;
    }
}

TEST(FormOwnershipTest, WrittenPageSubmitsTheSameControlsWithTheOneForm)
{
    const char* const pages[] = {
        "<TABLE><TR><TD><FORM ACTION=mailto:a@b.c><INPUT NAME=a></TD>"
        "<TD><INPUT NAME=b><INPUT TYPE=SUBMIT></TD></TR></TABLE></FORM><INPUT NAME=after>",
        "<FORM ACTION=x><TABLE><TR><TD><FORM ACTION=y><INPUT NAME=a></FORM></TD>"
        "<TD><INPUT NAME=b></TD></TR></TABLE></FORM>",
        "<TABLE><TR><TD><FORM><INPUT NAME=a></TD><TD><FORM><INPUT NAME=b></TD></TR></TABLE>"
        "<INPUT NAME=c></FORM><INPUT NAME=d>",
        "<CENTER><FORM><INPUT NAME=a></CENTER><FONT><INPUT NAME=b></FONT></FORM><INPUT NAME=d>",
    };
    for (const char* page : pages) {
        HtmlDocument original;
        LoadPage(original, page);
        const std::string written = original.Serialize();
        HtmlDocument again;
        LoadPage(again, written);
        EXPECT_EQ(Submitted(original), Submitted(again)) << written;
        // One FORM tag and one end tag: an ignored <form> is not written.
        EXPECT_EQ(written.find("<FORM"), written.rfind("<FORM")) << written;
        EXPECT_EQ(written.find("</FORM>"), written.rfind("</FORM>")) << written;
    }
}

TEST(FormOwnershipTest, HiddenInputGoesIntoTheFormAndIsSubmittedWithIt)
{
    HtmlDocument document;
    LoadPage(document, "<!-- <FORM>old</FORM> --><TABLE><TR><TD><FORM><INPUT NAME=a></TD>"
                       "<TD><INPUT NAME=b></TD></TR></TABLE></FORM>");
    HtmlForm(document.Forms().at(0)).PrependHiddenInput("kqProjectID", "7");
    const std::string written = document.Serialize();
    EXPECT_NE(std::string::npos, written.find("<FORM><INPUT type=hidden value=7 name=kqProjectID><INPUT name=a></TD>"))
        << written;
    HtmlDocument again;
    LoadPage(again, written);
    EXPECT_EQ((Forms{{"INPUT:kqProjectID", "INPUT:a", "INPUT:b"}}), Submitted(again)) << written;
}

// Run on a thread whose stack is far too small for a walk that recurses once
// per level, so that recursion anywhere shows as a crash.
void OnSmallStack(void (*work)(void*), void* argument)
{
    struct Call {
        void (*work)(void*);
        void* argument;
    } call{work, argument};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 256 * 1024);
    pthread_t thread;
    ASSERT_EQ(0, pthread_create(
                     &thread, &attributes,
                     [](void* data) -> void* {
                         auto* c = static_cast<Call*>(data);
                         c->work(c->argument);
                         return nullptr;
                     },
                     &call));
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

TEST(FormOwnershipTest, DeeplyNestedPageIsReadAndWrittenWithoutRecursion)
{
    struct Result {
        std::string written;
        std::size_t forms = 0;
    } result;
    OnSmallStack(
        [](void* data) {
            auto* out = static_cast<Result*>(data);
            std::string page = "<FORM><INPUT NAME=a>";
            for (int i = 0; i < 25000; ++i)
                page += "<FONT SIZE=2>";
            page += "x<INPUT TYPE=SUBMIT></FORM>";
            HtmlDocument document;
            if (SUCCEEDED(document.LoadFromBytes(page))) {
                out->written = document.Serialize();
                out->forms = document.Forms().size();
            }
        },
        &result);
    EXPECT_NE(std::string::npos, result.written.find("x<INPUT type=SUBMIT>")) << result.written.substr(0, 200);
    EXPECT_EQ(1u, result.forms);
}
