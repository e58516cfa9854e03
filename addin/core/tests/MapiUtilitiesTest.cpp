// The add-in's MAPI routines on a real profile with a store in SQLite: the
// client's session, the profile name, the follow-up flag, SMTP addresses
// and folder paths.

#include "MapiTestSupport.h"
#include "MessageWithFailingSetProps.h"
#include "StandInApplication.h"

#include "util/CZrRowSetPtr.h"
#include "util/MapiNames.h"
#include "util/MessageFlag.h"

#include "mapisession/GetSuperMapiSession.h"

#include <set>

namespace {

constexpr LONG kFlagTextName = 0x8530;

std::set<std::string> StoreIds(IMAPISession* session)
{
    std::set<std::string> ids;
    CComPtr<IMAPITable> table;
    EXPECT_EQ(S_OK, session->GetMsgStoresTable(0, &table));
    SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
    LPSRowSet rows = nullptr;
    EXPECT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    for (ULONG i = 0; rows && i < rows->cRows; ++i)
        ids.insert(CMapiTest::Bytes(rows->aRow[i].lpProps[0].Value.bin));
    FreeProws(rows);
    return ids;
}

CZrEntryID IdOf(const std::string& bytes)
{
    CZrEntryID id;
    id.Set(static_cast<ULONG>(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data()));
    return id;
}

class MapiUtilitiesTest : public CMapiTest {
protected:
    // The flag text's named property, mapped as the client maps it.
    ULONG FlagTextTag(IMessage* message)
    {
        MAPINAMEID name{const_cast<LPGUID>(&PSETID_Common), MNID_ID, {kFlagTextName}};
        LPMAPINAMEID names[] = {&name};
        LPSPropTagArray tags = nullptr;
        EXPECT_EQ(S_OK, message->GetIDsFromNames(1, names, MAPI_CREATE, &tags));
        const ULONG tag = PROP_TAG(PT_STRING8, PROP_ID(tags->aulPropTag[0]));
        MAPIFreeBuffer(tags);
        return tag;
    }

    CComPtr<IMessage> NewMessage()
    {
        CComPtr<IMAPIFolder> inbox = Inbox(m_store);
        CComPtr<IMessage> message;
        EXPECT_EQ(S_OK, inbox->CreateMessage(&IID_IMessage, 0, &message));
        SetString(message, PR_SUBJECT_A, "Answer");
        EXPECT_EQ(S_OK, message->SaveChanges(KEEP_OPEN_READWRITE));
        return message;
    }

    static LONG GetLong(IMAPIProp* object, ULONG tag)
    {
        LPSPropValue value = nullptr;
        if (FAILED(HrGetOneProp(object, tag, &value)))
            return -1;
        const LONG number = value->Value.l;
        MAPIFreeBuffer(value);
        return number;
    }
};

}  // namespace

TEST_F(MapiUtilitiesTest, SuperSessionOpensTheSameStoresAsTheClientsProfile)
{
    std::string otherId;
    OtherStore(&otherId);
    // The client's logon, made after the profile got its second store.
    CComPtr<_Application> application = StandInApplication::Make(m_otherSession, "11.0.8169");
    CComPtr<IMAPISession> session;
    ASSERT_EQ(S_OK, GetSuperMapiSession(application, &session));
    ASSERT_TRUE(session);

    EXPECT_EQ(std::set<std::string>({m_storeId, otherId}), StoreIds(session));
    for (const std::string& id : {m_storeId, otherId}) {
        CComPtr<IMsgStore> store;
        ASSERT_EQ(S_OK, session->OpenMsgStore(0, static_cast<ULONG>(id.size()), Eid(id), &IID_IMsgStore,
                                              MAPI_BEST_ACCESS, &store));
        SCOPED_TRACE(GetString(store, PR_DISPLAY_NAME_A));
        EXPECT_TRUE(GetString(store, PR_DISPLAY_NAME_A) == "Main" || GetString(store, PR_DISPLAY_NAME_A) == "Other");
    }
    EXPECT_EQ("Test", GetProfileName(session));
}

