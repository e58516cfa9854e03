#pragma once
// A profile with a draft, the client stand-in and the sending component's
// item, shared by the tests of both sending methods.

#include "MapiTestSupport.h"
#include "OutlookStandIn.h"
#include "classes/TMMailItem.h"
#include "lang/CWELanguages.h"
#include "sender/BlockPause.h"
#include "sender/BodyProperty.h"
#include "sender/CWEPersonalSender.h"
#include "sender/CWEProgress.h"
#include "sender/CWERollBackDlg.h"
#include "sender/SendingDialogs.h"

#include "ui/ListCtrl.h"

#include "com/ComBstr.h"
#include "com/ConnectionPoint.h"
#include "com/DispatchClient.h"
#include "com/ErrorInfo.h"
#include "com/EventSink.h"
#include "mapi/Mime.h"
#include "mapi/WrapCompressedRTFStream.h"
#include "ui/DialogHook.h"
#include "ui/MessageLoop.h"
#include "ui/Screenshot.h"
#include "win/Registry.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

inline const std::vector<BYTE> kPicture = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0xFF, 0x10, 0x80, 0x7F};

inline std::vector<MimeMessageData> SentMessages(const std::string& folder)
{
    std::vector<MimeMessageData> messages;
    if (!std::filesystem::exists(folder))
        return messages;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".eml")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<BYTE> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        messages.push_back(ParseMime(bytes));
    }
    return messages;
}

// The lines of the progress window's error list; then the user closes it.
inline std::vector<std::string> CloseAndReadErrors(CWEProgress& progress)
{
    std::vector<std::string> lines;
    CListCtrl list;
    list.Attach(progress.GetDlgItem(IDC_ERRORS_LIST));
    for (int i = 0; i < list.GetItemCount(); ++i)
        lines.push_back(list.GetItemText(i, 0));
    list.Detach();
    progress.OnCommand(IDCANCEL, BN_CLICKED, nullptr);
    return lines;
}

inline ULONG CountIn(IMAPIFolder* folder)
{
    CComPtr<IMAPITable> table;
    ULONG count = 0;
    if (SUCCEEDED(folder->GetContentsTable(0, &table)))
        table->GetRowCount(0, &count);
    return count;
}

class SolvendaTest : public CMapiTest {
public:
    void SetUp() override
    {
        CMapiTest::SetUp();
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        Languages().SelectLanguage(m_dir, "English");
        m_application = Application();
        m_drafts = SpecialFolder(m_store, PR_IPM_DRAFTS_ENTRYID);
        ASSERT_EQ(S_OK, m_drafts->CreateMessage(&IID_IMessage, 0, &m_draft));
        SetString(m_draft, PR_SUBJECT_A, "Survey for %%RECIPIENT%%");
        ASSERT_EQ(S_OK, TMMailItem::CreateInstance(IID_ITMMailItem3, reinterpret_cast<void**>(&m_object)));
        CComVariant code(static_cast<LONG>(0));
        ASSERT_EQ(S_OK, m_object->AddMacros(CComBSTR("%RECIPIENT%"), code, VARIANT_TRUE));
        CComVariant nameCode(static_cast<LONG>(1));
        ASSERT_EQ(S_OK, m_object->AddMacros(CComBSTR("%RECIPNAME%"), nameCode, VARIANT_TRUE));
    }

    void TearDown() override
    {
        if (m_cookie)
            pollenta::com::AtlUnadvise(m_object, DIID__ITMMailItemEvents, m_cookie);
        SetDialogShownHook({});
        m_object.Release();
        m_draft.Release();
        m_drafts.Release();
        m_application.Release();
        CMapiTest::TearDown();
    }

    CComPtr<IDispatch> Application()
    {
        CComPtr<IDispatch> application;
        standin::Application::CreateInstance(IID_IDispatch, reinterpret_cast<void**>(&application), m_session.p,
                                             m_store.p);
        return application;
    }

    std::string User(const std::string& name, const std::string& address)
    {
        return pollenta::mapi::AddMailUser(Book(), name, address, {});
    }

