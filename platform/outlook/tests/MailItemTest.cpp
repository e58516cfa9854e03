// Name space, folders and mail items over a real store.

#include "OutlookTestSupport.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "com/DispatchClient.h"
#include "com/Text.h"
#include "mapi/MapiUtil.h"

#include <chrono>
#include <fstream>
#include <thread>

namespace {

std::string Text(const CComBSTR& text)
{
    return text.ToString();
}

std::string HexOf(const std::string& bytes)
{
    std::string text(bytes.size() * 2 + 1, '\0');
    HexFromBin(reinterpret_cast<LPBYTE>(const_cast<char*>(bytes.data())), static_cast<int>(bytes.size()), text.data());
    text.resize(bytes.size() * 2);
    return text;
}

CComPtr<_NameSpace> NameSpaceOf(_Application* application)
{
    CComPtr<_NameSpace> nameSpace;
    EXPECT_EQ(S_OK, application->GetNamespace(CComBSTR("MAPI"), &nameSpace));
    return nameSpace;
}

}  // namespace

using MailItemTest = COutlookTest;

TEST_F(MailItemTest, DefaultFoldersAreTheStoresOwnFolders)
{
    struct Case {
        LONG kind;
        ULONG tag;
    } cases[] = {{olFolderOutbox, PR_IPM_OUTBOX_ENTRYID},
                 {olFolderSentMail, PR_IPM_SENTMAIL_ENTRYID},
                 {olFolderDrafts, PR_IPM_DRAFTS_ENTRYID},
                 {olFolderDeletedItems, PR_IPM_WASTEBASKET_ENTRYID},
                 {olFolderInbox, PR_NULL}};
    CComPtr<_NameSpace> nameSpace = NameSpaceOf(m_application);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        CComPtr<MAPIFolder> folder;
        ASSERT_EQ(S_OK, nameSpace->GetDefaultFolder(c.kind, &folder));
        CComBSTR entryId, storeId;
        ASSERT_EQ(S_OK, folder->get_EntryID(&entryId));
        ASSERT_EQ(S_OK, folder->get_StoreID(&storeId));
        const std::string expected = c.tag == PR_NULL ? EntryIdProp(Inbox(m_store)) : EntryIdProp(m_store, c.tag);
        EXPECT_EQ(HexOf(expected), Text(entryId));
        EXPECT_EQ(HexOf(m_storeId), Text(storeId));
    }
    CComPtr<MAPIFolder> none;
    EXPECT_EQ(MAPI_E_NOT_FOUND, nameSpace->GetDefaultFolder(9, &none));
}

TEST_F(MailItemTest, TheNameSpaceHandsOutTheClientsSessionLateBound)
{
    CComPtr<IDispatch> session;
    ASSERT_EQ(S_OK, m_application->get_Session(&session));
    OLECHAR name[] = u"MAPIOBJECT";
    LPOLESTR names[] = {name};
    DISPID id = DISPID_UNKNOWN;
    ASSERT_EQ(S_OK, session->GetIDsOfNames(IID_NULL, names, 1, 0x800, &id));
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    CComVariant result;
    ASSERT_EQ(S_OK, session->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr));
    ASSERT_EQ(VT_UNKNOWN, result.vt);
    CComQIPtr<IMAPISession> mapi(result.punkVal);
    EXPECT_TRUE(mapi.p == m_session.p);
}

