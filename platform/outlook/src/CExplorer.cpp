#include "CExplorer.h"

#include "CExplorers.h"
#include "DispatchAccessors.h"

#include "com/ComBstr.h"
#include "com/Text.h"

namespace pollenta::outlook {

CExplorer::CExplorer(CExplorers* owner, MAPIFolder* folder)
    : m_owner(owner), m_folder(folder), m_events(this, IID_ExplorerEvents)
{
    AddConnectionPoint(&m_events);
    CCommandBars::CreateInstance(IID__CommandBars, reinterpret_cast<void**>(&m_bars), CCommandBars::Window::Explorer);
}

std::span<const pollenta::com::DispatchMember<CExplorer>> CExplorer::DispatchMembers()
{
    using T = CExplorer;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"CommandBars", 0x2100, &GetObject<T, _CommandBars, &T::get_CommandBars>},
        {"CurrentFolder", 0x2101, &GetObject<T, MAPIFolder, &T::get_CurrentFolder>},
        {"Caption", 0x2111, &GetText<T, &T::get_Caption>},
        {"Activate", 0x2113, &CallMethod<T, &T::Activate>},
        {"Close", 0x2103, &CallMethod<T, &T::Close>},
    };
    return members;
}

STDMETHODIMP CExplorer::get_CommandBars(_CommandBars** bars)
{
    if (!bars)
        return E_POINTER;
    *bars = m_bars.p;
    m_bars->AddRef();
    return S_OK;
}

STDMETHODIMP CExplorer::get_CurrentFolder(MAPIFolder** folder)
{
    if (!folder)
        return E_POINTER;
    *folder = m_folder.p;
    if (!*folder)
        return E_UNEXPECTED;
    m_folder->AddRef();
    return S_OK;
}

STDMETHODIMP CExplorer::put_CurrentFolder(MAPIFolder* folder)
{
    if (!folder)
        return E_INVALIDARG;
    m_folder = folder;
    return S_OK;
}

STDMETHODIMP CExplorer::get_Caption(BSTR* caption)
{
    if (!caption)
        return E_POINTER;
    CComBSTR name;
    if (m_folder)
        m_folder->get_Name(&name);
    *caption = pollenta::com::BstrFromAnsi(name.ToString() + " - Mail Host");
    return S_OK;
}

STDMETHODIMP CExplorer::Activate()
{
    if (m_closed)
        return E_UNEXPECTED;
    return m_events.Fire(DISPID_ExplorerEvents_Activate);
}

STDMETHODIMP CExplorer::Close()
{
    if (m_closed)
        return S_OK;
    if (m_owner)
        m_owner->Remove(this);
    else
        NotifyClosed();
    return S_OK;
}

void CExplorer::NotifyClosed()
{
    if (m_closed)
        return;
    m_closed = true;
    AddRef();
    m_events.Fire(DISPID_ExplorerEvents_Close);
    Release();
}

}  // namespace pollenta::outlook