    // A To line entry as the client writes it once resolved: the address
    // book entry's id and name with its address and kind.
    void AddEntry(const std::string& entryId, const std::string& name, ULONG type = MAPI_TO)
    {
        std::vector<SPropValue> props(3);
        props[0].ulPropTag = PR_ENTRYID;
        props[0].Value.bin = {static_cast<ULONG>(entryId.size()), reinterpret_cast<LPBYTE>(const_cast<char*>(entryId.data()))};
        props[1].ulPropTag = PR_DISPLAY_NAME_A;
        props[1].Value.lpszA = const_cast<char*>(name.c_str());
        props[2].ulPropTag = PR_RECIPIENT_TYPE;
        props[2].Value.l = type;
        CComPtr<IAddrBook> book;
        ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &book));
        ULONG objectType = 0;
        CComPtr<IUnknown> object;
        // An entry the book does not know stays a bare row, as a stale one
        // would in a real draft.
        book->OpenEntry(static_cast<ULONG>(entryId.size()), Eid(entryId), nullptr, 0, &objectType, &object);
        CComQIPtr<IMAPIProp> entry(object.p);
        SizedSPropTagArray(4, wanted) = {4, {PR_EMAIL_ADDRESS_A, PR_ADDRTYPE_A, PR_OBJECT_TYPE, PR_DISPLAY_TYPE}};
        ULONG count = 0;
        LPSPropValue values = nullptr;
        if (entry)
            ASSERT_TRUE(SUCCEEDED(entry->GetProps(reinterpret_cast<LPSPropTagArray>(&wanted), 0, &count, &values)));
        for (ULONG i = 0; i < count; ++i)
            if (PROP_TYPE(values[i].ulPropTag) != PT_ERROR)
                props.push_back(values[i]);
        SizedADRLIST(1, list) = {1, {{0, static_cast<ULONG>(props.size()), props.data()}}};
        ASSERT_EQ(S_OK, m_draft->ModifyRecipients(MODRECIP_ADD, reinterpret_cast<LPADRLIST>(&list)));
        MAPIFreeBuffer(values);
    }

    // A Cc, or with MAPI_BCC a Bcc.
    void AddCc(const std::string& address, ULONG type = MAPI_CC)
    {
        AddRecipient(m_draft, address, address);
        CComPtr<IMAPITable> table;
        ASSERT_EQ(S_OK, m_draft->GetRecipientTable(0, &table));
        LPSRowSet rows = nullptr;
        ASSERT_EQ(S_OK, HrQueryAllRows(table, nullptr, nullptr, nullptr, 0, &rows));
        // The last row is the one just added: given its kind.
        SRow& row = rows->aRow[rows->cRows - 1];
        for (ULONG i = 0; i < row.cValues; ++i)
            if (row.lpProps[i].ulPropTag == PR_RECIPIENT_TYPE)
                row.lpProps[i].Value.l = static_cast<LONG>(type);
        SizedADRLIST(1, list) = {1, {{0, row.cValues, row.lpProps}}};
        ASSERT_EQ(S_OK, m_draft->ModifyRecipients(MODRECIP_MODIFY, reinterpret_cast<LPADRLIST>(&list)));
        FreeProws(rows);
    }

    void SetHtml(const std::string& html)
    {
        SPropValue value{};
        value.ulPropTag = PR_HTML;
        value.Value.bin = {static_cast<ULONG>(html.size()), reinterpret_cast<LPBYTE>(const_cast<char*>(html.data()))};
        ASSERT_EQ(S_OK, HrSetOneProp(m_draft, &value));
    }

    void SetRtf(const std::string& rtf)
    {
        ASSERT_EQ(S_OK, m_draft->SaveChanges(KEEP_OPEN_READWRITE));
        ASSERT_EQ(S_OK, WriteRtfBody(m_draft, rtf));
    }

    void AttachPicture()
    {
        CComPtr<IAttachment> attach;
        ULONG number = 0;
        ASSERT_EQ(S_OK, m_draft->CreateAttach(nullptr, 0, &number, &attach));
        SPropValue props[4] = {};
        props[0].ulPropTag = PR_ATTACH_DATA_BIN;
        props[0].Value.bin = {static_cast<ULONG>(kPicture.size()), const_cast<BYTE*>(kPicture.data())};
        props[1].ulPropTag = PR_ATTACH_MIME_TAG_A;
        props[1].Value.lpszA = const_cast<char*>("image/png");
        props[2].ulPropTag = PR_ATTACH_CONTENT_ID_A;
        props[2].Value.lpszA = const_cast<char*>("pic1");
        props[3].ulPropTag = PR_ATTACH_LONG_FILENAME_A;
        props[3].Value.lpszA = const_cast<char*>("_kqwpic_001.png");
        ASSERT_EQ(S_OK, attach->SetProps(4, props, nullptr));
        ASSERT_EQ(S_OK, attach->SaveChanges(0));
    }

    // What AddRecipientsOfEveryKind resolves to.
    static std::set<std::string> AddressesOfEveryKind()
    {
        return {"ann@example.com", "bob@example.com", "cid@example.com",
                "dan@example.com", "eve@example.com", "fay@example.com"};
    }

    // Users, a nested list, a list holding itself and a duplicate: six
    // distinct addresses.
    void AddRecipientsOfEveryKind()
    {
        const std::string u1 = User("Ann One", "ann@example.com");
        const std::string u2 = User("Bob Two", "bob@example.com");
        const std::string u3 = User("Cid Three", "cid@example.com");
        const std::string u4 = User("Dan Four", "dan@example.com");
        const std::string u5 = User("Eve Five", "eve@example.com");
        const std::string u6 = User("Fay Six", "fay@example.com");
        const std::string inner = pollenta::mapi::AddDistList(Book(), "Inner", {u5, u1});
        const std::string outer = pollenta::mapi::AddDistList(Book(), "Outer", {u4, inner});
        const std::string loop = pollenta::mapi::AddDistList(Book(), "Loop", {u6});
        ASSERT_EQ(S_OK, pollenta::mapi::AddDistListMember(Book(), loop, loop));
        ASSERT_EQ(S_OK, pollenta::mapi::AddDistListMember(Book(), inner, outer));
        AddEntry(u1, "Ann One");
        AddEntry(u2, "Bob Two");
        AddEntry(u3, "Cid Three");
        AddEntry(outer, "Outer");
        AddEntry(loop, "Loop");
        AddEntry(u2, "Bob Two");
    }

    CComPtr<IDispatch> DraftItem()
    {
        EXPECT_EQ(S_OK, m_draft->SaveChanges(KEEP_OPEN_READWRITE));
        return standin::MailItem::Make(m_application, m_drafts, m_draft);
    }

    HRESULT Send(bool showProgress = false)
    {
        EXPECT_EQ(S_OK, m_object->putref_Item(DraftItem()));
        return m_object->Solvenda(0, showProgress ? VARIANT_TRUE : VARIANT_FALSE, CComBSTR(""), CComBSTR(""));
    }

    std::vector<MimeMessageData> Sent() { return SentMessages(Outgoing()); }

    // The copies the spooler filed in Sent Items.
    std::vector<CComPtr<IMessage>> SentItems()
    {
        std::vector<CComPtr<IMessage>> copies;
        CComPtr<IMAPIFolder> sentItems = SpecialFolder(m_store, PR_IPM_SENTMAIL_ENTRYID);
        CComPtr<IMAPITable> table;
        EXPECT_EQ(S_OK, sentItems->GetContentsTable(0, &table));
        SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
        LPSRowSet rows = nullptr;
        EXPECT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
        for (ULONG i = 0; rows && i < rows->cRows; ++i) {
            const SBinary& eid = rows->aRow[i].lpProps[0].Value.bin;
            ULONG type = 0;
            CComPtr<IMessage> copy;
            EXPECT_EQ(S_OK, sentItems->OpenEntry(eid.cb, reinterpret_cast<LPENTRYID>(eid.lpb), &IID_IMessage, 0, &type,
                                                 reinterpret_cast<LPUNKNOWN*>(&copy)));
            copies.push_back(copy);
        }
        FreeProws(rows);
        return copies;
    }

    // The RTF of each copy, as kept in Sent Items.
    std::set<std::string> SentRtfBodies()
    {
        std::set<std::string> bodies;
        for (IMessage* copy : SentItems()) {
            std::string text;
            EXPECT_EQ(S_OK, ReadRtfBody(copy, text, false));
            bodies.insert(text);
        }
        return bodies;
    }

    // The handler hears the item's events until the test ends.
    void Advise(pollenta::com::EventHandler handler)
    {
        CComPtr<IDispatch> sink;
        ASSERT_EQ(S_OK, pollenta::com::CreateEventSink(DIID__ITMMailItemEvents, std::move(handler), &sink));
        ASSERT_EQ(S_OK, pollenta::com::AtlAdvise(m_object, sink, DIID__ITMMailItemEvents, &m_cookie));
    }

    // Each sent message by its one "To" address.
    std::map<std::string, MimeMessageData> SentByAddress()
    {
        std::map<std::string, MimeMessageData> byAddress;
        for (MimeMessageData& message : Sent()) {
            EXPECT_EQ(1u, message.to.size()) << message.subject;
            if (!message.to.empty())
                byAddress[message.to[0].address] = std::move(message);
        }
        return byAddress;
    }

    // Each sent message by its one "To" address, once every address of
    // `expected` is checked to have had one copy, titled for it and copied to
    // `cc` alone.
    std::map<std::string, MimeMessageData> ExpectOneCopyEach(const std::set<std::string>& expected,
                                                             const std::string& cc)
    {
        EXPECT_EQ(expected.size(), Sent().size());
        auto byAddress = SentByAddress();
        for (const std::string& address : expected) {
            SCOPED_TRACE(address);
            const auto found = byAddress.find(address);
            if (found == byAddress.end()) {
                ADD_FAILURE() << "no copy went to " << address;
                continue;
            }
            EXPECT_EQ("Survey for " + address, found->second.subject);
            EXPECT_EQ(1u, found->second.cc.size());
            if (!found->second.cc.empty())
                EXPECT_EQ(cc, found->second.cc[0].address);
        }
        return byAddress;
    }

    CComPtr<IDispatch> m_application;
    CComPtr<IMAPIFolder> m_drafts;
    CComPtr<IMessage> m_draft;
    CComPtr<ITMMailItem3> m_object;
    DWORD m_cookie = 0;
};

