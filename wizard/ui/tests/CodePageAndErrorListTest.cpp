#include "WizardUiTest.h"
#include "ui/Dialog.h"
#include "ui/Screenshot.h"
#include "wizardui/WECodePagesComboBox.h"
#include "wizardui/WEErrorsList.h"

#include "com/Text.h"

namespace {

constexpr int IDC_CHECK_ERRORS = 1002;
constexpr int IDC_CODEPAGE = 1008;

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

}  // namespace

namespace {

CWEMultilang ReadyMultilang()
{
    CWEMultilang multilang;
    multilang.Init();
    return multilang;
}

std::string SelectedCharset(const CWECodePagesComboBox& list)
{
    MIMECPINFO page{};
    return list.GetSelection(page) ? pollenta::com::AnsiFromUtf16(page.wszWebCharset) : std::string();
}

}  // namespace

TEST_F(UiTest, TheCodePageListShowsTheTablesBrowserPagesAndGivesBackTheChosenRecord)
{
    ListsDialog lists;
    lists.codePages.Fill(ReadyMultilang());
    std::vector<MIMECPINFO> expected;
    ReadyMultilang().EnumCodePages(expected, MIMECONTF_BROWSER);
    ASSERT_EQ(static_cast<int>(expected.size()), lists.codePages.GetCount());
    EXPECT_EQ(pollenta::com::AnsiFromUtf16(expected.back().wszDescription),
              lists.codePages.GetLBText(lists.codePages.GetCount() - 1));
    MIMECPINFO chosen{};
    EXPECT_FALSE(lists.codePages.GetSelection(chosen));
    lists.codePages.SelectByName("windows-1251");
    ASSERT_TRUE(lists.codePages.GetSelection(chosen));
    EXPECT_EQ(1251u, chosen.uiCodePage);
    // Filling again replaces the list instead of adding to it.
    lists.codePages.Fill(ReadyMultilang());
    EXPECT_EQ(static_cast<int>(expected.size()), lists.codePages.GetCount());
}

TEST_F(UiTest, TheCodePageIsSelectedByItsLowerCaseCharsetName)
{
    struct Case {
        const char* name;
        const char* selected;  // starting from utf-8
    };
    const Case cases[] = {
        {"windows-1251", "windows-1251"},
        {"koi8-r", "koi8-r"},
        {"KOI8-R", "utf-8"},  // a name in capitals never matches
        // A page's encoding selects the entry browsers read as it.
        {"gbk", "gb2312"},
        {"ibm866", "cp866"},
        {"", "utf-8"},
        {"x-no-such-charset", "utf-8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListsDialog lists;
        lists.codePages.Fill(ReadyMultilang());
        lists.codePages.SelectByName("utf-8");
        ASSERT_EQ("utf-8", SelectedCharset(lists.codePages));
        lists.codePages.SelectByName(c.name);
        EXPECT_EQ(c.selected, SelectedCharset(lists.codePages));
    }
}

TEST_F(UiTest, TheErrorListShowsOnlyTheLastCollectionWithItsSeverities)
{
    ListsDialog lists;
    lists.errors.InitColumns();
    EXPECT_EQ(2, lists.errors.GetColumnCount());
    CWEErrors first;
    first.AddText(0xC00022C0, "first");
    first.AddText(0x800022C1, "second");
    lists.errors.Fill(first);
    CWEErrors errors;
    errors.AddText(0xC00022CC, "The picture \"logo.gif\" cannot be found.");
    errors.AddText(0x800022D0, "The form has no submit button.");
    errors.AddText(0x400022D1, "The page uses frames.");
    errors.AddText(0x000022D2, "Check OK.");
    lists.errors.Fill(errors);
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
    lists.errors.Fill(CWEErrors());
    EXPECT_EQ(0, lists.errors.GetItemCount());
}
