#include "CMailItem.h"

#include "CAttachments.h"
#include "CFolder.h"
#include "CInspectors.h"
#include "CRecipients.h"
#include "DispatchAccessors.h"
#include "MapiAccess.h"

#include "OutlookApplication.h"

#include "com/Text.h"
#include "mapi/MapiUtil.h"

namespace pollenta::outlook {

namespace {

std::string EntryIdOf(IMAPIProp* object)
{
    return ReadBinary(object, PR_ENTRYID);
}

}  // namespace

HRESULT MakeMailItem(const ContextPtr& context, IMsgStore* store, IMessage* message, IDispatch** item)
{
    return CMailItem::CreateInstance(IID_IDispatch, reinterpret_cast<void**>(item), context, store, message);
}

CMailItem::CMailItem(ContextPtr context, IMsgStore* store, IMessage* message)
    : m_context(std::move(context)), m_store(store), m_message(message), m_itemEvents(this, IID_ItemEvents)
{
    AddConnectionPoint(&m_itemEvents);
}

namespace {

// Move(destination): the item in its new folder, as a new object.
HRESULT InvokeMove(CMailItem& self, pollenta::com::DispatchCall& call)
{
    CComVariant destination;
    if (HRESULT hr = call.Arg(0, VT_DISPATCH, &destination); FAILED(hr))
        return hr;
    CComQIPtr<MAPIFolder> folder(destination.pdispVal);
    if (!folder)
        return DISP_E_TYPEMISMATCH;
    CComPtr<IDispatch> moved;
    if (HRESULT hr = self.Move(folder, &moved); FAILED(hr))
        return hr;
    return call.ReturnDispatch(moved.Detach());
}

}  // namespace

std::span<const pollenta::com::DispatchMember<CMailItem>> CMailItem::DispatchMembers()
{
    using T = CMailItem;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"Application", 0xF000, &GetObject<T, _Application, &T::get_Application>},
        {"Parent", 0xF001, &GetObject<T, IDispatch, &T::get_Parent>},
        {"EntryID", 0xF01E, &GetText<T, &T::get_EntryID>},
        {"Subject", 0x37, &GetPutText<T, &T::get_Subject, &T::put_Subject>},
        {"Body", 0x9100, &GetPutText<T, &T::get_Body, &T::put_Body>},
        {"HTMLBody", 0xF404, &GetPutText<T, &T::get_HTMLBody, &T::put_HTMLBody>},
        {"SenderName", 0xC1A, &GetText<T, &T::get_SenderName>},
        {"To", 0xE04, &GetText<T, &T::get_To>},
        {"Recipients", 0xF814, &GetObject<T, Recipients, &T::get_Recipients>},
        {"Attachments", 0xF815, &GetObject<T, Attachments, &T::get_Attachments>},
        {"MAPIOBJECT", 0xF100, &GetUnknown<T, &T::get_MAPIOBJECT>},
        {"GetInspector", 0xF03E, &GetObject<T, _Inspector, &T::get_GetInspector>},
        {"Save", 0xF048, &CallMethod<T, &T::Save>},
        {"Send", 0xF075, &CallMethod<T, &T::Send>},
        {"Copy", 0xF032, &GetObject<T, IDispatch, &T::Copy>},
        {"Move", 0xF034, &InvokeMove},
    };
    return members;
}

bool CMailItem::FireItemEvent(DISPID id)
{
    VARIANT_BOOL cancel = VARIANT_FALSE;
    CComVariant args[1];
    args[0].vt = VT_BOOL | VT_BYREF;
    args[0].pboolVal = &cancel;
    m_itemEvents.Fire(id, args);
    return cancel != VARIANT_FALSE;
}

STDMETHODIMP CMailItem::get_Application(_Application** application)
{
    if (!application)
        return E_POINTER;
    *application = m_context->application;
    if (!*application)
        return E_UNEXPECTED;
    (*application)->AddRef();
    return S_OK;
}

STDMETHODIMP CMailItem::get_Parent(IDispatch** folder)
{
    if (!folder)
        return E_POINTER;
    *folder = nullptr;
    const std::string folderId = ReadBinary(m_message, PR_PARENT_ENTRYID);
    if (folderId.empty())
        return E_FAIL;
    return MakeFolder(m_context, EntryIdOf(m_store), folderId, reinterpret_cast<MAPIFolder**>(folder));
}

