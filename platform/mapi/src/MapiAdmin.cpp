#include "mapi/MapiAdmin.h"

#include "AddressBookFile.h"
#include "Delivery.h"
#include "EntryId.h"
#include "Folder.h"
#include "MailFetch.h"
#include "Message.h"
#include "MimeBridge.h"
#include "MsgStore.h"
#include "Profile.h"
#include "mapi/Mime.h"

namespace pollenta::mapi {

namespace {

thread_local std::string t_lastErrorText;

template <class F>
HRESULT Run(F&& body)
{
    CLastError error;
    HRESULT hr = error.Guard(std::forward<F>(body));
    if (FAILED(hr)) t_lastErrorText = error.Text();
    return hr;
}

}  // namespace

std::string AdminErrorText() { return t_lastErrorText; }

HRESULT CreateProfile(const std::string& profile, const std::string& addressBookPath, const std::string& outgoingFolder,
                      bool makeDefault, const std::string& dropFolder)
{
    return Run([&] {
        CProfile::Create(profile, addressBookPath, outgoingFolder, makeDefault, dropFolder);
        return S_OK;
    });
}

HRESULT SetProfileIdentity(const std::string& profile, const std::string& displayName, const std::string& address)
{
    return Run([&] {
        CProfile::SetIdentity(profile, {displayName, address});
        return S_OK;
    });
}

HRESULT ProfileIdentity(const std::string& profile, std::string& displayName, std::string& address)
{
    return Run([&] {
        CProfile::Identity identity = CProfile::Load(profile).m_identity;
        displayName = identity.name;
        address = identity.address;
        return S_OK;
    });
}

HRESULT SetProfileAccount(const std::string& profile, const MailAccount& account)
{
    return Run([&] {
        CProfile::SetAccount(profile, account);
        return S_OK;
    });
}

HRESULT ProfileAccount(const std::string& profile, MailAccount& account)
{
    return Run([&] {
        account = CProfile::Load(profile).m_account;
        return S_OK;
    });
}

HRESULT FetchMail(const std::string& profile, std::size_t& delivered)
{
    return Run([&] {
        delivered = CMailFetch::Run(CProfile::Load(profile));
        return S_OK;
    });
}

HRESULT CreateStore(const std::string& profile, const std::string& storePath, const std::string& displayName,
                    bool isDefault, std::string* entryId)
{
    return Run([&] {
        CProfile::Load(profile);
        std::shared_ptr<CStoreFile> file = CStoreFile::Create(storePath, displayName);
        CProfile::Store store;
        store.path = storePath;
        store.displayName = displayName;
        store.entryId = CEntryId::ForStore(file->Uid());
        store.isDefault = isDefault;
        CProfile::AddStore(profile, store);
        if (entryId) *entryId = store.entryId;
        return S_OK;
    });
}

HRESULT SetSpoolerHold(const std::string& profile, bool hold, bool holdFlush)
{
    return Run([&] {
        CProfile::SetHeld(profile, hold, holdFlush);
        return S_OK;
    });
}

std::string AddMailUser(const std::string& addressBookPath, const std::string& displayName,
                        const std::string& smtpAddress, const std::vector<std::string>& proxyAddresses)
{
    auto book = CAddressBookFile::Open(addressBookPath);
    CPropMap props;
    for (const CPropValue& value :
         {CPropValue::String(PR_DISPLAY_NAME_A, displayName), CPropValue::String(PR_SMTP_ADDRESS_A, smtpAddress),
          CPropValue::String(PR_EMAIL_ADDRESS_A, smtpAddress), CPropValue::String(PR_ADDRTYPE_A, "SMTP"),
          CPropValue::StringArray(PR_EMS_AB_PROXY_ADDRESSES,
                                  proxyAddresses.empty() ? std::vector<std::string>{"SMTP:" + smtpAddress} : proxyAddresses)})
        props[PROP_ID(value.Tag())] = value;
    return CEntryId::ForAddressEntry(book->Uid(), MAPI_MAILUSER, book->Add(MAPI_MAILUSER, props));
}

std::string AddDistList(const std::string& addressBookPath, const std::string& displayName,
                        const std::vector<std::string>& memberEntryIds)
{
    auto book = CAddressBookFile::Open(addressBookPath);
    CPropMap props;
    props[PROP_ID(PR_DISPLAY_NAME_A)] = CPropValue::String(PR_DISPLAY_NAME_A, displayName);
    LONGLONG id = book->Add(MAPI_DISTLIST, props);
    for (const std::string& member : memberEntryIds) book->AddMember(id, member);
    return CEntryId::ForAddressEntry(book->Uid(), MAPI_DISTLIST, id);
}

HRESULT ProfileAddressBook(const std::string& profile, std::string& addressBookPath)
{
    return Run([&] {
        addressBookPath = CProfile::Load(profile).m_addressBook;
        return S_OK;
    });
}

HRESULT FindAddressEntry(const std::string& addressBookPath, const std::string& displayName, std::string& entryId)
{
    return Run([&] {
        auto book = CAddressBookFile::Open(addressBookPath);
        for (LONGLONG id : book->Entries()) {
            ULONG type = 0;
            CPropMap props;
            if (!book->Entry(id, type, props))
                continue;
            const auto name = props.find(PROP_ID(PR_DISPLAY_NAME_A));
            if (name != props.end() && name->second.Text() == displayName) {
                entryId = CEntryId::ForAddressEntry(book->Uid(), type, id);
                return S_OK;
            }
        }
        throw CMapiError(MAPI_E_NOT_FOUND, "The book has no entry named " + displayName);
    });
}

HRESULT AddDistListMember(const std::string& addressBookPath, const std::string& listEntryId,
                          const std::string& memberEntryId)
{
    return Run([&] {
        auto book = CAddressBookFile::Open(addressBookPath);
        CEntryId list = CEntryId::Parse(listEntryId);
        ULONG type = 0;
        if (list.m_kind != CEntryId::Kind::AddressEntry || !(list.m_uid == book->Uid()) || !book->Type(list.m_id, type) ||
            type != MAPI_DISTLIST)
            throw CMapiError(MAPI_E_NOT_FOUND, "The book has no such distribution list");
        book->AddMember(list.m_id, memberEntryId);
        return S_OK;
    });
}

HRESULT DeliverMime(IMsgStore* store, IMAPIFolder* folder, const std::vector<BYTE>& mime, std::string* entryId)
{
    auto* target = dynamic_cast<CMsgStore*>(store);
    if (!target) return MAPI_E_INVALID_PARAMETER;
    auto* destination = folder ? dynamic_cast<CFolder*>(folder) : nullptr;
    if (folder && !destination) return MAPI_E_INVALID_PARAMETER;
    return Run([&] {
        const CStoreAccess& access = target->Access();
        if (!access.Writable()) throw CMapiError(MAPI_E_NO_ACCESS, "The store is read-only");
        LONGLONG folderId = destination ? destination->Id() : access.File().SpecialFolder(CStoreFile::Role::Inbox);
        LONGLONG id = CDelivery::Deliver(access.File(), folderId, mime);
        if (entryId) *entryId = access.EntryId(MAPI_MESSAGE, id);
        return S_OK;
    });
}

HRESULT ExportMime(IMessage* message, std::vector<BYTE>& mime)
{
    auto* source = dynamic_cast<CMessage*>(message);
    if (!source) return MAPI_E_INVALID_PARAMETER;
    return Run([&] {
        mime = ComposeMime(CMimeBridge::ToMime(source->Content()));
        return S_OK;
    });
}

HRESULT WriteSmtpRecipient(IMessage* message, ULONG flags, LONG rowId, const std::string& name,
                           const std::string& address, LONG type)
{
    SPropValue props[5] = {};
    props[0].ulPropTag = PR_DISPLAY_NAME_A;
    props[0].Value.lpszA = const_cast<char*>(name.c_str());
    props[1].ulPropTag = PR_EMAIL_ADDRESS_A;
    props[1].Value.lpszA = const_cast<char*>(address.c_str());
    props[2].ulPropTag = PR_ADDRTYPE_A;
    props[2].Value.lpszA = const_cast<char*>("SMTP");
    props[3].ulPropTag = PR_RECIPIENT_TYPE;
    props[3].Value.l = type;
    props[4].ulPropTag = PR_ROWID;
    props[4].Value.l = rowId;
    ADRLIST list{};
    list.cEntries = 1;
    // A new row takes its row id from the message.
    list.aEntries[0].cValues = flags == MODRECIP_MODIFY ? 5 : 4;
    list.aEntries[0].rgPropVals = props;
    return message->ModifyRecipients(flags, &list);
}

}  // namespace pollenta::mapi
