#pragma once
// WESettingsPage (Kestrin.WESettingsPage): the COM object that the mail
// client's Options dialog creates for the add-in's page. It carries the
// page's window (CWESettingsPageDialog) and answers PropertyPage: Dirty
// and Apply go to the page, and every change of the page is told to the
// dialog's site.

#include "page/CWESettingsPageDialog.h"

#include "IWESettingsPage.h"

#include "com/ComPtr.h"
#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

#include <memory>
#include <span>

class WESettingsPage
    : public pollenta::com::CUnknownImpl<WESettingsPage, pollenta::com::CDispatchImpl<WESettingsPage, IWESettingsPage>,
                                         pollenta::com::CDispatchImpl<WESettingsPage, PropertyPage>> {
public:
    WESettingsPage();
    ~WESettingsPage() override;

    static std::span<const pollenta::com::DispatchMember<WESettingsPage>> DispatchMembers();

    // Fills nothing: the page has no help of its own here.
    STDMETHODIMP GetPageInfo(BSTR* helpFile, LONG* helpContext) override;
    STDMETHODIMP get_Dirty(VARIANT_BOOL* dirty) override;
    STDMETHODIMP Apply() override;
    STDMETHODIMP SetClientSite(IUnknown* site) override;
    STDMETHODIMP CreatePageWindow(LONG_PTR parent, LONG_PTR* page) override;

private:
    void OnStatusChange();

    CComPtr<PropertyPageSite> m_spSite;
    std::unique_ptr<CWnd> m_parent;
    std::unique_ptr<CWESettingsPageDialog> m_page;
    bool m_bDirty = false;
};
