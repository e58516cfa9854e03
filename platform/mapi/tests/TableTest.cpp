#include "MapiTestSupport.h"

#include <sqlite3.h>

#include <cstring>

#include <fstream>

namespace {

constexpr GUID kMarkSet = {0x1D3F0A21, 0x6C2B, 0x4E0A, {0x9F, 0x1E, 0x52, 0x33, 0x7A, 0x10, 0x44, 0x0B}};
constexpr ULONGLONG kBase = 133000000000000000ULL;

ULONG MarkTag(IMAPIProp* object)
{
    MAPINAMEID name{const_cast<GUID*>(&kMarkSet), MNID_ID, {0x8001}};
    LPMAPINAMEID names[] = {&name};
    LPSPropTagArray tags = nullptr;
    EXPECT_EQ(S_OK, object->GetIDsFromNames(1, names, MAPI_CREATE, &tags));
    ULONG tag = CHANGE_PROP_TYPE(tags->aulPropTag[0], PT_LONG);
    MAPIFreeBuffer(tags);
    return tag;
}

// NOT(EXIST(mark)), sorted by delivery time.
void RestrictToUnmarked(IMAPITable* table, ULONG mark)
{
    SRestriction exist{};
    exist.rt = RES_EXIST;
    exist.res.resExist.ulPropTag = mark;
    SRestriction notExist{};
    notExist.rt = RES_NOT;
    notExist.res.resNot.lpRes = &exist;
    ASSERT_EQ(S_OK, table->Restrict(&notExist, 0));
    SizedSSortOrderSet(1, order) = {1, 0, 0, {{PR_MESSAGE_DELIVERY_TIME, TABLE_SORT_ASCEND}}};
    ASSERT_EQ(S_OK, table->SortTable(reinterpret_cast<LPSSortOrderSet>(&order), 0));
}

long PeakKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

}  // namespace

TEST_F(CMapiTest, UnmarkedMessagesComeSortedByDeliveryTime)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    ULONG mark = MarkTag(m_store);
    const int order[] = {4, 1, 5, 0, 3, 2};
    for (int i : order) {
        CComPtr<IMessage> message;
        ASSERT_EQ(S_OK, inbox->CreateMessage(nullptr, 0, &message));
        SetString(message, PR_SUBJECT_A, "m" + std::to_string(i));
        SetTime(message, PR_MESSAGE_DELIVERY_TIME, kBase + static_cast<ULONGLONG>(i) * 10000000ULL);
        if (i == 1 || i == 4) SetLong(message, mark, 1);
        ASSERT_EQ(S_OK, message->SaveChanges(0));
    }
    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, inbox->GetContentsTable(0, &table));
    SizedSPropTagArray(3, columns) = {3, {PR_SUBJECT_A, mark, PR_BODY_A}};
    ASSERT_EQ(S_OK, table->SetColumns(reinterpret_cast<LPSPropTagArray>(&columns), 0));
    RestrictToUnmarked(table, mark);
    ULONG count = 0;
    ASSERT_EQ(S_OK, table->GetRowCount(0, &count));
    EXPECT_EQ(4u, count);

    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, table->QueryRows(3, 0, &rows));
    ASSERT_EQ(3u, rows->cRows);
    EXPECT_STREQ("m0", rows->aRow[0].lpProps[0].Value.lpszA);
    EXPECT_STREQ("m2", rows->aRow[1].lpProps[0].Value.lpszA);
    EXPECT_STREQ("m3", rows->aRow[2].lpProps[0].Value.lpszA);
    // Missing columns are error values.
    EXPECT_EQ(PT_ERROR, PROP_TYPE(rows->aRow[0].lpProps[1].ulPropTag));
    EXPECT_EQ(MAPI_E_NOT_FOUND, rows->aRow[0].lpProps[2].Value.err);
    FreeProws(rows);
    ASSERT_EQ(S_OK, table->QueryRows(10, 0, &rows));
    ASSERT_EQ(1u, rows->cRows);
    EXPECT_STREQ("m5", rows->aRow[0].lpProps[0].Value.lpszA);
    FreeProws(rows);
    ASSERT_EQ(S_OK, table->QueryRows(10, 0, &rows));
    EXPECT_EQ(0u, rows->cRows);
    FreeProws(rows);

    LONG sought = 0;
    ASSERT_EQ(S_OK, table->SeekRow(BOOKMARK_BEGINNING, 1, &sought));
    EXPECT_EQ(1, sought);
    ASSERT_EQ(S_OK, table->QueryRows(1, 0, &rows));
    EXPECT_STREQ("m2", rows->aRow[0].lpProps[0].Value.lpszA);
    FreeProws(rows);

    ASSERT_EQ(S_OK, table->Restrict(nullptr, 0));
    ASSERT_EQ(S_OK, table->GetRowCount(0, &count));
    EXPECT_EQ(6u, count);
}

