#include "CWESendCallback.h"

#include "CWEPersonalSender.h"
#include "MapiRows.h"
#include "RecipientIdentity.h"
#include "ToRecipients.h"
#include "errors/ZrThrow.h"
#include "lang/CWELanguages.h"

#include "mapi/IMAPITable.h"
#include "mapi/MapiUtil.h"

#include <memory>

namespace {

constexpr DWORD MSG_NO_ADDRESS = 0xC00022B5;
constexpr DWORD MSG_CREATE = 0xC00022B6;
constexpr DWORD MSG_PREPARE = 0xC00022B7;
constexpr DWORD MSG_REMOVE_TO = 0xC00022B8;
constexpr DWORD MSG_ADD = 0xC00022B9;
constexpr DWORD MSG_SAVE = 0xC00022BA;
constexpr DWORD MSG_SUBMIT = 0xC00022BB;
constexpr DWORD MSG_SERVICE_DATA = 0xC00022BC;
constexpr DWORD MSG_WALK = 0xC00022C4;
constexpr std::uint32_t kTextUnexpected = 109;
constexpr std::uint32_t kTextUnknownName = 110;

// What a MAPI object says about its failure, or "Unexpected Error.".
template <class MapiObject>
std::string MapiText(MapiObject* object, HRESULT hr)
{
    std::string text = MapiLastErrorText(object, hr);
    return text.empty() ? Languages().LoadLangString(kTextUnexpected) : text;
}

// The error text of a failed call, one blank, and the code of the step.
template <class MapiObject>
std::string MapiFailure(MapiObject* object, HRESULT hr, const char* code)
{
    return MapiText(object, hr) + " " + code;
}

}  // namespace

bool CWESendCallback::IsCancelled()
{
    return m_sender.IsCancelled();
}

void CWESendCallback::Pump()
{
    m_sender.Pump();
}

void CWESendCallback::RowError(const char* text)
{
    m_sender.FormatSendError(MSG_WALK, {text});
}

void CWESendCallback::Recipient(IDistList* parentList, IMailUser* user, const char* rowDisplayName)
{
    ProcessRecipient(parentList, user, rowDisplayName);
}

HRESULT CWESendCallback::ProcessRecipient(IDistList* parentList, IMailUser* user, const char* rowDisplayName)
{
    if (IsExclusionList(parentList))
        return 1;
    const std::string address = StringProp(user, PR_EMAIL_ADDRESS_A);
    if (address.empty()) {
        std::string name = StringProp(user, PR_DISPLAY_NAME_A);
        if (name.empty() && rowDisplayName)
            name = rowDisplayName;
        if (name.empty())
            name = Languages().LoadLangString(kTextUnknownName);
        m_sender.FormatSendError(MSG_NO_ADDRESS, {MapiText(user, MAPI_E_NOT_FOUND), name});
        return E_FAIL;
    }
    if (!m_sender.MarkAddressSent(address))
        return 1;
    // A copy is stored only when it is complete: one that fails before
    // leaves nothing behind.
    CComPtr<IMessage> copy;
    HRESULT hr = MakeCopy(address, copy);
    if (hr == S_OK)
        hr = ReplaceToRecipients(address, copy, user, rowDisplayName);
    if (hr == S_OK)
        return Submit(address, copy, parentList, user);
    return E_FAIL;
}

