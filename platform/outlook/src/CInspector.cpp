#include "CInspector.h"

#include "CInspectors.h"
#include "CMailItem.h"
#include "DispatchAccessors.h"
#include "outlook/EditorPreference.h"

#include "com/ComBstr.h"
#include "com/Text.h"

namespace pollenta::outlook {

CInspector::CInspector(ContextPtr context, IDispatch* item)
    : m_context(std::move(context)), m_item(item), m_events(this, IID_InspectorEvents)
{
    AddConnectionPoint(&m_events);
    CCommandBars::CreateInstance(IID__CommandBars, reinterpret_cast<void**>(&m_bars), CCommandBars::Window::Inspector);
}

std::span<const pollenta::com::DispatchMember<CInspector>> CInspector::DispatchMembers()
{
    using T = CInspector;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"CommandBars", 0x2100, &GetObject<T, _CommandBars, &T::get_CommandBars>},
        {"CurrentItem", 0x2102, &GetObject<T, IDispatch, &T::get_CurrentItem>},
        {"Caption", 0x2111, &GetText<T, &T::get_Caption>},
        {"EditorType", 0x2119, &GetLong<T, &T::get_EditorType>},
        {"Activate", 0x2113, &CallMethod<T, &T::Activate>},
    };
    return members;
}

STDMETHODIMP CInspector::get_CommandBars(_CommandBars** bars)
{
    if (!bars)
        return E_POINTER;
    *bars = m_bars.p;
    m_bars->AddRef();
    return S_OK;
}

STDMETHODIMP CInspector::get_CurrentItem(IDispatch** item)
{
    if (!item)
        return E_POINTER;
    *item = m_item.p;
    if (!*item)
        return E_UNEXPECTED;
    m_item->AddRef();
    return S_OK;
}

STDMETHODIMP CInspector::get_Caption(BSTR* caption)
{
    if (!caption)
        return E_POINTER;
    CComQIPtr<_MailItem> mail(m_item.p);
    CComBSTR subject;
    if (mail)
        mail->get_Subject(&subject);
    const std::string text = subject.Length() ? subject.ToString() : "Untitled";
    *caption = pollenta::com::BstrFromAnsi(text + " - Message");
    return S_OK;
}

STDMETHODIMP CInspector::get_EditorType(LONG* editor)
{
    if (!editor)
        return E_POINTER;
    *editor = EditorTypeOf(ReadEditorPreference(m_context->version, kOwnHtmlEditor));
    return S_OK;
}

STDMETHODIMP CInspector::IsWordMail(VARIANT_BOOL* isWord)
{
    if (!isWord)
        return E_POINTER;
    LONG editor = 0;
    get_EditorType(&editor);
    *isWord = editor == olEditorWord ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP CInspector::Activate()
{
    if (m_closed)
        return E_UNEXPECTED;
    return m_events.Fire(DISPID_InspectorEvents_Activate);
}

STDMETHODIMP CInspector::Close(LONG saveMode)
{
    if (m_closed)
        return S_OK;
    if (CMailItem* mail = dynamic_cast<CMailItem*>(m_item.p); mail && saveMode != olDiscard)
        if (HRESULT hr = mail->Save(); FAILED(hr))
            return hr;
    if (m_context->inspectors)
        m_context->inspectors->Remove(this);
    return S_OK;
}

void CInspector::NotifyClosed()
{
    if (m_closed)
        return;
    m_closed = true;
    AddRef();
    m_events.Fire(DISPID_InspectorEvents_Close);
    if (CMailItem* mail = dynamic_cast<CMailItem*>(m_item.p))
        mail->FireItemEvent(DISPID_ItemEvents_Close);
    m_item.Release();
    Release();
}

}  // namespace pollenta::outlook
