#include "CZrMessageSender.h"

#include "CZrMAPIHelper.h"
#include "CZrOutlookHelper.h"
#include "FindRowProp.h"

#include "errors/MessageText.h"
#include "errors/ZrThrow.h"
#include "lang/CWELanguages.h"
#include "mapisession/GetSuperMapiSession.h"
#include "sender/CWEPersonalSender.h"
#include "sender/OutlookItem.h"

#include "ITMMailItem.h"
#include "mapi/MapiUtil.h"
#include "win/CaseFolding.h"

namespace {

constexpr std::uint32_t kTextNoListName = 1011;
constexpr std::uint32_t kTextCompleted = 1032;
constexpr std::uint32_t kTextUnexpected = 109;
constexpr std::uint32_t kTextUnknownName = 110;
constexpr DWORD kNoAddress = 0xC00022B5;

bool ContainsExclude(const std::string& name)
{
    for (std::size_t at = 0; at + 7 <= name.size(); ++at)
        if (EqualsNoCase(std::string_view(name).substr(at, 7), "exclude"))
            return true;
    return false;
}

// An entry that names an address of nothing, as an address book entry
// without an address does; a row without the address at all is the address
// map's to refuse.
bool HasEmptyAddress(const SRow& row)
{
    LPSPropValue address = FindRowProp(row, PR_EMAIL_ADDRESS_A);
    return address && address->Value.lpszA && !*address->Value.lpszA;
}

// What the entry itself says of its missing address, as the first sending
// method asks it.
std::string MissingAddressText(IAddrBook* book, const SRow& row)
{
    LPSPropValue id = FindRowProp(row, PR_ENTRYID);
    CComPtr<IUnknown> entry;
    ULONG type = 0;
    if (id && book)
        book->OpenEntry(id->Value.bin.cb, reinterpret_cast<LPENTRYID>(id->Value.bin.lpb), nullptr, 0, &type, &entry);
    CComQIPtr<IMAPIProp> user(entry.p);
    const std::string text = MapiLastErrorText(user.p, MAPI_E_NOT_FOUND);
    return text.empty() ? Languages().LoadLangString(kTextUnexpected) : text;
}

// What the first sending method says of such a recipient.
CZrException NoAddressError(IAddrBook* book, const SRow& row)
{
    const char* name = RowText(row.cValues, row.lpProps, PR_DISPLAY_NAME_A);
    const std::string inserts[] = {MissingAddressText(book, row),
                                   *name ? name : Languages().LoadLangString(kTextUnknownName)};
    return CZrException(kNoAddress, CZrException::KindMapi, "", {ComponentMessageText(kNoAddress, inserts)}, ZR_HERE);
}

}  // namespace

HRESULT CZrMessageSender::Solvenda(TMMailItem* lpTMMailItem, IDispatch* lpMailItem, HWND parent, bool showReport,
                                   const std::string& caption, const std::string& text)
{
    if (!lpTMMailItem)
        ThrowInvalidArgument("lpTMMailItem", ZR_HERE);
    if (!lpMailItem)
        ThrowInvalidArgument("lpMailItem", ZR_HERE);
    m_lpTMMailItem = lpTMMailItem;
    m_hParent = parent;
    m_bShowReport = showReport;
    if (!caption.empty())
        m_strCaption = caption;
    if (!text.empty())
        m_strText = text;
    try {
        Prepare(lpMailItem);
        if (m_bShowReport)
            m_report.Show(m_strCaption, m_strText, m_hParent);
        DistributeMessage();
        m_report.AddInfoLine(Languages().LoadLangString(kTextCompleted));
        const bool cancelled = m_report.IsCancelled();
        m_report.WaitForClose();
        if (cancelled)
            return TM_E_CANCELLED;
        return m_nSent > 0 ? S_OK : TM_E_ALLEXCLUDED;
    } catch (const CZrException&) {
        m_report.WaitForClose();
        throw;
    }
}

