// Threads of one process on one store file: what a read sees of a write on
// another thread, and the file's log.

#include "MapiTestSupport.h"

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

CComQIPtr<IMessage> OpenMessage(IMsgStore* store, const std::string& eid)
{
    ULONG type = 0;
    CComPtr<IUnknown> object;
    EXPECT_EQ(S_OK, store->OpenEntry(static_cast<ULONG>(eid.size()), CMapiTest::Eid(eid), &IID_IMessage,
                                     MAPI_BEST_ACCESS, &type, &object));
    return CComQIPtr<IMessage>(object.p);
}

void SetAttachment(IMessage* message, const std::string& data, ULONG& num)
{
    CComPtr<IAttachment> attach;
    ASSERT_EQ(S_OK, message->CreateAttach(nullptr, 0, &num, &attach));
    SPropValue value{};
    value.ulPropTag = PR_ATTACH_DATA_BIN;
    value.Value.bin = {static_cast<ULONG>(data.size()), reinterpret_cast<LPBYTE>(const_cast<char*>(data.data()))};
    ASSERT_EQ(S_OK, HrSetOneProp(attach, &value));
    ASSERT_EQ(S_OK, attach->SaveChanges(0));
}

// Every attachment's data, one after another.
std::string AttachmentText(IMessage* message)
{
    CComPtr<IMAPITable> table;
    EXPECT_EQ(S_OK, message->GetAttachmentTable(0, &table));
    SizedSPropTagArray(1, columns) = {1, {PR_ATTACH_NUM}};
    LPSRowSet rows = nullptr;
    EXPECT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    std::string text;
    for (ULONG i = 0; rows && i < rows->cRows; ++i) {
        CComPtr<IAttachment> attach;
        EXPECT_EQ(S_OK, message->OpenAttach(static_cast<ULONG>(rows->aRow[i].lpProps[0].Value.l), nullptr, 0, &attach));
        LPSPropValue data = nullptr;
        if (SUCCEEDED(HrGetOneProp(attach, PR_ATTACH_DATA_BIN, &data)))
            text += CMapiTest::Bytes(data->Value.bin);
        MAPIFreeBuffer(data);
    }
    FreeProws(rows);
    return text;
}

long long FileSize(const std::string& path)
{
    std::error_code error;
    auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<long long>(size);
}

}  // namespace

class CStoreThreadsTest : public CMapiTest {
protected:
    std::string StorePath() const { return m_dir + "/main.store"; }
};

TEST_F(CStoreThreadsTest, MessageSavedOnOneThreadIsSeenWholeByOpensOnAnother)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    std::string eid = SaveMessage(inbox, "version 0");
    CComPtr<IMsgStore> readerStore = OpenStore(m_storeId);
    constexpr int kVersions = 150;
    std::atomic<int> saved{0};
    std::atomic<bool> done{false};
    int torn = 0;
    int stale = 0;
    std::thread reader([&] {
        while (!done) {
            int before = saved;
            CComQIPtr<IMessage> message = OpenMessage(readerStore, eid);
            std::string subject = GetString(message, PR_SUBJECT_A);
            std::string attachments = AttachmentText(message);
            int version = std::atoi(subject.c_str() + 8);
            // Subject and attachment are saved together: an open sees both
            // or neither, and never less than was saved before it began.
            if (version && attachments != subject) ++torn;
            if (version < before) ++stale;
        }
    });
    CComQIPtr<IMessage> writer = OpenMessage(m_store, eid);
    ULONG num = 0;
    for (int i = 1; i <= kVersions; ++i) {
        std::string text = "version " + std::to_string(i);
        if (i > 1) {
            ASSERT_EQ(S_OK, writer->DeleteAttach(num, 0, nullptr, 0));
        }
        SetString(writer, PR_SUBJECT_A, text);
        SetAttachment(writer, text, num);
        ASSERT_EQ(S_OK, writer->SaveChanges(KEEP_OPEN_READWRITE));
        saved = i;
    }
    done = true;
    reader.join();
    EXPECT_EQ(0, torn);
    EXPECT_EQ(0, stale);
    EXPECT_EQ("version " + std::to_string(kVersions), AttachmentText(OpenMessage(readerStore, eid)));
}

