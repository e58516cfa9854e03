#include "MapiTestSupport.h"

#include <sqlite3.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <set>

namespace {

using pollenta::mapi::AddDistList;
using pollenta::mapi::AddMailUser;

struct Names {
    ADRLIST* list = nullptr;
    explicit Names(const std::vector<std::string>& names)
    {
        MAPIAllocateBuffer(static_cast<ULONG>(CbNewADRLIST(names.size())), reinterpret_cast<LPVOID*>(&list));
        list->cEntries = static_cast<ULONG>(names.size());
        for (std::size_t i = 0; i < names.size(); ++i) {
            LPSPropValue props = nullptr;
            MAPIAllocateBuffer(2 * sizeof(SPropValue), reinterpret_cast<LPVOID*>(&props));
            props[0].ulPropTag = PR_DISPLAY_NAME_A;
            MAPIAllocateMore(static_cast<ULONG>(names[i].size() + 1), props, reinterpret_cast<LPVOID*>(&props[0].Value.lpszA));
            std::strcpy(props[0].Value.lpszA, names[i].c_str());
            props[1].ulPropTag = PR_RECIPIENT_TYPE;
            props[1].Value.l = MAPI_CC;
            list->aEntries[i] = {0, 2, props};
        }
    }
    ~Names() { FreePadrlist(list); }
    std::string Prop(ULONG entry, ULONG tag) const
    {
        const ADRENTRY& e = list->aEntries[entry];
        for (ULONG i = 0; i < e.cValues; ++i)
            if (e.rgPropVals[i].ulPropTag == tag)
                return PROP_TYPE(tag) == PT_STRING8 ? e.rgPropVals[i].Value.lpszA : CMapiTest::Bytes(e.rgPropVals[i].Value.bin);
        return "<missing>";
    }
};

}  // namespace

TEST_F(CMapiTest, DistributionListWithANestedListExpands)
{
    std::string ann = AddMailUser(Book(), "Ann", "ann@example.com", {});
    std::string ben = AddMailUser(Book(), "Ben", "ben@example.com", {});
    std::string cat = AddMailUser(Book(), "Cat", "cat@example.com", {});
    std::string inner = AddDistList(Book(), "Inner", {ben, cat});
    std::string oneOff;
    CComPtr<IAddrBook> book;
    ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &book));
    ULONG cb = 0;
    LPENTRYID eid = nullptr;
    ASSERT_EQ(S_OK, book->CreateOneOff(const_cast<char*>("Dan"), const_cast<char*>("SMTP"),
                                       const_cast<char*>("dan@example.com"), 0, &cb, &eid));
    oneOff.assign(reinterpret_cast<const char*>(eid), cb);
    MAPIFreeBuffer(eid);
    std::string outer = AddDistList(Book(), "Outer", {ann, inner, oneOff});

    std::set<std::string> addresses;
    Expand(book, outer, addresses);
    EXPECT_EQ((std::set<std::string>{"ann@example.com", "ben@example.com", "cat@example.com", "dan@example.com"}), addresses);
}

TEST_F(CMapiTest, DistributionListsCanComeToHoldThemselves)
{
    std::string ann = AddMailUser(Book(), "Ann", "ann@example.com", {});
    std::string first = AddDistList(Book(), "First", {ann});
    std::string second = AddDistList(Book(), "Second", {first});
    ASSERT_EQ(S_OK, pollenta::mapi::AddDistListMember(Book(), first, second));
    EXPECT_EQ(MAPI_E_NOT_FOUND, pollenta::mapi::AddDistListMember(Book(), ann, first));

    CComPtr<IAddrBook> book;
    ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &book));
    ULONG type = 0;
    CComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, book->OpenEntry(static_cast<ULONG>(first.size()), Eid(first), &IID_IDistList, 0, &type, &object));
    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, CComQIPtr<IDistList>(object.p)->GetContentsTable(0, &table));
    SizedSPropTagArray(2, columns) = {2, {PR_ENTRYID, PR_OBJECT_TYPE}};
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    ASSERT_EQ(2u, rows->cRows);
    EXPECT_EQ(ann, Bytes(rows->aRow[0].lpProps[0].Value.bin));
    EXPECT_EQ(second, Bytes(rows->aRow[1].lpProps[0].Value.bin));
    EXPECT_EQ(static_cast<LONG>(MAPI_DISTLIST), rows->aRow[1].lpProps[1].Value.l);
    FreeProws(rows);
}

