#include "WizardUiTest.h"
#include "ui/Dialog.h"
#include "ui/Screenshot.h"
#include "wizardui/WECodePagesComboBox.h"
#include "wizardui/WEErrorsList.h"

namespace {

constexpr int IDC_CHECK_ERRORS = 1002;
constexpr int IDC_CODEPAGE = 1008;

WECodePageRecord Page(UINT codePage, const char16_t* description, const char16_t* charset)
{
    WECodePageRecord record;
    record.uiCodePage = codePage;
    record.wszDescription = description;
    record.wszWebCharset = charset;
    return record;
}

// A stand-in for the code-page table: it records the filter it was asked with.
struct FakeCodePages {
    std::vector<WECodePageRecord> operator()(DWORD flags)
    {
        *asked = flags;
        return {Page(1252, u"Western European (Windows)", u"Windows-1252"),
                Page(1251, u"Cyrillic (Windows)", u"windows-1251"),
                Page(20866, u"Cyrillic (KOI8-R)", u"koi8-r"),
                Page(65001, u"Unicode (UTF-8)", u"utf-8")};
    }
    DWORD* asked;
};

struct ListsDialog {
    ListsDialog()
    {
        dialogTemplate.style = WS_POPUP | WS_CAPTION;
        dialogTemplate.caption = "Creating a new Pollenta project (Errors)";
        dialogTemplate.cx = 260;
        dialogTemplate.cy = 130;
        dialogTemplate.items = {
            {WC_COMBOBOX, "", IDC_CODEPAGE, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 7, 7, 160, 80},
            {WC_LISTVIEW, "", IDC_CHECK_ERRORS, WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL, 0, 7, 27, 246, 96},
        };
        EXPECT_TRUE(dialog.Create());
        ShowWindow(dialog, SW_SHOW);
        EXPECT_TRUE(codePages.Attach(dialog.GetDlgItem(IDC_CODEPAGE)));
        EXPECT_TRUE(errors.Attach(dialog.GetDlgItem(IDC_CHECK_ERRORS)));
    }
    DialogTemplate dialogTemplate;
    CDialog dialog{dialogTemplate};
    CWECodePagesComboBox codePages;
    CWEErrorsList errors;
};

} // namespace

TEST_F(UiTest, TheCodePageListShowsTheSourcesPagesInOrderAndGivesBackTheChosenRecord)
{
    ListsDialog lists;
    DWORD asked = 0xDEADBEEF;
    lists.codePages.Fill(FakeCodePages{&asked});
    EXPECT_EQ(WE_CODEPAGES_FOR_BROWSER, asked);
    ASSERT_EQ(4, lists.codePages.GetCount());
    EXPECT_EQ("Cyrillic (KOI8-R)", lists.codePages.GetLBText(2));
    WECodePageRecord chosen;
    EXPECT_FALSE(lists.codePages.GetSelection(chosen));
    lists.codePages.SetCurSel(3);
    ASSERT_TRUE(lists.codePages.GetSelection(chosen));
    EXPECT_EQ(65001u, chosen.uiCodePage);
    EXPECT_EQ(u"utf-8", chosen.wszWebCharset);
}

TEST_F(UiTest, TheCodePageIsSelectedByItsLowerCaseCharsetName)
{
    struct Case {
        const char* name;
        int selected; // starting from item 0
    };
    const Case cases[] = {
        {"windows-1251", 1},
        {"windows-1252", 0}, // the list's "Windows-1252" lower-cased
        {"KOI8-R", 0},       // a name in capitals never matches
        {"koi8-r", 2},
        {"", 0},
        {"iso-8859-5", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListsDialog lists;
        DWORD asked = 0;
        lists.codePages.Fill(FakeCodePages{&asked});
        lists.codePages.SetCurSel(0);
        lists.codePages.SelectByName(c.name);
        EXPECT_EQ(c.selected, lists.codePages.GetCurSel());
    }
}

TEST_F(UiTest, TheErrorListShowsOnlyTheLastCollectionWithItsSeverities)
{
    ListsDialog lists;
    lists.errors.InitColumns();
    EXPECT_EQ(2, lists.errors.GetColumnCount());
    lists.errors.Fill({{0xC00022C0, "first"}, {0x800022C1, "second"}});
    lists.errors.Fill({{0xC00022CC, "The picture \"logo.gif\" cannot be found."},
                       {0x800022D0, "The form has no submit button."},
                       {0x400022D1, "The page uses frames."},
                       {0x000022D2, "Check OK."}});
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Fatal error", "The picture \"logo.gif\" cannot be found."},
        {"Warning", "The form has no submit button."},
        {"Information", "The page uses frames."},
        {"Success", "Check OK."}};
    ASSERT_EQ(4, lists.errors.GetItemCount());
    for (int item = 0; item < 4; ++item) {
        SCOPED_TRACE(item);
        EXPECT_EQ(expected[item].first, lists.errors.GetItemText(item, 0));
        EXPECT_EQ(expected[item].second, lists.errors.GetItemText(item, 1));
    }
    ASSERT_TRUE(SaveWindowPicture(lists.dialog, Picture("codepage-and-error-lists.png").c_str()));
    lists.errors.Fill({});
    EXPECT_EQ(0, lists.errors.GetItemCount());
}