TEST_F(CMapiTest, PropertyRestrictionsCompareLongsAndBooleans)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    for (int i = 0; i < 4; ++i) {
        CComPtr<IMessage> message;
        ASSERT_EQ(S_OK, inbox->CreateMessage(nullptr, 0, &message));
        SetString(message, PR_SUBJECT_A, "m" + std::to_string(i));
        SetLong(message, PR_FLAG_STATUS, i % 2 ? 2 : 0);
        SPropValue reply{};
        reply.ulPropTag = PR_REPLY_REQUESTED;
        reply.Value.b = i >= 2;
        ASSERT_EQ(S_OK, HrSetOneProp(message, &reply));
        ASSERT_EQ(S_OK, message->SaveChanges(0));
    }
    SPropValue flagged{};
    flagged.ulPropTag = PR_FLAG_STATUS;
    flagged.Value.l = 2;
    SPropValue wanted{};
    wanted.ulPropTag = PR_REPLY_REQUESTED;
    wanted.Value.b = 1;
    SRestriction parts[2] = {};
    parts[0].rt = RES_PROPERTY;
    parts[0].res.resProperty = {RELOP_EQ, PR_FLAG_STATUS, &flagged};
    parts[1].rt = RES_PROPERTY;
    parts[1].res.resProperty = {RELOP_EQ, PR_REPLY_REQUESTED, &wanted};
    SRestriction both{};
    both.rt = RES_AND;
    both.res.resAnd = {2, parts};

    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, inbox->GetContentsTable(0, &table));
    SizedSPropTagArray(1, columns) = {1, {PR_SUBJECT_A}};
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), &both, nullptr, 0, &rows));
    ASSERT_EQ(1u, rows->cRows);
    EXPECT_STREQ("m3", rows->aRow[0].lpProps[0].Value.lpszA);
    FreeProws(rows);

    SRestriction unknown{};
    unknown.rt = 0x55;
    EXPECT_EQ(MAPI_E_TOO_COMPLEX, table->Restrict(&unknown, 0));
}

