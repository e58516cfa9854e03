// The picture finder over loaded pages, with a callback that records what
// it is asked.

#include "wizard/CWEHTMLPictureFinder.h"
#include "wizard/WizardIds.h"

#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class RecordingCallback : public CWEPictureCallback {
public:
    int OnPicture(CWEPicture& picture, CWEProjectSettings&, CWEErrors&, bool& changed, int number) override
    {
        seen.push_back(std::to_string(number) + ":" + picture.m_strSource);
        picture.m_strDestination = "/project/_kqwpic_00" + std::to_string(number) + ".gif";
        changed = false;
        return 1;
    }
    std::vector<std::string> seen;
};

class PictureFinderTest : public ::testing::Test {
protected:
    void Find(const std::string& page)
    {
        ASSERT_EQ(S_OK, m_document.LoadFromBytes(page));
        CWEHTMLPictureFinder finder;
        finder.Init(&m_document, "/pages/survey.htm", &m_errors, &m_settings, &m_callback);
        EXPECT_EQ(0u, finder.Find());
    }

    pollenta::html::HtmlDocument m_document;
    CWEErrors m_errors;
    CWEProjectSettings m_settings;
    RecordingCallback m_callback;
};

}  // namespace

TEST_F(PictureFinderTest, EachFileReachesTheCallbackOnceAndEveryReferenceFollows)
{
    Find("<BODY BACKGROUND=bg.gif><IMG SRC=a.gif><IMG SRC=./sub/../a.gif><IMG SRC=/pages/a.gif>"
         "<TABLE><TR><TD BACKGROUND=\"cells/c.gif\" STYLE=\"background: url('../shared/s.gif') no-repeat\">x"
         "</TABLE><UL STYLE=\"list-style-image: url(dot.gif)\"><LI>y</UL><IMG SRC=http://example.com/w.gif></BODY>");
    EXPECT_EQ((std::vector<std::string>{"1:/pages/bg.gif", "2:/pages/a.gif", "3:/pages/cells/c.gif",
                                        "4:/shared/s.gif", "5:/pages/dot.gif", "6:http://example.com/w.gif"}),
              m_callback.seen);
    const std::string page = m_document.Serialize();
    EXPECT_NE(std::string::npos, page.find("<BODY background=_kqwpic_001.gif>")) << page;
    EXPECT_EQ(3u, [&] {
        std::size_t count = 0;
        for (std::size_t pos = page.find("src=_kqwpic_002.gif"); pos != std::string::npos;
             pos = page.find("src=_kqwpic_002.gif", pos + 1))
            ++count;
        return count;
    }()) << page;
    EXPECT_NE(std::string::npos, page.find("background: url('_kqwpic_004.gif') no-repeat")) << page;
    EXPECT_NE(std::string::npos, page.find("list-style-image: url('_kqwpic_005.gif')")) << page;
    EXPECT_EQ(0u, m_errors.GetCount());
}

TEST_F(PictureFinderTest, PageWithoutPicturesAsksNothing)
{
    Find("<P STYLE=\"color:red\">no pictures</P><IMG>");
    EXPECT_TRUE(m_callback.seen.empty());
    EXPECT_EQ(0u, m_errors.GetCount());
}

TEST_F(PictureFinderTest, FileUrlWithNothingAfterItsSlashesIsRecorded)
{
    ASSERT_EQ(S_OK, m_document.LoadFromBytes("<IMG SRC=\"file:///\"><IMG SRC=b.gif>"));
    CWEHTMLPictureFinder finder;
    finder.Init(&m_document, "/pages/survey.htm", &m_errors, &m_settings, &m_callback);
    EXPECT_EQ(WE_E_UNEXPECTED_AT, finder.Find());
    ASSERT_EQ(1u, m_errors.GetCount());
    EXPECT_NE(std::string::npos, m_errors.GetText(0).find("CWEHTMLPictureFinder.cpp"));
}
