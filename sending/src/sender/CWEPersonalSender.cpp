#include "CWEPersonalSender.h"

#include "BlockPause.h"
#include "CWESendCallback.h"
#include "OutlookItem.h"
#include "ToRecipients.h"
#include "errors/MessageText.h"
#include "errors/ZrThrow.h"
#include "keytree/CalcStringCRC64.h"
#include "mapisession/GetSuperMapiSession.h"

#include "OutlookApplication.h"
#include "ui/Window.h"
#include "mapi/MapiFlags.h"
#include "win/Registry.h"


namespace {

constexpr DWORD MSG_FATAL = 0xC00022AF;
constexpr DWORD MSG_INIT = 0xC00022B0;
constexpr DWORD MSG_COUNT = 0xC00022B2;
constexpr DWORD MSG_EXCLUDE = 0xC00022B3;

DWORD ReadDword(HKEY key, const char* name)
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return 0;
    return value;
}

}  // namespace

CWEPersonalSender::CWEPersonalSender() : m_pause(PauseBetweenBlocks)
{
    m_sent.SetTolerance(0);
}

CWEPersonalSender::~CWEPersonalSender() = default;

void CWEPersonalSender::SetProgressTexts(const std::string& caption, const std::string& text)
{
    m_strCaption = caption;
    m_strText = text;
}

void CWEPersonalSender::ReadBlockSettings()
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Velquin Ltd\\Solvenda", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    m_nBlockSize = ReadDword(key, "SendingBlockSize");
    m_nPause = ReadDword(key, "PauseBetweenBlocks");
    RegCloseKey(key);
}

HRESULT CWEPersonalSender::Run()
{
    ReadBlockSettings();
    if (!m_hParent || !IsWindow(m_hParent))
        m_hParent = m_bShowProgress ? GetForegroundWindow() : nullptr;
    if (m_bShowProgress) {
        m_progress.SetOwnerWindow(m_hParent);
        m_progress.SetTexts(m_strCaption, m_strText);
    }
    HRESULT hr = Process();
    // A run the user stopped is never reported as a success, errors or not.
    if (m_progress.IsCancelled())
        hr = TM_E_CANCELLED;
    if (m_bShowProgress)
        m_progress.WaitForClose();
    if (m_progress.IsCancelled() && !m_prepared.empty())
        RollBack();
    m_prepared.clear();
    return hr;
}

HRESULT CWEPersonalSender::Process()
{
    if (!m_spItem) {
        FormatSendError(MSG_FATAL, {"Code 001"});
        return E_FAIL;
    }
    if (FAILED(outlook::GetObject(m_spItem, "Application", m_spApplication)) || !m_spApplication) {
        FormatSendError(MSG_INIT, {outlook::ErrorText(m_spItem, IID_IDispatch), "Code 003"});
        return E_FAIL;
    }
    CComPtr<_Application> application;
    m_spApplication->QueryInterface(IID__Application, reinterpret_cast<void**>(&application));
    if (FAILED(GetSuperMapiSession(application, &m_spSession)) || !m_spSession) {
        FormatSendError(MSG_INIT, {"", "GetSuperMapiSession"});
        return E_FAIL;
    }
    if (FAILED(m_spSession->OpenAddressBook(0, nullptr, 0, &m_spAddrBook)) || !m_spAddrBook) {
        FormatSendError(MSG_INIT, {MapiLastErrorText(m_spSession.p, E_FAIL), "Code 004"});
        return E_FAIL;
    }
    if (FAILED(outlook::Call(m_spItem, "Save"))) {
        FormatSendError(MSG_INIT, {outlook::ErrorText(m_spItem, IID_IDispatch), "Code 005"});
        return E_FAIL;
    }
    if (FAILED(outlook::MessageOf(m_spItem, m_spMessage))) {
        FormatSendError(MSG_INIT, {outlook::ErrorText(m_spItem, IID_IDispatch), "Code 006"});
        return E_FAIL;
    }
    HRESULT hr = ResolveRecipients();
    if (hr != S_OK)
        return hr;
    if (FAILED(hr = SetSendAccount(m_spMessage)))
        return hr;
    int lists = 0;
    int entries = 0;
    if (FAILED(CountRecipients(lists, entries))) {
        FormatSendError(MSG_COUNT, {});
        return E_FAIL;
    }
    if (entries < 1)
        return lists < 1 ? TM_E_NORECIPIENTS : TM_E_EMPTYLISTS;
    if (FAILED(CollectExclusions())) {
        FormatSendError(MSG_EXCLUDE, {});
        return E_FAIL;
    }
    m_progress.SetRange(entries);
    hr = SendCopies();
    return hr < 0 ? hr : S_OK;
}

