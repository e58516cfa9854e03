#include "processor/CWEInboxProcessor.h"

#include "message/CWEAnswerMessage.h"
#include "processor/CWEScanSink.h"
#include "processor/ThreadSession.h"

#include "util/MapiNames.h"
#include "zr/FormatHResult.h"

#include "com/Activation.h"

#include <pthread.h>

CWEInboxProcessor* g_pInboxProcessor = nullptr;

namespace {

constexpr DWORD kThreadSetupFailed = 0xE00022C3;
constexpr DWORD kObjectNotCreated = 0xE00022C5;

// Starts `body` on a new thread named `name`.
template <class Body>
std::thread StartNamedThread(const char* name, Body body)
{
    return std::thread([name, body] {
        pthread_setname_np(pthread_self(), name);
        body();
    });
}

}  // namespace

CWEInboxProcessor::CWEInboxProcessor()
{
    g_pInboxProcessor = this;
}

CWEInboxProcessor::~CWEInboxProcessor()
{
    Stop();
    if (g_pInboxProcessor == this)
        g_pInboxProcessor = nullptr;
}

std::shared_ptr<const CWEWatchSnapshot> CWEInboxProcessor::GetSettings() const
{
    std::lock_guard lock(m_settingsLock);
    return m_spSettings;
}

void CWEInboxProcessor::PublishSettings(std::shared_ptr<const CWEWatchSnapshot> settings)
{
    std::lock_guard lock(m_settingsLock);
    m_spSettings = std::move(settings);
}

HRESULT CWEInboxProcessor::Start(std::shared_ptr<const CWEWatchSnapshot> settings, CWELog& log, IMAPISession* session)
{
    if (!settings)
        return E_INVALIDARG;
    PublishSettings(std::move(settings));
    m_pLog = &log;
    m_spSession = session;
    m_strProfile = session ? GetProfileName(session) : std::string();
    const HRESULT hr = StartProcessorThread();
    if (FAILED(hr))
        return hr;
    AdviseStores();
    return StartScanThread();
}

HRESULT CWEInboxProcessor::Stop()
{
    UnadviseStores();
    StopScanThread();
    StopProcessorThread();
    m_NotifyQueue.Clear();
    m_ScanQueue.Clear();
    m_spSession.Release();
    return S_OK;
}

HRESULT CWEInboxProcessor::Pause(DWORD timeoutMs)
{
    if (!m_ProcessorThread.joinable() || WaitForSingleObject(m_events.m_hProcessorEnded, 0) == WAIT_OBJECT_0) {
        // Ended: keep saying so to the next asker.
        SetEvent(m_events.m_hProcessorEnded);
        return S_FALSE;
    }
    m_events.Reset(CWEProcessorEvents::kPausedAck);
    m_events.Set(CWEProcessorEvents::kPause);
    // A processor thread that is gone never acknowledges; its end answers.
    const HANDLE handles[] = {m_events[CWEProcessorEvents::kPausedAck], m_events.m_hProcessorEnded};
    const DWORD waited = WaitForMultipleObjects(2, handles, FALSE, timeoutMs);
    if (waited == WAIT_OBJECT_0)
        return S_OK;
    if (waited == WAIT_TIMEOUT) {
        // Still busy with one answer: the pause it takes after that one is
        // undone at once (it sees the pause before the resume).
        m_events.Set(CWEProcessorEvents::kResume);
        return HRESULT_FROM_WIN32(WAIT_TIMEOUT);
    }
    SetEvent(m_events.m_hProcessorEnded);
    return S_FALSE;
}

HRESULT CWEInboxProcessor::Resume(std::shared_ptr<const CWEWatchSnapshot> settings)
{
    StopScanThread();
    if (settings)
        PublishSettings(std::move(settings));
    m_events.Reset(CWEProcessorEvents::kPausedAck);
    m_events.Set(CWEProcessorEvents::kResume);
    return StartScanThread();
}

