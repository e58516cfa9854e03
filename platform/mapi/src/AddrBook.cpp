#include "AddrBook.h"

#include "DistList.h"
#include "EntryId.h"
#include "MailUser.h"
#include "MsgStore.h"
#include "mapi/MapiAdmin.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <mutex>
#include <set>

namespace pollenta::mapi {

namespace {

std::mutex g_hookLock;
ResolveNameHook g_resolveHook;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string TextOf(const CPropMap& props, ULONG tag)
{
    auto it = props.find(PROP_ID(tag));
    return it == props.end() ? std::string() : it->second.Text();
}

// Whether `text` names the entry: its display name, its SMTP address or one
// of its SMTP proxy addresses, without regard to case.
bool Names(const CPropMap& props, const std::string& text)
{
    std::string wanted = Lower(text);
    if (Lower(TextOf(props, PR_DISPLAY_NAME_A)) == wanted || Lower(TextOf(props, PR_SMTP_ADDRESS_A)) == wanted ||
        Lower(TextOf(props, PR_EMAIL_ADDRESS_A)) == wanted)
        return true;
    auto proxies = props.find(PROP_ID(PR_EMS_AB_PROXY_ADDRESSES));
    if (proxies == props.end() || proxies->second.Type() != PT_MV_STRING8) return false;
    for (const std::string& proxy : proxies->second.Items())
        if (proxy.size() > 5 && Lower(proxy.substr(0, 5)) == "smtp:" && Lower(proxy.substr(5)) == wanted) return true;
    return false;
}

// "smi" finds "Ann Smith": the text begins the name or one of its words.
bool StartsAWord(const std::string& name, const std::string& text)
{
    if (text.empty()) return false;
    for (std::size_t at = 0; at != std::string::npos; at = name.find(' ', at), at = at == std::string::npos ? at : at + 1)
        if (name.compare(at, text.size(), text) == 0) return true;
    return false;
}

}  // namespace

void SetResolveNameHook(ResolveNameHook hook)
{
    std::lock_guard lock(g_hookLock);
    g_resolveHook = std::move(hook);
}

CAddrBook::CAddrBook(std::shared_ptr<CAddressBookFile> book)
    : TPropObject<IAddrBook>({IID_IMAPIProp, IID_IAddrBook}), m_book(std::move(book))
{
}

CPropMap CAddrBook::PropsOf(const std::string& entryId, ULONG& type)
{
    CEntryId parsed = CEntryId::Parse(entryId);
    if (parsed.m_kind == CEntryId::Kind::OneOff) {
        type = MAPI_MAILUSER;
        return CAddressBookFile::OneOffProps(entryId, parsed.m_name, parsed.m_addrType, parsed.m_address);
    }
    if (parsed.m_kind != CEntryId::Kind::AddressEntry || !(parsed.m_uid == m_book->Uid())) return {};
    CPropMap props;
    if (!m_book->Entry(parsed.m_id, type, props) || type != parsed.m_type) return {};
    return props;
}

HRESULT CAddrBook::OpenEntry(ULONG cb, LPENTRYID eid, LPCIID iid, ULONG, ULONG* type, LPUNKNOWN* object)
{
    if (!type || !object || !eid) return MAPI_E_INVALID_PARAMETER;
    *object = nullptr;
    *type = 0;
    return Guard([&] {
        std::string bytes(reinterpret_cast<const char*>(eid), cb);
        CEntryId parsed = CEntryId::Parse(bytes);
        if (parsed.m_kind != CEntryId::Kind::OneOff && parsed.m_kind != CEntryId::Kind::AddressEntry)
            throw CMapiError(MAPI_E_UNKNOWN_ENTRYID, "The entry id is not one of the address book");
        ULONG objectType = 0;
        CPropMap props = PropsOf(bytes, objectType);
        if (props.empty()) throw CMapiError(MAPI_E_NOT_FOUND, "The address book has no such entry");
        IUnknown* opened = nullptr;
        if (objectType == MAPI_DISTLIST)
            opened = static_cast<IDistList*>(new CDistList(m_book, parsed.m_id, this, std::move(props)));
        else
            opened = static_cast<IMailUser*>(new CMailUser(m_book, parsed.m_kind == CEntryId::Kind::OneOff ? 0 : parsed.m_id,
                                                           std::move(props)));
        HRESULT hr = opened->QueryInterface(iid ? *iid : IID_IUnknown, reinterpret_cast<void**>(object));
        opened->Release();
        if (FAILED(hr)) throw CMapiError(MAPI_E_INTERFACE_NOT_SUPPORTED, "The entry does not have that interface");
        *type = objectType;
        return S_OK;
    });
}

HRESULT CAddrBook::CompareEntryIDs(ULONG cb1, LPENTRYID eid1, ULONG cb2, LPENTRYID eid2, ULONG, ULONG* result)
{
    return CMsgStore::CompareIds(cb1, eid1, cb2, eid2, result);
}

HRESULT CAddrBook::CreateOneOff(LPSTR name, LPSTR addrType, LPSTR address, ULONG flags, ULONG* cb, LPENTRYID* eid)
{
    if (!name || !addrType || !address || !cb || !eid) return MAPI_E_INVALID_PARAMETER;
    if (flags & MAPI_UNICODE) return MAPI_E_BAD_CHARWIDTH;
    std::string bytes = CEntryId::ForOneOff(name, addrType, address);
    if (HRESULT hr = MAPIAllocateBuffer(static_cast<ULONG>(bytes.size()), reinterpret_cast<LPVOID*>(eid)); FAILED(hr))
        return hr;
    std::memcpy(*eid, bytes.data(), bytes.size());
    *cb = static_cast<ULONG>(bytes.size());
    return S_OK;
}

CPropMap CAddrBook::ResolveAddress(const std::string& name, const std::string& address)
{
    std::vector<CPropMap> known;
    for (LONGLONG id : m_book->Entries()) {
        ULONG type = 0;
        CPropMap props;
        if (!m_book->Entry(id, type, props) || type != MAPI_MAILUSER) continue;
        if (Names(props, address)) known.push_back(std::move(props));
    }
    if (known.size() == 1) return known.front();
    const std::string& shown = name.empty() ? address : name;
    return CAddressBookFile::OneOffProps(CEntryId::ForOneOff(shown, "SMTP", address), shown, "SMTP", address);
}

HRESULT CAddrBook::Resolve(const std::string& name, ULONG flags, CPropMap& resolved)
{
    std::vector<CPropMap> exact;
    std::vector<CPropMap> partial;
    std::string prefix = Lower(name);
    for (LONGLONG id : m_book->Entries()) {
        ULONG type = 0;
        CPropMap props;
        if (!m_book->Entry(id, type, props)) continue;
        if (Names(props, name)) exact.push_back(props);
        else if (StartsAWord(Lower(TextOf(props, PR_DISPLAY_NAME_A)), prefix)) partial.push_back(props);
    }
    std::vector<CPropMap>& found = exact.empty() ? partial : exact;
    if (found.size() == 1) {
        resolved = found.front();
        return S_OK;
    }
    if (found.empty() && name.find('@') != std::string::npos) {
        resolved = CAddressBookFile::OneOffProps(CEntryId::ForOneOff(name, "SMTP", name), name, "SMTP", name);
        return S_OK;
    }
    HRESULT failure = found.empty() ? MAPI_E_NOT_FOUND : MAPI_E_AMBIGUOUS_RECIP;
    ResolveNameHook hook;
    {
        std::lock_guard lock(g_hookLock);
        hook = g_resolveHook;
    }
    if (!(flags & MAPI_DIALOG) || !hook) return failure;
    std::vector<std::string> candidates;
    for (const CPropMap& props : found) candidates.push_back(TextOf(props, PR_DISPLAY_NAME_A));
    int choice = hook(name, candidates);
    if (choice < 0) return MAPI_E_USER_CANCEL;
    if (static_cast<std::size_t>(choice) >= found.size()) return failure;
    resolved = found[static_cast<std::size_t>(choice)];
    return S_OK;
}

HRESULT CAddrBook::ResolveName(ULONG_PTR, ULONG flags, LPSTR, LPADRLIST list)
{
    if (!list) return MAPI_E_INVALID_PARAMETER;
    if (flags & MAPI_UNICODE) return MAPI_E_BAD_CHARWIDTH;
    return Guard([&] {
        HRESULT result = S_OK;
        for (ULONG i = 0; i < list->cEntries; ++i) {
            ADRENTRY& entry = list->aEntries[i];
            if (entry.cValues && !entry.rgPropVals) throw CMapiError(MAPI_E_INVALID_PARAMETER, "An entry has no properties");
            std::string name;
            std::string address;
            std::string addrType;
            bool hasEntryId = false;
            for (ULONG j = 0; j < entry.cValues; ++j) {
                const SPropValue& value = entry.rgPropVals[j];
                if (value.ulPropTag == PR_ENTRYID) hasEntryId = true;
                if (value.ulPropTag == PR_DISPLAY_NAME_A && value.Value.lpszA) name = value.Value.lpszA;
                if (value.ulPropTag == PR_EMAIL_ADDRESS_A && value.Value.lpszA) address = value.Value.lpszA;
                if (value.ulPropTag == PR_ADDRTYPE_A && value.Value.lpszA) addrType = value.Value.lpszA;
            }
            if (hasEntryId) continue;
            CPropMap resolved;
            HRESULT hr = S_OK;
            // A recipient typed as "Name <address>" carries its address: the
            // address decides, never a display name that merely looks alike.
            // A name typed alone (a client may have put it into the address
            // too) has no "@" and is looked up by name, lists included.
            if (address.find('@') != std::string::npos && Lower(addrType) == "smtp")
                resolved = ResolveAddress(name, address);
            else hr = name.empty() ? MAPI_E_NOT_FOUND : Resolve(name, flags, resolved);
            if (hr == MAPI_E_USER_CANCEL) return hr;
            if (FAILED(hr)) {
                if (result != MAPI_E_AMBIGUOUS_RECIP) result = hr;
                continue;
            }
            // The resolved entry's identity, and whatever else the caller
            // put in (the recipient type, say).
            std::vector<CPropValue> values;
            std::set<ULONG> identity;
            for (ULONG tag : {PR_DISPLAY_NAME_A, PR_ADDRTYPE_A, PR_EMAIL_ADDRESS_A, PR_ENTRYID, PR_SEARCH_KEY,
                              PR_OBJECT_TYPE, PR_DISPLAY_TYPE}) {
                auto it = resolved.find(PROP_ID(tag));
                if (it == resolved.end()) continue;
                values.push_back(it->second);
                identity.insert(PROP_ID(tag));
            }
            for (ULONG j = 0; j < entry.cValues; ++j) {
                const SPropValue& value = entry.rgPropVals[j];
                if (identity.count(PROP_ID(value.ulPropTag)) || PROP_TYPE(value.ulPropTag) == PT_ERROR) continue;
                CPropValue kept;
                if (SUCCEEDED(CPropValue::FromSPropValue(value, kept))) values.push_back(kept);
            }
            LPSPropValue array = nullptr;
            ULONG count = 0;
            if (HRESULT alloc = CPropArrays::Values(values, &count, &array); FAILED(alloc)) return alloc;
            MAPIFreeBuffer(entry.rgPropVals);
            entry.rgPropVals = array;
            entry.cValues = count;
        }
        if (FAILED(result)) m_lastError.Set(result, "Some names could not be resolved");
        return result;
    });
}

}  // namespace pollenta::mapi
