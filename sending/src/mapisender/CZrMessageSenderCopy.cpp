// The sender's copies: one per address of the map, made in the Outbox from
// the template, given its recipients and macros, sent through the client,
// and withdrawn again when a step after saving fails.

#include "CZrMessageSender.h"

#include "CZrMAPIHelper.h"
#include "CZrMacroReplacer.h"
#include "HexText.h"

#include "errors/ZrThrow.h"
#include "sender/OutlookItem.h"

#include "com/DispatchClient.h"
#include "mapi/MapiUtil.h"

#include <memory>

namespace {

// The one version of the client whose object model loses the macros of a
// reopened item: they are replaced through MAPI before saving instead.
constexpr int kOutlook2000 = 9;

struct BufferDeleter {
    void operator()(void* buffer) const { MAPIFreeBuffer(buffer); }
};

std::string BinPropValueToString(const SPropValue& value)
{
    if (PROP_TYPE(value.ulPropTag) != PT_BINARY)
        ThrowInvalidArgument("PROP_TYPE(PropValue.ulPropTag) == PT_BINARY", ZR_HERE);
    return HexTextOfBytes(value.Value.bin.cb, value.Value.bin.lpb);
}

}  // namespace

void CZrMessageSender::DistributeMessage()
{
    if (!m_spTemplateMessage)
        ThrowInvalidMemberState("m_spTemplateMessage", ZR_HERE);
    if (!m_spOutbox)
        ThrowInvalidMemberState("m_spOutbox", ZR_HERE);
    if (!m_NameSpace)
        ThrowInvalidMemberState("m_NameSpace", ZR_HERE);
    for (const CZrException& refused : m_refused)
        m_report.AddErrorText(refused);
    const int total = static_cast<int>(m_adrMap.GetCount());
    int counter = 0;
    for (const auto& [folded, node] : m_adrMap) {
        if (m_report.IsCancelled())
            break;
        if (!node.entry.m_nSend)
            continue;
        try {
            SendCopyToRecipient(node.key, node.entry);
        } catch (const CZrException& error) {
            m_report.AddError(node.entry, error);
        }
        ++counter;
        m_report.SetProgress(counter, total);
    }
}

void CZrMessageSender::SendCopyToRecipient(const std::string& address, const CZrAdrMapEntry& entry)
{
    if (!m_spTemplateMessage || !m_spOutbox || !m_NameSpace || !m_spAddrBook)
        ThrowInvalidMemberState("m_spTemplateMessage", ZR_HERE);
    CComPtr<IMessage> copy;
    CopyMessage(m_spOutbox, m_spTemplateMessage, &copy);
    m_recipsTemplate.SubstLastRecipient(entry);
    HRESULT hr = copy->ModifyRecipients(0, m_recipsTemplate.List());
    if (FAILED(hr))
        ThrowMapiObject(0xC00022FD, hr, copy, "ModifyRecipients", ZR_HERE);

    std::string recipientText;
    const bool throughMapi = m_nBodyFormat == CZrMAPIHelper::FormatRtf || m_nOutlookVersion == kOutlook2000;
    if (throughMapi) {
        CZrMacroReplacer replacer(m_lpTMMailItem, m_spAddrBook, address, entry, m_nBodyFormat);
        replacer.Replace(copy);
        recipientText = replacer.GetRecipientText();
    }
    std::string entryId;
    try {
        hr = copy->SaveChanges(KEEP_OPEN_READWRITE);
        if (FAILED(hr))
            ThrowMapiObject(0xC00022FF, hr, copy, "SaveChanges", ZR_HERE);
        std::string storeId;
        GetMessageStringIDs(copy, storeId, entryId);
        copy.Release();

        CComVariant arguments[] = {CComVariant(entryId.c_str()), CComVariant(storeId.c_str())};
        CComVariant result;
        hr = pollenta::com::InvokeByName(m_NameSpace, "GetItemFromID", DISPATCH_METHOD, arguments, &result);
        CComPtr<IDispatch> item;
        if (SUCCEEDED(hr) && (result.vt == VT_DISPATCH || result.vt == VT_UNKNOWN) && result.punkVal)
            hr = result.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&item));
        if (FAILED(hr) || !item)
            ThrowComObject(0xC00022CC, FAILED(hr) ? hr : E_NOINTERFACE, IID_IDispatch, m_NameSpace, "GetItemFromID",
                           ZR_HERE);
        if (!throughMapi) {
            CZrMacroReplacer replacer(m_lpTMMailItem, m_spAddrBook, address, entry, m_nBodyFormat);
            replacer.Replace(item.p);
            recipientText = replacer.GetRecipientText();
        }
        hr = outlook::Call(item, "Send");
        if (FAILED(hr))
            ThrowComObject(0xC00022E1, hr, IID_IDispatch, item, "Send", ZR_HERE);
    } catch (const CZrException&) {
        RollbackMessage(entryId);
        throw;
    }
    m_report.AddSentLine(recipientText);
    ++m_nSent;
}

