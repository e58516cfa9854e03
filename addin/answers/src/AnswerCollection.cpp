#include "answers/AnswerCollection.h"

#include "processor/CWEInboxProcessor.h"

#include <memory>

namespace {

constexpr DWORD kLaunching = 0x200022BF;
constexpr DWORD kLaunched = 0x200022C0;
constexpr DWORD kShuttingDown = 0x200022C1;
constexpr DWORD kShutDown = 0x200022C2;
constexpr DWORD kNotCollecting = 0xE00022D9;

// The add-in's one processor, made on first start and kept until the module
// goes, so that the callbacks' global pointer never dangles.
std::unique_ptr<CWEInboxProcessor>& Processor()
{
    static std::unique_ptr<CWEInboxProcessor> processor;
    return processor;
}

CWELog* g_pCollectionLog = nullptr;

std::shared_ptr<const CWEWatchSnapshot> Snapshot(const CWESettings& settings,
                                                 const std::vector<CWEWatchedFolder>& watchedFolders,
                                                 const std::vector<CZrEntryID>& serviceFolderIds)
{
    return std::make_shared<const CWEWatchSnapshot>(settings, watchedFolders, serviceFolderIds);
}

}  // namespace

HRESULT StartAnswerCollection(const CWESettings& settings, const std::vector<CWEWatchedFolder>& watchedFolders,
                              const std::vector<CZrEntryID>& serviceFolderIds, CWELog& log, IMAPISession* session)
{
    if (!Processor())
        Processor() = std::make_unique<CWEInboxProcessor>();
    g_pCollectionLog = &log;
    log.Write(kLaunching);
    const HRESULT hr = Processor()->Start(Snapshot(settings, watchedFolders, serviceFolderIds), log, session);
    if (SUCCEEDED(hr))
        log.Write(kLaunched);
    else
        log.Write(kNotCollecting, {Processor()->StartFailure()});
    return hr;
}

HRESULT StopAnswerCollection(bool logged)
{
    if (!Processor())
        return S_OK;
    if (logged && g_pCollectionLog)
        g_pCollectionLog->Write(kShuttingDown);
    const HRESULT hr = Processor()->Stop();
    if (logged && g_pCollectionLog)
        g_pCollectionLog->Write(kShutDown);
    return hr;
}

HRESULT PauseAnswerCollection(DWORD timeoutMs)
{
    return Processor() ? Processor()->Pause(timeoutMs) : S_FALSE;
}

HRESULT ResumeAnswerCollection(const CWESettings& settings, const std::vector<CWEWatchedFolder>& watchedFolders,
                               const std::vector<CZrEntryID>& serviceFolderIds)
{
    if (!Processor())
        return S_FALSE;
    return Processor()->Resume(Snapshot(settings, watchedFolders, serviceFolderIds));
}