TEST_F(CMapiTest, LargeFolderIsRestrictedAndSortedWithoutLoadingItWhole)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    ULONG mark = MarkTag(m_store);
    std::string inboxId = EntryIdProp(inbox);
    long long folder = 0;
    std::memcpy(&folder, inboxId.data() + inboxId.size() - 8, 8);

    // 100,000 messages with a 2 KB body each, written in one go; every
    // third carries the mark.
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open((m_dir + "/main.store").c_str(), &db));
    std::string f = std::to_string(folder);
    std::string sql =
        "BEGIN;"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000)"
        " INSERT INTO objects(type, parent) SELECT 5, " + f + " FROM n;"
        "INSERT INTO props SELECT id, 55, 30, 'Message ' || id FROM objects WHERE parent = " + f + ";"
        "INSERT INTO props SELECT id, 3590, 64, " + std::to_string(kBase) +
        " + ((id * 7919) % 100003) * 10000000 FROM objects WHERE parent = " + f + ";"
        "INSERT INTO props SELECT id, 4096, 30, printf('%.*c', 2000, 'x') FROM objects WHERE parent = " + f + ";"
        "INSERT INTO props SELECT id, " + std::to_string(PROP_ID(mark)) + ", 3, 1 FROM objects WHERE parent = " + f +
        " AND id % 3 = 0;"
        "COMMIT;";
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr)) << sqlite3_errmsg(db);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, ("SELECT COUNT(*) FROM objects WHERE parent = " + f + " AND id % 3 <> 0").c_str(), -1, &stmt,
                       nullptr);
    ASSERT_EQ(SQLITE_ROW, sqlite3_step(stmt));
    ULONG unmarked = static_cast<ULONG>(sqlite3_column_int64(stmt, 0));
    sqlite3_finalize(stmt);
    sqlite3_close(db);

    std::ofstream("/proc/self/clear_refs") << "5";
    long before = PeakKilobytes();
    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, inbox->GetContentsTable(0, &table));
    SizedSPropTagArray(3, columns) = {3, {PR_SUBJECT_A, PR_MESSAGE_DELIVERY_TIME, mark}};
    ASSERT_EQ(S_OK, table->SetColumns(reinterpret_cast<LPSPropTagArray>(&columns), 0));
    RestrictToUnmarked(table, mark);
    ULONG count = 0;
    ASSERT_EQ(S_OK, table->GetRowCount(0, &count));
    EXPECT_EQ(unmarked, count);
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, table->QueryRows(50, 0, &rows));
    ASSERT_EQ(50u, rows->cRows);
    ULONGLONG previous = 0;
    for (ULONG i = 0; i < rows->cRows; ++i) {
        const FILETIME& time = rows->aRow[i].lpProps[1].Value.ft;
        ULONGLONG ticks = (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
        EXPECT_LE(previous, ticks);
        previous = ticks;
        EXPECT_EQ(PT_ERROR, PROP_TYPE(rows->aRow[i].lpProps[2].ulPropTag));
    }
    FreeProws(rows);
    LONG sought = 0;
    ASSERT_EQ(S_OK, table->SeekRow(BOOKMARK_END, -10, &sought));
    ASSERT_EQ(S_OK, table->QueryRows(50, 0, &rows));
    EXPECT_EQ(10u, rows->cRows);
    FreeProws(rows);
    long grown = PeakKilobytes() - before;
    // The bodies alone are 200 MB.
    EXPECT_LT(grown, 40 * 1024) << "peak grew by " << grown << " KB";
}

TEST_F(CMapiTest, HierarchyTableListsTheStandardFoldersAndNewOnes)
{
    CComPtr<IMAPIFolder> top = SpecialFolder(m_store, PR_IPM_SUBTREE_ENTRYID);
    CComPtr<IMAPIFolder> created;
    ASSERT_EQ(S_OK, top->CreateFolder(FOLDER_GENERIC, const_cast<char*>("Projects"), nullptr, nullptr, 0, &created));
    CComPtr<IMAPIFolder> again;
    EXPECT_EQ(MAPI_E_COLLISION, top->CreateFolder(FOLDER_GENERIC, const_cast<char*>("Projects"), nullptr, nullptr, 0, &again));
    ASSERT_EQ(S_OK, top->CreateFolder(FOLDER_GENERIC, const_cast<char*>("Projects"), nullptr, nullptr, OPEN_IF_EXISTS, &again));
    EXPECT_EQ(EntryIdProp(created), EntryIdProp(again));

    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, top->GetHierarchyTable(0, &table));
    SizedSPropTagArray(3, columns) = {3, {PR_DISPLAY_NAME_A, PR_SUBFOLDERS, PR_PARENT_ENTRYID}};
    SSortOrderSet byName = {1, 0, 0, {{PR_DISPLAY_NAME_A, TABLE_SORT_ASCEND}}};
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, &byName, 0, &rows));
    std::vector<std::string> names;
    for (ULONG i = 0; i < rows->cRows; ++i) {
        names.emplace_back(rows->aRow[i].lpProps[0].Value.lpszA);
        EXPECT_EQ(EntryIdProp(top), Bytes(rows->aRow[i].lpProps[2].Value.bin));
    }
    FreeProws(rows);
    EXPECT_EQ((std::vector<std::string>{"Deleted Items", "Drafts", "Inbox", "Outbox", "Projects", "Sent Items"}), names);

    LPSPropValue subfolders = nullptr;
    ASSERT_EQ(S_OK, HrGetOneProp(top, PR_SUBFOLDERS, &subfolders));
    EXPECT_TRUE(subfolders->Value.b);
    MAPIFreeBuffer(subfolders);
}