HRESULT CWEInboxProcessor::StartProcessorThread()
{
    if (m_ProcessorThread.joinable())
        return S_OK;
    m_hrProcessorStart = E_FAIL;
    m_strStartFailure.clear();
    ResetEvent(m_events.m_hProcessorEnded);
    m_ProcessorThread = StartNamedThread("answers-process", [this] { MsgProcessorThread(); });
    WaitForSingleObject(m_events.m_hProcessorStarted, INFINITE);
    if (FAILED(m_hrProcessorStart)) {
        StopProcessorThread();
        return E_FAIL;
    }
    return S_OK;
}

void CWEInboxProcessor::StopProcessorThread()
{
    if (!m_ProcessorThread.joinable())
        return;
    m_events.Set(CWEProcessorEvents::kQuit);
    m_ProcessorThread.join();
    m_events.Reset(CWEProcessorEvents::kQuit);
    m_events.Reset(CWEProcessorEvents::kPausedAck);
}

HRESULT CWEInboxProcessor::StartScanThread()
{
    m_events.Reset(CWEProcessorEvents::kStopScan);
    if (m_ScanThread.joinable())
        return S_OK;
    m_ScanThread = StartNamedThread("answers-scan", [this] { MsgScanThread(); });
    WaitForSingleObject(m_events.m_hScanStarted, INFINITE);
    return S_OK;
}

HRESULT CWEInboxProcessor::StopScanThread()
{
    if (!m_ScanThread.joinable())
        return S_OK;
    m_events.Set(CWEProcessorEvents::kStopScan);
    m_ScanThread.join();
    m_events.Reset(CWEProcessorEvents::kStopScan);
    ResetEvent(m_events.m_hScanEnded);
    return S_OK;
}

void CWEInboxProcessor::MsgScanThread()
{
    {
        ThreadSession thread(m_strProfile);
        SetEvent(m_events.m_hScanStarted);
        if (!thread.IsReady()) {
            m_pLog->Write(kThreadSetupFailed, {"CWEInboxProcessor::MsgScanThread"});
        } else {
            CWEScanSink sink(*this);
            ScanFolders(thread.Session(), sink);
        }
    }
    SetEvent(m_events.m_hScanEnded);
}

void CWEInboxProcessor::MsgProcessorThread()
{
    {
        ThreadSession thread(m_strProfile);
        if (!thread.IsReady()) {
            m_pLog->Write(kThreadSetupFailed, {"CWEInboxProcessor::MsgProcessorThread"});
            m_strStartFailure = "the processing thread cannot log on to the MAPI session";
            SetEvent(m_events.m_hProcessorStarted);
        } else {
            ProcessorLoop(thread.Session());
        }
    }
    SetEvent(m_events.m_hProcessorEnded);
}

HRESULT CWEInboxProcessor::ProcessorLoop(IMAPISession* session)
{
    m_spLoopSession = session;
    CLSID clsid = GUID_NULL;
    HRESULT hr = CLSIDFromProgID(kHubberlyProgIDW, &clsid);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IHubberly, reinterpret_cast<void**>(&m_spHubberly));
    if (FAILED(hr) || !m_spHubberly) {
        m_pLog->Write(kObjectNotCreated, {kHubberlyProgID});
        m_strStartFailure = std::string("the project library object \"") + kHubberlyProgID + "\" cannot be created (" +
                            FormatHResult(FAILED(hr) ? hr : E_NOINTERFACE) + ")";
        m_spLoopSession.Release();
        SetEvent(m_events.m_hProcessorStarted);
        return E_FAIL;
    }
    m_bPaused = false;
    m_bScanEnded = false;
    for (int i = CWEProcessorEvents::kQuit; i <= CWEProcessorEvents::kResume; ++i)
        m_events.Reset(i);
    m_bRunning = true;
    m_hrProcessorStart = S_OK;
    SetEvent(m_events.m_hProcessorStarted);

    while (m_bRunning) {
        const DWORD signalled = WaitForMultipleObjects(CWEProcessorEvents::kResume + 1, m_events.Data(), FALSE, INFINITE);
        switch (signalled - WAIT_OBJECT_0) {
        case CWEProcessorEvents::kQuit:
            m_bRunning = false;
            break;
        case CWEProcessorEvents::kItemQueued:
            DrainQueues();
            break;
        case CWEProcessorEvents::kScanEnded:
            // Mail notified during the pass has waited for its end; it must
            // not wait on until some later mail comes.
            m_bScanEnded = true;
            DrainQueues();
            break;
        case CWEProcessorEvents::kPause:
            m_bPaused = true;
            m_events.Set(CWEProcessorEvents::kPausedAck);
            break;
        case CWEProcessorEvents::kResume:
            // What waited during the pause goes on at once, not only when
            // the next message arrives.
            m_bPaused = false;
            m_events.Reset(CWEProcessorEvents::kPausedAck);
            DrainQueues();
            break;
        default:
            m_bRunning = false;
            break;
        }
    }
    m_mapLoopStores.clear();
    m_spHubberly.Release();
    m_spLoopSession.Release();
    return S_OK;
}

