#include "CZrMacroReplacer.h"

#include "CZrMAPIHelper.h"

#include "errors/ZrThrow.h"
#include "sender/BodyProperty.h"

#include "com/ComBstr.h"
#include "com/DispatchClient.h"
#include "mapi/MapiUtil.h"

#include <memory>

namespace {

enum Part { PartSubject = 0, PartBody = 1, PartBodyHtml = 2, PartHtml = 3, PartRtf = 4 };

struct BufferDeleter {
    void operator()(void* buffer) const { MAPIFreeBuffer(buffer); }
};

struct ItemPart {
    const char* property;
    DWORD readId;
    DWORD writeId;
};

const ItemPart kItemParts[] = {
    {"Subject", 0xC0002308, 0xC0002303},
    {"Body", 0xC0002306, 0xC0002302},
    {"HTMLBody", 0xC0002304, 0xC0002301},
};

std::string ReadPart(IMessage* message, int part)
{
    std::string text;
    switch (part) {
    case PartBody:
        if (FAILED(ReadTextProperty(message, PR_BODY_A, text)))
            text.clear();
        return text;
    case PartBodyHtml:
    case PartHtml:
        if (FAILED(ReadTextProperty(message, part == PartHtml ? PR_HTML : PR_BODY_HTML_A, text)))
            ThrowMapiResult(0xC0002304, MAPI_E_NOT_FOUND, "OpenProperty", ZR_HERE);
        return text;
    case PartRtf:
        if (FAILED(ReadRtfBody(message, text, false)))
            ThrowMapiResult(0xC00022DE, MAPI_E_NOT_FOUND, "OpenProperty", ZR_HERE);
        return text;
    default:
        ThrowComponentError(0xC00022CF, ZR_HERE);
    }
}

// An empty text is left unwritten: the store holds an empty body already.
void WritePart(IMessage* message, int part, const std::string& text)
{
    if (text.empty())
        return;
    HRESULT hr = S_OK;
    switch (part) {
    case PartBody: hr = WriteTextProperty(message, PR_BODY_A, text); break;
    case PartBodyHtml: hr = WriteTextProperty(message, PR_BODY_HTML_A, text); break;
    case PartHtml: hr = WriteTextProperty(message, PR_HTML, text); break;
    case PartRtf:
        hr = WriteRtfBody(message, text);
        if (FAILED(hr))
            ThrowMapiObject(0xC00022D6, hr, message, "WrapCompressedRTFStream", ZR_HERE);
        return;
    default: ThrowComponentError(0xC00022D0, ZR_HERE);
    }
    if (FAILED(hr))
        ThrowMapiObject(0xC00022DF, hr, message, "OpenProperty", ZR_HERE);
}

}  // namespace

CZrMacroReplacer::CZrMacroReplacer(TMMailItem* lpTMMailItem, IAddrBook* lpAddrBook, const std::string& key,
                                   const CZrAdrMapEntry& entry, int bodyFormat)
    : m_lpTMMailItem(lpTMMailItem), m_spAddrBook(lpAddrBook), m_strKey(key), m_entry(entry), m_nBodyFormat(bodyFormat)
{
    if (!lpTMMailItem)
        ThrowInvalidMemberState("m_lpTMMailItem", ZR_HERE);
    if (!lpAddrBook)
        ThrowInvalidMemberState("m_spAddrBook", ZR_HERE);
    m_list.Create(m_lpTMMailItem, m_spAddrBook, m_strKey, m_entry);
}

void CZrMacroReplacer::Replace(IMessage* lpMessage)
{
    if (!lpMessage)
        ThrowInvalidArgument("lpMessage", ZR_HERE);
    MergeMAPIMessageSubject(lpMessage);
    switch (m_nBodyFormat) {
    case CZrMAPIHelper::FormatPlain: MergeMAPIMessageText(lpMessage, PartBody); break;
    case CZrMAPIHelper::FormatRtf: MergeMAPIMessageText(lpMessage, PartRtf); break;
    case CZrMAPIHelper::FormatHtml:
        try {
            MergeMAPIMessageText(lpMessage, PartRtf);
        } catch (const CZrException&) {
            try {
                MergeMAPIMessageText(lpMessage, PartHtml);
            } catch (const CZrException&) {
                MergeMAPIMessageText(lpMessage, PartBodyHtml);
            }
        }
        // The plain text that travels beside the HTML is a body of the copy too.
        MergeMAPIMessageText(lpMessage, PartBody);
        break;
    default: ThrowComponentError(0xC00022C6, ZR_HERE);
    }
}

