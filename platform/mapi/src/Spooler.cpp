#include "Spooler.h"

#include "FileTime.h"
#include "MapiError.h"
#include "MessageContent.h"
#include "MimeBridge.h"
#include "Notifier.h"
#include "Profile.h"
#include "SqlTransaction.h"
#include "Delivery.h"
#include "EntryId.h"
#include "mapi/MapiFlags.h"
#include "mapi/Mime.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

namespace pollenta::mapi {

namespace {

std::mutex g_spoolersLock;
std::map<std::string, std::weak_ptr<CSpooler>>& Spoolers()
{
    static std::map<std::string, std::weak_ptr<CSpooler>> spoolers;
    return spoolers;
}

// Written beside its final name and renamed, so that whoever watches the
// folder never sees half a message.
void WriteAtomically(const std::filesystem::path& path, const std::vector<BYTE>& data)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        out.flush();
        if (!out) throw CMapiError(MAPI_E_DISK_ERROR, "Cannot write " + temporary.string());
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) throw CMapiError(MAPI_E_DISK_ERROR, "Cannot write " + path.string() + ": " + error.message());
}

}  // namespace

std::shared_ptr<CSpooler> CSpooler::ForProfile(const CProfile& profile)
{
    std::lock_guard lock(g_spoolersLock);
    if (auto existing = Spoolers()[profile.m_name].lock()) return existing;
    std::shared_ptr<CSpooler> spooler(new CSpooler(profile));
    Spoolers()[profile.m_name] = spooler;
    return spooler;
}

CSpooler::CSpooler(const CProfile& profile)
    : m_profile(profile.m_name), m_outgoing(profile.m_outgoing), m_dropFolder(profile.m_dropFolder)
{
    if (const CProfile::Store* store = profile.DefaultStore()) m_dropStore = store->path;
    m_thread = std::thread([this] { Run(); });
}

CSpooler::~CSpooler()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void CSpooler::AddStore(const std::shared_ptr<CStoreFile>& store)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_stores, [](const std::weak_ptr<CStoreFile>& s) { return s.expired(); });
    for (const auto& known : m_stores)
        if (known.lock() == store) return;
    m_stores.push_back(store);
    m_pending = true;
    m_wake.notify_all();
}

void CSpooler::Wake()
{
    std::lock_guard lock(m_mutex);
    m_pending = true;
    m_wake.notify_all();
}

std::vector<std::shared_ptr<CStoreFile>> CSpooler::Stores()
{
    std::lock_guard lock(m_mutex);
    std::vector<std::shared_ptr<CStoreFile>> stores;
    for (const auto& weak : m_stores)
        if (auto store = weak.lock()) stores.push_back(store);
    return stores;
}

void CSpooler::Run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        // Another process may submit into a shared store or lift the hold,
        // so the queue is also looked at now and then without a wake-up.
        m_wake.wait_for(lock, std::chrono::seconds(1), [&] { return m_stop || m_pending; });
        if (m_stop) return;
        m_pending = false;
        lock.unlock();
        try {
            if (!CProfile::Held(m_profile)) SendQueued();
        } catch (const std::exception&) {
            // The messages stay queued; the next round tries them again.
        }
        try {
            DeliverDropped();
        } catch (const std::exception&) {
            // The files stay where they are; the next round tries again.
        }
        lock.lock();
    }
}

void CSpooler::Flush()
{
    if (!CProfile::FlushHeld(m_profile)) SendQueued();
}

void CSpooler::DeliverDropped()
{
    if (m_dropFolder.empty() || m_dropStore.empty() || !std::filesystem::is_directory(m_dropFolder)) return;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(m_dropFolder))
        if (entry.is_regular_file() && entry.path().extension() == ".eml") files.push_back(entry.path());
    if (files.empty()) return;
    std::sort(files.begin(), files.end());
    std::shared_ptr<CStoreFile> store = CStoreFile::Open(m_dropStore);
    LONGLONG inbox = store->SpecialFolder(CStoreFile::Role::Inbox);
    std::exception_ptr first;
    for (const auto& file : files) {
        // One file that cannot be delivered now stays for the next round and
        // does not hold back the files after it.
        try {
            std::ifstream in(file, std::ios::binary);
            std::vector<BYTE> mime((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (!in.eof() && in.fail()) continue;
            CDelivery::Deliver(*store, inbox, mime);
            std::filesystem::remove(file);
        } catch (...) {
            if (!first) first = std::current_exception();
        }
    }
    if (first) std::rethrow_exception(first);
}

void CSpooler::SendQueued()
{
    std::lock_guard sending(m_sending);
    std::exception_ptr first;
    for (const auto& store : Stores()) {
        for (LONGLONG message : store->Queue()) {
            try {
                Send(*store, message);
            } catch (...) {
                if (!first) first = std::current_exception();
            }
        }
    }
    if (first) std::rethrow_exception(first);
}

void CSpooler::Send(CStoreFile& store, LONGLONG message)
{
    std::lock_guard lock(store.Mutex());
    // AbortSubmit may have taken it back meanwhile.
    std::vector<LONGLONG> queued = store.Queue();
    if (std::find(queued.begin(), queued.end(), message) == queued.end()) return;
    ULONG type = 0;
    LONGLONG folder = 0;
    if (!store.ObjectInfo(message, type, folder)) {
        store.Dequeue(message);
        return;
    }
    CMessageContent content = CMessageContent::Load(store, message);
    std::vector<BYTE> mime = ComposeMime(CMimeBridge::ToMime(content));
    std::filesystem::create_directories(m_outgoing);
    char name[96];
    std::snprintf(name, sizeof name, "%lld-%02x%02x%02x%02x-%lld.eml", static_cast<long long>(NowFileTime()),
                  store.Uid().ab[0], store.Uid().ab[1], store.Uid().ab[2], store.Uid().ab[3],
                  static_cast<long long>(message));
    WriteAtomically(std::filesystem::path(m_outgoing) / name, mime);

    CSqlTransaction transaction(store.Db());
    store.Dequeue(message);
    CPropValue deleteAfter;
    bool remove = store.LoadProp(message, PROP_ID(PR_DELETE_AFTER_SUBMIT), deleteAfter) && deleteAfter.Int();
    LONGLONG sent = store.SpecialFolder(CStoreFile::Role::SentItems);
    if (remove) {
        store.DeleteTree(message);
    } else {
        CPropValue flags;
        LONG value = store.LoadProp(message, PROP_ID(PR_MESSAGE_FLAGS), flags) ? static_cast<LONG>(flags.Int()) : 0;
        store.SetProp(message, CPropValue::Long(PR_MESSAGE_FLAGS, (value & ~(MSGFLAG_SUBMIT | MSGFLAG_UNSENT)) | MSGFLAG_READ));
        store.SetProp(message, CPropValue::Time(PR_MESSAGE_DELIVERY_TIME, NowFileTime()));
        store.Move(message, sent);
    }
    transaction.Commit();
    if (remove) return;
    CEvent event;
    event.type = fnevObjectMoved;
    event.objType = MAPI_MESSAGE;
    event.entryId = CEntryId::ForObject(store.Uid(), MAPI_MESSAGE, message);
    event.parentId = CEntryId::ForObject(store.Uid(), MAPI_FOLDER, sent);
    event.oldId = event.entryId;
    event.oldParentId = CEntryId::ForObject(store.Uid(), MAPI_FOLDER, folder);
    CNotifier::Instance().Raise(store.Uid(), event);
}

}  // namespace pollenta::mapi