STDMETHODIMP CMailItem::get_EntryID(BSTR* entryId)
{
    if (!entryId)
        return E_POINTER;
    const std::string id = EntryIdOf(m_message);
    *entryId = pollenta::com::BstrFromAnsi(
        HexFromBytes(reinterpret_cast<const BYTE*>(id.data()), static_cast<ULONG>(id.size())));
    return S_OK;
}

HRESULT CMailItem::GetTextProp(ULONG tag, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = pollenta::com::BstrFromAnsi(ReadText(m_message, tag));
    return S_OK;
}

HRESULT CMailItem::PutTextProp(ULONG tag, BSTR value)
{
    return WriteText(m_message, tag, pollenta::com::AnsiFromBstr(value));
}

STDMETHODIMP CMailItem::get_Subject(BSTR* subject)
{
    return GetTextProp(PR_SUBJECT_A, subject);
}
STDMETHODIMP CMailItem::put_Subject(BSTR subject)
{
    return PutTextProp(PR_SUBJECT_A, subject);
}
STDMETHODIMP CMailItem::get_Body(BSTR* body)
{
    return GetTextProp(PR_BODY_A, body);
}
STDMETHODIMP CMailItem::put_Body(BSTR body)
{
    return PutTextProp(PR_BODY_A, body);
}
STDMETHODIMP CMailItem::get_SenderName(BSTR* name)
{
    return GetTextProp(PR_SENDER_NAME_A, name);
}
STDMETHODIMP CMailItem::get_To(BSTR* to)
{
    return GetTextProp(PR_DISPLAY_TO_A, to);
}

// The HTML is kept as PR_HTML bytes in the process code page, where the
// store's MIME export looks for it first.
STDMETHODIMP CMailItem::get_HTMLBody(BSTR* html)
{
    if (!html)
        return E_POINTER;
    std::string bytes = ReadBinary(m_message, PR_HTML);
    if (bytes.empty())
        bytes = ReadText(m_message, PR_BODY_HTML_A);
    *html = pollenta::com::BstrFromAnsi(bytes);
    return S_OK;
}

STDMETHODIMP CMailItem::put_HTMLBody(BSTR html)
{
    std::string bytes = pollenta::com::AnsiFromBstr(html);
    SPropValue value{};
    value.ulPropTag = PR_HTML;
    value.Value.bin.cb = static_cast<ULONG>(bytes.size());
    value.Value.bin.lpb = reinterpret_cast<LPBYTE>(bytes.data());
    return HrSetOneProp(m_message, &value);
}

STDMETHODIMP CMailItem::get_Recipients(Recipients** recipients)
{
    if (!recipients)
        return E_POINTER;
    return CRecipients::CreateInstance(IID_Recipients, reinterpret_cast<void**>(recipients), m_message.p);
}

STDMETHODIMP CMailItem::get_Attachments(Attachments** attachments)
{
    if (!attachments)
        return E_POINTER;
    return CAttachments::CreateInstance(IID_Attachments, reinterpret_cast<void**>(attachments), m_message.p);
}

STDMETHODIMP CMailItem::get_MAPIOBJECT(IUnknown** message)
{
    if (!message)
        return E_POINTER;
    *message = m_message.p;
    m_message->AddRef();
    return S_OK;
}

STDMETHODIMP CMailItem::get_GetInspector(_Inspector** inspector)
{
    if (!inspector)
        return E_POINTER;
    *inspector = nullptr;
    if (!m_context->inspectors)
        return E_UNEXPECTED;
    if (HRESULT hr = m_context->inspectors->FindFor(static_cast<_MailItem*>(this), inspector); hr == S_OK)
        return hr;
    return m_context->inspectors->Add(static_cast<_MailItem*>(this), inspector);
}

STDMETHODIMP CMailItem::Save()
{
    return m_message->SaveChanges(KEEP_OPEN_READWRITE);
}