void CZrMacroReplacer::Replace(IDispatch* lpMailItem)
{
    if (!lpMailItem)
        ThrowInvalidArgument("lpMailItem", ZR_HERE);
    MergeMessageText(lpMailItem, PartSubject);
    if (m_nBodyFormat == CZrMAPIHelper::FormatPlain)
        MergeMessageText(lpMailItem, PartBody);
    else if (m_nBodyFormat == CZrMAPIHelper::FormatHtml) {
        MergeMessageText(lpMailItem, PartBodyHtml);
        // A client that rebuilds the plain text from the HTML leaves nothing
        // to replace in it, and the plain text is not written; one that keeps
        // the draft's plain text beside the HTML gets it replaced.
        MergeMessageText(lpMailItem, PartBody);
    } else
        ThrowComponentError(0xC00022C6, ZR_HERE);
}

std::string CZrMacroReplacer::GetRecipientText() const
{
    return m_list.DisplayName() + " <" + m_list.Email() + ">";
}

void CZrMacroReplacer::MergeMAPIMessageSubject(IMessage* lpMessage)
{
    LPSPropValue found = nullptr;
    HRESULT hr = HrGetOneProp(lpMessage, PR_SUBJECT_A, &found);
    std::unique_ptr<SPropValue, BufferDeleter> subject(found);
    if (FAILED(hr) || !subject)
        ThrowMapiObject(0xC0002307, FAILED(hr) ? hr : MAPI_E_NOT_FOUND, lpMessage, "HrGetOneProp", ZR_HERE);
    std::string replaced = SearchAndReplace(subject->Value.lpszA ? subject->Value.lpszA : "", m_list.Macros(), true,
                                            m_nBodyFormat);
    SPropValue value{};
    value.ulPropTag = PR_SUBJECT_A;
    value.Value.lpszA = replaced.data();
    hr = HrSetOneProp(lpMessage, &value);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022D9, hr, lpMessage, "HrSetOneProp", ZR_HERE);
}

void CZrMacroReplacer::MergeMAPIMessageText(IMessage* lpMessage, int part)
{
    const std::string text = ReadPart(lpMessage, part);
    WritePart(lpMessage, part, SearchAndReplace(text, m_list.Macros(), false, FormatOf(part)));
}

// The plain text gets the values as they are, whatever the message's format.
int CZrMacroReplacer::FormatOf(int part) const
{
    return part == PartBody ? CZrMAPIHelper::FormatPlain : m_nBodyFormat;
}

void CZrMacroReplacer::MergeMessageText(IDispatch* lpMailItem, int part)
{
    const ItemPart& item = kItemParts[part];
    CComVariant value;
    HRESULT hr = pollenta::com::GetProperty(lpMailItem, item.property, &value);
    if (FAILED(hr))
        ThrowComObject(item.readId, hr, IID_IDispatch, lpMailItem, item.property, ZR_HERE);
    if (value.vt != VT_BSTR || !value.bstrVal)
        return;
    const std::u16string_view text(reinterpret_cast<const char16_t*>(value.bstrVal), SysStringLen(value.bstrVal));
    const std::u16string replaced = SearchAndReplace(text, m_list.Macros(), part == PartSubject, FormatOf(part));
    if (part == PartBody && m_nBodyFormat == CZrMAPIHelper::FormatHtml && replaced == text)
        return;
    CComBSTR bstr(static_cast<UINT>(replaced.size()), reinterpret_cast<LPCOLESTR>(replaced.data()));
    CComVariant newValue(bstr);
    hr = pollenta::com::PutProperty(lpMailItem, item.property, newValue);
    if (FAILED(hr))
        ThrowComObject(item.writeId, hr, IID_IDispatch, lpMailItem, item.property, ZR_HERE);
}
