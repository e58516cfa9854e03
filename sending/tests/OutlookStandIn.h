#pragma once
// A small stand-in for the mail client's object model in tests, over a real
// MAPI store: what the sending engine reads of an application, its name
// space, its folders and a mail item, by the client's member names.

#include "OutlookApplication.h"
#include "OutlookGuids.h"

#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/DispatchImpl.h"
#include "com/Text.h"
#include "com/UnknownImpl.h"
#include "mapi/MapiUtil.h"
#include "sender/BodyProperty.h"

#include <string>

namespace standin {

using pollenta::com::DispatchCall;
using pollenta::com::DispatchMember;

inline std::string EntryIdHex(IMAPIProp* object, ULONG tag)
{
    LPSPropValue value = nullptr;
    if (FAILED(HrGetOneProp(object, tag, &value)))
        return {};
    std::string hex(value->Value.bin.cb * 2 + 1, '\0');
    HexFromBin(value->Value.bin.lpb, static_cast<int>(value->Value.bin.cb), hex.data());
    MAPIFreeBuffer(value);
    hex.pop_back();
    return hex;
}

inline HRESULT ReturnUnknown(DispatchCall& call, IUnknown* object)
{
    CComVariant value(object);
    return call.Return(&value);
}

class Folder : public pollenta::com::CUnknownImpl<Folder, pollenta::com::CDispatchImpl<Folder, IDispatch>> {
public:
    Folder(IMsgStore* store, IMAPIFolder* folder) : m_store(store), m_folder(folder) {}
    static std::span<const DispatchMember<Folder>> DispatchMembers()
    {
        static const DispatchMember<Folder> members[] = {
            {"StoreID", 1, [](Folder& self, DispatchCall& call) { return call.ReturnString(EntryIdHex(self.m_store, PR_ENTRYID)); }},
            {"EntryID", 2, [](Folder& self, DispatchCall& call) { return call.ReturnString(EntryIdHex(self.m_folder, PR_ENTRYID)); }},
            {"MAPIOBJECT", 3, [](Folder& self, DispatchCall& call) { return ReturnUnknown(call, self.m_folder); }},
        };
        return members;
    }
    CComPtr<IMsgStore> m_store;
    CComPtr<IMAPIFolder> m_folder;
};

inline CComPtr<IMAPIFolder> OpenFolder(IMsgStore* store, ULONG tag)
{
    LPSPropValue value = nullptr;
    CComPtr<IMAPIFolder> folder;
    if (FAILED(HrGetOneProp(store, tag, &value)))
        return folder;
    ULONG type = 0;
    store->OpenEntry(value->Value.bin.cb, reinterpret_cast<LPENTRYID>(value->Value.bin.lpb), &IID_IMAPIFolder,
                     MAPI_BEST_ACCESS, &type, reinterpret_cast<LPUNKNOWN*>(&folder));
    MAPIFreeBuffer(value);
    return folder;
}

class NameSpace : public pollenta::com::CUnknownImpl<NameSpace, pollenta::com::CDispatchImpl<NameSpace, IDispatch>> {
public:
    NameSpace(IMAPISession* session, IMsgStore* store) : m_session(session), m_store(store) {}
    static std::span<const DispatchMember<NameSpace>> DispatchMembers()
    {
        static const DispatchMember<NameSpace> members[] = {
            {"MAPIOBJECT", 1, [](NameSpace& self, DispatchCall& call) { return ReturnUnknown(call, self.m_session); }},
            {"GetDefaultFolder", 2, &NameSpace::InvokeDefaultFolder},
            {"GetItemFromID", 3, &NameSpace::InvokeGetItemFromID},
        };
        return members;
    }

private:
    static HRESULT InvokeDefaultFolder(NameSpace& self, DispatchCall& call)
    {
        LONG kind = 0;
        if (HRESULT hr = call.Arg(0, &kind); FAILED(hr))
            return hr;
        const ULONG tag = kind == 4 ? PR_IPM_OUTBOX_ENTRYID : kind == 3 ? PR_IPM_WASTEBASKET_ENTRYID : 0;
        CComPtr<IMAPIFolder> folder = tag ? OpenFolder(self.m_store, tag) : CComPtr<IMAPIFolder>();
        if (!folder)
            return E_INVALIDARG;
        CComPtr<IDispatch> result;
        Folder::CreateInstance(IID_IDispatch, reinterpret_cast<void**>(&result), self.m_store.p, folder.p);
        return call.ReturnDispatch(result.Detach());
    }

