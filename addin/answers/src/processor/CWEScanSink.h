#pragma once
// The callback of one scan pass: each message found, and whether the pass
// must end. Once a stop is seen the sink stays stopped, so that the walk
// over the remaining folders ends too and not only the current folder.

#include "mapi/IMAPISession.h"
#include "mapi/IMessage.h"
#include "mapi/IMsgStore.h"

class CWEInboxProcessor;
class CWEMessageQueueItem;

class CWEScanSink {
public:
    explicit CWEScanSink(CWEInboxProcessor& processor) : m_processor(processor) {}

    HRESULT OnMessage(IMAPISession* session, IMsgStore* store, IMessage* message);
    bool IsStopRequested();

    bool IsRunning() const { return m_bRunning; }
    void StopRunning() { m_bRunning = false; }

private:
    static HRESULT MakeQueueItem(IMessage* message, CWEMessageQueueItem& item);

    CWEInboxProcessor& m_processor;
    bool m_bRunning = true;
};