TEST_F(CMapiTest, ResolveNameKeepsWhatTheCallerAddedBeyondTheIdentity)
{
    std::string ann = AddMailUser(Book(), "Ann Smith", "ann@example.com", {});
    CComPtr<IAddrBook> book;
    ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &book));
    SizedADRLIST(1, list);
    list.cEntries = 1;
    LPSPropValue props = nullptr;
    ASSERT_EQ(S_OK, MAPIAllocateBuffer(2 * sizeof(SPropValue), reinterpret_cast<LPVOID*>(&props)));
    props[0].ulPropTag = PR_DISPLAY_NAME_A;
    props[0].Value.lpszA = const_cast<char*>("Ann Smith");
    props[1].ulPropTag = PR_SMTP_ADDRESS_A;
    props[1].Value.lpszA = const_cast<char*>("ann.smith@example.org");
    list.aEntries[0] = {0, 2, props};
    ASSERT_EQ(S_OK, book->ResolveName(0, 0, nullptr, reinterpret_cast<LPADRLIST>(&list)));
    std::map<ULONG, std::string> found;
    for (ULONG i = 0; i < list.aEntries[0].cValues; ++i) {
        const SPropValue& value = list.aEntries[0].rgPropVals[i];
        if (PROP_TYPE(value.ulPropTag) == PT_STRING8) found[value.ulPropTag] = value.Value.lpszA;
        if (value.ulPropTag == PR_ENTRYID) found[PR_ENTRYID] = Bytes(value.Value.bin);
    }
    EXPECT_EQ(ann, found[PR_ENTRYID]);
    EXPECT_EQ("ann.smith@example.org", found[PR_SMTP_ADDRESS_A]);
    MAPIFreeBuffer(list.aEntries[0].rgPropVals);
}

TEST_F(CMapiTest, MailUsersCarrySmtpAndProxyAddresses)
{
    std::string eve = AddMailUser(Book(), "Eve", "eve@example.com", {"SMTP:eve@example.com", "smtp:e@example.org", "X400:c=de"});
    std::string list = AddDistList(Book(), "List", {eve});
    CComPtr<IAddrBook> book;
    ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &book));
    ULONG type = 0;
    CComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, book->OpenEntry(static_cast<ULONG>(eve.size()), Eid(eve), &IID_IMailUser, 0, &type, &object));
    EXPECT_EQ(MAPI_MAILUSER, type);
    CComQIPtr<IMailUser> user(object.p);
    EXPECT_EQ("eve@example.com", GetString(user, PR_SMTP_ADDRESS_A));
    LPSPropValue proxies = nullptr;
    ASSERT_EQ(S_OK, HrGetOneProp(user, PR_EMS_AB_PROXY_ADDRESSES, &proxies));
    ASSERT_EQ(3u, proxies->Value.MVszA.cValues);
    EXPECT_STREQ("smtp:e@example.org", proxies->Value.MVszA.lppszA[1]);
    MAPIFreeBuffer(proxies);
    SizedSPropTagArray(2, tags) = {2, {PR_DISPLAY_NAME_A, PR_OFFICE_LOCATION_A}};
    ULONG count = 0;
    LPSPropValue values = nullptr;
    EXPECT_EQ(MAPI_W_ERRORS_RETURNED, user->GetProps(reinterpret_cast<LPSPropTagArray>(&tags), 0, &count, &values));
    EXPECT_EQ(PT_ERROR, PROP_TYPE(values[1].ulPropTag));
    MAPIFreeBuffer(values);

    // Changes are kept in the address book.
    SetString(user, PR_OFFICE_LOCATION_A, "Room 4");
    ASSERT_EQ(S_OK, user->SaveChanges(KEEP_OPEN_READWRITE));
    CComPtr<IUnknown> reopened;
    ASSERT_EQ(S_OK, m_session->OpenEntry(static_cast<ULONG>(eve.size()), Eid(eve), nullptr, 0, &type, &reopened));
    EXPECT_EQ("Room 4", GetString(CComQIPtr<IMailUser>(reopened.p), PR_OFFICE_LOCATION_A));

    // A list asked for as a mail user, or a user as a list, is refused.
    CComPtr<IUnknown> wrong;
    EXPECT_EQ(MAPI_E_INTERFACE_NOT_SUPPORTED,
              book->OpenEntry(static_cast<ULONG>(list.size()), Eid(list), &IID_IMailUser, 0, &type, &wrong));
    EXPECT_EQ(MAPI_E_INTERFACE_NOT_SUPPORTED,
              book->OpenEntry(static_cast<ULONG>(eve.size()), Eid(eve), &IID_IDistList, 0, &type, &wrong));
    EXPECT_EQ(MAPI_E_UNKNOWN_ENTRYID, book->OpenEntry(4, Eid("abcd"), nullptr, 0, &type, &wrong));
}

