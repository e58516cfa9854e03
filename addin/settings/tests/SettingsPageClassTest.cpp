// Kestrin.WESettingsPage as the Options dialog meets it: registered by
// regsvr, made by its ProgID from the loaded module, asked for Dirty and
// Apply, and telling its site of every change. This program does not link
// the add-in.

#include "AddinTestFolder.h"
#include "AnsweredWindows.h"
#include "OptionsDialogTemplate.h"
#include "Regsvr.h"

#include "IWESettingsPage.h"
#include "KestrinGuids.h"

#include "com/Activation.h"
#include "com/ComPtr.h"
#include "com/UnknownImpl.h"
#include "com/DispatchImpl.h"
#include "ui/Dialog.h"

#include <QApplication>
#include <QComboBox>

namespace {

// The Options dialog's side of the page: counts the changes it is told of.
class CPageSite : public pollenta::com::CUnknownImpl<CPageSite, pollenta::com::CDispatchImpl<CPageSite, PropertyPageSite>> {
public:
    static std::span<const pollenta::com::DispatchMember<CPageSite>> DispatchMembers() { return {}; }
    STDMETHODIMP OnStatusChange() override
    {
        ++m_changes;
        return S_OK;
    }
    int m_changes = 0;
};

class SettingsPageClassTest : public ::testing::Test, public AnsweredWindows {
protected:
    void SetUp() override
    {
        StartAnswering();
        ASSERT_EQ(0, Regsvr("/s", "Kestrin.so"));
        ASSERT_EQ(S_OK, CoInitialize(nullptr));
    }
    void TearDown() override
    {
        StopAnswering();
        CoUninitialize();
    }

    AddinTestFolder m_folder;
};

} // namespace

TEST_F(SettingsPageClassTest, RegistrationMarksTheClassAsAControlAndRemovesItAgain)
{
    const std::string classKey = "CLSID\\" + pollenta::com::GuidToString(CLSID_WESettingsPage);
    EXPECT_EQ(pollenta::com::GuidToString(CLSID_WESettingsPage),
              AddinTestFolder::Text(HKEY_CLASSES_ROOT, "Kestrin.WESettingsPage\\CLSID", ""));
    EXPECT_EQ("Kestrin.WESettingsPage.1", AddinTestFolder::Text(HKEY_CLASSES_ROOT, "Kestrin.WESettingsPage\\CurVer", ""));
    EXPECT_EQ("WESettingsPage Class", AddinTestFolder::Text(HKEY_CLASSES_ROOT, "Kestrin.WESettingsPage.1", ""));
    EXPECT_EQ("Apartment", AddinTestFolder::Text(HKEY_CLASSES_ROOT, classKey + "\\InprocServer32", "ThreadingModel"));
    EXPECT_EQ("131473", AddinTestFolder::Text(HKEY_CLASSES_ROOT, classKey + "\\MiscStatus\\1", ""));
    EXPECT_EQ("0", AddinTestFolder::Text(HKEY_CLASSES_ROOT, classKey + "\\MiscStatus", ""));
    EXPECT_TRUE(AddinTestFolder::KeyExists(HKEY_CLASSES_ROOT, classKey + "\\Control"));
    EXPECT_TRUE(AddinTestFolder::KeyExists(HKEY_CLASSES_ROOT, classKey + "\\Programmable"));
    EXPECT_EQ(pollenta::com::GuidToString(APPID_Kestrin), AddinTestFolder::Text(HKEY_CLASSES_ROOT, classKey, "AppID"));
    EXPECT_EQ("1.0", AddinTestFolder::Text(HKEY_CLASSES_ROOT, classKey + "\\Version", ""));
    std::string bitmap = AddinTestFolder::Text(HKEY_CLASSES_ROOT, classKey + "\\ToolboxBitmap32", "").value_or("");
    EXPECT_NE(std::string::npos, bitmap.find("Kestrin.so, 116")) << bitmap;

    ASSERT_EQ(0, Regsvr("/u /s", "Kestrin.so"));
    EXPECT_FALSE(AddinTestFolder::KeyExists(HKEY_CLASSES_ROOT, classKey));
    EXPECT_FALSE(AddinTestFolder::KeyExists(HKEY_CLASSES_ROOT, "Kestrin.WESettingsPage"));
}

TEST_F(SettingsPageClassTest, MadeByItsProgIdItShowsInTheDialogAndTellsTheSiteOfChanges)
{
    CLSID clsid{};
    ASSERT_EQ(S_OK, CLSIDFromProgID(u"Kestrin.WESettingsPage", &clsid));
    CComPtr<PropertyPage> page;
    ASSERT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PropertyPage, reinterpret_cast<void**>(&page)));
    CComQIPtr<IWESettingsPage> control(page.p);
    ASSERT_TRUE(control);
    CComPtr<PropertyPageSite> site;
    ASSERT_EQ(S_OK, CPageSite::CreateInstance(IID_PropertyPageSite, reinterpret_cast<void**>(&site)));
    ASSERT_EQ(S_OK, control->SetClientSite(site));

    DialogTemplate options = OptionsDialogTemplate();
    CDialog dialog(options);
    ASSERT_TRUE(dialog.Create());
    LONG_PTR window = 0;
    ASSERT_EQ(S_OK, control->CreatePageWindow(reinterpret_cast<LONG_PTR>(dialog.GetSafeHwnd()), &window));
    EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(window)));
    VARIANT_BOOL dirty = VARIANT_TRUE;
    EXPECT_EQ(S_OK, page->get_Dirty(&dirty));
    EXPECT_EQ(VARIANT_FALSE, dirty);

    // The user picks another message action.
    QComboBox* action = nullptr;
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->isVisible())
            action = combo;
    ASSERT_TRUE(action);
    action->setCurrentIndex(4);
    Q_EMIT action->activated(4);
    EXPECT_EQ(1, static_cast<CPageSite*>(site.p)->m_changes);
    // Without a running add-in no folder is watched: Apply stays unavailable.
    EXPECT_EQ(S_OK, page->get_Dirty(&dirty));
    EXPECT_EQ(VARIANT_FALSE, dirty);
    EXPECT_EQ(S_OK, page->Apply());
    BSTR helpFile = nullptr;
    LONG helpContext = -1;
    EXPECT_EQ(S_OK, page->GetPageInfo(&helpFile, &helpContext));
    EXPECT_EQ(nullptr, helpFile);
    EXPECT_EQ(-1, helpContext);
}