bool CWEPersonalSender::MarkAddressSent(const std::string& address)
{
    if (address.empty())
        return false;
    const std::uint64_t key = CalcStringCRC64(address.c_str());
    if (m_sent.Find(key))
        return false;
    return m_sent.Insert(key, 0);
}

// The texts are composed into strings that grow with their inserts, so a
// long name or error text never loses the line.
void CWEPersonalSender::FormatSendError(DWORD messageId, const std::vector<std::string>& inserts)
{
    std::string line = ComponentMessageText(messageId, inserts);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    if (m_bShowProgress)
        m_progress.AddError(line);
}

void CWEPersonalSender::AfterSubmit(IMessage* copy, const std::string& entryId)
{
    if (m_spSpooler || SUCCEEDED(OpenSpoolerStatus(m_spSpooler)))
        m_spSpooler->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD);
    if (!entryId.empty())
        m_prepared.push_back(entryId);
    if (m_bShowProgress)
        m_progress.StepIt();
    if (m_nBlockSize > 0 && m_nPause != 0 && ++m_nBlockCount >= m_nBlockSize) {
        m_nBlockCount = 0;
        m_pause(m_nPause, m_progress);
    }
}

HRESULT CWEPersonalSender::SendCopies()
{
    if (!m_spApplication) {
        FormatSendError(0xC00022B4, {"Code 007", "Code 007"});
        return E_FAIL;
    }
    CComPtr<IMAPITable> table;
    HRESULT hr = m_spMessage->GetRecipientTable(0, &table);
    if (FAILED(hr)) {
        FormatSendError(0xC00022B4, {"Code 008", MapiLastErrorText(m_spMessage.p, hr)});
        return E_FAIL;
    }
    if (FAILED(outlook::DefaultFolder(m_spApplication, outlook::olFolderOutbox, m_spOutbox)) ||
        FAILED(OpenOutboxFolder())) {
        FormatSendError(0xC00022B4, {"Code 010", outlook::ErrorText(m_spApplication, IID_IDispatch)});
        return E_FAIL;
    }
    PrepareTemplate();
    CWESendCallback sender(*this);
    CWERecipientWalk walk(m_spAddrBook, sender, true);
    int failedCall = 0;
    hr = walk.Walk(table, nullptr, true, &failedCall);
    m_spTemplate.Release();
    if (FAILED(hr) && failedCall != 0)
        FormatSendError(0xC00022C2, {MapiLastErrorText(table.p, hr), failedCall == 11 ? "Code 011" : "Code 012"});
    if (m_prepared.empty())
        return TM_E_ALLEXCLUDED;
    return FAILED(hr) ? E_FAIL : S_OK;
}

// Without a template the copies are made from the item itself.
void CWEPersonalSender::PrepareTemplate()
{
    CComPtr<IMessage> message;
    if (FAILED(m_spOutboxFolder->CreateMessage(&IID_IMessage, 0, &message)) ||
        FAILED(m_spMessage->CopyTo(0, nullptr, nullptr, 0, nullptr, &IID_IMessage, message, 0, nullptr)) ||
        RemoveToRecipients(message, 1).code)
        return;
    m_spTemplate = message;
}
