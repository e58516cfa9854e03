#pragma once
// A mail item over one MAPI message of a store. Its ItemEvents sinks hear
// Open (when an inspector shows it), Send and Close, each with a cancel
// flag by reference.

#include "OutlookContext.h"
#include "OutlookMailItem.h"

#include "com/ConnectionPointImpl.h"
#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"
#include "mapi/IMAPIFolder.h"
#include "mapi/IMessage.h"
#include "mapi/IMsgStore.h"

namespace pollenta::outlook {

class CMailItem : public pollenta::com::CUnknownImpl<CMailItem, pollenta::com::CDispatchImpl<CMailItem, _MailItem>,
                                                     pollenta::com::CConnectionPointContainerImpl> {
public:
    CMailItem(ContextPtr context, IMsgStore* store, IMessage* message);

    static std::span<const pollenta::com::DispatchMember<CMailItem>> DispatchMembers();

    STDMETHODIMP get_Application(_Application** application) override;
    STDMETHODIMP get_Parent(IDispatch** folder) override;
    STDMETHODIMP get_EntryID(BSTR* entryId) override;
    STDMETHODIMP get_Subject(BSTR* subject) override;
    STDMETHODIMP put_Subject(BSTR subject) override;
    STDMETHODIMP get_Body(BSTR* body) override;
    STDMETHODIMP put_Body(BSTR body) override;
    STDMETHODIMP get_HTMLBody(BSTR* html) override;
    STDMETHODIMP put_HTMLBody(BSTR html) override;
    STDMETHODIMP get_SenderName(BSTR* name) override;
    STDMETHODIMP get_To(BSTR* to) override;
    STDMETHODIMP get_Recipients(Recipients** recipients) override;
    STDMETHODIMP get_Attachments(Attachments** attachments) override;
    STDMETHODIMP get_MAPIOBJECT(IUnknown** message) override;
    STDMETHODIMP get_GetInspector(_Inspector** inspector) override;
    STDMETHODIMP Save() override;
    STDMETHODIMP Send() override;
    STDMETHODIMP Display(VARIANT modal) override;
    STDMETHODIMP Close(LONG saveMode) override;
    STDMETHODIMP Copy(IDispatch** copy) override;
    STDMETHODIMP Move(MAPIFolder* destination, IDispatch** moved) override;

    // Tells the ItemEvents sinks (Open, Send or Close, each with its cancel
    // flag); true when one of them cancelled.
    bool FireItemEvent(DISPID id);
    IMessage* Message() const { return m_message; }

private:
    HRESULT GetTextProp(ULONG tag, BSTR* out);
    HRESULT PutTextProp(ULONG tag, BSTR value);
    HRESULT CopyInto(IMAPIFolder* folder, IDispatch** copy);
    HRESULT SetSender();

    ContextPtr m_context;
    CComPtr<IMsgStore> m_store;
    CComPtr<IMessage> m_message;
    pollenta::com::CConnectionPointImpl m_itemEvents;
};

// A new item object on `message`, handed out as IDispatch.
HRESULT MakeMailItem(const ContextPtr& context, IMsgStore* store, IMessage* message, IDispatch** item);

}  // namespace pollenta::outlook