TEST_F(CMapiTest, ResolveNameFindsEntriesAndMakesOneOffs)
{
    std::string ann = AddMailUser(Book(), "Ann Smith", "ann@example.com", {"SMTP:ann@example.com", "smtp:annie@example.org"});
    AddMailUser(Book(), "Bob Smith", "bob@example.com", {});
    CComPtr<IAddrBook> book;
    ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &book));

    Names found({"ann smith", "annie@example.org", "new@example.net"});
    ASSERT_EQ(S_OK, book->ResolveName(0, 0, nullptr, found.list));
    EXPECT_EQ(ann, found.Prop(0, PR_ENTRYID));
    EXPECT_EQ("Ann Smith", found.Prop(0, PR_DISPLAY_NAME_A));
    EXPECT_EQ(ann, found.Prop(1, PR_ENTRYID));
    EXPECT_EQ("SMTP", found.Prop(2, PR_ADDRTYPE_A));
    EXPECT_EQ("new@example.net", found.Prop(2, PR_EMAIL_ADDRESS_A));
    EXPECT_EQ(std::string("SMTP:NEW@EXAMPLE.NET\0", 21), found.Prop(2, PR_SEARCH_KEY));
    // What the caller put in stays.
    EXPECT_EQ(MAPI_CC, static_cast<ULONG>(found.list->aEntries[0].rgPropVals[found.list->aEntries[0].cValues - 1].Value.l));
    ULONG type = 0;
    CComPtr<IUnknown> oneOff;
    std::string oneOffId = found.Prop(2, PR_ENTRYID);
    ASSERT_EQ(S_OK, book->OpenEntry(static_cast<ULONG>(oneOffId.size()), Eid(oneOffId), &IID_IMailUser, 0, &type, &oneOff));
    EXPECT_EQ(MAPI_MAILUSER, type);
    EXPECT_EQ("new@example.net", GetString(CComQIPtr<IMailUser>(oneOff.p), PR_SMTP_ADDRESS_A));

    Names ambiguous({"Smith"});
    EXPECT_EQ(MAPI_E_AMBIGUOUS_RECIP, book->ResolveName(0, 0, nullptr, ambiguous.list));
    Names unknown({"Nobody"});
    EXPECT_EQ(MAPI_E_NOT_FOUND, book->ResolveName(0, MAPI_DIALOG, nullptr, unknown.list));

    pollenta::mapi::SetResolveNameHook([](const std::string&, const std::vector<std::string>& candidates) {
        return candidates.size() == 2 ? 1 : -1;
    });
    Names chosen({"Smith"});
    EXPECT_EQ(S_OK, book->ResolveName(0, MAPI_DIALOG, nullptr, chosen.list));
    EXPECT_EQ("Bob Smith", chosen.Prop(0, PR_DISPLAY_NAME_A));
    Names cancelled({"Nobody"});
    EXPECT_EQ(MAPI_E_USER_CANCEL, book->ResolveName(0, MAPI_DIALOG, nullptr, cancelled.list));
    pollenta::mapi::SetResolveNameHook(nullptr);
}

