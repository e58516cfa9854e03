#pragma once
// One command bar: the menu bar or a toolbar of a window.

#include "CCommandBarControls.h"

namespace pollenta::outlook {

class CCommandBar
    : public pollenta::com::CUnknownImpl<CCommandBar, pollenta::com::CDispatchImpl<CCommandBar, CommandBar>> {
public:
    explicit CCommandBar(std::string name);

    static std::span<const pollenta::com::DispatchMember<CCommandBar>> DispatchMembers();

    STDMETHODIMP get_Name(BSTR* name) override;
    STDMETHODIMP get_Controls(CommandBarControls** controls) override;
    STDMETHODIMP FindControl(VARIANT type, VARIANT id, VARIANT tag, VARIANT visible, VARIANT recursive,
                             CommandBarControl** control) override;

    const std::string& Name() const { return m_name; }
    CCommandBarControls* Controls() const { return m_controls; }

private:
    std::string m_name;
    CComPtr<CCommandBarControls> m_controls;
};

}  // namespace pollenta::outlook
