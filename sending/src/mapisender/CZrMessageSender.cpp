#include "CZrMessageSender.h"

#include "CZrMAPIHelper.h"
#include "CZrOutlookHelper.h"
#include "FindRowProp.h"

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

bool ContainsExclude(const std::string& name)
{
    for (std::size_t at = 0; at + 7 <= name.size(); ++at)
        if (EqualsNoCase(std::string_view(name).substr(at, 7), "exclude"))
            return true;
    return false;
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
        return cancelled ? TM_E_CANCELLED : S_OK;
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
    if (m_adrMap.GetCount() == 0)
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
    m_adrMap.AddRecip(row, listName, excluded);
}