void CZrMessageSender::RollbackMessage(const std::string& entryIdText)
{
    if (!m_spDefMsgStore || !m_spOutbox)
        ThrowInvalidMemberState("m_spOutbox", ZR_HERE);
    if (entryIdText.empty())
        return;
    LPBYTE bytes = nullptr;
    ULONG count = 0;
    const BOOL converted = BytesOfHexText(entryIdText, &bytes, &count);
    std::unique_ptr<BYTE, BufferDeleter> owner(bytes);
    if (!converted)
        return;
    // Whatever of the copy is left is removed; what cannot be is left as it is.
    m_spDefMsgStore->AbortSubmit(count, reinterpret_cast<LPENTRYID>(bytes), 0);
    SBinary id{count, bytes};
    ENTRYLIST list{1, &id};
    m_spOutbox->DeleteMessages(&list, 0, nullptr, 0);
}

void CZrMessageSender::CopyMessage(IMAPIFolder* lpOutbox, IMessage* lpSource, IMessage** lppCopy)
{
    if (!lpOutbox)
        ThrowInvalidArgument("lpOutbox", ZR_HERE);
    if (!lpSource)
        ThrowInvalidArgument("lpSource", ZR_HERE);
    if (!lppCopy)
        ThrowInvalidArgument("lppCopy", ZR_HERE);
    CComPtr<IMessage> copy;
    HRESULT hr = lpOutbox->CreateMessage(&IID_IMessage, 0, &copy);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022FA, hr, lpOutbox, "CreateMessage", ZR_HERE);
    // The copy's recipients are replaced whole right after, so the
    // template's To line, one row per address of the sending, stays behind:
    // copying it into every copy made a sending of N copies cost N * N rows.
    SizedSPropTagArray(1, recipients) = {1, {PR_MESSAGE_RECIPIENTS}};
    hr = lpSource->CopyTo(0, nullptr, reinterpret_cast<LPSPropTagArray>(&recipients), 0, nullptr, &IID_IMessage, copy,
                          0, nullptr);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022EC, hr, lpSource, "CopyTo", ZR_HERE);
    *lppCopy = copy.Detach();
}

void CZrMessageSender::GetMessageStringIDs(IMessage* message, std::string& storeId, std::string& entryId)
{
    SizedSPropTagArray(2, wanted) = {2, {PR_STORE_ENTRYID, PR_ENTRYID}};
    ULONG count = 0;
    LPSPropValue found = nullptr;
    HRESULT hr = message->GetProps(reinterpret_cast<LPSPropTagArray>(&wanted), 0, &count, &found);
    std::unique_ptr<SPropValue, BufferDeleter> values(found);
    if (FAILED(hr) || hr == MAPI_W_ERRORS_RETURNED || count != 2 || PROP_TYPE(values.get()[0].ulPropTag) != PT_BINARY ||
        PROP_TYPE(values.get()[1].ulPropTag) != PT_BINARY)
        ThrowMapiObject(0xC00022E4, FAILED(hr) ? hr : E_FAIL, message, "GetProps", ZR_HERE);
    storeId = BinPropValueToString(values.get()[0]);
    entryId = BinPropValueToString(values.get()[1]);
}
