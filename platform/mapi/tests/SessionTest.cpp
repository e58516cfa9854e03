#include "MapiTestSupport.h"

#include <cstring>

TEST(MapiSessionStart, InitializeTakesItsFlagsAndLogonNeedsIt)
{
    CComPtr<IMAPISession> session;
    EXPECT_EQ(MAPI_E_NOT_INITIALIZED, MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &session));
    MAPIINIT_0 bad = {MAPI_INIT_VERSION, 0x100};
    EXPECT_EQ(MAPI_E_UNKNOWN_FLAGS, MAPIInitialize(&bad));
    MAPIINIT_0 good = {MAPI_INIT_VERSION, 9};
    EXPECT_EQ(S_OK, MAPIInitialize(&good));
    pollenta::testsupport::TempRegistry registry;
    EXPECT_EQ(MAPI_E_LOGON_FAILED, MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &session));
    EXPECT_EQ(MAPI_E_LOGON_FAILED, MAPILogonEx(0, const_cast<char*>("Nobody"), nullptr, MAPI_EXTENDED, &session));
    MAPIUninitialize();
}

TEST_F(CMapiTest, StoresTableNamesTheDefaultStore)
{
    std::string otherId;
    ASSERT_EQ(S_OK, pollenta::mapi::CreateStore("Test", m_dir + "/other.store", "Other", false, &otherId));
    CComPtr<IMAPISession> session;
    ASSERT_EQ(S_OK, MAPILogonEx(0, const_cast<char*>("Test"), nullptr, MAPI_EXTENDED, &session));
    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, session->GetMsgStoresTable(0, &table));
    SizedSPropTagArray(2, columns) = {2, {PR_ENTRYID, PR_DEFAULT_STORE}};
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    ASSERT_EQ(2u, rows->cRows);
    EXPECT_EQ(m_storeId, Bytes(rows->aRow[0].lpProps[0].Value.bin));
    EXPECT_TRUE(rows->aRow[0].lpProps[1].Value.b);
    EXPECT_EQ(otherId, Bytes(rows->aRow[1].lpProps[0].Value.bin));
    EXPECT_FALSE(rows->aRow[1].lpProps[1].Value.b);
    FreeProws(rows);
    // The entry id in the table, PR_ENTRYID and PR_STORE_ENTRYID are the same bytes.
    EXPECT_EQ(m_storeId, EntryIdProp(m_store));
    EXPECT_EQ(m_storeId, EntryIdProp(Inbox(m_store), PR_STORE_ENTRYID));
}

TEST_F(CMapiTest, StoreHasTheStandardFolders)
{
    const std::pair<ULONG, const char*> folders[] = {{PR_IPM_SUBTREE_ENTRYID, "Top of Information Store"},
                                                      {PR_IPM_OUTBOX_ENTRYID, "Outbox"},
                                                      {PR_IPM_WASTEBASKET_ENTRYID, "Deleted Items"},
                                                      {PR_IPM_SENTMAIL_ENTRYID, "Sent Items"},
                                                      {PR_IPM_DRAFTS_ENTRYID, "Drafts"}};
    for (const auto& [tag, name] : folders) {
        CComPtr<IMAPIFolder> folder = SpecialFolder(m_store, tag);
        ASSERT_TRUE(folder);
        EXPECT_EQ(name, GetString(folder, PR_DISPLAY_NAME_A));
    }
    EXPECT_EQ("Inbox", GetString(Inbox(m_store), PR_DISPLAY_NAME_A));
    EXPECT_EQ("Main", GetString(m_store, PR_DISPLAY_NAME_A));
    LPSPropValue value = nullptr;
    EXPECT_EQ(MAPI_E_NOT_FOUND, HrGetOneProp(m_store, PR_IPM_PUBLIC_FOLDERS_ENTRYID, &value));
}

TEST_F(CMapiTest, GlobalProfileSectionNamesTheProfile)
{
    MAPIUID global = pbGlobalProfileSectionGuid;
    CComPtr<IProfSect> section;
    ASSERT_EQ(S_OK, m_session->OpenProfileSection(&global, nullptr, 0, &section));
    EXPECT_EQ("Test", GetString(section, PR_PROFILE_NAME_A));
    MAPIUID other{};
    CComPtr<IProfSect> none;
    EXPECT_EQ(MAPI_E_NOT_FOUND, m_session->OpenProfileSection(&other, nullptr, 0, &none));
}

TEST_F(CMapiTest, StatusTableLeadsToTheSpooler)
{
    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, m_session->GetStatusTable(0, &table));
    SizedSPropTagArray(2, columns) = {2, {PR_RESOURCE_TYPE, PR_ENTRYID}};
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    ASSERT_EQ(1u, rows->cRows);
    EXPECT_EQ(static_cast<LONG>(MAPI_SPOOLER), rows->aRow[0].lpProps[0].Value.l);
    const SBinary& eid = rows->aRow[0].lpProps[1].Value.bin;
    ULONG type = 0;
    CComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, m_session->OpenEntry(eid.cb, reinterpret_cast<LPENTRYID>(eid.lpb), nullptr, MAPI_BEST_ACCESS, &type,
                                         &object));
    FreeProws(rows);
    EXPECT_EQ(MAPI_STATUS, type);
    CComQIPtr<IMAPIStatus> status(object.p);
    ASSERT_TRUE(status);
    EXPECT_EQ(S_OK, status->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
}

TEST_F(CMapiTest, SessionOpensObjectsForChangeOnlyWhenAsked)
{
    std::string eid = SaveMessage(Inbox(m_store), "opened by the session");
    for (ULONG flags : {MAPI_MODIFY, MAPI_BEST_ACCESS, 0u}) {
        ULONG type = 0;
        CComPtr<IUnknown> object;
        ASSERT_EQ(S_OK, m_session->OpenEntry(static_cast<ULONG>(eid.size()), Eid(eid), &IID_IMessage, flags, &type, &object));
        EXPECT_EQ(MAPI_MESSAGE, type);
        CComQIPtr<IMessage> message(object.p);
        SPropValue subject{};
        subject.ulPropTag = PR_SUBJECT_A;
        subject.Value.lpszA = const_cast<char*>("changed");
        EXPECT_EQ(flags ? S_OK : MAPI_E_NO_ACCESS, message->SetProps(1, &subject, nullptr)) << flags;
        EXPECT_EQ(flags ? S_OK : MAPI_E_NO_ACCESS, message->SaveChanges(KEEP_OPEN_READWRITE)) << flags;
    }
}