HRESULT CMailItem::SetSender()
{
    if (m_context->userAddress.empty())
        return S_OK;
    const std::string& name = m_context->userName.empty() ? m_context->userAddress : m_context->userName;
    for (ULONG tag : {PR_SENDER_NAME_A, PR_SENT_REPRESENTING_NAME_A})
        if (HRESULT hr = WriteText(m_message, tag, name); FAILED(hr))
            return hr;
    for (ULONG tag : {PR_SENDER_EMAIL_ADDRESS_A, PR_SENT_REPRESENTING_EMAIL_ADDRESS_A})
        if (HRESULT hr = WriteText(m_message, tag, m_context->userAddress); FAILED(hr))
            return hr;
    for (ULONG tag : {PR_SENDER_ADDRTYPE_A, PR_SENT_REPRESENTING_ADDRTYPE_A})
        if (HRESULT hr = WriteText(m_message, tag, "SMTP"); FAILED(hr))
            return hr;
    return S_OK;
}

STDMETHODIMP CMailItem::Send()
{
    if (FireItemEvent(DISPID_ItemEvents_Send))
        return S_FALSE;
    if (HRESULT hr = SetSender(); FAILED(hr))
        return hr;
    if (HRESULT hr = m_message->SaveChanges(KEEP_OPEN_READWRITE); FAILED(hr))
        return hr;
    if (HRESULT hr = m_message->SubmitMessage(0); FAILED(hr))
        return hr;
    if (m_context->inspectors)
        m_context->inspectors->CloseFor(static_cast<_MailItem*>(this));
    return S_OK;
}

STDMETHODIMP CMailItem::Display(VARIANT)
{
    CComPtr<_Inspector> inspector;
    return get_GetInspector(&inspector);
}

STDMETHODIMP CMailItem::Close(LONG saveMode)
{
    if (saveMode != olDiscard)
        if (HRESULT hr = Save(); FAILED(hr))
            return hr;
    if (m_context->inspectors && m_context->inspectors->CloseFor(static_cast<_MailItem*>(this)))
        return S_OK;
    // Without an inspector the item closes on its own.
    FireItemEvent(DISPID_ItemEvents_Close);
    return S_OK;
}

HRESULT CMailItem::CopyInto(IMAPIFolder* folder, IDispatch** copy)
{
    CComPtr<IMessage> made;
    if (HRESULT hr = folder->CreateMessage(nullptr, 0, &made); FAILED(hr))
        return hr;
    if (HRESULT hr = m_message->CopyTo(0, nullptr, nullptr, 0, nullptr, &IID_IMessage, made, 0, nullptr); FAILED(hr))
        return hr;
    if (HRESULT hr = made->SaveChanges(KEEP_OPEN_READWRITE); FAILED(hr))
        return hr;
    return MakeMailItem(m_context, m_store, made, copy);
}

STDMETHODIMP CMailItem::Copy(IDispatch** copy)
{
    if (!copy)
        return E_POINTER;
    *copy = nullptr;
    CComPtr<IMAPIFolder> folder;
    if (HRESULT hr = OpenFolder(m_store, ReadBinary(m_message, PR_PARENT_ENTRYID), folder); FAILED(hr))
        return hr;
    return CopyInto(folder, copy);
}

STDMETHODIMP CMailItem::Move(MAPIFolder* destination, IDispatch** moved)
{
    if (!moved)
        return E_POINTER;
    *moved = nullptr;
    CFolder* target = dynamic_cast<CFolder*>(destination);
    if (!target)
        return E_INVALIDARG;
    CComPtr<IMsgStore> targetStore;
    CComPtr<IMAPIFolder> targetFolder;
    if (HRESULT hr = target->Open(targetStore, targetFolder); FAILED(hr))
        return hr;
    CComPtr<IMAPIFolder> source;
    if (HRESULT hr = OpenFolder(m_store, ReadBinary(m_message, PR_PARENT_ENTRYID), source); FAILED(hr))
        return hr;
    if (HRESULT hr = CopyInto(targetFolder, moved); FAILED(hr))
        return hr;
    std::string id = EntryIdOf(m_message);
    SBinary binary{static_cast<ULONG>(id.size()), reinterpret_cast<LPBYTE>(id.data())};
    ENTRYLIST list{1, &binary};
    return source->DeleteMessages(&list, 0, nullptr, 0);
}

}  // namespace pollenta::outlook
