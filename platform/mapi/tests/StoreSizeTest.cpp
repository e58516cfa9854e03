// A store file holds each value once: its size stays near the size of what
// it holds, also for a file written when every value was indexed as well;
// store and address book files of that kind open without the index. Long
// values stay out of the keys searched, so that finding one property never
// reads the pictures of other messages, also in files written when they
// were part of the key.

#include "MapiTestSupport.h"

#include "com/Stream.h"

#include <sqlite3.h>

namespace {

constexpr int kMessages = 40;
constexpr std::size_t kAttachmentSize = 512 * 1024;  // 20 MB in all
constexpr double kContentSize = static_cast<double>(kMessages * kAttachmentSize);

// Bytes that no page layout can shrink, different for each message.
std::string AttachmentData(int message)
{
    std::string data(kAttachmentSize, '\0');
    std::uint32_t state = 2463534242u + static_cast<std::uint32_t>(message);
    for (char& byte : data) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<char>(state);
    }
    return data;
}

void AddAttachment(IMessage* message, const std::string& data)
{
    ULONG num = 0;
    CComPtr<IAttachment> attach;
    ASSERT_EQ(S_OK, message->CreateAttach(&IID_IAttachment, 0, &num, &attach));
    CMapiTest::SetString(attach, PR_ATTACH_LONG_FILENAME_A, "data.bin");
    CComPtr<IUnknown> unknown;
    ASSERT_EQ(S_OK, attach->OpenProperty(PR_ATTACH_DATA_BIN, &IID_IStream, 0, MAPI_CREATE | MAPI_MODIFY, &unknown));
    CComQIPtr<IStream> stream(unknown.p);
    ULONG written = 0;
    ASSERT_EQ(S_OK, stream->Write(data.data(), static_cast<ULONG>(data.size()), &written));
    ASSERT_EQ(S_OK, stream->Commit(STGC_DEFAULT));
    ASSERT_EQ(S_OK, attach->SaveChanges(KEEP_OPEN_READWRITE));
}

std::string ReadAttachment(IMessage* message)
{
    CComPtr<IAttachment> attach;
    EXPECT_EQ(S_OK, message->OpenAttach(0, &IID_IAttachment, 0, &attach));
    if (!attach) return {};
    LPSPropValue value = nullptr;
    EXPECT_EQ(S_OK, HrGetOneProp(attach, PR_ATTACH_DATA_BIN, &value));
    std::string data = value ? CMapiTest::Bytes(value->Value.bin) : std::string();
    MAPIFreeBuffer(value);
    return data;
}

// The file with what its write-ahead log still holds.
double StoreSize(const std::string& path)
{
    std::error_code none;
    auto size = [&](const std::string& file) {
        auto bytes = std::filesystem::file_size(file, none);
        return none ? 0.0 : static_cast<double>(bytes);
    };
    return size(path) + size(path + "-wal");
}

// Runs one statement on the file, as another program would.
void Execute(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
    char* error = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error)) << sql << ": " << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

int IndexCount(const std::string& path, const std::string& name)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* stmt = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
    EXPECT_EQ(SQLITE_OK, sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name = ?",
                                            -1, &stmt, nullptr));
    sqlite3_bind_text(stmt, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    int count = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : -1;
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return count;
}

// The table of properties as earlier versions kept it: each value inside the
// key of its row.
const char* const kValuesInTheKey =
    "CREATE TABLE keyed(obj INTEGER NOT NULL, id INTEGER NOT NULL, type INTEGER NOT NULL, value,"
    " PRIMARY KEY(obj, id)) WITHOUT ROWID;"
    "INSERT INTO keyed SELECT obj, id, type, value FROM props; DROP TABLE props;"
    "ALTER TABLE keyed RENAME TO props";

int TablesWithValuesInTheKey(const std::string& path)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* stmt = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
    EXPECT_EQ(SQLITE_OK, sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM sqlite_master WHERE name = 'props'"
                                                " AND sql LIKE '%WITHOUT ROWID%'", -1, &stmt, nullptr));
    int count = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : -1;
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return count;
}

// The largest block the database library has asked for since the last call.
sqlite3_int64 LargestAllocationSinceLastAsked()
{
    sqlite3_int64 current = 0;
    sqlite3_int64 largest = 0;
    sqlite3_status64(SQLITE_STATUS_MALLOC_SIZE, &current, &largest, 1);
    return largest;
}

}  // namespace

class CStoreSizeTest : public CMapiTest {
protected:
    std::string StorePath() const { return m_dir + "/main.store"; }

    void FillInbox()
    {
        CComPtr<IMAPIFolder> inbox = Inbox(m_store);
        for (int i = 0; i < kMessages; ++i) {
            CComPtr<IMessage> message;
            ASSERT_EQ(S_OK, inbox->CreateMessage(nullptr, 0, &message));
            SetString(message, PR_SUBJECT_A, "Attachment " + std::to_string(i));
            AddAttachment(message, AttachmentData(i));
            ASSERT_EQ(S_OK, message->SaveChanges(0));
        }
    }

    // Closes the store file, so that its log is folded into it.
    void CloseStore()
    {
        HrDispatchNotifications(0);
        m_store.Release();
        m_session.Release();
    }