void CZrMessageSender::Prepare(IDispatch* lpMailItem)
{
    HRESULT hr = outlook::GetObject(lpMailItem, "Application", m_spApplication);
    if (FAILED(hr) || !m_spApplication)
        ThrowComObject(0xC00022E7, FAILED(hr) ? hr : E_POINTER, IID_IDispatch, lpMailItem, "get_Application",
                       ZR_HERE);
    m_nOutlookVersion = CZrOutlookHelper::GetOutlookVersion(m_spApplication);
    hr = outlook::CallObject(m_spApplication, "GetNamespace", CComVariant("MAPI"), m_NameSpace);
    if (FAILED(hr) || !m_NameSpace)
        ThrowComObject(0xC00022E6, FAILED(hr) ? hr : E_POINTER, IID_IDispatch, m_spApplication, "GetNamespace",
                       ZR_HERE);
    hr = GetSuperMapiSessionFromNameSpace(m_NameSpace, &m_spSession);
    if (FAILED(hr))
        ThrowComResult(0xC00022F2, hr, "GetSuperMapiSession", ZR_HERE);
    hr = m_spSession->OpenAddressBook(0, nullptr, 0, &m_spAddrBook);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022EF, hr, m_spSession, "OpenAddressBook", ZR_HERE);
    hr = outlook::Call(lpMailItem, "Save");
    if (FAILED(hr))
        ThrowComObject(0xC00022F6, hr, IID_IDispatch, lpMailItem, "Save", ZR_HERE);
    hr = outlook::MessageOf(lpMailItem, m_spTemplateMessage);
    if (FAILED(hr) || !m_spTemplateMessage)
        ThrowComResult(0xC00022F0, FAILED(hr) ? hr : E_NOINTERFACE, "get_MAPIOBJECT", ZR_HERE);

    CZrMAPIHelper::ResolveMessageNames(reinterpret_cast<ULONG_PTR>(m_hParent), MAPI_DIALOG, m_spAddrBook,
                                       m_spTemplateMessage);
    CWEPersonalSender::SetSendAccount(m_spTemplateMessage);
    hr = m_spTemplateMessage->SaveChanges(KEEP_OPEN_READWRITE);
    if (FAILED(hr))
        ThrowMapiObject(0xC0002300, hr, m_spTemplateMessage, "SaveChanges", ZR_HERE);

    CComPtr<IMAPITable> table;
    hr = m_spTemplateMessage->GetRecipientTable(0, &table);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022D7, hr, m_spTemplateMessage, "GetRecipientTable", ZR_HERE);
    m_nBodyFormat = CZrMAPIHelper::GetBodyFormat(m_spTemplateMessage);
    ScanRecipients(table, nullptr);
    if (m_adrMap.GetCount() == 0 && m_refused.empty())
        ThrowComponentError(0xC0002309, ZR_HERE);
    PrepareAddressListAndClearRecipients(table);
    hr = m_spTemplateMessage->SaveChanges(KEEP_OPEN_READWRITE);
    if (FAILED(hr))
        ThrowMapiObject(0xC0002300, hr, m_spTemplateMessage, "SaveChanges", ZR_HERE);
    OpenDefStoreAndFolder();
}

void CZrMessageSender::AddRecipient(IDistList* parentList, const SRow& row)
{
    std::string listName;
    bool excluded = false;
    if (parentList) {
        LPSPropValue name = nullptr;
        if (SUCCEEDED(HrGetOneProp(parentList, PR_DISPLAY_NAME_A, &name)) && name && name->Value.lpszA)
            listName = name->Value.lpszA;
        MAPIFreeBuffer(name);
        // Only a real list can exclude: the text that names direct
        // recipients comes from a language file and may say anything.
        excluded = ContainsExclude(listName);
    } else {
        listName = Languages().LoadLangString(kTextNoListName);
    }
    if (!excluded && HasEmptyAddress(row)) {
        m_refused.push_back(NoAddressError(m_spAddrBook, row));
        return;
    }
    m_adrMap.AddRecip(row, listName, excluded);
}