TEST_F(MapiUtilitiesTest, SuperSessionFailsWithoutTouchingAnythingWhenTheClientGivesNoSession)
{
    const struct {
        const char* name;
        MapiObjectAnswer answer;
    } cases[] = {
        {"not an object", MapiObjectAnswer::NotAnUnknown},
        {"no such property", MapiObjectAnswer::NoSuchProperty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CComPtr<_Application> application = StandInApplication::Make(m_session, "11.0", c.answer);
        IMAPISession* session = reinterpret_cast<IMAPISession*>(0xdeadbeef);
        EXPECT_EQ(E_FAIL, GetSuperMapiSession(application, &session));
        EXPECT_EQ(nullptr, session);
    }
    IMAPISession* session = reinterpret_cast<IMAPISession*>(0xdeadbeef);
    EXPECT_EQ(E_FAIL, GetSuperMapiSession(nullptr, &session));
    EXPECT_EQ(nullptr, session);
    CComPtr<_Application> application = StandInApplication::Make(m_session, "11.0");
    EXPECT_EQ(E_INVALIDARG, GetSuperMapiSession(application, nullptr));
}

TEST_F(MapiUtilitiesTest, ProfileNameIsEmptyWithoutASession)
{
    EXPECT_EQ("Test", GetProfileName(m_session));
    EXPECT_EQ("", GetProfileName(nullptr));
}

TEST_F(MapiUtilitiesTest, FlagModesSetTheFourFollowUpProperties)
{
    const struct {
        FlagMode mode;
        LONG status;
        bool requested;
        const char* text;
    } cases[] = {
        {FlagMode::Flagged, 2, true, "Survey data added successfully"},
        {FlagMode::Complete, 1, false, "Survey data added successfully"},
        {FlagMode::Cleared, 0, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        CComPtr<IMessage> message = NewMessage();
        const ULONG textTag = FlagTextTag(message);
        EXPECT_EQ(PROP_ID(textTag), GetNamedPropId(message, PSETID_Common, kFlagTextName, 0x801E));
        ASSERT_EQ(S_OK, MarkMessageWithFlag(message, c.mode));

        CComPtr<IMAPIFolder> inbox = Inbox(m_store);
        ULONG type = 0;
        CComPtr<IUnknown> reopened;
        const std::string id = EntryIdProp(message);
        ASSERT_EQ(S_OK, m_store->OpenEntry(static_cast<ULONG>(id.size()), Eid(id), &IID_IMessage, 0, &type, &reopened));
        CComQIPtr<IMessage> saved(reopened.p);
        EXPECT_EQ(c.status, GetLong(saved, PR_FLAG_STATUS));
        EXPECT_EQ(c.requested ? 1 : 0, GetLong(saved, PR_RESPONSE_REQUESTED) & 0xFFFF);
        EXPECT_EQ(c.requested ? 1 : 0, GetLong(saved, PR_REPLY_REQUESTED) & 0xFFFF);
        EXPECT_EQ(c.text, GetString(saved, textTag));
    }
}

TEST_F(MapiUtilitiesTest, NamedPropertyIdFallsBackToTheDefaultForAnUnmappedName)
{
    CComPtr<IMessage> message = NewMessage();
    EXPECT_EQ(0x8123, GetNamedPropId(message, PSETID_Common, 0x7777, 0x8123));
}

TEST_F(MapiUtilitiesTest, FlagIsNotSavedWhenSetPropsFailsOrReportsAProblem)
{
    const struct {
        const char* name;
        HRESULT setProps;
        HRESULT expected;
    } cases[] = {
        {"call fails", MAPI_E_NO_ACCESS, MAPI_E_NO_ACCESS},
        {"problem reported", S_OK, E_FAIL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CComPtr<IMessage> real = NewMessage();
        MessageWithFailingSetProps* failing = nullptr;
        CComPtr<IMessage> message;
        ASSERT_EQ(S_OK, MessageWithFailingSetProps::CreateInstance(IID_IMessage, reinterpret_cast<void**>(&message),
                                                                   real.p, c.setProps));
        failing = static_cast<MessageWithFailingSetProps*>(message.p);
        EXPECT_EQ(c.expected, MarkMessageWithFlag(message, FlagMode::Flagged));
        EXPECT_EQ(0, failing->saves);
    }
}

TEST_F(MapiUtilitiesTest, SmtpAddressComesFromThePropertyOrThePrimaryProxyAddress)
{
    const struct {
        const char* name;
        const char* smtp;
        std::vector<std::string> proxies;
        const char* expected;
    } cases[] = {
        {"own address", "ann@example.com", {"SMTP:other@example.com"}, "ann@example.com"},
        {"primary proxy", "", {"smtp:second@example.com", "X400:c=US", "SMTP:bob@example.com"}, "bob@example.com"},
        {"no primary", "", {"smtp:second@example.com"}, ""},
    };
    CComPtr<IAddrBook> book;
    ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &book));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string entry = pollenta::mapi::AddMailUser(Book(), c.name, c.smtp, c.proxies);
        std::string address = "stale";
        EXPECT_EQ(S_OK, GetEntrySmtpAddress(book, static_cast<ULONG>(entry.size()), Eid(entry), address));
        EXPECT_EQ(c.expected, address);
    }
    std::string address = "stale";
    EXPECT_TRUE(FAILED(GetEntrySmtpAddress(book, 4, Eid("junk"), address)));
    EXPECT_EQ("", address);
}