    void OpenStoreAgain()
    {
        ASSERT_EQ(S_OK, MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &m_session));
        m_store = OpenStore(m_storeId);
        ASSERT_TRUE(m_store);
    }

    void ExpectInTheBook(const std::string& entryId, const std::string& name)
    {
        CComPtr<IAddrBook> book;
        ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &book));
        ULONG type = 0;
        CComPtr<IUnknown> object;
        ASSERT_EQ(S_OK, book->OpenEntry(static_cast<ULONG>(entryId.size()), Eid(entryId), nullptr, 0, &type, &object));
        EXPECT_EQ(name, GetString(CComQIPtr<IMailUser>(object.p), PR_DISPLAY_NAME_A));
    }

    void ExpectAttachmentsReadBack()
    {
        CComPtr<IMAPIFolder> inbox = Inbox(m_store);
        CComPtr<IMAPITable> table;
        ASSERT_EQ(S_OK, inbox->GetContentsTable(0, &table));
        SizedSPropTagArray(2, columns) = {2, {PR_ENTRYID, PR_SUBJECT_A}};
        SizedSSortOrderSet(1, order) = {1, 0, 0, {{PR_SUBJECT_A, TABLE_SORT_DESCEND}}};
        SPropValue wanted{};
        wanted.ulPropTag = PR_SUBJECT_A;
        wanted.Value.lpszA = const_cast<char*>("Attachment 7");
        SRestriction restriction{};
        restriction.rt = RES_PROPERTY;
        restriction.res.resProperty = {RELOP_GE, PR_SUBJECT_A, &wanted};
        LPSRowSet rows = nullptr;
        ASSERT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), &restriction,
                                       reinterpret_cast<LPSSortOrderSet>(&order), 0, &rows));
        // "Attachment 7", "8", "9" and nothing of 10-39, which sort before 7.
        ASSERT_EQ(3u, rows->cRows);
        EXPECT_EQ("Attachment 9", std::string(rows->aRow[0].lpProps[1].Value.lpszA));
        EXPECT_EQ("Attachment 7", std::string(rows->aRow[2].lpProps[1].Value.lpszA));
        std::string eid = Bytes(rows->aRow[2].lpProps[0].Value.bin);
        FreeProws(rows);
        ULONG type = 0;
        CComPtr<IUnknown> object;
        ASSERT_EQ(S_OK, m_store->OpenEntry(static_cast<ULONG>(eid.size()), Eid(eid), nullptr, 0, &type, &object));
        CComQIPtr<IMessage> message(object.p);
        EXPECT_TRUE(ReadAttachment(message) == AttachmentData(7));
    }
};

TEST_F(CStoreSizeTest, AttachmentsAreKeptOnceInTheStoreFile)
{
    FillInbox();
    CloseStore();
    EXPECT_LT(StoreSize(StorePath()), 1.1 * kContentSize);
    OpenStoreAgain();
    ExpectAttachmentsReadBack();
}

TEST_F(CStoreSizeTest, StoreWrittenWithTheValueIndexOpensWithoutItAndGivesTheSpaceBack)
{
    FillInbox();
    CloseStore();
    // The index that earlier versions kept on every value, attachments too.
    Execute(StorePath(), "CREATE INDEX props_id ON props(id, value)");
    ASSERT_GT(StoreSize(StorePath()), 1.9 * kContentSize);

    OpenStoreAgain();
    EXPECT_EQ(0, IndexCount(StorePath(), "props_id"));
    ExpectAttachmentsReadBack();
    CloseStore();
    EXPECT_LT(StoreSize(StorePath()), 1.1 * kContentSize);
}

TEST_F(CStoreSizeTest, ListingMessagesBySubjectReadsNoAttachment)
{
    FillInbox();
    LargestAllocationSinceLastAsked();
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, inbox->GetContentsTable(0, &table));
    SizedSPropTagArray(1, columns) = {1, {PR_SUBJECT_A}};
    SizedSSortOrderSet(1, order) = {1, 0, 0, {{PR_SUBJECT_A, TABLE_SORT_ASCEND}}};
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr,
                                   reinterpret_cast<LPSSortOrderSet>(&order), 0, &rows));
    EXPECT_EQ(static_cast<ULONG>(kMessages), rows->cRows);
    FreeProws(rows);
    // Reading an attachment to compare keys takes a block of its size.
    EXPECT_LT(LargestAllocationSinceLastAsked(), static_cast<sqlite3_int64>(kAttachmentSize / 4));
}

TEST_F(CStoreSizeTest, StoreWrittenWithValuesInTheKeyOpensWithEveryValueOutOfIt)
{
    FillInbox();
    CloseStore();
    Execute(StorePath(), kValuesInTheKey);
    ASSERT_EQ(1, TablesWithValuesInTheKey(StorePath()));

    OpenStoreAgain();
    EXPECT_EQ(0, TablesWithValuesInTheKey(StorePath()));
    ExpectAttachmentsReadBack();
    CloseStore();
    // The table's old pages are given back.
    EXPECT_LT(StoreSize(StorePath()), 1.1 * kContentSize);
}

TEST_F(CStoreSizeTest, AddressBookWrittenWithValuesInTheKeyOpensWithEveryEntry)
{
    std::string ann = pollenta::mapi::AddMailUser(Book(), "Ann", "ann@example.com", {});
    Execute(Book(), kValuesInTheKey);
    ASSERT_EQ(1, TablesWithValuesInTheKey(Book()));

    pollenta::mapi::AddMailUser(Book(), "Ben", "ben@example.com", {});
    EXPECT_EQ(0, TablesWithValuesInTheKey(Book()));
    ExpectInTheBook(ann, "Ann");
}

TEST_F(CStoreSizeTest, AddressBookWrittenWithTheValueIndexOpensWithoutIt)
{
    std::string ann = pollenta::mapi::AddMailUser(Book(), "Ann", "ann@example.com", {});
    Execute(Book(), "CREATE INDEX props_id ON props(id, value)");
    ASSERT_EQ(1, IndexCount(Book(), "props_id"));

    pollenta::mapi::AddMailUser(Book(), "Ben", "ben@example.com", {});
    EXPECT_EQ(0, IndexCount(Book(), "props_id"));
    ExpectInTheBook(ann, "Ann");
}
