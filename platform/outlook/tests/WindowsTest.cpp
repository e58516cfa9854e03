// Explorers and inspectors with their events, the Options dialog's pages
// and the editor the user's preference names.

#include "OutlookTestSupport.h"

#include "OutlookPropertyPages.h"
#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "win/Registry.h"

using WindowsTest = COutlookTest;

TEST_F(WindowsTest, ExplorersTellOfNewWindowsAndTheirClose)
{
    CComPtr<_Explorers> explorers;
    ASSERT_EQ(S_OK, m_application->get_Explorers(&explorers));
    Listen(explorers, IID_ExplorersEvents, "explorers");
    CComPtr<_Explorer> explorer;
    ASSERT_EQ(S_OK, m_host->OpenExplorer(&explorer));
    Listen(explorer, IID_ExplorerEvents, "explorer");
    CComPtr<_Explorer> active;
    ASSERT_EQ(S_OK, m_application->ActiveExplorer(&active));
    EXPECT_TRUE(active.p == explorer.p);
    explorer->Activate();
    m_host->CloseWindows();
    EXPECT_EQ((std::vector<std::string>{"explorers:61441", "explorer:61441", "explorer:61448"}), m_heard);
    LONG count = -1;
    explorers->get_Count(&count);
    EXPECT_EQ(0, count);
    active.Release();
    EXPECT_EQ(S_OK, m_application->ActiveExplorer(&active));
    EXPECT_FALSE(active);
}

TEST_F(WindowsTest, DisplayOpensAnInspectorAndCloseSavesBeforeItTells)
{
    CComPtr<_Inspectors> inspectors;
    ASSERT_EQ(S_OK, m_application->get_Inspectors(&inspectors));
    Listen(inspectors, IID_InspectorsEvents, "inspectors");
    CComPtr<_MailItem> mail = NewMail();
    mail->put_Subject(CComBSTR("Draft"));
    CComBSTR entryIdAtClose;
    Listen(mail, IID_ItemEvents, "item", [&](DISPID id, pollenta::com::DispatchCall&) {
        if (id == DISPID_ItemEvents_Close)
            mail->get_EntryID(&entryIdAtClose);
        return S_OK;
    });
    ASSERT_EQ(S_OK, mail->Display(CComVariant()));
    CComPtr<_Inspector> inspector;
    ASSERT_EQ(S_OK, inspectors->Item(CComVariant(1), &inspector));
    Listen(inspector, IID_InspectorEvents, "inspector");
    CComPtr<IDispatch> current;
    ASSERT_EQ(S_OK, inspector->get_CurrentItem(&current));
    EXPECT_TRUE(CComPtr<IUnknown>(current.p).IsEqualObject(mail));
    ASSERT_EQ(S_OK, mail->Close(olSave));
    EXPECT_EQ((std::vector<std::string>{"inspectors:61441", "item:61443", "inspector:61448", "item:61444"}), m_heard);
    EXPECT_GT(entryIdAtClose.Length(), 0u);
    LONG count = -1;
    inspectors->get_Count(&count);
    EXPECT_EQ(0, count);
}

TEST_F(WindowsTest, OpeningOptionsAsksTheAddInsForTheirPages)
{
    Listen(m_application, IID_ApplicationEvents, "application", [](DISPID id, pollenta::com::DispatchCall& call) {
        CComVariant pages;
        call.Arg(0, VT_DISPATCH, &pages);
        CComQIPtr<PropertyPages> added(pages.pdispVal);
        return added->Add(CComVariant("Kestrin.WESettingsPage"), CComBSTR("Pollenta"));
    });
    std::vector<pollenta::outlook::OptionsPage> pages;
    ASSERT_EQ(S_OK, m_host->CollectOptionsPages(pages));
    ASSERT_EQ(1u, pages.size());
    EXPECT_EQ("Kestrin.WESettingsPage", pages[0].progId);
    EXPECT_EQ("Pollenta", pages[0].title);
    EXPECT_EQ((std::vector<std::string>{"application:61445"}), m_heard);
}

TEST_F(WindowsTest, TheInspectorsEditorFollowsTheUsersMailFormatPreference)
{
    struct Case {
        DWORD preference;
        LONG editor;
    } cases[] = {
        {0x00020000, olEditorHTML}, {0x00010000, olEditorText}, {0x00030000, olEditorRTF}, {0x00020001, olEditorWord}};
    CComPtr<_Inspector> inspector;
    CComPtr<_Inspectors> inspectors;
    m_application->get_Inspectors(&inspectors);
    ASSERT_EQ(S_OK, inspectors->Add(CComPtr<IDispatch>(NewMail()), &inspector));
    LONG editor = 0;
    ASSERT_EQ(S_OK, inspector->get_EditorType(&editor));
    EXPECT_EQ(olEditorHTML, editor);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preference);
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\11.0\\Outlook\\Options\\Mail", 0,
                                 nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegSetValueEx(key, "EditorPreference", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&c.preference),
                      sizeof c.preference);
        RegCloseKey(key);
        ASSERT_EQ(S_OK, inspector->get_EditorType(&editor));
        EXPECT_EQ(c.editor, editor);
    }
}
