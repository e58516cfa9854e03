#include "CApplication.h"

#include "CMailItem.h"
#include "CPropertyPages.h"
#include "DispatchAccessors.h"
#include "MapiAccess.h"

#include "com/ComBstr.h"
#include "com/Text.h"
#include "mapi/MapiUtil.h"

#include <strings.h>

namespace pollenta::outlook {

CApplication::CApplication(ContextPtr context) : m_context(std::move(context)), m_events(this, IID_ApplicationEvents)
{
    AddConnectionPoint(&m_events);
    m_context->application = this;
    CNameSpace::CreateInstance(IID__NameSpace, reinterpret_cast<void**>(&m_nameSpace), m_context);
    CExplorers::CreateInstance(IID__Explorers, reinterpret_cast<void**>(&m_explorers), m_context);
    CInspectors::CreateInstance(IID__Inspectors, reinterpret_cast<void**>(&m_inspectors), m_context);
}

CApplication::~CApplication()
{
    m_context->application = nullptr;
}

std::span<const pollenta::com::DispatchMember<CApplication>> CApplication::DispatchMembers()
{
    using T = CApplication;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"Session", 0xF00B, &GetObject<T, IDispatch, &T::get_Session>},
        {"Version", 0x116, &GetText<T, &T::get_Version>},
        {"GetNamespace", 0x110, &CallForObject<T, CComBSTR, _NameSpace, &T::GetNamespace>},
        {"Explorers", 0x118, &GetObject<T, _Explorers, &T::get_Explorers>},
        {"Inspectors", 0x119, &GetObject<T, _Inspectors, &T::get_Inspectors>},
        {"ActiveExplorer", 0x111, &GetObject<T, _Explorer, &T::ActiveExplorer>},
        {"CreateItem", 0x10A, &CallForObject<T, LONG, IDispatch, &T::CreateItem>},
    };
    return members;
}

STDMETHODIMP CApplication::get_Session(IDispatch** nameSpace)
{
    if (!nameSpace)
        return E_POINTER;
    *nameSpace = m_nameSpace.p;
    m_nameSpace->AddRef();
    return S_OK;
}

STDMETHODIMP CApplication::get_Version(BSTR* version)
{
    if (!version)
        return E_POINTER;
    *version = pollenta::com::BstrFromAnsi(m_context->version);
    return S_OK;
}

STDMETHODIMP CApplication::GetNamespace(BSTR type, _NameSpace** nameSpace)
{
    if (!nameSpace)
        return E_POINTER;
    *nameSpace = nullptr;
    if (strcasecmp(pollenta::com::AnsiFromBstr(type).c_str(), "MAPI") != 0)
        return E_INVALIDARG;
    *nameSpace = m_nameSpace.p;
    m_nameSpace->AddRef();
    return S_OK;
}

STDMETHODIMP CApplication::get_Explorers(_Explorers** explorers)
{
    if (!explorers)
        return E_POINTER;
    *explorers = m_explorers.p;
    m_explorers->AddRef();
    return S_OK;
}

STDMETHODIMP CApplication::get_Inspectors(_Inspectors** inspectors)
{
    if (!inspectors)
        return E_POINTER;
    *inspectors = m_inspectors.p;
    m_inspectors->AddRef();
    return S_OK;
}

STDMETHODIMP CApplication::ActiveExplorer(_Explorer** explorer)
{
    if (!explorer)
        return E_POINTER;
    *explorer = nullptr;
    if (m_explorers->Windows().empty())
        return S_OK;
    *explorer = m_explorers->Windows().back().p;
    (*explorer)->AddRef();
    return S_OK;
}

STDMETHODIMP CApplication::CreateItem(LONG itemType, IDispatch** item)
{
    if (!item)
        return E_POINTER;
    *item = nullptr;
    if (itemType != olMailItem)
        return E_INVALIDARG;
    CComPtr<IMsgStore> store;
    std::string drafts;
    if (HRESULT hr = FindDefaultFolder(m_context->session, olFolderDrafts, store, drafts); FAILED(hr))
        return hr;
    CComPtr<IMAPIFolder> folder;
    if (HRESULT hr = OpenFolder(store, drafts, folder); FAILED(hr))
        return hr;
    CComPtr<IMessage> message;
    if (HRESULT hr = folder->CreateMessage(nullptr, 0, &message); FAILED(hr))
        return hr;
    if (HRESULT hr = WriteText(message, PR_MESSAGE_CLASS_A, "IPM.Note"); FAILED(hr))
        return hr;
    return MakeMailItem(m_context, store, message, item);
}

HRESULT CApplication::CollectOptionsPages(std::vector<OptionsPage>& pages)
{
    CComPtr<CPropertyPages> collected;
    if (HRESULT hr = CPropertyPages::CreateInstance(IID_PropertyPages, reinterpret_cast<void**>(&collected));
        FAILED(hr))
        return hr;
    CComVariant args[1];
    args[0] = static_cast<IDispatch*>(static_cast<PropertyPages*>(collected.p));
    const HRESULT hr = m_events.Fire(DISPID_ApplicationEvents_OptionsPagesAdd, args);
    pages = collected->Pages();
    return hr;
}

void CApplication::CloseWindows()
{
    m_inspectors->CloseAll();
    m_explorers->CloseAll();
}

}  // namespace pollenta::outlook
