#include "CZrMAPIHelper.h"

#include "errors/ZrThrow.h"
#include "sender/MapiRows.h"

#include "com/ComPtr.h"
#include "mapi/MapiUtil.h"
#include "mapi/WrapCompressedRTFStream.h"

#include <memory>
#include <string_view>

namespace {

struct AdrListDeleter {
    void operator()(ADRLIST* list) const { FreePadrlist(list); }
};

struct BufferDeleter {
    void operator()(void* buffer) const { MAPIFreeBuffer(buffer); }
};

constexpr ULONG kRtfHeadBytes = 128;

// The sent-representing properties and the recipient properties they stand
// for, in the same order.
constexpr ULONG kSentTags[] = {PR_SENT_REPRESENTING_ADDRTYPE, PR_SENT_REPRESENTING_EMAIL_ADDRESS,
                               PR_SENT_REPRESENTING_ENTRYID, PR_SENT_REPRESENTING_NAME,
                               PR_SENT_REPRESENTING_SEARCH_KEY};
constexpr ULONG kRecipientTags[] = {PR_ADDRTYPE, PR_EMAIL_ADDRESS, PR_ENTRYID, PR_DISPLAY_NAME, PR_SEARCH_KEY};
constexpr ULONG kFromCount = 5;

ULONG Relabel(ULONG tag, const ULONG (&from)[kFromCount], const ULONG (&to)[kFromCount])
{
    for (ULONG i = 0; i < kFromCount; ++i)
        if (PROP_ID(tag) == PROP_ID(from[i]))
            return CHANGE_PROP_TYPE(to[i], PROP_TYPE(tag));
    return tag;
}

}  // namespace

BOOL CZrMAPIHelper::CheckProperty(IMessage* lpMessage, ULONG tag)
{
    CComPtr<IStream> stream;
    return SUCCEEDED(lpMessage->OpenProperty(tag, &IID_IStream, 0, 0, reinterpret_cast<LPUNKNOWN*>(&stream)))
        && stream;
}

void CZrMAPIHelper::ResolveFromField(ULONG_PTR ulUIParam, ULONG flags, IAddrBook* lpAddrBook, IMessage* lpMessage)
{
    SizedSPropTagArray(kFromCount, wanted) = {kFromCount, {}};
    for (ULONG i = 0; i < kFromCount; ++i)
        wanted.aulPropTag[i] = kSentTags[i];
    ULONG count = 0;
    LPSPropValue found = nullptr;
    HRESULT hr = lpMessage->GetProps(reinterpret_cast<LPSPropTagArray>(&wanted), 0, &count, &found);
    std::unique_ptr<SPropValue, BufferDeleter> values(found);
    if (FAILED(hr) || !values || count != kFromCount)
        return;
    bool anyPresent = false;
    for (ULONG i = 1; i < kFromCount; ++i)
        anyPresent = anyPresent || PROP_TYPE(values.get()[i].ulPropTag) != PT_ERROR;
    if (!anyPresent)
        return;

    LPVOID buffer = nullptr;
    SCODE sc = MAPIAllocateBuffer(CbNewADRLIST(1), &buffer);
    if (FAILED(sc))
        ThrowMapiResult(0xC00022D3, sc, "MAPIAllocateBuffer", ZR_HERE);
    std::unique_ptr<ADRLIST, AdrListDeleter> list(static_cast<ADRLIST*>(buffer));
    list->cEntries = 0;
    LPSPropValue entry = nullptr;
    sc = ScDupPropset(static_cast<int>(count), values.get(), nullptr, &entry);
    if (FAILED(sc))
        ThrowMapiResult(0xC00022D3, sc, "ScDupPropset", ZR_HERE);
    for (ULONG i = 0; i < count; ++i)
        entry[i].ulPropTag = Relabel(entry[i].ulPropTag, kSentTags, kRecipientTags);
    list->cEntries = 1;
    list->aEntries[0] = {0, count, entry};

    hr = lpAddrBook->ResolveName(ulUIParam, flags, nullptr, list.get());
    if (FAILED(hr))
        ThrowMapiObject(0xC00022DC, hr, lpAddrBook, "ResolveName", ZR_HERE);
    if (list->cEntries != 1)
        ThrowComponentError(0xC00022CE, ZR_HERE);

    const ADRENTRY& resolved = list->aEntries[0];
    std::unique_ptr<SPropValue[]> update(new SPropValue[kFromCount]);
    ULONG updates = 0;
    for (ULONG i = 0; i < kFromCount; ++i)
        for (ULONG j = 0; j < resolved.cValues; ++j)
            if (PROP_ID(resolved.rgPropVals[j].ulPropTag) == PROP_ID(kRecipientTags[i])
                && PROP_TYPE(resolved.rgPropVals[j].ulPropTag) != PT_ERROR) {
                update[updates] = resolved.rgPropVals[j];
                update[updates].ulPropTag = Relabel(update[updates].ulPropTag, kRecipientTags, kSentTags);
                ++updates;
                break;
            }
    if (updates == 0)
        return;
    hr = lpMessage->SetProps(updates, update.get(), nullptr);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022DA, hr, lpMessage, "SetProps", ZR_HERE);
}