// A recipient typed as "Name <address>" carries its address: that address
// is sent to, under the typed name, unless the book knows the address.
TEST_F(CMapiTest, ResolveNameMakesTypedAddressesOneOffsUnlessTheBookKnowsTheAddress)
{
    std::string ann = AddMailUser(Book(), "Ann Smith", "ann@example.com", {});
    std::string team = AddDistList(Book(), "Team", {ann});
    CComPtr<IAddrBook> book;
    ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &book));
    const struct {
        const char* name;
        const char* address;
        const std::string* entryId;  // the book's entry, else a one-off
        const char* resolvedName;
    } cases[] = {
        {"Anna Berg", "anna@example.com", nullptr, "Anna Berg"},
        {"new@example.net", "new@example.net", nullptr, "new@example.net"},
        {"", "nameless@example.net", nullptr, "nameless@example.net"},
        // The display name of a book entry, but another address.
        {"Ann Smith", "other@example.org", nullptr, "Ann Smith"},
        {"Annie", "ANN@example.com", &ann, "Ann Smith"},
        // A name typed alone, which a client put into the address as well.
        {"Team", "Team", &team, "Team"},
    };
    for (const auto& typed : cases) {
        SCOPED_TRACE(std::string(typed.name) + " <" + typed.address + ">");
        SizedADRLIST(1, list);
        list.cEntries = 1;
        LPSPropValue props = nullptr;
        ASSERT_EQ(S_OK, MAPIAllocateBuffer(3 * sizeof(SPropValue), reinterpret_cast<LPVOID*>(&props)));
        props[0].ulPropTag = PR_DISPLAY_NAME_A;
        props[0].Value.lpszA = const_cast<char*>(typed.name);
        props[1].ulPropTag = PR_EMAIL_ADDRESS_A;
        props[1].Value.lpszA = const_cast<char*>(typed.address);
        props[2].ulPropTag = PR_ADDRTYPE_A;
        props[2].Value.lpszA = const_cast<char*>("SMTP");
        list.aEntries[0] = {0, 3, props};
        ASSERT_EQ(S_OK, book->ResolveName(0, MAPI_DIALOG, nullptr, reinterpret_cast<LPADRLIST>(&list)));
        std::map<ULONG, std::string> found;
        for (ULONG i = 0; i < list.aEntries[0].cValues; ++i) {
            const SPropValue& value = list.aEntries[0].rgPropVals[i];
            if (PROP_TYPE(value.ulPropTag) == PT_STRING8) found[value.ulPropTag] = value.Value.lpszA;
            if (value.ulPropTag == PR_ENTRYID) found[PR_ENTRYID] = Bytes(value.Value.bin);
        }
        MAPIFreeBuffer(list.aEntries[0].rgPropVals);
        EXPECT_EQ(typed.resolvedName, found[PR_DISPLAY_NAME_A]);
        if (typed.entryId) {
            EXPECT_EQ(*typed.entryId, found[PR_ENTRYID]);
            continue;
        }
        EXPECT_EQ(typed.address, found[PR_EMAIL_ADDRESS_A]);
        // The one-off opens as a mail user with the same name and address.
        ULONG type = 0;
        CComPtr<IUnknown> oneOff;
        ASSERT_EQ(S_OK, book->OpenEntry(static_cast<ULONG>(found[PR_ENTRYID].size()), Eid(found[PR_ENTRYID]),
                                        &IID_IMailUser, 0, &type, &oneOff));
        CComQIPtr<IMailUser> user(oneOff.p);
        EXPECT_EQ(typed.resolvedName, GetString(user, PR_DISPLAY_NAME_A));
        EXPECT_EQ(typed.address, GetString(user, PR_SMTP_ADDRESS_A));
    }
}

// Adding entries one by one, as an import does, appends to the book's
// write-ahead log: no journal file is made and removed per entry, and what
// was added is there for a reader that opens the file afresh.
TEST_F(CMapiTest, AddressBookFileKeepsItsChangesInAWriteAheadLog)
{
    for (int i = 0; i < 3; ++i)
        AddMailUser(Book(), "User " + std::to_string(i), "user" + std::to_string(i) + "@example.com", {});
    EXPECT_FALSE(std::filesystem::exists(Book() + "-journal"));

    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open_v2(Book().c_str(), &db, SQLITE_OPEN_READONLY, nullptr));
    std::string mode;
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &stmt, nullptr)) << sqlite3_errmsg(db);
    if (sqlite3_step(stmt) == SQLITE_ROW) mode = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    sqlite3_finalize(stmt);
    ASSERT_EQ(SQLITE_OK, sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM entries", -1, &stmt, nullptr)) << sqlite3_errmsg(db);
    int entries = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : -1;
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    EXPECT_EQ("wal", mode);
    EXPECT_EQ(3, entries);
}