HRESULT CWEInboxProcessor::DrainQueues()
{
    if (!g_pInboxProcessor)
        return E_FAIL;
    if (m_bPaused)
        return S_OK;
    if (DrainQueue(m_ScanQueue, &m_NotifyQueue) && m_bScanEnded)
        DrainQueue(m_NotifyQueue, nullptr);
    return S_OK;
}

// False when a quit or a pause ended the draining; both are seen between
// two messages, so a backlog never holds up the UI thread that asked. A
// message taken here no longer waits in `later`: found there again it would
// only be opened to be found marked.
bool CWEInboxProcessor::DrainQueue(CWEMessageQueue& queue, CWEMessageQueue* later)
{
    while (m_bRunning) {
        if (m_events.Test(CWEProcessorEvents::kQuit)) {
            m_bRunning = false;
            return false;
        }
        if (m_events.Test(CWEProcessorEvents::kPause)) {
            m_bPaused = true;
            m_events.Set(CWEProcessorEvents::kPausedAck);
            return false;
        }
        CWEMessageQueueItem item;
        if (!queue.Pop(item))
            return true;
        if (later)
            later->Withdraw(item.m_MessageId);
        ProcessQueued(item);
    }
    return false;
}

HRESULT CWEInboxProcessor::ProcessQueued(const CWEMessageQueueItem& item)
{
    CComPtr<IMsgStore> store;
    HRESULT hr = OpenLoopStore(item.m_StoreId, store);
    if (FAILED(hr))
        return MAPI_E_NOT_FOUND;
    ULONG type = 0;
    CComPtr<IUnknown> object;
    hr = store->OpenEntry(item.m_MessageId.Size(), item.m_MessageId.EntryID(), &IID_IMessage, MAPI_BEST_ACCESS,
                          &type, &object);
    m_pLog->LogMapiCall("spMsgStore->OpenEntry", hr, store.p);
    CComQIPtr<IMessage> message(object.p);
    if (FAILED(hr) || type != MAPI_MESSAGE || !message)
        return MAPI_E_NOT_FOUND;
    const std::shared_ptr<const CWEWatchSnapshot> settings = GetSettings();
    CWEAnswerMessage answer(*m_pLog, *settings, m_propsCache);
    answer.Process(m_spLoopSession, store, message, m_spHubberly);
    return S_OK;
}

HRESULT CWEInboxProcessor::OpenLoopStore(const CZrEntryID& storeId, CComPtr<IMsgStore>& store)
{
    const std::string key(reinterpret_cast<const char*>(storeId.Bytes()), storeId.Size());
    if (auto opened = m_mapLoopStores.find(key); opened != m_mapLoopStores.end()) {
        store = opened->second;
        return S_OK;
    }
    const HRESULT hr = m_spLoopSession->OpenMsgStore(0, storeId.Size(), storeId.EntryID(), &IID_IMsgStore,
                                                     MAPI_BEST_ACCESS, &store);
    m_pLog->LogMapiCall("m_spSession->OpenMsgStore", hr, m_spLoopSession.p);
    if (FAILED(hr))
        return hr;
    m_mapLoopStores.emplace(key, store);
    return S_OK;
}
