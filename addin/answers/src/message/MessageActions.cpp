// The subject mark and the message actions that follow a handled answer.

#include "message/CWEAnswerMessage.h"
#include "message/MapiReads.h"

#include "resources/KestrinResources.h"
#include "util/CZrMapiBufferPtr.h"
#include "util/MessageFlag.h"

#include "mapi/IMAPIFolder.h"
#include "win/Time.h"

namespace {

constexpr DWORD kPropertyMissing = 0xE00022C4;
// Ten minutes in 100 ns units: the message is expired at once.
constexpr ULONGLONG kExpiredAgo = 6'000'000'000ULL;

}  // namespace

HRESULT CWEAnswerMessage::MarkSubject(const CWEProjectProps& props, bool success)
{
    m_bFailed = !success;
    std::string subject;
    if (!ReadStringProp(m_spMessage, PR_SUBJECT_A, subject)) {
        m_log.Write(kPropertyMissing, {"IMessage", "PR_SUBJECT"});
        return E_FAIL;
    }
    subject += " " + (success ? props.m_strSuccessMark : props.m_strFailedMark);
    SPropValue value{};
    value.ulPropTag = PR_SUBJECT_A;
    value.Value.lpszA = subject.data();
    return FAILED(SetAndSave(value)) ? E_FAIL : S_OK;
}

// A property that could not be written is a failure, logged as one, and
// the message is not saved.
HRESULT CWEAnswerMessage::SetAndSave(SPropValue& value)
{
    HRESULT hr = HrSetOneProp(m_spMessage, &value);
    m_log.LogMapiCall("HrSetOneProp", hr, m_spMessage.p);
    if (FAILED(hr))
        return hr;
    hr = m_spMessage->SaveChanges(KEEP_OPEN_READWRITE);
    m_log.LogMapiCall("m_spMessage->SaveChanges", hr, m_spMessage.p);
    return hr;
}

HRESULT CWEAnswerMessage::ApplyMessageAction()
{
    if (!m_spSession || !m_spMessage)
        return E_FAIL;
    switch (m_settings.m_nMessageAction) {
    case kMove:
        return MoveToFolder();
    case kFlag:
        return FlagMessage();
    case kExpire:
        return MarkExpired();
    case kDelete:
        return DeleteMessage();
    default:
        return S_OK;
    }
}

HRESULT CWEAnswerMessage::MoveToFolder()
{
    const CWEWatchedFolder& destination = m_settings.m_DstFolder;
    if (destination.m_FolderId.IsEmpty())
        return E_FAIL;
    CComPtr<IMsgStore> destStore, srcStore;
    CComPtr<IMAPIFolder> destFolder, srcFolder;
    CZrEntryID srcStoreId, parentId;
    if (FAILED(OpenStore(m_spSession, destination.m_StoreId, destStore, m_log, "m_spSession->OpenMsgStore")) ||
        FAILED(OpenFolder(destStore, destination.m_FolderId, destFolder, m_log, "spDestStore->OpenEntry")) ||
        !ReadEntryIdProp(m_spMessage, PR_STORE_ENTRYID, srcStoreId, m_log, "IMessage", "PR_STORE_ENTRYID") ||
        FAILED(OpenStore(m_spSession, srcStoreId, srcStore, m_log, "m_spSession->OpenMsgStore")) ||
        !ReadEntryIdProp(m_spMessage, PR_PARENT_ENTRYID, parentId, m_log, "IMessage", "PR_PARENT_ENTRYID") ||
        FAILED(OpenFolder(srcStore, parentId, srcFolder, m_log, "spSrcStore->OpenEntry (IMAPIFolder)")))
        return E_FAIL;
    return MoveMessage(srcFolder, destFolder);
}

HRESULT CWEAnswerMessage::DeleteMessage()
{
    CZrEntryID wastebasketId, parentId;
    CComPtr<IMAPIFolder> wastebasket, srcFolder;
    if (!ReadEntryIdProp(m_spMsgStore, PR_IPM_WASTEBASKET_ENTRYID, wastebasketId, m_log, "IMsgStore",
                         "PR_IPM_WASTEBASKET_ENTRYID") ||
        FAILED(OpenFolder(m_spMsgStore, wastebasketId, wastebasket, m_log, "m_spMsgStore->OpenEntry")) ||
        !ReadEntryIdProp(m_spMessage, PR_PARENT_ENTRYID, parentId, m_log, "IMessage", "PR_PARENT_ENTRYID") ||
        FAILED(OpenFolder(m_spMsgStore, parentId, srcFolder, m_log, "m_spMsgStore->OpenEntry (IMAPIFolder)")))
        return E_FAIL;
    return MoveMessage(srcFolder, wastebasket);
}

HRESULT CWEAnswerMessage::MoveMessage(IMAPIFolder* source, IMAPIFolder* destination)
{
    CZrEntryID messageId;
    if (!ReadEntryIdProp(m_spMessage, PR_ENTRYID, messageId, m_log, "IMessage", "PR_ENTRYID"))
        return E_FAIL;
    SBinary entry{messageId.Size(), const_cast<LPBYTE>(messageId.Bytes())};
    ENTRYLIST list{1, &entry};
    const HRESULT hr = source->CopyMessages(&list, nullptr, destination, 0, nullptr, MESSAGE_MOVE);
    m_log.LogMapiCall("spSrcFolder->CopyMessages", hr, source);
    return FAILED(hr) ? E_FAIL : S_OK;
}

// The flag's text says what the subject mark says. A flag that could not be
// written is reported as the failure it is.
HRESULT CWEAnswerMessage::FlagMessage()
{
    const HRESULT hr =
        MarkMessageWithFlag(m_spMessage, FlagMode::Flagged, m_bFailed ? IDS_FLAG_TEXT_FAILED : IDS_FLAG_TEXT);
    m_log.LogMapiCall("m_spMessage->SetProps", hr, m_spMessage.p);
    return hr;
}

HRESULT CWEAnswerMessage::MarkExpired()
{
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG ticks = ((ULONGLONG(now.dwHighDateTime) << 32) | now.dwLowDateTime) - kExpiredAgo;
    SPropValue value{};
    value.ulPropTag = PR_EXPIRY_TIME;
    value.Value.ft.dwLowDateTime = static_cast<DWORD>(ticks);
    value.Value.ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    // An expiry that could not be written must not be reported as done.
    return SetAndSave(value);
}