TEST_F(MailItemTest, ObjectsHandedOutLateBoundAreTheCallersToKeep)
{
    // A late-bound caller owns the object it gets back, and the object lives
    // as long as the caller holds it (the sending component reaches the
    // client only this way).
    CComVariant mapi("MAPI");
    CComVariant nameSpace;
    ASSERT_EQ(S_OK, pollenta::com::InvokeByName(m_application, "GetNamespace", DISPATCH_METHOD,
                                                std::span(&mapi, 1), &nameSpace));
    ASSERT_EQ(VT_DISPATCH, nameSpace.vt);
    CComVariant drafts(LONG{olFolderDrafts});
    CComVariant folder;
    ASSERT_EQ(S_OK, pollenta::com::InvokeByName(nameSpace.pdispVal, "GetDefaultFolder", DISPATCH_METHOD,
                                                std::span(&drafts, 1), &folder));
    ASSERT_EQ(VT_DISPATCH, folder.vt);
    CComVariant items;
    ASSERT_EQ(S_OK, pollenta::com::GetProperty(folder.pdispVal, "Items", &items));
    ASSERT_EQ(VT_DISPATCH, items.vt);
    CComVariant count;
    ASSERT_EQ(S_OK, pollenta::com::GetProperty(items.pdispVal, "Count", &count));
    EXPECT_EQ(VT_I4, count.vt);
}

TEST_F(MailItemTest, LateBoundMethodsOfOneArgumentConvertItOrRefuseTheCall)
{
    CComPtr<IDispatch> nameSpace;
    ASSERT_EQ(S_OK, m_application->get_Session(&nameSpace));
    struct Case {
        const char* name;
        IDispatch* object;
        const char* method;
        std::vector<CComVariant> args;
        HRESULT expected;
    };
    const Case cases[] = {
        {"a mail item by its number", m_application, "CreateItem", {CComVariant(LONG{olMailItem})}, S_OK},
        {"a mail item by a number in text", m_application, "CreateItem", {CComVariant("0")}, S_OK},
        {"an item of another kind", m_application, "CreateItem", {CComVariant(LONG{1})}, E_INVALIDARG},
        {"an item kind that is no number", m_application, "CreateItem", {CComVariant("mail")}, DISP_E_TYPEMISMATCH},
        {"no item kind", m_application, "CreateItem", {}, DISP_E_PARAMNOTFOUND},
        {"the MAPI name space in any case", m_application, "GetNamespace", {CComVariant("mapi")}, S_OK},
        {"a name space we do not have", m_application, "GetNamespace", {CComVariant("LDAP")}, E_INVALIDARG},
        {"the Inbox by a number in text", nameSpace, "GetDefaultFolder", {CComVariant("6")}, S_OK},
        {"a folder kind we do not have", nameSpace, "GetDefaultFolder", {CComVariant(LONG{9})}, MAPI_E_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CComVariant result;
        EXPECT_EQ(c.expected, pollenta::com::InvokeByName(c.object, c.method, DISPATCH_METHOD, c.args, &result));
        EXPECT_EQ(c.expected == S_OK ? VT_DISPATCH : VT_EMPTY, result.vt);
    }
}

TEST_F(MailItemTest, AnEntryIdThatIsNoMessageGivesNoItem)
{
    CComPtr<MAPIFolder> drafts;
    ASSERT_EQ(S_OK, NameSpaceOf(m_application)->GetDefaultFolder(olFolderDrafts, &drafts));
    CComBSTR folderId;
    ASSERT_EQ(S_OK, drafts->get_EntryID(&folderId));
    CComPtr<IDispatch> found;
    EXPECT_TRUE(FAILED(NameSpaceOf(m_application)->GetItemFromID(folderId, CComVariant(), &found)));
    EXPECT_FALSE(found);
}

TEST_F(MailItemTest, ASavedItemIsFoundAgainByItsEntryIdWithEverythingOnIt)
{
    CComPtr<_MailItem> mail = NewMail();
    ASSERT_TRUE(mail);
    ASSERT_EQ(S_OK, mail->put_Subject(CComBSTR("Survey")));
    ASSERT_EQ(S_OK, mail->put_HTMLBody(CComBSTR("<HTML><BODY>Hello</BODY></HTML>")));
    CComPtr<Recipients> recipients;
    ASSERT_EQ(S_OK, mail->get_Recipients(&recipients));
    CComPtr<Recipient> bob;
    ASSERT_EQ(S_OK, recipients->Add(CComBSTR("Bob Example <bob@example.org>"), &bob));
    CComPtr<Attachments> attachments;
    ASSERT_EQ(S_OK, mail->get_Attachments(&attachments));
    const std::string picture = m_dir + "/_kqwpic_001.png";
    std::ofstream(picture, std::ios::binary) << "\x89PNG\r\n";
    CComVariant source(picture.c_str()), byValue(1), leftOut;
    CComPtr<Attachment> attached;
    ASSERT_EQ(S_OK, attachments->Add(source, byValue, leftOut, leftOut, &attached));
    ASSERT_EQ(S_OK, mail->Save());

    CComBSTR entryId;
    ASSERT_EQ(S_OK, mail->get_EntryID(&entryId));
    CComPtr<IDispatch> found;
    CComVariant store(HexOf(m_storeId).c_str());
    ASSERT_EQ(S_OK, NameSpaceOf(m_application)->GetItemFromID(entryId, store, &found));
    CComQIPtr<_MailItem> again(found.p);
    ASSERT_TRUE(again);
    CComBSTR subject, html, to;
    again->get_Subject(&subject);
    again->get_HTMLBody(&html);
    EXPECT_EQ("Survey", Text(subject));
    EXPECT_EQ("<HTML><BODY>Hello</BODY></HTML>", Text(html));
    CComPtr<Recipients> foundRecipients;
    again->get_Recipients(&foundRecipients);
    LONG count = 0;
    foundRecipients->get_Count(&count);
    EXPECT_EQ(1, count);
    CComPtr<Recipient> first;
    ASSERT_EQ(S_OK, foundRecipients->Item(CComVariant(1), &first));
    CComBSTR address, recipientName;
    first->get_Address(&address);
    first->get_Name(&recipientName);
    EXPECT_EQ("bob@example.org", Text(address));
    EXPECT_EQ("Bob Example", Text(recipientName));
    CComPtr<Attachments> foundAttachments;
    again->get_Attachments(&foundAttachments);
    foundAttachments->get_Count(&count);
    EXPECT_EQ(1, count);

    CComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, again->get_MAPIOBJECT(&object));
    CComQIPtr<IMessage> message(object.p);
    ASSERT_TRUE(message);
    LPSPropValue value = nullptr;
    ASSERT_EQ(S_OK, HrGetOneProp(message, PR_SUBJECT_A, &value));
    EXPECT_STREQ("Survey", value->Value.lpszA);
    MAPIFreeBuffer(value);
}