TEST_F(CStoreThreadsTest, MessagesOpenedWhileAnotherThreadDeliversAreWhole)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    CComPtr<IMsgStore> readerStore = OpenStore(m_storeId);
    constexpr int kMessages = 120;
    std::vector<std::string> ids(kMessages);
    std::atomic<int> delivered{0};
    std::thread deliverer([&] {
        for (int i = 0; i < kMessages; ++i) {
            std::string body = "Body " + std::to_string(i);
            std::string mime = "From: Ann <ann@example.com>\r\nTo: Bob <bob@example.com>, Cid <cid@example.com>\r\n"
                               "Subject: Delivered " + std::to_string(i) +
                               "\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n\r\n"
                               "--b\r\nContent-Type: text/plain\r\n\r\n" + body +
                               "\r\n--b\r\nContent-Type: application/octet-stream\r\nContent-Disposition: attachment;"
                               " filename=\"a.bin\"\r\n\r\n" + body + "\r\n--b--\r\n";
            EXPECT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, inbox, std::vector<BYTE>(mime.begin(), mime.end()),
                                                        &ids[i]));
            delivered = i + 1;
        }
    });
    int checked = 0;
    while (checked < kMessages) {
        if (checked >= delivered) {
            std::this_thread::yield();
            continue;
        }
        SCOPED_TRACE("message " + std::to_string(checked));
        CComQIPtr<IMessage> message = OpenMessage(readerStore, ids[checked]);
        ASSERT_TRUE(message);
        EXPECT_EQ("Delivered " + std::to_string(checked), GetString(message, PR_SUBJECT_A));
        CComPtr<IMAPITable> recipients;
        ASSERT_EQ(S_OK, message->GetRecipientTable(0, &recipients));
        ULONG count = 0;
        ASSERT_EQ(S_OK, recipients->GetRowCount(0, &count));
        EXPECT_EQ(2u, count);
        EXPECT_NE(std::string::npos, AttachmentText(message).find("Body " + std::to_string(checked)));
        ++checked;
    }
    deliverer.join();
}

TEST_F(CStoreThreadsTest, LogIsFoldedIntoTheFileAsWritesGoOn)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    const std::string data(64 * 1024, 'x');
    long long largest = 0;
    // About 25 MB written, six times what the log holds before it is
    // folded in.
    for (int i = 0; i < 400; ++i) {
        CComPtr<IMessage> message;
        ASSERT_EQ(S_OK, inbox->CreateMessage(nullptr, 0, &message));
        SetString(message, PR_SUBJECT_A, "Log " + std::to_string(i));
        ULONG num = 0;
        SetAttachment(message, data, num);
        ASSERT_EQ(S_OK, message->SaveChanges(0));
        largest = std::max(largest, FileSize(StorePath() + "-wal"));
    }
    EXPECT_LT(largest, 12LL * 1024 * 1024);
    EXPECT_GT(FileSize(StorePath()), 20LL * 1024 * 1024);
}

TEST_F(CStoreThreadsTest, ReadsGoOnAfterTheSchemaChangesUnderThemAndAfterReopening)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    std::string eid = SaveMessage(inbox, "kept");
    auto readOnAnotherThread = [&] {
        std::string subject;
        std::thread([&] { subject = GetString(OpenMessage(m_store, eid), PR_SUBJECT_A); }).join();
        return subject;
    };
    ASSERT_EQ("kept", readOnAnotherThread());
    // Another program changes the schema the kept statements were made for.
    sqlite3* other = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(StorePath().c_str(), &other));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(other, "CREATE INDEX extra ON objects(type)", nullptr, nullptr, nullptr));
    EXPECT_EQ("kept", readOnAnotherThread());
    EXPECT_EQ("kept", GetString(OpenMessage(m_store, eid), PR_SUBJECT_A));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(other, "DROP INDEX extra", nullptr, nullptr, nullptr));
    sqlite3_close(other);
    EXPECT_EQ("kept", readOnAnotherThread());

    HrDispatchNotifications(0);
    m_store.Release();
    m_session.Release();
    ASSERT_EQ(S_OK, MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &m_session));
    m_store = OpenStore(m_storeId);
    EXPECT_EQ("kept", readOnAnotherThread());
    EXPECT_EQ("kept", GetString(OpenMessage(m_store, eid), PR_SUBJECT_A));
}
