#pragma once
// A mail item of the client, with its recipients and attachments. Every
// item stands on one MAPI message, which MAPIOBJECT hands out.

#include "OutlookGuids.h"

#include "com/Dispatch.h"

struct _Application;
struct _Inspector;
struct MAPIFolder;

struct Recipient : IDispatch {
    STDMETHOD(get_Name)(BSTR* name) PURE;
    STDMETHOD(get_Address)(BSTR* address) PURE;
    // MAPI_TO 1, MAPI_CC 2, MAPI_BCC 3.
    STDMETHOD(get_Type)(LONG* type) PURE;
    STDMETHOD(put_Type)(LONG type) PURE;

protected:
    ~Recipient() = default;
};
POLLENTA_INTERFACE_IID(Recipient, IID_Recipient);

struct Recipients : IDispatch {
    STDMETHOD(get_Count)(LONG* count) PURE;
    STDMETHOD(Item)(VARIANT index, Recipient** recipient) PURE;
    // "Name <address>", a bare address or a name the address book knows.
    STDMETHOD(Add)(BSTR name, Recipient** recipient) PURE;

protected:
    ~Recipients() = default;
};
POLLENTA_INTERFACE_IID(Recipients, IID_Recipients);

struct Attachment : IDispatch {
    STDMETHOD(get_FileName)(BSTR* name) PURE;
    // The IAttach behind the attachment.
    STDMETHOD(get_MAPIOBJECT)(IUnknown** attach) PURE;

protected:
    ~Attachment() = default;
};
POLLENTA_INTERFACE_IID(Attachment, IID_Attachment);

struct Attachments : IDispatch {
    STDMETHOD(get_Count)(LONG* count) PURE;
    STDMETHOD(Item)(VARIANT index, Attachment** attachment) PURE;
    // Source: a file path; Type: 1 (by value); Position and DisplayName may
    // be left out.
    STDMETHOD(Add)(VARIANT source, VARIANT type, VARIANT position, VARIANT displayName, Attachment** attachment) PURE;

protected:
    ~Attachments() = default;
};
POLLENTA_INTERFACE_IID(Attachments, IID_Attachments);

struct _MailItem : IDispatch {
    STDMETHOD(get_Application)(_Application** application) PURE;
    // The folder that holds the item.
    STDMETHOD(get_Parent)(IDispatch** folder) PURE;
    // "" until the item is saved.
    STDMETHOD(get_EntryID)(BSTR* entryId) PURE;
    STDMETHOD(get_Subject)(BSTR* subject) PURE;
    STDMETHOD(put_Subject)(BSTR subject) PURE;
    STDMETHOD(get_Body)(BSTR* body) PURE;
    STDMETHOD(put_Body)(BSTR body) PURE;
    STDMETHOD(get_HTMLBody)(BSTR* html) PURE;
    STDMETHOD(put_HTMLBody)(BSTR html) PURE;
    STDMETHOD(get_SenderName)(BSTR* name) PURE;
    // The display names of the To recipients, joined by "; ".
    STDMETHOD(get_To)(BSTR* to) PURE;
    STDMETHOD(get_Recipients)(Recipients** recipients) PURE;
    STDMETHOD(get_Attachments)(Attachments** attachments) PURE;
    // The IMessage behind the item.
    STDMETHOD(get_MAPIOBJECT)(IUnknown** message) PURE;
    STDMETHOD(get_GetInspector)(_Inspector** inspector) PURE;
    STDMETHOD(Save)() PURE;
    // Submits the item to the spooler and closes its inspector.
    STDMETHOD(Send)() PURE;
    // Opens the item in an inspector; `modal` may be left out.
    STDMETHOD(Display)(VARIANT modal) PURE;
    // olSave, olDiscard or olPromptForSave (saves too: nobody is asked).
    STDMETHOD(Close)(LONG saveMode) PURE;
    // A saved copy in the same folder.
    STDMETHOD(Copy)(IDispatch** copy) PURE;
    STDMETHOD(Move)(MAPIFolder* destination, IDispatch** moved) PURE;

protected:
    ~_MailItem() = default;
};
POLLENTA_INTERFACE_IID(_MailItem, IID__MailItem);