TEST_F(MapiUtilitiesTest, FolderDisplayPathRunsFromTheStoreDownToTheFolder)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    CComPtr<IMAPIFolder> answers;
    ASSERT_EQ(S_OK, inbox->CreateFolder(FOLDER_GENERIC, const_cast<char*>("Answers"), nullptr, nullptr, 0, &answers));
    const std::string subtree = EntryIdProp(m_store, PR_IPM_SUBTREE_ENTRYID);
    CComPtr<IMAPIFolder> top = OpenFolder(m_store, subtree);
    const std::string root = EntryIdProp(top, PR_PARENT_ENTRYID);

    const CZrEntryID store = IdOf(m_storeId);
    const struct {
        const char* name;
        std::string folder;
        HRESULT result;
        const char* expected;
    } cases[] = {
        {"Inbox", EntryIdProp(inbox), S_OK, "\\\\Main\\Inbox"},
        {"subfolder", EntryIdProp(answers), S_OK, "\\\\Main\\Inbox\\Answers"},
        {"top of the tree", subtree, S_OK, "\\\\Main"},
        {"root, outside the tree", root, E_FAIL, ""},
        {"empty id", "", S_FALSE, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CZrEntryID folder = IdOf(c.folder);
        std::string path = "stale";
        EXPECT_EQ(c.result, GetFolderDisplayPath(m_session, store, &folder, path));
        if (c.result != E_FAIL) {
            EXPECT_EQ(c.expected, path);
        }
    }
    std::string path;
    EXPECT_EQ(E_INVALIDARG, GetFolderDisplayPath(m_session, store, nullptr, path));
}

TEST_F(MapiUtilitiesTest, RowSetHolderKeepsTheRowsUntilItIsFreed)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    for (const char* name : {"Answers", "Archive"}) {
        CComPtr<IMAPIFolder> child;
        ASSERT_EQ(S_OK, inbox->CreateFolder(FOLDER_GENERIC, const_cast<char*>(name), nullptr, nullptr, 0, &child));
    }
    CComPtr<IMAPITable> hierarchy;
    ASSERT_EQ(S_OK, inbox->GetHierarchyTable(0, &hierarchy));
    SizedSPropTagArray(1, columns) = {1, {PR_DISPLAY_NAME_A}};
    CZrRowSetPtr rows;
    ASSERT_EQ(S_OK, HrQueryAllRows(hierarchy, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    ASSERT_EQ(2u, rows->cRows);
    EXPECT_STREQ("Answers", rows->aRow[0].lpProps[0].Value.lpszA);
    // Asking again frees the first answer before taking the next.
    ASSERT_EQ(S_OK, HrQueryAllRows(hierarchy, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    rows.Free();
    EXPECT_EQ(nullptr, rows.get());
}