void CZrMAPIHelper::ResolveMessageNames(ULONG_PTR ulUIParam, ULONG flags, IAddrBook* lpAddrBook, IMessage* lpMessage)
{
    if (!lpAddrBook)
        ThrowInvalidArgument("lpAddrBook", ZR_HERE);
    if (!lpMessage)
        ThrowInvalidArgument("lpMessage", ZR_HERE);
    ResolveFromField(ulUIParam, flags, lpAddrBook, lpMessage);

    CComPtr<IMAPITable> table;
    HRESULT hr = lpMessage->GetRecipientTable(0, &table);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022D7, hr, lpMessage, "GetRecipientTable", ZR_HERE);
    LPSRowSet found = nullptr;
    // Rows are read with every column a recipient keeps: they are written
    // back whole, and a narrower view would drop the rest.
    hr = HrQueryAllRows(table, RecipientColumns(), nullptr, nullptr, 0, &found);
    // The rows are the address list itself: the address book replaces their
    // values in place, so they are freed once, as a row set.
    RowsPtr rows(found);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022F3, hr, table, "HrQueryAllRows", ZR_HERE);
    if (!rows || rows->cRows == 0)
        ThrowComponentError(0xC000230B, ZR_HERE);
    LPADRLIST list = reinterpret_cast<LPADRLIST>(rows.get());
    hr = lpAddrBook->ResolveName(ulUIParam, flags, nullptr, list);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022F5, hr, lpAddrBook, "ResolveName", ZR_HERE);
    hr = lpMessage->ModifyRecipients(MODRECIP_MODIFY, list);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022DB, hr, lpMessage, "ModifyRecipients", ZR_HERE);
    hr = lpMessage->SaveChanges(KEEP_OPEN_READWRITE);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022F7, hr, lpMessage, "SaveChanges", ZR_HERE);
}

BOOL CZrMAPIHelper::OpenRTFReadStream(IMessage* lpMessage, IStream** lppRTFReadStream)
{
    CComPtr<IStream> compressed;
    HRESULT hr = lpMessage->OpenProperty(PR_RTF_COMPRESSED, &IID_IStream, 0, 0,
                                         reinterpret_cast<LPUNKNOWN*>(&compressed));
    if (hr == MAPI_E_NOT_FOUND)
        return FALSE;
    if (FAILED(hr))
        ThrowMapiObject(0xC00022DE, hr, lpMessage, "OpenProperty", ZR_HERE);
    hr = WrapCompressedRTFStream(compressed, 0, lppRTFReadStream);
    if (FAILED(hr))
        ThrowMapiResult(0xC00022F9, hr, "WrapCompressedRTFStream", ZR_HERE);
    return TRUE;
}

BOOL CZrMAPIHelper::OpenRTFWriteStream(IMessage* lpMessage, IStream** lppRTFWriteStream)
{
    // How the store keeps RTF is asked before anything is created, so that a
    // store that cannot say is left without an empty RTF property.
    LPSPropValue found = nullptr;
    HRESULT hr = HrGetOneProp(lpMessage, PR_STORE_SUPPORT_MASK, &found);
    std::unique_ptr<SPropValue, BufferDeleter> mask(found);
    if (FAILED(hr) || !mask || PROP_TYPE(mask->ulPropTag) == PT_ERROR || mask->Value.l == 0)
        ThrowMapiObject(0xC00022CD, FAILED(hr) ? hr : MAPI_E_NOT_FOUND, lpMessage, "HrGetOneProp", ZR_HERE);
    CComPtr<IStream> compressed;
    hr = lpMessage->OpenProperty(PR_RTF_COMPRESSED, &IID_IStream, 0, MAPI_CREATE | MAPI_MODIFY,
                                 reinterpret_cast<LPUNKNOWN*>(&compressed));
    if (hr == MAPI_E_NOT_FOUND)
        return FALSE;
    if (FAILED(hr))
        ThrowMapiObject(0xC00022D6, hr, lpMessage, "OpenProperty", ZR_HERE);
    hr = WrapCompressedRTFStream(compressed, MAPI_MODIFY | (mask->Value.l & STORE_UNCOMPRESSED_RTF),
                                 lppRTFWriteStream);
    if (FAILED(hr))
        ThrowMapiResult(0xC00022D5, hr, "WrapCompressedRTFStream", ZR_HERE);
    return TRUE;
}

LPSPropTagArray CZrMAPIHelper::RecipientColumns()
{
    static SizedSPropTagArray(15, columns) = {
        15,
        {PR_ADDRTYPE_A, PR_DISPLAY_NAME_A, PR_DISPLAY_TYPE, PR_EMAIL_ADDRESS_A, PR_ENTRYID, PR_INSTANCE_KEY,
         PR_OBJECT_TYPE, PR_OFFICE_LOCATION_A, PR_RECIPIENT_TYPE, PR_RECORD_KEY, PR_RESPONSIBILITY, PR_ROWID,
         PR_SEARCH_KEY, PR_SEND_RICH_INFO, PR_SMTP_ADDRESS_A}};
    return reinterpret_cast<LPSPropTagArray>(&columns);
}

int CZrMAPIHelper::GetBodyFormat(IMessage* lpMessage)
{
    if (!lpMessage)
        ThrowInvalidArgument("lpMessage", ZR_HERE);
    CComPtr<IStream> rtf;
    if (OpenRTFReadStream(lpMessage, &rtf)) {
        char head[kRtfHeadBytes];
        ULONG read = 0;
        HRESULT hr = rtf->Read(head, kRtfHeadBytes, &read);
        if (FAILED(hr))
            ThrowMapiResult(0xC0002305, hr, "Read", ZR_HERE);
        const std::string_view text(head, read);
        if (text.find("\\fromhtml") != std::string_view::npos)
            return FormatHtml;
        return text.find("\\fromtext") != std::string_view::npos ? FormatPlain : FormatRtf;
    }
    return CheckProperty(lpMessage, PR_HTML) || CheckProperty(lpMessage, PR_BODY_HTML) ? FormatHtml : FormatPlain;
}
