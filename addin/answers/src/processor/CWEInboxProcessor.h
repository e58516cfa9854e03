#pragma once
// The background machinery of answer collection: store notifications and a
// scan pass find messages in the watched folders, two queues hand their
// entry ids to one processor thread, which processes them one at a time.
// Start, stop, pause and resume come from the add-in's UI thread.
//
//     CWEInboxProcessor processor;
//     processor.Start(snapshot, log, session);   // threads running, stores advised
//     processor.Pause();                          // between two messages
//     processor.Resume(newSnapshot);              // a new scan pass
//     processor.Stop();                           // no thread left, no sink advised
//
// Each worker thread has its own COM apartment and MAPI session; only
// entry ids cross between threads. The settings are read from an
// immutable snapshot, so the options page can publish a new one at any
// time.

#include "message/CWEProjectPropsCache.h"
#include "processor/CWEMessageQueue.h"
#include "processor/CWEProcessorEvents.h"
#include "processor/CWEWatchSnapshot.h"

#include "log/CWELog.h"

#include "IHubberly.h"

#include "com/ComPtr.h"
#include "mapi/IMAPIAdviseSink.h"
#include "mapi/IMAPISession.h"
#include "mapi/IMsgStore.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CWEScanSink;

class CWEInboxProcessor {
public:
    CWEInboxProcessor();
    ~CWEInboxProcessor();
    CWEInboxProcessor(const CWEInboxProcessor&) = delete;
    CWEInboxProcessor& operator=(const CWEInboxProcessor&) = delete;

    // Starts the processor thread (unless one runs), advises every store of
    // the add-in's session (again, without doubling, on a second call) and
    // starts a scan pass unless one is still recorded. E_FAIL, with no
    // thread left running and no store advised, when the processor thread
    // cannot set up its session or create the project library object.
    HRESULT Start(std::shared_ptr<const CWEWatchSnapshot> settings, CWELog& log, IMAPISession* session);
    // Why the last Start failed, in words for the log.
    const std::string& StartFailure() const { return m_strStartFailure; }
    // Unadvises and releases the stores, ends the scan (promptly, also in
    // the middle of a folder) and the processor thread (after the message
    // in hand), and empties both queues.
    HRESULT Stop();
    // The processor stops between two messages; S_OK once it says so,
    // S_FALSE when no processor thread is there to pause; after `timeoutMs`
    // HRESULT_FROM_WIN32(WAIT_TIMEOUT), and the processor goes on unpaused.
    HRESULT Pause(DWORD timeoutMs = INFINITE);
    // Publishes the new settings, ends the old scan pass, starts a new one
    // and lets the processor go on with what is queued.
    HRESULT Resume(std::shared_ptr<const CWEWatchSnapshot> settings);

    HRESULT StartScanThread();
    HRESULT StopScanThread();
    void SignalProcessorEvent(int index) const { m_events.Set(index); }

    // Messages reported by store notifications and not yet taken.
    std::size_t PendingNotifications() { return m_NotifyQueue.Size(); }

    std::shared_ptr<const CWEWatchSnapshot> GetSettings() const;
    void PublishSettings(std::shared_ptr<const CWEWatchSnapshot> settings);

    // The detectors' side (notification thread, scan thread).
    static ULONG OnStoreNotify(LPVOID context, ULONG count, LPNOTIFICATION notifications);
    HRESULT QueueNewMessage(IMsgStore* store, const CZrEntryID& messageId, const CZrEntryID& parentId);
    bool IsWatchedParent(IMsgStore* store, const CZrEntryID& parentId, const CWEWatchSnapshot& settings);
    void PushScanItem(const CWEMessageQueueItem& item);
    bool IsStopRequested(CWEScanSink& sink);
    CWELog* Log() const { return m_pLog; }

private:
    // The sink's context: the processor that advised and the store, both
    // alive until the sink is unadvised.
    struct Advice {
        CWEInboxProcessor* processor = nullptr;
        CComPtr<IMsgStore> store;
        CComPtr<IMAPIAdviseSink> sink;
        ULONG_PTR connection = 0;
    };

    HRESULT StartProcessorThread();
    void StopProcessorThread();
    HRESULT AdviseStores();
    HRESULT AdviseStore(const SBinary& storeId);
    void UnadviseStores();

    void MsgScanThread();
    void MsgProcessorThread();
    HRESULT ProcessorLoop(IMAPISession* session);
    HRESULT DrainQueues();
    bool DrainQueue(CWEMessageQueue& queue, CWEMessageQueue* later);
    HRESULT ProcessQueued(const CWEMessageQueueItem& item);
    HRESULT OpenLoopStore(const CZrEntryID& storeId, CComPtr<IMsgStore>& store);

    HRESULT ScanFolders(IMAPISession* session, CWEScanSink& sink);
    HRESULT ScanFolder(IMAPISession* session, const CWEWatchedFolder& folder, CWEScanSink& sink,
                       const CWEWatchSnapshot& settings);
    HRESULT QueryUnprocessed(IMAPISession* session, const CWEWatchedFolder& folder, CWEScanSink& sink,
                             const CWEWatchSnapshot& settings);

    std::vector<std::unique_ptr<Advice>> m_arrAdvised;
    CWEMessageQueue m_NotifyQueue;
    CWEMessageQueue m_ScanQueue;
    // Joined, never detached: once Stop returns, no thread of the answer
    // collection is left in the process.
    std::thread m_ScanThread;
    std::thread m_ProcessorThread;

    CWEProcessorEvents m_events;
    CWELog* m_pLog = nullptr;
    CComPtr<IMAPISession> m_spSession;
    std::string m_strProfile;
    mutable std::mutex m_settingsLock;
    std::shared_ptr<const CWEWatchSnapshot> m_spSettings;

    // Processor loop state, touched only by the processor thread.
    CComPtr<IMAPISession> m_spLoopSession;
    CComPtr<IHubberly> m_spHubberly;
    // The stores the loop opened, by entry id bytes: every answer of a
    // batch lies in the same few stores.
    std::map<std::string, CComPtr<IMsgStore>> m_mapLoopStores;
    CWEProjectPropsCache m_propsCache;
    bool m_bRunning = false;
    bool m_bPaused = false;
    bool m_bScanEnded = false;
    // Written by the processor thread before it signals that it started.
    HRESULT m_hrProcessorStart = S_OK;
    std::string m_strStartFailure;
};

// The one processor of the add-in; set by the constructor, cleared by the
// destructor, read by the notification and scan callbacks.
extern CWEInboxProcessor* g_pInboxProcessor;