    static HRESULT InvokeGetItemFromID(NameSpace& self, DispatchCall& call);

    CComPtr<IMAPISession> m_session;
    CComPtr<IMsgStore> m_store;
};

class Application
    : public pollenta::com::CUnknownImpl<Application, pollenta::com::CDispatchImpl<Application, _Application>> {
public:
    Application(IMAPISession* session, IMsgStore* store) : m_session(session), m_store(store) {}
    static std::span<const DispatchMember<Application>> DispatchMembers()
    {
        static const DispatchMember<Application> members[] = {
            {"GetNamespace", 1, [](Application& self, DispatchCall& call) {
                 CComPtr<IDispatch> nameSpace;
                 self.get_Session(&nameSpace);
                 return call.ReturnDispatch(nameSpace.Detach());
             }},
            {"Version", 2, [](Application& self, DispatchCall& call) { return call.ReturnString(self.m_version); }},
        };
        return members;
    }
    STDMETHODIMP get_Session(IDispatch** nameSpace) override
    {
        return NameSpace::CreateInstance(IID_IDispatch, reinterpret_cast<void**>(nameSpace), m_session.p, m_store.p);
    }
    STDMETHODIMP get_Version(BSTR* version) override
    {
        *version = pollenta::com::BstrFromAnsi(m_version);
        return S_OK;
    }
    void SetVersion(const std::string& version) { m_version = version; }
    // The sending component reaches the name space by name, through
    // IDispatch; the rest of the client is not asked for.
    STDMETHODIMP GetNamespace(BSTR, _NameSpace**) override { return E_NOTIMPL; }
    STDMETHODIMP get_Explorers(_Explorers**) override { return E_NOTIMPL; }
    STDMETHODIMP get_Inspectors(_Inspectors**) override { return E_NOTIMPL; }
    STDMETHODIMP ActiveExplorer(_Explorer**) override { return E_NOTIMPL; }
    STDMETHODIMP CreateItem(LONG, IDispatch**) override { return E_NOTIMPL; }

private:
    CComPtr<IMAPISession> m_session;
    CComPtr<IMsgStore> m_store;
    std::string m_version = "11.0.8169";
};

// A mail item: its message, open for change, in its folder.
class MailItem : public pollenta::com::CUnknownImpl<MailItem, pollenta::com::CDispatchImpl<MailItem, IDispatch>> {
public:
    MailItem(IDispatch* application, IMAPIFolder* folder, IMessage* message)
        : m_application(application), m_folder(folder), m_message(message)
    {
    }
    static std::span<const DispatchMember<MailItem>> DispatchMembers()
    {
        static const DispatchMember<MailItem> members[] = {
            {"Application", 1, [](MailItem& self, DispatchCall& call) { self.m_application.p->AddRef(); return call.ReturnDispatch(self.m_application.p); }},
            {"Save", 2, [](MailItem& self, DispatchCall&) { return self.m_message->SaveChanges(KEEP_OPEN_READWRITE); }},
            {"MAPIOBJECT", 3, [](MailItem& self, DispatchCall& call) { return ReturnUnknown(call, self.m_message); }},
            {"Copy", 4, [](MailItem& self, DispatchCall& call) { return self.CopyInto(self.m_folder, call); }},
            {"Move", 5, &MailItem::InvokeMove},
            {"Subject", 6, [](MailItem& self, DispatchCall& call) { return self.Text(call, PR_SUBJECT_A); }},
            {"Body", 7, [](MailItem& self, DispatchCall& call) { return self.Text(call, PR_BODY_A); }},
            {"HTMLBody", 8, [](MailItem& self, DispatchCall& call) { return self.Text(call, PR_HTML); }},
            {"Send", 9, [](MailItem& self, DispatchCall&) { return self.Send(); }},
        };
        return members;
    }
    void* QueryInterfaceExtra(REFIID iid) { return iid == IID__MailItem ? static_cast<IDispatch*>(this) : nullptr; }

    static CComPtr<IDispatch> Make(IDispatch* application, IMAPIFolder* folder, IMessage* message)
    {
        CComPtr<IDispatch> item;
        CreateInstance(IID_IDispatch, reinterpret_cast<void**>(&item), application, folder, message);
        return item;
    }

