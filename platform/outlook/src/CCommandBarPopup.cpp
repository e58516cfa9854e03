#include "CCommandBarPopup.h"

namespace pollenta::outlook {

CCommandBarPopup::CCommandBarPopup()
{
    m_type = msoControlPopup;
    CCommandBarControls::CreateInstance(IID_CommandBarControls, reinterpret_cast<void**>(&m_controls));
    m_controls->OwnedBy(this);
}

// Whoever still holds the controls no longer reaches a bar through this popup.
CCommandBarPopup::~CCommandBarPopup()
{
    m_controls->OwnedBy(nullptr);
}

std::span<const pollenta::com::DispatchMember<CCommandBarPopup>> CCommandBarPopup::DispatchMembers()
{
    using T = CCommandBarPopup;
    static const auto members = [] {
        std::array<pollenta::com::DispatchMember<T>, 11> all{};
        const auto common = CommonMembers();
        std::copy(common.begin(), common.end(), all.begin());
        all[10] = {"Controls", 0x60030000, &GetObject<T, CommandBarControls, &T::get_Controls>};
        return all;
    }();
    return members;
}

void* CCommandBarPopup::QueryInterfaceExtra(REFIID iid)
{
    if (iid == IID_CommandBarControl)
        return static_cast<CommandBarControl*>(static_cast<CommandBarPopup*>(this));
    return nullptr;
}

STDMETHODIMP CCommandBarPopup::get_Controls(CommandBarControls** controls)
{
    if (!controls)
        return E_POINTER;
    *controls = m_controls.p;
    m_controls->AddRef();
    return S_OK;
}

}  // namespace pollenta::outlook