HRESULT CWESendCallback::MakeCopy(const std::string& address, CComPtr<IMessage>& copy)
{
    IMessage* source = m_sender.m_spTemplate ? m_sender.m_spTemplate.p : m_sender.m_spMessage.p;
    IMAPIFolder* outbox = m_sender.m_spOutboxFolder;
    HRESULT hr = outbox->CreateMessage(&IID_IMessage, 0, &copy);
    if (FAILED(hr)) {
        m_sender.FormatSendError(MSG_CREATE, {address, MapiFailure(outbox, hr, "Code 013")});
        return E_FAIL;
    }
    if (FAILED(hr = source->CopyTo(0, nullptr, nullptr, 0, nullptr, &IID_IMessage, copy, 0, nullptr))) {
        m_sender.FormatSendError(MSG_CREATE, {address, MapiFailure(source, hr, "Code 015")});
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CWESendCallback::ReplaceToRecipients(const std::string& address, IMessage* copy, IMailUser* user,
                                             const char* rowDisplayName)
{
    const ToRemoval removal = RemoveToRecipients(copy, 0);
    if (removal.code) {
        const bool removing = removal.code == std::string("Code 021") || removal.code == std::string("Code 027");
        const std::string detail = removal.failedObject
                                       ? MapiFailure(copy, removal.hr, removal.code)
                                       : std::string(removal.code);
        m_sender.FormatSendError(removing ? MSG_REMOVE_TO : MSG_PREPARE, {address, detail});
        return E_FAIL;
    }
    const std::string name = StringProp(user, PR_DISPLAY_NAME_A);
    if ((name.empty() || name == "''") && rowDisplayName && *rowDisplayName) {
        SPropValue fixed{};
        fixed.ulPropTag = PR_DISPLAY_NAME_A;
        fixed.Value.lpszA = const_cast<char*>(rowDisplayName);
        if (SUCCEEDED(HrSetOneProp(user, &fixed)))
            user->SaveChanges(KEEP_OPEN_READWRITE);
    }
    SizedSPropTagArray(10, wanted) = {
        10,
        {PR_ADDRTYPE_A, PR_DISPLAY_NAME_A, PR_DISPLAY_TYPE, PR_EMAIL_ADDRESS_A, PR_ENTRYID, PR_OBJECT_TYPE,
         PR_RECIPIENT_TYPE, PR_SEARCH_KEY, PR_SEND_INTERNET_ENCODING, PR_SEND_RICH_INFO}};
    ULONG valueCount = 0;
    LPSPropValue values = nullptr;
    HRESULT hr = user->GetProps(reinterpret_cast<LPSPropTagArray>(&wanted), 0, &valueCount, &values);
    std::unique_ptr<SPropValue, decltype(&MAPIFreeBuffer)> valuesOwner(values, MAPIFreeBuffer);
    if (FAILED(hr) || valueCount != 10) {
        m_sender.FormatSendError(MSG_SERVICE_DATA, {address, MapiFailure(user, hr, "Code 025")});
        return E_FAIL;
    }
    values[6].ulPropTag = PR_RECIPIENT_TYPE;
    values[6].Value.l = MAPI_TO;
    SizedADRLIST(1, added) = {1, {{0, valueCount, values}}};
    if (FAILED(hr = copy->ModifyRecipients(MODRECIP_ADD, reinterpret_cast<LPADRLIST>(&added)))) {
        m_sender.FormatSendError(MSG_ADD, {address, MapiFailure(copy, hr, "Code 022")});
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CWESendCallback::Submit(const std::string& address, IMessage* copy, IDistList* parentList, IMailUser* user)
{
    if (FAILED(m_sender.ComputeMacroValues(copy, parentList, user)))
        return E_FAIL;
    HRESULT hr = copy->SaveChanges(KEEP_OPEN_READWRITE);
    if (FAILED(hr)) {
        m_sender.FormatSendError(MSG_SAVE, {address, MapiFailure(copy, hr, "Code 023")});
        return E_FAIL;
    }
    // The entry id is read while the message is still open for us: a
    // submitted message belongs to the spooler.
    const std::string entryId = BinaryProp(copy, PR_ENTRYID);
    if (FAILED(hr = copy->SubmitMessage(FORCE_SUBMIT))) {
        m_sender.FormatSendError(MSG_SUBMIT, {address, MapiFailure(copy, hr, "Code 024")});
        return E_FAIL;
    }
    m_sender.AfterSubmit(copy, entryId);
    return S_OK;
}
