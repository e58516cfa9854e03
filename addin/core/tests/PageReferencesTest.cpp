// Which names in a survey page's tags count as references to the folder's
// files, and how the page reads once they point at content ids.

#include "survey/PageReferences.h"

#include <gtest/gtest.h>

namespace {

// Files named as given, their content ids "ID0", "ID1", ... in list order.
std::vector<CWEPageFile> Files(const std::vector<std::string>& names)
{
    std::vector<CWEPageFile> files;
    for (const std::string& name : names) {
        CWEPageFile file;
        file.m_strName = name;
        file.m_strLowerName = LowerText(name);
        file.m_strContentId = "ID" + std::to_string(files.size());
        files.push_back(file);
    }
    return files;
}

std::string Rewritten(const std::string& page, std::vector<CWEPageFile>& files)
{
    return RewritePage(page, files, FindPageReferences(page, files));
}

struct Case {
    const char* name;
    std::vector<std::string> files;
    std::string page;
    std::string expected;
};

}  // namespace

TEST(PageReferencesTest, NamesInTagsBecomeContentIdsWhereDelimitersStandAroundThem)
{
    const Case cases[] = {
        {"quoted src", {"pic.gif"}, "<IMG SRC=\"pic.gif\">", "<IMG SRC=\"cid:ID0\">"},
        {"capitals find the small name and go whole", {"pic.gif"}, "<img src='PIC.GIF'>", "<img src='cid:ID0'>"},
        {"unquoted value", {"pic.gif"}, "<img src=pic.gif>", "<img src=cid:ID0>"},
        {"css url", {"back.png"}, "<td style=\"background:url(back.png)\">", "<td style=\"background:url(cid:ID0)\">"},
        {"text outside tags stays", {"pic.gif"}, "<p>pic.gif</p>", "<p>pic.gif</p>"},
        {"first occurrence inside a longer name does not count",
         {"pic.gif"},
         "<img src=\"xpic.gif\" alt=\"pic.gif\">",
         "<img src=\"xpic.gif\" alt=\"pic.gif\">"},
        {"two references in one tag, whatever the list order",
         {"b.gif", "a.gif"},
         "<img src=\"a.gif\" lowsrc=\"b.gif\">",
         "<img src=\"cid:ID1\" lowsrc=\"cid:ID0\">"},
        {"overlapping names keep the longer, earlier one",
         {"pic.gif", "my pic.gif"},
         "<img src=\"my pic.gif\">",
         "<img src=\"cid:ID1\">"},
        {"names differing in case: the exact one wins",
         {"a.gif", "A.gif"},
         "<img src=\"A.gif\"><img src=\"a.gif\">",
         "<img src=\"cid:ID1\"><img src=\"cid:ID0\">"},
        {"names differing in case: otherwise the first",
         {"a.gif", "A.gif"},
         "<img src=\"a.GIF\">",
         "<img src=\"cid:ID0\">"},
        {"non-ASCII name in other capitals", {"фото ёж.jpg"}, "<img src=\"ФОТО ЁЖ.JPG\">", "<img src=\"cid:ID0\">"},
        {"a lone < at the end ends the scan", {"pic.gif"}, "<img src=pic.gif><", "<img src=cid:ID0><"},
        {"an unclosed tag is not scanned", {"pic.gif"}, "<img src=pic.gif", "<img src=pic.gif"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::vector<CWEPageFile> files = Files(test.files);
        EXPECT_EQ(test.expected, Rewritten(test.page, files));
    }
}

TEST(PageReferencesTest, FilesNoReferenceNamesAreMarkedUnreferenced)
{
    std::vector<CWEPageFile> files = Files({"used.gif", "spare.gif", "pic.gif", "my pic.gif"});
    Rewritten("<img src=\"used.gif\"><img src=\"my pic.gif\"> spare.gif", files);
    EXPECT_FALSE(files[0].m_bUnreferenced);
    EXPECT_TRUE(files[1].m_bUnreferenced);
    EXPECT_TRUE(files[2].m_bUnreferenced);
    EXPECT_FALSE(files[3].m_bUnreferenced);
}

TEST(PageReferencesTest, TwoHundredPicturesWithOverlappingNamesEachGetTheirOwnId)
{
    std::vector<std::string> names;
    std::string page = "<html><body>";
    std::string expected = page;
    for (int i = 0; i < 100; ++i) {
        // "p7.gif" lies inside "top p7.gif" after a blank.
        names.push_back("p" + std::to_string(i) + ".gif");
        names.push_back("top p" + std::to_string(i) + ".gif");
    }
    for (int i = 0; i < 100; ++i) {
        page += "<img src=\"top p" + std::to_string(i) + ".gif\"><img src='P" + std::to_string(i) + ".GIF'>";
        expected +=
            "<img src=\"cid:ID" + std::to_string(2 * i + 1) + "\"><img src='cid:ID" + std::to_string(2 * i) + "'>";
    }
    std::vector<CWEPageFile> files = Files(names);
    EXPECT_EQ(expected + "</body></html>", Rewritten(page + "</body></html>", files));
    for (const CWEPageFile& file : files)
        EXPECT_FALSE(file.m_bUnreferenced) << file.m_strName;
}

TEST(PageFileTest, AFileTakesItsExtensionMimeTypeAndAFreshContentId)
{
    CWEPageFile file, again;
    file.Set("Photo.JPG", "/p/Photo.JPG");
    again.Set("Photo.JPG", "/p/Photo.JPG");
    EXPECT_EQ("photo.jpg", file.m_strLowerName);
    EXPECT_EQ("jpg", file.m_strExtension);
    EXPECT_EQ(36u, file.m_strContentId.size());
    EXPECT_NE(file.m_strContentId, again.m_strContentId);
    for (const char* name : {".hidden", "trailing.", "none"}) {
        SCOPED_TRACE(name);
        file.Set(name, name);
        EXPECT_EQ("", file.m_strExtension);
    }
}