TEST_F(MailItemTest, AnAttachmentFromAMissingFileLeavesTheItemAlone)
{
    CComPtr<_MailItem> mail = NewMail();
    CComPtr<Attachments> attachments;
    mail->get_Attachments(&attachments);
    CComVariant source((m_dir + "/missing.png").c_str()), leftOut;
    CComPtr<Attachment> attached;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), attachments->Add(source, leftOut, leftOut, leftOut, &attached));
    LONG count = -1;
    attachments->get_Count(&count);
    EXPECT_EQ(0, count);
}

TEST_F(MailItemTest, ASentItemLeavesAsMailInTheOutgoingFolderFromTheUser)
{
    CComPtr<_MailItem> mail = NewMail();
    mail->put_Subject(CComBSTR("Sent survey"));
    CComPtr<Recipients> recipients;
    mail->get_Recipients(&recipients);
    recipients->Add(CComBSTR("carol@example.org"), nullptr);
    ASSERT_EQ(S_OK, mail->Send());
    const std::string written = WaitForOutgoingMail();
    ASSERT_FALSE(written.empty());
    std::ifstream in(written);
    const std::string mime((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(std::string::npos, mime.find("Sent survey"));
    EXPECT_NE(std::string::npos, mime.find("ann@example.org"));
    EXPECT_NE(std::string::npos, mime.find("carol@example.org"));
}

TEST_F(MailItemTest, MoveTakesTheItemOutOfItsFolderAndCopyLeavesItThere)
{
    CComPtr<_MailItem> mail = NewMail();
    mail->put_Subject(CComBSTR("Answer"));
    ASSERT_EQ(S_OK, mail->Save());
    CComPtr<_NameSpace> nameSpace = NameSpaceOf(m_application);
    CComPtr<MAPIFolder> drafts, deleted;
    nameSpace->GetDefaultFolder(olFolderDrafts, &drafts);
    nameSpace->GetDefaultFolder(olFolderDeletedItems, &deleted);
    auto countOf = [](MAPIFolder* folder) {
        CComPtr<_Items> items;
        folder->get_Items(&items);
        LONG count = -1;
        items->get_Count(&count);
        return count;
    };
    CComPtr<IDispatch> copy;
    ASSERT_EQ(S_OK, mail->Copy(&copy));
    EXPECT_EQ(2, countOf(drafts));
    CComPtr<IDispatch> moved;
    ASSERT_EQ(S_OK, mail->Move(deleted, &moved));
    EXPECT_EQ(1, countOf(drafts));
    EXPECT_EQ(1, countOf(deleted));
    CComPtr<IDispatch> inDeleted;
    CComPtr<_Items> items;
    deleted->get_Items(&items);
    ASSERT_EQ(S_OK, items->Item(CComVariant(1), &inDeleted));
    CComBSTR subject;
    CComQIPtr<_MailItem>(inDeleted.p)->get_Subject(&subject);
    EXPECT_EQ("Answer", Text(subject));
}

TEST_F(MailItemTest, TheNameSpaceListsTheTopFolderOfEveryStore)
{
    OtherStore();
    // A session knows the stores its profile had when it logged on.
    std::unique_ptr<pollenta::outlook::OutlookHost> host;
    ASSERT_EQ(S_OK, pollenta::outlook::OutlookHost::Create(m_otherSession, {}, host));
    CComPtr<_Folders> folders;
    ASSERT_EQ(S_OK, NameSpaceOf(host->Application())->get_Folders(&folders));
    LONG count = 0;
    folders->get_Count(&count);
    EXPECT_EQ(2, count);
    CComPtr<MAPIFolder> top;
    ASSERT_EQ(S_OK, folders->Item(CComVariant(1), &top));
    CComPtr<_Folders> below;
    ASSERT_EQ(S_OK, top->get_Folders(&below));
    CComPtr<MAPIFolder> inbox;
    EXPECT_EQ(S_OK, below->Item(CComVariant("inbox"), &inbox));
}

TEST_F(MailItemTest, ARecipientsNewTypeIsWrittenOverItsOwnRow)
{
    CComPtr<_MailItem> mail = NewMail();
    ASSERT_TRUE(mail);
    CComPtr<Recipients> recipients;
    ASSERT_EQ(S_OK, mail->get_Recipients(&recipients));
    CComPtr<Recipient> ann, bob;
    ASSERT_EQ(S_OK, recipients->Add(CComBSTR("Ann Example <ann@example.org>"), &ann));
    ASSERT_EQ(S_OK, recipients->Add(CComBSTR("Bob Example <bob@example.org>"), &bob));
    EXPECT_EQ(E_INVALIDARG, bob->put_Type(0));
    ASSERT_EQ(S_OK, bob->put_Type(MAPI_CC));

    struct Row {
        const char* name;
        const char* address;
        LONG type;
    };
    const Row expected[] = {{"Ann Example", "ann@example.org", MAPI_TO}, {"Bob Example", "bob@example.org", MAPI_CC}};
    LONG count = 0;
    ASSERT_EQ(S_OK, recipients->get_Count(&count));
    ASSERT_EQ(2, count);
    for (LONG i = 0; i < count; ++i) {
        SCOPED_TRACE(expected[i].name);
        CComPtr<Recipient> read;
        ASSERT_EQ(S_OK, recipients->Item(CComVariant(i + 1), &read));
        CComBSTR name, address;
        LONG type = 0;
        read->get_Name(&name);
        read->get_Address(&address);
        read->get_Type(&type);
        EXPECT_EQ(expected[i].name, Text(name));
        EXPECT_EQ(expected[i].address, Text(address));
        EXPECT_EQ(expected[i].type, type);
    }
}
