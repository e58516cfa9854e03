#pragma once
// A popup of a command bar: a caption over controls of its own.

#include "CCommandBarControlImpl.h"

namespace pollenta::outlook {

class CCommandBarPopup
    : public pollenta::com::CUnknownImpl<CCommandBarPopup, CCommandBarControlImpl<CCommandBarPopup, CommandBarPopup>> {
public:
    CCommandBarPopup();
    ~CCommandBarPopup() override;

    static std::span<const pollenta::com::DispatchMember<CCommandBarPopup>> DispatchMembers();
    void* QueryInterfaceExtra(REFIID iid);
    CCommandBarControls* ChildControls() override { return m_controls; }

    // Opening a popup shows its controls; nothing more happens.
    STDMETHODIMP Execute() override { return S_OK; }
    STDMETHODIMP get_Controls(CommandBarControls** controls) override;

private:
    CComPtr<CCommandBarControls> m_controls;
};

}  // namespace pollenta::outlook
