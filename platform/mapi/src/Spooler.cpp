#include "Spooler.h"

#include "FileTime.h"
#include "MapiError.h"
#include "MessageContent.h"
#include "MimeBridge.h"
#include "Notifier.h"
#include "Profile.h"
#include "SqlTransaction.h"
#include "Delivery.h"
#include "DropFolder.h"
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

// Messages sent in one transaction of their store.
constexpr std::size_t kBatch = 100;

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
    CDropFolder drop(m_dropFolder);
    drop.ReturnAbandoned();
    std::vector<std::filesystem::path> files = drop.Waiting();
    if (files.empty()) return;
    std::shared_ptr<CStoreFile> store = CStoreFile::Open(m_dropStore);
    LONGLONG inbox = store->SpecialFolder(CStoreFile::Role::Inbox);
    std::exception_ptr first;
    for (const auto& file : files) {
        // Other processes on the profile watch the same folder: the file is
        // delivered by whoever claims it first.
        std::optional<std::filesystem::path> claimed = drop.Claim(file);
        if (!claimed) continue;
        // One file that cannot be delivered now goes back for the next round
        // and does not hold back the files after it.
        try {
            std::ifstream in(*claimed, std::ios::binary);
            std::vector<BYTE> mime((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (!in.eof() && in.fail()) throw CMapiError(MAPI_E_DISK_ERROR, "Cannot read " + file.string());
            CDelivery::Deliver(*store, inbox, mime);
            std::filesystem::remove(*claimed);
        } catch (...) {
            drop.Return(*claimed);
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
        std::vector<LONGLONG> queued = store->Queue();
        for (std::size_t start = 0; start < queued.size(); start += kBatch) {
            try {
                SendBatch(*store, std::span(queued).subspan(start, std::min(kBatch, queued.size() - start)));
            } catch (...) {
                if (!first) first = std::current_exception();
            }
        }
    }
    if (first) std::rethrow_exception(first);
}

// The batch is claimed, written and moved to Sent Items in one transaction
// of the store: a spooler of another process flushing the same queue waits
// for it and then finds these messages gone, and one commit serves the
// whole batch. When the transaction fails, the files it wrote go too, so
// that the messages, still queued, are sent once by the next round.
void CSpooler::SendBatch(CStoreFile& store, std::span<const LONGLONG> messages)
{
    std::lock_guard lock(store.Mutex());
    std::filesystem::create_directories(m_outgoing);
    std::vector<std::filesystem::path> written;
    std::vector<CEvent> moved;
    std::exception_ptr first;
    try {
        CSqlTransaction transaction(store.Db());
        LONGLONG sent = store.SpecialFolder(CStoreFile::Role::SentItems);
        for (LONGLONG message : messages) {
            // AbortSubmit or another process may have taken it meanwhile.
            if (!store.IsQueued(message)) continue;
            ULONG type = 0;
            LONGLONG folder = 0;
            if (!store.ObjectInfo(message, type, folder)) {
                store.Dequeue(message);  // deleted while queued: nothing to send
                continue;
            }
            CMessageContent content = CMessageContent::Load(store, message);
            try {
                written.push_back(Write(store, message, content));
            } catch (...) {
                // This message stays queued; the others go on.
                if (!first) first = std::current_exception();
                continue;
            }
            if (std::optional<CEvent> event = MoveToSent(store, message, content.m_props, folder, sent))
                moved.push_back(*event);
        }
        transaction.Commit();
    } catch (...) {
        std::error_code ignored;
        for (const auto& file : written) std::filesystem::remove(file, ignored);
        throw;
    }
    for (const CEvent& event : moved) CNotifier::Instance().Raise(store.Uid(), event);
    if (first) std::rethrow_exception(first);
}

std::filesystem::path CSpooler::Write(CStoreFile& store, LONGLONG message, const CMessageContent& content)
{
    std::vector<BYTE> mime = ComposeMime(CMimeBridge::ToMime(content));
    char name[96];
    std::snprintf(name, sizeof name, "%lld-%02x%02x%02x%02x-%lld.eml", static_cast<long long>(NowFileTime()),
                  store.Uid().ab[0], store.Uid().ab[1], store.Uid().ab[2], store.Uid().ab[3],
                  static_cast<long long>(message));
    std::filesystem::path path = std::filesystem::path(m_outgoing) / name;
    WriteAtomically(path, mime);
    return path;
}

std::optional<CEvent> CSpooler::MoveToSent(CStoreFile& store, LONGLONG message, const CPropMap& props, LONGLONG folder,
                                           LONGLONG sent)
{
    store.Dequeue(message);
    auto deleteAfter = props.find(PROP_ID(PR_DELETE_AFTER_SUBMIT));
    if (deleteAfter != props.end() && deleteAfter->second.Int()) {
        store.DeleteTree(message);
        return std::nullopt;
    }
    auto flags = props.find(PROP_ID(PR_MESSAGE_FLAGS));
    LONG value = flags != props.end() ? static_cast<LONG>(flags->second.Int()) : 0;
    store.SetProp(message, CPropValue::Long(PR_MESSAGE_FLAGS, (value & ~(MSGFLAG_SUBMIT | MSGFLAG_UNSENT)) | MSGFLAG_READ));
    store.SetProp(message, CPropValue::Time(PR_MESSAGE_DELIVERY_TIME, NowFileTime()));
    store.Move(message, sent);
    CEvent event;
    event.type = fnevObjectMoved;
    event.objType = MAPI_MESSAGE;
    event.entryId = CEntryId::ForObject(store.Uid(), MAPI_MESSAGE, message);
    event.parentId = CEntryId::ForObject(store.Uid(), MAPI_FOLDER, sent);
    event.oldId = event.entryId;
    event.oldParentId = CEntryId::ForObject(store.Uid(), MAPI_FOLDER, folder);
    return event;
}

}  // namespace pollenta::mapi
