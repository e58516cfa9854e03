#include "MapiTestSupport.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct Heard {
    ULONG type;
    std::string entryId;
    std::string parentId;
};

struct Recorder {
    std::mutex mutex;
    std::vector<Heard> heard;

    static ULONG OnNotify(LPVOID context, ULONG count, LPNOTIFICATION notifications)
    {
        auto* self = static_cast<Recorder*>(context);
        std::lock_guard lock(self->mutex);
        for (ULONG i = 0; i < count; ++i) {
            const NOTIFICATION& n = notifications[i];
            if (n.ulEventType == fnevNewMail)
                self->heard.push_back({n.ulEventType,
                                       std::string(reinterpret_cast<const char*>(n.info.newmail.lpEntryID), n.info.newmail.cbEntryID),
                                       std::string(reinterpret_cast<const char*>(n.info.newmail.lpParentID), n.info.newmail.cbParentID)});
            else
                self->heard.push_back({n.ulEventType,
                                       std::string(reinterpret_cast<const char*>(n.info.obj.lpEntryID), n.info.obj.cbEntryID),
                                       std::string(reinterpret_cast<const char*>(n.info.obj.lpParentID), n.info.obj.cbParentID)});
        }
        return 0;
    }

    std::vector<ULONG> Types()
    {
        std::lock_guard lock(mutex);
        std::vector<ULONG> types;
        for (const Heard& h : heard) types.push_back(h.type);
        return types;
    }
};

const std::vector<BYTE> kMail = [] {
    std::string text = "From: a@example.com\r\nTo: b@example.com\r\nSubject: New\r\n\r\nHello\r\n";
    return std::vector<BYTE>(text.begin(), text.end());
}();

constexpr ULONG kMask = fnevNewMail | fnevObjectCreated | fnevObjectMoved | fnevObjectCopied;

}  // namespace

TEST_F(CMapiTest, EachEventReachesEverySinkOfItsStore)
{
    CComPtr<IMsgStore> other = OtherStore();
    ASSERT_TRUE(other);
    IMsgStore* stores[2] = {m_store, other};
    Recorder recorders[4];
    ULONG_PTR connections[4] = {};
    for (int i = 0; i < 4; ++i) {
        CComPtr<IMAPIAdviseSink> sink;
        ASSERT_EQ(S_OK, HrAllocAdviseSink(&Recorder::OnNotify, &recorders[i], &sink));
        ASSERT_EQ(S_OK, stores[i / 2]->Advise(0, nullptr, kMask, sink, &connections[i]));
    }

    // In each store: new mail (which also creates a message), a move and a copy.
    std::string delivered[2];
    std::string deletedIds[2];
    std::string sentIds[2];
    for (int s = 0; s < 2; ++s) {
        ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(stores[s], nullptr, kMail, &delivered[s]));
        CComPtr<IMAPIFolder> inbox = Inbox(stores[s]);
        CComPtr<IMAPIFolder> deleted = SpecialFolder(stores[s], PR_IPM_WASTEBASKET_ENTRYID);
        CComPtr<IMAPIFolder> sent = SpecialFolder(stores[s], PR_IPM_SENTMAIL_ENTRYID);
        deletedIds[s] = EntryIdProp(deleted);
        sentIds[s] = EntryIdProp(sent);
        SBinary bin = {static_cast<ULONG>(delivered[s].size()), reinterpret_cast<LPBYTE>(delivered[s].data())};
        ENTRYLIST list = {1, &bin};
        ASSERT_EQ(S_OK, inbox->CopyMessages(&list, nullptr, deleted.p, 0, nullptr, MESSAGE_MOVE));
        ASSERT_EQ(S_OK, deleted->CopyMessages(&list, &IID_IMAPIFolder, sent.p, 0, nullptr, 0));
    }
    ASSERT_EQ(S_OK, HrDispatchNotifications(0));

    for (int i = 0; i < 4; ++i) {
        int s = i / 2;
        ASSERT_EQ((std::vector<ULONG>{fnevObjectCreated, fnevNewMail, fnevObjectMoved, fnevObjectCopied}),
                  recorders[i].Types());
        EXPECT_EQ(delivered[s], recorders[i].heard[1].entryId);
        EXPECT_EQ(EntryIdProp(Inbox(stores[s])), recorders[i].heard[1].parentId);
        EXPECT_EQ(deletedIds[s], recorders[i].heard[2].parentId);
        EXPECT_EQ(sentIds[s], recorders[i].heard[3].parentId);
        EXPECT_NE(delivered[s], recorders[i].heard[3].entryId);
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(S_OK, stores[i / 2]->Unadvise(connections[i]));
    EXPECT_EQ(MAPI_E_NOT_FOUND, m_store->Unadvise(connections[0]));

    // Nothing reaches a sink once it is unadvised.
    ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, nullptr, kMail, nullptr));
    HrDispatchNotifications(0);
    EXPECT_EQ(4u, recorders[0].Types().size());
}

namespace {

struct SlowSink : IMAPIAdviseSink {
    std::atomic<ULONG> refs{1};
    std::atomic<int>* calls;
    explicit SlowSink(std::atomic<int>* counter) : calls(counter) {}
    virtual ~SlowSink() = default;
    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        if (iid != IID_IUnknown && iid != IID_IMAPIAdviseSink) return E_NOINTERFACE;
        *out = this;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override
    {
        ULONG left = --refs;
        if (!left) delete this;
        return left;
    }
    ULONG OnNotify(ULONG, LPNOTIFICATION) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        ++*calls;
        return 0;
    }
};

}  // namespace

TEST_F(CMapiTest, SinkReleasedWhileNotificationsAreInFlightIsSafe)
{
    std::atomic<int> calls{0};
    auto* sink = new SlowSink(&calls);
    ULONG_PTR connection = 0;
    ASSERT_EQ(S_OK, m_store->Advise(0, nullptr, fnevNewMail, sink, &connection));
    for (int i = 0; i < 10; ++i) ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, nullptr, kMail, nullptr));
    while (calls.load() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    // The caller lets go of its reference while a call is under way.
    sink->Release();
    ASSERT_EQ(S_OK, m_store->Unadvise(connection));
    int after = calls.load();
    HrDispatchNotifications(0);
    EXPECT_EQ(after, calls.load());
    EXPECT_LT(after, 10);
}

// Events nobody is advised for are dropped when raised: a sink advised
// afterwards never hears of them, only of what happens from then on.
TEST_F(CMapiTest, ASinkHearsOnlyOfEventsRaisedWhileItIsAdvised)
{
    for (int i = 0; i < 20; ++i) ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, nullptr, kMail, nullptr));
    Recorder recorder;
    CComPtr<IMAPIAdviseSink> sink;
    ASSERT_EQ(S_OK, HrAllocAdviseSink(&Recorder::OnNotify, &recorder, &sink));
    ULONG_PTR connection = 0;
    ASSERT_EQ(S_OK, m_store->Advise(0, nullptr, fnevNewMail, sink, &connection));
    ASSERT_EQ(S_OK, HrDispatchNotifications(0));
    EXPECT_TRUE(recorder.Types().empty());
    ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, nullptr, kMail, nullptr));
    ASSERT_EQ(S_OK, HrDispatchNotifications(0));
    EXPECT_EQ(std::vector<ULONG>{fnevNewMail}, recorder.Types());
    EXPECT_EQ(S_OK, m_store->Unadvise(connection));
}