    // Sends from this number on fail, as a client refusing the message would.
    inline static int s_failingSend = 0;
    inline static int s_sends = 0;

private:
    HRESULT Text(DispatchCall& call, ULONG tag)
    {
        std::string text;
        if (!call.IsPropertyPut()) {
            if (FAILED(ReadTextProperty(m_message, tag, text)))
                text.clear();
            return call.ReturnString(text);
        }
        CComVariant value;
        if (HRESULT hr = call.PutValue(VT_BSTR, &value); FAILED(hr))
            return hr;
        text = pollenta::com::AnsiFromBstr(value.bstrVal);
        return text.empty() ? S_OK : WriteTextProperty(m_message, tag, text);
    }

    HRESULT Send()
    {
        if (++s_sends == s_failingSend)
            return E_ABORT;
        HRESULT hr = m_message->SaveChanges(KEEP_OPEN_READWRITE);
        return SUCCEEDED(hr) ? m_message->SubmitMessage(0) : hr;
    }

    HRESULT CopyInto(IMAPIFolder* folder, DispatchCall& call)
    {
        CComPtr<IMessage> copy;
        HRESULT hr = folder->CreateMessage(&IID_IMessage, 0, &copy);
        if (SUCCEEDED(hr))
            hr = m_message->CopyTo(0, nullptr, nullptr, 0, nullptr, &IID_IMessage, copy, 0, nullptr);
        if (SUCCEEDED(hr))
            hr = copy->SaveChanges(KEEP_OPEN_READWRITE);
        if (FAILED(hr))
            return hr;
        return call.ReturnDispatch(Make(m_application, folder, copy).Detach());
    }

    static HRESULT InvokeMove(MailItem& self, DispatchCall& call)
    {
        CComVariant target;
        if (HRESULT hr = call.Arg(0, VT_DISPATCH, &target); FAILED(hr))
            return hr;
        CComVariant folderObject;
        CComPtr<IMAPIFolder> folder;
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        target.pdispVal->Invoke(3, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &folderObject, nullptr, nullptr);
        if (folderObject.vt != VT_UNKNOWN || FAILED(folderObject.punkVal->QueryInterface(IID_IMAPIFolder, reinterpret_cast<void**>(&folder))))
            return E_INVALIDARG;
        // A move within the store keeps the message and its entry id.
        LPSPropValue entryId = nullptr;
        HRESULT hr = HrGetOneProp(self.m_message, PR_ENTRYID, &entryId);
        if (FAILED(hr))
            return hr;
        ENTRYLIST list{1, &entryId->Value.bin};
        hr = self.m_folder->CopyMessages(&list, nullptr, folder, 0, nullptr, MESSAGE_MOVE);
        CComPtr<IMessage> moved;
        ULONG type = 0;
        if (SUCCEEDED(hr))
            hr = folder->OpenEntry(entryId->Value.bin.cb, reinterpret_cast<LPENTRYID>(entryId->Value.bin.lpb),
                                   &IID_IMessage, MAPI_MODIFY, &type, reinterpret_cast<LPUNKNOWN*>(&moved));
        MAPIFreeBuffer(entryId);
        if (FAILED(hr))
            return hr;
        return call.ReturnDispatch(Make(self.m_application, folder, moved).Detach());
    }

    CComPtr<IDispatch> m_application;
    CComPtr<IMAPIFolder> m_folder;
    CComPtr<IMessage> m_message;
};

inline HRESULT NameSpace::InvokeGetItemFromID(NameSpace& self, DispatchCall& call)
{
    std::string entryHex, storeHex;
    if (HRESULT hr = call.Arg(0, &entryHex); FAILED(hr))
        return hr;
    std::string entryId(entryHex.size() / 2, '\0');
    if (!FBinFromHex(entryHex.data(), reinterpret_cast<LPBYTE>(entryId.data())))
        return E_INVALIDARG;
    CComPtr<IMessage> message;
    ULONG type = 0;
    HRESULT hr = self.m_store->OpenEntry(static_cast<ULONG>(entryId.size()), reinterpret_cast<LPENTRYID>(entryId.data()),
                                         &IID_IMessage, MAPI_MODIFY, &type, reinterpret_cast<LPUNKNOWN*>(&message));
    if (FAILED(hr))
        return hr;
    CComPtr<IMAPIFolder> folder = OpenFolder(self.m_store, PR_IPM_OUTBOX_ENTRYID);
    return call.ReturnDispatch(MailItem::Make(nullptr, folder, message).Detach());
}

}  // namespace standin
