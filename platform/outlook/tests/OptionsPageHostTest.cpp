// The Options dialog hosting an add-in's page: the page's window on its
// tab, Apply enabled while the page says it has changes, and Apply and OK
// handing them to the page.

#include "OutlookTestSupport.h"

#include "outlookwindows/HostWindows.h"

#include "IWESettingsPage.h"
#include "OutlookPropertyPages.h"
#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"
#include "ui/Styles.h"
#include "ui/Window.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include <cstdlib>

namespace {

// A page with one button; the test says when it has changes.
class CButtonPage
    : public pollenta::com::CUnknownImpl<CButtonPage, pollenta::com::CDispatchImpl<CButtonPage, PropertyPage>,
                                         pollenta::com::CDispatchImpl<CButtonPage, IWESettingsPage>> {
public:
    static std::span<const pollenta::com::DispatchMember<CButtonPage>> DispatchMembers() { return {}; }

    STDMETHODIMP GetPageInfo(BSTR*, LONG*) override { return S_OK; }
    STDMETHODIMP get_Dirty(VARIANT_BOOL* dirty) override
    {
        *dirty = m_dirty ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    STDMETHODIMP Apply() override
    {
        ++m_applied;
        m_dirty = false;
        return S_OK;
    }
    STDMETHODIMP SetClientSite(IUnknown* site) override
    {
        m_site.Release();
        return site ? site->QueryInterface(IID_PropertyPageSite, reinterpret_cast<void**>(&m_site)) : S_OK;
    }
    STDMETHODIMP CreatePageWindow(LONG_PTR parent, LONG_PTR* page) override
    {
        HWND button = CreateWindowEx(0, "Button", "Page button", WS_CHILD | WS_VISIBLE, 10, 10, 160, 30,
                                     reinterpret_cast<HWND>(parent), nullptr, nullptr, nullptr);
        *page = reinterpret_cast<LONG_PTR>(button);
        return button ? S_OK : E_FAIL;
    }

    void Change()
    {
        m_dirty = true;
        m_site->OnStatusChange();
    }

    CComPtr<PropertyPageSite> m_site;
    bool m_dirty = false;
    int m_applied = 0;
};

QPushButton* Button(QWidget* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text().remove('&') == text)
            return button;
    return nullptr;
}

}  // namespace

class OptionsPageHostTest : public COutlookTest {
public:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        COutlookTest::SetUp();
        ASSERT_EQ(S_OK, CButtonPage::CreateInstance(IID_PropertyPage, reinterpret_cast<void**>(&m_page)));
        m_windows = std::make_unique<pollenta::outlook::HostWindows>(*m_host);
        CComPtr<IDispatch> page(m_page.p);
        Listen(m_application, IID_ApplicationEvents, "application", [page](DISPID, pollenta::com::DispatchCall& call) {
            CComVariant pages;
            call.Arg(0, VT_DISPATCH, &pages);
            CComQIPtr<PropertyPages> added(pages.pdispVal);
            return added->Add(CComVariant(page.p), CComBSTR("Pollenta"));
        });
    }
    void TearDown() override
    {
        m_host->CloseWindows();
        m_windows.reset();
        m_page.Release();
        COutlookTest::TearDown();
    }

    QDialog* Options()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->windowTitle() == "Options")
                return dialog;
        return nullptr;
    }

    CButtonPage& Page() { return *static_cast<CButtonPage*>(m_page.p); }

    std::unique_ptr<pollenta::outlook::HostWindows> m_windows;
    CComPtr<PropertyPage> m_page;
};

TEST_F(OptionsPageHostTest, ThePageShowsOnItsTabAndApplyFollowsItsChanges)
{
    EXPECT_EQ((std::vector<std::string>{"Preferences", "Pollenta"}), m_windows->ShowOptions());
    QDialog* options = Options();
    ASSERT_TRUE(options);
    EXPECT_TRUE(Button(options, "Page button")) << "the page's window is inside the dialog";
    QPushButton* apply = Button(options, "Apply");
    ASSERT_TRUE(apply);
    EXPECT_FALSE(apply->isEnabled());

    Page().Change();
    EXPECT_TRUE(apply->isEnabled());
    apply->click();
    EXPECT_EQ(1, Page().m_applied);
    EXPECT_FALSE(apply->isEnabled());

    Page().Change();
    Button(options, "OK")->click();
    EXPECT_EQ(2, Page().m_applied);
    EXPECT_FALSE(options->isVisible());
}

TEST_F(OptionsPageHostTest, CancelLeavesThePagesChangesUntaken)
{
    m_windows->ShowOptions();
    QDialog* options = Options();
    ASSERT_TRUE(options);
    Page().Change();
    Button(options, "Cancel")->click();
    EXPECT_EQ(0, Page().m_applied);
}
