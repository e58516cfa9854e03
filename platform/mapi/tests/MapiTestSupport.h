#pragma once
// A fresh profile per test: its own folder, registry, store and address
// book, logged on.

#include "com/ComPtr.h"
#include "mapi/Mapi.h"
#include "mapi/MapiAdmin.h"
#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

class CMapiTest : public ::testing::Test {
public:
    void SetUp() override
    {
        std::filesystem::create_directories(m_registry.Path());
        MAPIINIT_0 init = {MAPI_INIT_VERSION, 9};
        ASSERT_EQ(S_OK, MAPIInitialize(&init));
        ASSERT_EQ(S_OK, pollenta::mapi::CreateProfile("Test", Book(), Outgoing(), true, Drop()));
        ASSERT_EQ(S_OK, pollenta::mapi::SetProfileIdentity("Test", "Test Sender", "sender@example.org"));
        ASSERT_EQ(S_OK, pollenta::mapi::CreateStore("Test", m_dir + "/main.store", "Main", true, &m_storeId));
        ASSERT_EQ(S_OK, MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &m_session));
        m_store = OpenStore(m_storeId);
        ASSERT_TRUE(m_store);
    }

    void TearDown() override
    {
        HrDispatchNotifications(0);
        m_store.Release();
        m_otherSession.Release();
        m_session.Release();
        MAPIUninitialize();
    }

    std::string Book() const { return m_dir + "/book.db"; }
    std::string Outgoing() const { return m_dir + "/outgoing"; }
    std::string Drop() const { return m_dir + "/drop"; }

    CComPtr<IMsgStore> OpenStore(const std::string& entryId, ULONG flags = MAPI_BEST_ACCESS)
    {
        CComPtr<IMsgStore> store;
        EXPECT_EQ(S_OK, m_session->OpenMsgStore(0, static_cast<ULONG>(entryId.size()), Eid(entryId), &IID_IMsgStore,
                                                flags, &store));
        return store;
    }

    static LPENTRYID Eid(const std::string& bytes)
    {
        return reinterpret_cast<LPENTRYID>(const_cast<char*>(bytes.data()));
    }

    // The .eml files in `folder`, as the spooler writes them.
    static std::vector<std::filesystem::path> EmlFiles(const std::string& folder)
    {
        std::vector<std::filesystem::path> files;
        if (!std::filesystem::exists(folder)) return files;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".eml") files.push_back(entry.path());
        return files;
    }

    static ULONG RowCount(IMAPIFolder* folder)
    {
        CComPtr<IMAPITable> table;
        EXPECT_EQ(S_OK, folder->GetContentsTable(0, &table));
        ULONG count = 0;
        EXPECT_EQ(S_OK, table->GetRowCount(0, &count));
        return count;
    }

    static std::string Bytes(const SBinary& bin) { return std::string(reinterpret_cast<const char*>(bin.lpb), bin.cb); }

    // The entry id kept in `tag` of `object`.
    static std::string EntryIdProp(IMAPIProp* object, ULONG tag = PR_ENTRYID)
    {
        LPSPropValue value = nullptr;
        EXPECT_EQ(S_OK, HrGetOneProp(object, tag, &value));
        if (!value) return {};
        std::string bytes = Bytes(value->Value.bin);
        MAPIFreeBuffer(value);
        return bytes;
    }

    // A second store in the profile, opened through a new session.
    CComPtr<IMsgStore> OtherStore(std::string* entryId = nullptr)
    {
        std::string otherId;
        EXPECT_EQ(S_OK, pollenta::mapi::CreateStore("Test", m_dir + "/other.store", "Other", false, &otherId));
        EXPECT_EQ(S_OK, MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &m_otherSession));
        CComPtr<IMsgStore> other;
        EXPECT_EQ(S_OK, m_otherSession->OpenMsgStore(0, static_cast<ULONG>(otherId.size()), Eid(otherId), nullptr,
                                                     MAPI_BEST_ACCESS, &other));
        if (entryId) *entryId = otherId;
        return other;
    }

    CComPtr<IMAPIFolder> OpenFolder(IMsgStore* store, const std::string& entryId)
    {
        ULONG type = 0;
        CComPtr<IUnknown> object;
        EXPECT_EQ(S_OK, store->OpenEntry(static_cast<ULONG>(entryId.size()), Eid(entryId), &IID_IMAPIFolder,
                                         MAPI_BEST_ACCESS, &type, &object));
        EXPECT_EQ(MAPI_FOLDER, type);
        return CComQIPtr<IMAPIFolder>(object.p);
    }

    CComPtr<IMAPIFolder> SpecialFolder(IMsgStore* store, ULONG tag) { return OpenFolder(store, EntryIdProp(store, tag)); }

    CComPtr<IMAPIFolder> Inbox(IMsgStore* store)
    {
        ULONG cb = 0;
        LPENTRYID eid = nullptr;
        EXPECT_EQ(S_OK, store->GetReceiveFolder(const_cast<char*>(""), 0, &cb, &eid, nullptr));
        std::string bytes(reinterpret_cast<const char*>(eid), cb);
        MAPIFreeBuffer(eid);
        return OpenFolder(store, bytes);
    }

    // Every address a list reaches, through nested lists.
    static void Expand(IAddrBook* book, const std::string& entryId, std::set<std::string>& addresses, int depth = 0)
    {
        ASSERT_LT(depth, 10);
        ULONG type = 0;
        CComPtr<IUnknown> object;
        ASSERT_EQ(S_OK, book->OpenEntry(static_cast<ULONG>(entryId.size()), Eid(entryId), &IID_IDistList, 0, &type,
                                        &object));
        ASSERT_EQ(MAPI_DISTLIST, type);
        CComQIPtr<IDistList> list(object.p);
        CComPtr<IMAPITable> table;
        ASSERT_EQ(S_OK, list->GetContentsTable(0, &table));
        SizedSPropTagArray(3, columns) = {3, {PR_ENTRYID, PR_OBJECT_TYPE, PR_EMAIL_ADDRESS_A}};
        LPSRowSet rows = nullptr;
        ASSERT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
        for (ULONG i = 0; i < rows->cRows; ++i) {
            const SPropValue* row = rows->aRow[i].lpProps;
            if (row[1].Value.l == static_cast<LONG>(MAPI_DISTLIST)) Expand(book, Bytes(row[0].Value.bin), addresses, depth + 1);
            else addresses.insert(row[2].Value.lpszA);
        }
        FreeProws(rows);
    }

    static void SetString(IMAPIProp* object, ULONG tag, const std::string& text)
    {
        SPropValue value{};
        value.ulPropTag = tag;
        value.Value.lpszA = const_cast<char*>(text.c_str());
        ASSERT_EQ(S_OK, HrSetOneProp(object, &value));
    }

    static void SetLong(IMAPIProp* object, ULONG tag, LONG number)
    {
        SPropValue value{};
        value.ulPropTag = tag;
        value.Value.l = number;
        ASSERT_EQ(S_OK, HrSetOneProp(object, &value));
    }

    static void SetTime(IMAPIProp* object, ULONG tag, ULONGLONG ticks)
    {
        SPropValue value{};
        value.ulPropTag = tag;
        value.Value.ft.dwLowDateTime = static_cast<DWORD>(ticks);
        value.Value.ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
        ASSERT_EQ(S_OK, HrSetOneProp(object, &value));
    }

    static std::string GetString(IMAPIProp* object, ULONG tag)
    {
        LPSPropValue value = nullptr;
        if (FAILED(HrGetOneProp(object, tag, &value))) return "<missing>";
        std::string text = value->Value.lpszA;
        MAPIFreeBuffer(value);
        return text;
    }

    // The spooler's status object, found through the session's status table.
    CComPtr<IMAPIStatus> Spooler()
    {
        std::string eid;
        CComPtr<IMAPITable> table;
        EXPECT_EQ(S_OK, m_session->GetStatusTable(0, &table));
        LPSRowSet rows = nullptr;
        EXPECT_EQ(S_OK, HrQueryAllRows(table, nullptr, nullptr, nullptr, 0, &rows));
        eid = Bytes(rows->aRow[0].lpProps[0].Value.bin);
        FreeProws(rows);
        ULONG type = 0;
        CComPtr<IUnknown> object;
        EXPECT_EQ(S_OK, m_session->OpenEntry(static_cast<ULONG>(eid.size()), Eid(eid), nullptr, 0, &type, &object));
        return CComQIPtr<IMAPIStatus>(object.p);
    }

    // A saved message with a subject and one recipient; its entry id.
    std::string SaveMessage(IMAPIFolder* folder, const std::string& subject)
    {
        CComPtr<IMessage> message;
        EXPECT_EQ(S_OK, folder->CreateMessage(&IID_IMessage, 0, &message));
        SetString(message, PR_SUBJECT_A, subject);
        AddRecipient(message, "Bob", "bob@example.com");
        EXPECT_EQ(S_OK, message->SaveChanges(KEEP_OPEN_READWRITE));
        return EntryIdProp(message);
    }

    static void AddRecipient(IMessage* message, const std::string& name, const std::string& address)
    {
        ASSERT_EQ(S_OK, pollenta::mapi::WriteSmtpRecipient(message, MODRECIP_ADD, 0, name, address, MAPI_TO));
    }

    pollenta::testsupport::TempFolder m_folder{"mapi-test"};
    pollenta::testsupport::TempRegistry m_registry{m_folder.Path() / "registry"};
    std::string m_dir = m_folder.Path().string();
    std::string m_storeId;
    CComPtr<IMAPISession> m_session;
    CComPtr<IMAPISession> m_otherSession;
    CComPtr<IMsgStore> m_store;
};
