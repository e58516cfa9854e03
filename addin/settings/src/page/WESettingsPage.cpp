#include "page/WESettingsPage.h"

#include "about/CWEAbout.h"
#include "module/ActivationScope.h"

#include "com/ComBoundary.h"

using pollenta::com::DispatchCall;
using pollenta::com::DispatchMember;
using pollenta::com::GuardedCall;

namespace {

constexpr DISPID DISPID_GETPAGEINFO = 1;
constexpr DISPID DISPID_DIRTY = 2;
constexpr DISPID DISPID_APPLY = 3;

HRESULT InvokeDirty(WESettingsPage& self, DispatchCall& call)
{
    VARIANT_BOOL dirty = VARIANT_FALSE;
    HRESULT hr = self.get_Dirty(&dirty);
    if (SUCCEEDED(hr) && call.Result()) {
        call.Result()->vt = VT_BOOL;
        call.Result()->boolVal = dirty;
    }
    return hr;
}

HRESULT InvokeApply(WESettingsPage& self, DispatchCall&) { return self.Apply(); }

HRESULT InvokeGetPageInfo(WESettingsPage& self, DispatchCall&) { return self.GetPageInfo(nullptr, nullptr); }

void ShowAbout(HWND page)
{
    CActivationScope scope;
    CWnd owner;
    owner.Attach(page);
    CWEAbout about(&owner);
    about.DoModal();
}

constexpr DispatchMember<WESettingsPage> Members[] = {
    {"GetPageInfo", DISPID_GETPAGEINFO, InvokeGetPageInfo},
    {"Dirty", DISPID_DIRTY, InvokeDirty},
    {"Apply", DISPID_APPLY, InvokeApply},
};

} // namespace

WESettingsPage::WESettingsPage() = default;

WESettingsPage::~WESettingsPage()
{
    m_page.reset();
    if (m_parent)
        m_parent->Detach();
}

std::span<const DispatchMember<WESettingsPage>> WESettingsPage::DispatchMembers() { return Members; }

STDMETHODIMP WESettingsPage::GetPageInfo(BSTR*, LONG*) { return S_OK; }

STDMETHODIMP WESettingsPage::get_Dirty(VARIANT_BOOL* dirty)
{
    if (!dirty)
        return E_POINTER;
    *dirty = m_page && m_page->IsDirty() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP WESettingsPage::Apply()
{
    return GuardedCall([&] { return m_page ? m_page->Apply() : S_OK; });
}

STDMETHODIMP WESettingsPage::SetClientSite(IUnknown* site)
{
    m_spSite.Release();
    if (site)
        site->QueryInterface(IID_PropertyPageSite, reinterpret_cast<void**>(&m_spSite));
    return S_OK;
}

STDMETHODIMP WESettingsPage::CreatePageWindow(LONG_PTR parent, LONG_PTR* page)
{
    if (!page)
        return E_POINTER;
    *page = 0;
    return GuardedCall([&] {
        if (m_page)
            return E_UNEXPECTED;
        auto owner = std::make_unique<CWnd>();
        if (!owner->Attach(reinterpret_cast<HWND>(parent)))
            return E_INVALIDARG;
        auto dialog = std::make_unique<CWESettingsPageDialog>(GetOptionsHost(), owner.get());
        dialog->SetStatusChangeSink([this] { OnStatusChange(); });
        dialog->SetAboutHandler(ShowAbout);
        if (!dialog->Create(owner.get()))
            return E_FAIL;
        ShowWindow(*dialog, SW_SHOW);
        *page = reinterpret_cast<LONG_PTR>(dialog->GetSafeHwnd());
        m_parent = std::move(owner);
        m_page = std::move(dialog);
        return S_OK;
    });
}

void WESettingsPage::OnStatusChange()
{
    if (m_spSite)
        m_spSite->OnStatusChange();
}
