#include "MapiTestSupport.h"

#include "com/Stream.h"
#include "mapi/WrapCompressedRTFStream.h"

#include <fstream>
#include <limits>
#include <set>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// {6ED8DA90-450B-101B-98DA-00AA003F1305}, a property set of our own.
constexpr GUID kOurSet = {0x6ED8DA90, 0x450B, 0x101B, {0x98, 0xDA, 0x00, 0xAA, 0x00, 0x3F, 0x13, 0x05}};
constexpr ULONG PR_TEST_I8 = PROP_TAG(PT_I8, 0x6700);
constexpr ULONG PR_TEST_DOUBLE = PROP_TAG(PT_DOUBLE, 0x6701);
constexpr ULONG PR_TEST_MV_STRING = PROP_TAG(PT_MV_STRING8, 0x6702);
constexpr ULONG PR_TEST_MV_LONG = PROP_TAG(PT_MV_LONG, 0x6703);
constexpr ULONG PR_TEST_CLSID = PROP_TAG(PT_CLSID, 0x6704);
const std::string kBinary("\0\1\2\0zero", 8);
const std::u16string kUnicode = u"Unicode body \u2713";

ULONG NamedTag(IMAPIProp* object, const GUID& set, LONG id, ULONG type, ULONG flags)
{
    MAPINAMEID name{const_cast<GUID*>(&set), MNID_ID, {id}};
    LPMAPINAMEID names[] = {&name};
    LPSPropTagArray tags = nullptr;
    HRESULT hr = object->GetIDsFromNames(1, names, flags, &tags);
    ULONG tag = SUCCEEDED(hr) && tags ? tags->aulPropTag[0] : PROP_TAG(PT_ERROR, 0);
    MAPIFreeBuffer(tags);
    return PROP_TYPE(tag) == PT_ERROR ? tag : CHANGE_PROP_TYPE(tag, type);
}

std::string AttachmentData()
{
    std::string data(200000, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>((i * 7) & 0xFF);
    return data;
}

void WriteEveryType(IMessage* message)
{
    CMapiTest::SetString(message, PR_SUBJECT_A, "Gr\xC3\xBC\xC3\x9F" "e");
    CMapiTest::SetLong(message, PR_FLAG_STATUS, 2);
    CMapiTest::SetTime(message, PR_MESSAGE_DELIVERY_TIME, 133000000000000000ULL);
    LONG longs[] = {1, -2, 3};
    char* strings[] = {const_cast<char*>("one"), const_cast<char*>("")};
    GUID clsid = kOurSet;
    SPropValue values[8] = {};
    values[0].ulPropTag = PR_RESPONSE_REQUESTED;
    values[0].Value.b = 1;
    values[1].ulPropTag = PR_BODY_W;
    values[1].Value.lpszW = const_cast<char16_t*>(kUnicode.c_str());
    values[2].ulPropTag = PR_SEARCH_KEY;
    values[2].Value.bin = {static_cast<ULONG>(kBinary.size()), reinterpret_cast<LPBYTE>(const_cast<char*>(kBinary.data()))};
    values[3].ulPropTag = PR_TEST_I8;
    values[3].Value.li.QuadPart = -1234567890123LL;
    values[4].ulPropTag = PR_TEST_DOUBLE;
    values[4].Value.dbl = 2.5;
    values[5].ulPropTag = PR_TEST_MV_STRING;
    values[5].Value.MVszA = {2, strings};
    values[6].ulPropTag = PR_TEST_MV_LONG;
    values[6].Value.MVl = {3, longs};
    values[7].ulPropTag = PR_TEST_CLSID;
    values[7].Value.lpguid = &clsid;
    LPSPropProblemArray problems = nullptr;
    ASSERT_EQ(S_OK, message->SetProps(8, values, &problems));
    ASSERT_NE(nullptr, problems);
    EXPECT_EQ(0u, problems->cProblem);
    MAPIFreeBuffer(problems);

    ULONG processed = NamedTag(message, kOurSet, 0x8001, PT_LONG, MAPI_CREATE);
    ULONG followUp = NamedTag(message, PSETID_Common, 0x8530, PT_STRING8, MAPI_CREATE);
    ASSERT_GE(PROP_ID(processed), 0x8000u);
    ASSERT_NE(PROP_ID(processed), PROP_ID(followUp));
    CMapiTest::SetLong(message, processed, 7);
    CMapiTest::SetString(message, followUp, "Follow up");

    CMapiTest::AddRecipient(message, "Bob", "bob@example.com");
    CMapiTest::AddRecipient(message, "Carol", "carol@example.com");

    ULONG num = 0;
    CComPtr<IAttachment> attach;
    ASSERT_EQ(S_OK, message->CreateAttach(&IID_IAttachment, 0, &num, &attach));
    CMapiTest::SetString(attach, PR_ATTACH_LONG_FILENAME_A, "picture.png");
    CMapiTest::SetString(attach, PR_ATTACH_CONTENT_ID_A, "pic1@here");
    CComPtr<IUnknown> unknown;
    ASSERT_EQ(S_OK, attach->OpenProperty(PR_ATTACH_DATA_BIN, &IID_IStream, 0, MAPI_CREATE | MAPI_MODIFY, &unknown));
    CComQIPtr<IStream> stream(unknown.p);
    std::string data = AttachmentData();
    ULONG written = 0;
    ASSERT_EQ(S_OK, stream->Write(data.data(), static_cast<ULONG>(data.size()), &written));
    ASSERT_EQ(S_OK, stream->Commit(STGC_DEFAULT));
    ASSERT_EQ(S_OK, attach->SaveChanges(KEEP_OPEN_READWRITE));
}

void ExpectEveryType(IMessage* message)
{
    EXPECT_EQ("Gr\xC3\xBC\xC3\x9F" "e", CMapiTest::GetString(message, PR_SUBJECT_A));
    ULONG processed = NamedTag(message, kOurSet, 0x8001, PT_LONG, 0);
    ULONG followUp = NamedTag(message, PSETID_Common, 0x8530, PT_STRING8, 0);
    EXPECT_EQ("Follow up", CMapiTest::GetString(message, followUp));
    SizedSPropTagArray(13, tags) = {13,
                                    {PR_FLAG_STATUS, PR_RESPONSE_REQUESTED, PR_BODY_W, PR_SEARCH_KEY,
                                     PR_MESSAGE_DELIVERY_TIME, PR_TEST_I8, PR_TEST_DOUBLE, PR_TEST_MV_STRING,
                                     PR_TEST_MV_LONG, PR_TEST_CLSID, processed, PR_BODY_A, PR_HASATTACH}};
    ULONG count = 0;
    LPSPropValue v = nullptr;
    ASSERT_EQ(S_OK, message->GetProps(reinterpret_cast<LPSPropTagArray>(&tags), 0, &count, &v));
    ASSERT_EQ(13u, count);
    EXPECT_EQ(2, v[0].Value.l);
    EXPECT_EQ(1, v[1].Value.b);
    EXPECT_EQ(kUnicode, std::u16string(v[2].Value.lpszW));
    EXPECT_EQ(kBinary, CMapiTest::Bytes(v[3].Value.bin));
    EXPECT_EQ(133000000000000000ULL,
              (static_cast<ULONGLONG>(v[4].Value.ft.dwHighDateTime) << 32) | v[4].Value.ft.dwLowDateTime);
    EXPECT_EQ(-1234567890123LL, v[5].Value.li.QuadPart);
    EXPECT_EQ(2.5, v[6].Value.dbl);
    ASSERT_EQ(2u, v[7].Value.MVszA.cValues);
    EXPECT_STREQ("one", v[7].Value.MVszA.lppszA[0]);
    EXPECT_STREQ("", v[7].Value.MVszA.lppszA[1]);
    ASSERT_EQ(3u, v[8].Value.MVl.cValues);
    EXPECT_EQ(-2, v[8].Value.MVl.lpl[1]);
    EXPECT_TRUE(IsEqualGUID(kOurSet, *v[9].Value.lpguid));
    EXPECT_EQ(7, v[10].Value.l);
    // The UTF-16 body reads as ANSI text too.
    EXPECT_STREQ("Unicode body \xE2\x9C\x93", v[11].Value.lpszA);
    EXPECT_EQ(1, v[12].Value.b);
    MAPIFreeBuffer(v);

    CComPtr<IMAPITable> recipients;
    ASSERT_EQ(S_OK, message->GetRecipientTable(0, &recipients));
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(recipients, nullptr, nullptr, nullptr, 0, &rows));
    ASSERT_EQ(2u, rows->cRows);
    EXPECT_STREQ("Carol", rows->aRow[1].lpProps[1].Value.lpszA);
    FreeProws(rows);

    CComPtr<IAttachment> attach;
    ASSERT_EQ(S_OK, message->OpenAttach(0, &IID_IAttachment, 0, &attach));
    EXPECT_EQ("picture.png", CMapiTest::GetString(attach, PR_ATTACH_LONG_FILENAME_A));
    EXPECT_EQ("pic1@here", CMapiTest::GetString(attach, PR_ATTACH_CONTENT_ID_A));
    CComPtr<IUnknown> unknown;
    ASSERT_EQ(S_OK, attach->OpenProperty(PR_ATTACH_DATA_BIN, &IID_IStream, 0, 0, &unknown));
    CComQIPtr<IStream> stream(unknown.p);
    std::string data;
    std::vector<char> buffer(65536);
    for (;;) {
        ULONG read = 0;
        HRESULT hr = stream->Read(buffer.data(), static_cast<ULONG>(buffer.size()), &read);
        data.append(buffer.data(), read);
        if (hr != S_OK || read == 0) break;
    }
    EXPECT_TRUE(data == AttachmentData());
}

}  // namespace

TEST_F(CMapiTest, SavedMessageKeepsEveryPropertyInANewProcess)
{
    CComPtr<IMAPIFolder> drafts = SpecialFolder(m_store, PR_IPM_DRAFTS_ENTRYID);
    CComPtr<IMessage> message;
    ASSERT_EQ(S_OK, drafts->CreateMessage(&IID_IMessage, 0, &message));
    WriteEveryType(message);
    ASSERT_EQ(S_OK, message->SaveChanges(KEEP_OPEN_READWRITE));
    std::string eid = EntryIdProp(message);
    ExpectEveryType(message);
    m_store.Release();
    message.Release();
    drafts.Release();

    std::ofstream(m_dir + "/message.eid", std::ios::binary) << eid;
    setenv("POLLENTA_MAPI_CHILD", m_dir.c_str(), 1);
    char* args[] = {const_cast<char*>("/proc/self/exe"),
                    const_cast<char*>("--gtest_filter=MapiChildProcess.DISABLED_ReadsTheSavedMessage"),
                    const_cast<char*>("--gtest_also_run_disabled_tests"), nullptr};
    pid_t child = 0;
    ASSERT_EQ(0, posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, args, environ));
    unsetenv("POLLENTA_MAPI_CHILD");
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(std::filesystem::exists(m_dir + "/child.ok"));
}

// Properties go to the file some at a time: a message with more of them
// than one statement takes keeps every one, when saved new and when most
// of them change.
TEST_F(CMapiTest, AMessageWithManyPropertiesKeepsEachWhenSavedAndChanged)
{
    constexpr ULONG kFirst = 0x6700;
    constexpr ULONG kCount = 75;
    CComPtr<IMAPIFolder> drafts = SpecialFolder(m_store, PR_IPM_DRAFTS_ENTRYID);
    CComPtr<IMessage> message;
    ASSERT_EQ(S_OK, drafts->CreateMessage(&IID_IMessage, 0, &message));
    for (ULONG i = 0; i < kCount; ++i) SetString(message, PROP_TAG(PT_STRING8, kFirst + i), "first " + std::to_string(i));
    ASSERT_EQ(S_OK, message->SaveChanges(KEEP_OPEN_READWRITE));
    for (ULONG i = 0; i < kCount; i += 3) SetString(message, PROP_TAG(PT_STRING8, kFirst + i), "kept " + std::to_string(i));
    for (ULONG i = 1; i < kCount; i += 3) SetString(message, PROP_TAG(PT_STRING8, kFirst + i), "second " + std::to_string(i));
    ASSERT_EQ(S_OK, message->SaveChanges(KEEP_OPEN_READWRITE));
    std::string eid = EntryIdProp(message);
    message.Release();

    ULONG type = 0;
    CComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, m_store->OpenEntry(static_cast<ULONG>(eid.size()), Eid(eid), nullptr, 0, &type, &object));
    CComQIPtr<IMessage> saved(object.p);
    for (ULONG i = 0; i < kCount; ++i) {
        const char* expected = i % 3 == 0 ? "kept " : i % 3 == 1 ? "second " : "first ";
        EXPECT_EQ(expected + std::to_string(i), GetString(saved, PROP_TAG(PT_STRING8, kFirst + i))) << i;
    }
}

// The second half of the test above, run by it in a process of its own.
// Disabled, so that it runs only when the test above asks for it.
TEST(MapiChildProcess, DISABLED_ReadsTheSavedMessage)
{
    const char* dir = getenv("POLLENTA_MAPI_CHILD");
    if (!dir) GTEST_SKIP() << "run by SavedMessageKeepsEveryPropertyInANewProcess";
    std::ifstream in(std::string(dir) + "/message.eid", std::ios::binary);
    std::string eid((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(S_OK, MAPIInitialize(nullptr));
    CComPtr<IMAPISession> session;
    ASSERT_EQ(S_OK, MAPILogonEx(0, const_cast<char*>("Test"), nullptr, MAPI_EXTENDED, &session));
    ULONG type = 0;
    CComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, session->OpenEntry(static_cast<ULONG>(eid.size()), CMapiTest::Eid(eid), &IID_IMessage,
                                       MAPI_BEST_ACCESS, &type, &object));
    EXPECT_EQ(MAPI_MESSAGE, type);
    CComQIPtr<IMessage> message(object.p);
    ExpectEveryType(message);
    message.Release();
    object.Release();
    session.Release();
    MAPIUninitialize();
    if (!HasFailure()) std::ofstream(std::string(dir) + "/child.ok") << "ok";
}

TEST_F(CMapiTest, MissingAndMistypedPropertiesComeBackAsErrorValues)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    CComPtr<IMessage> message;
    ASSERT_EQ(S_OK, inbox->CreateMessage(nullptr, 0, &message));
    SetString(message, PR_SUBJECT_A, "Subject");
    SizedSPropTagArray(3, tags) = {3, {PR_SUBJECT_A, PR_BODY_A, CHANGE_PROP_TYPE(PR_SUBJECT_A, PT_LONG)}};
    ULONG count = 0;
    LPSPropValue values = nullptr;
    ASSERT_EQ(MAPI_W_ERRORS_RETURNED, message->GetProps(reinterpret_cast<LPSPropTagArray>(&tags), 0, &count, &values));
    ASSERT_EQ(3u, count);
    EXPECT_STREQ("Subject", values[0].Value.lpszA);
    EXPECT_EQ(PROP_TAG(PT_ERROR, PROP_ID(PR_BODY_A)), values[1].ulPropTag);
    EXPECT_EQ(MAPI_E_NOT_FOUND, values[1].Value.err);
    EXPECT_EQ(PT_ERROR, PROP_TYPE(values[2].ulPropTag));
    EXPECT_EQ(MAPI_E_INVALID_TYPE, values[2].Value.err);
    MAPIFreeBuffer(values);

    LPSPropValue one = nullptr;
    EXPECT_EQ(MAPI_E_NOT_FOUND, HrGetOneProp(message, PR_BODY_A, &one));
    EXPECT_EQ(nullptr, one);

    // Entry ids are only known once the message is saved.
    EXPECT_EQ(MAPI_E_NOT_FOUND, HrGetOneProp(message, PR_ENTRYID, &one));
    SPropValue computed{};
    computed.ulPropTag = PR_ENTRYID;
    LPSPropProblemArray problems = nullptr;
    ASSERT_EQ(S_OK, message->SetProps(1, &computed, &problems));
    ASSERT_EQ(1u, problems->cProblem);
    EXPECT_EQ(MAPI_E_COMPUTED, problems->aProblem[0].scode);
    MAPIFreeBuffer(problems);

    LPMAPIERROR error = nullptr;
    ASSERT_EQ(S_OK, message->GetLastError(MAPI_E_NOT_FOUND, 0, &error));
    EXPECT_NE(nullptr, error->lpszError);
    MAPIFreeBuffer(error);
}

TEST_F(CMapiTest, EntryIdsOfTheWrongLengthOrAnotherStoreAreRefused)
{
    CComPtr<IMsgStore> other = OtherStore();
    ASSERT_TRUE(other);
    CComPtr<IMAPISession> session = m_otherSession;
    std::string otherInbox = EntryIdProp(other, PR_IPM_OUTBOX_ENTRYID);

    ULONG type = 0;
    CComPtr<IUnknown> object;
    EXPECT_EQ(MAPI_E_INVALID_ENTRYID, m_store->OpenEntry(static_cast<ULONG>(otherInbox.size()), Eid(otherInbox),
                                                         nullptr, 0, &type, &object));
    std::string cut = otherInbox.substr(0, otherInbox.size() - 1);
    EXPECT_EQ(MAPI_E_INVALID_ENTRYID, other->OpenEntry(static_cast<ULONG>(cut.size()), Eid(cut), nullptr, 0, &type, &object));
    EXPECT_EQ(MAPI_E_INVALID_ENTRYID, m_session->OpenEntry(3, Eid("abc"), nullptr, 0, &type, &object));
    // The session finds the store an entry id belongs to.
    EXPECT_EQ(S_OK, session->OpenEntry(static_cast<ULONG>(otherInbox.size()), Eid(otherInbox), nullptr, 0, &type, &object));
    EXPECT_EQ(MAPI_FOLDER, type);

    ULONG same = TRUE;
    std::string mine = EntryIdProp(m_store, PR_IPM_OUTBOX_ENTRYID);
    ASSERT_EQ(S_OK, m_session->CompareEntryIDs(static_cast<ULONG>(mine.size()), Eid(mine),
                                               static_cast<ULONG>(otherInbox.size()), Eid(otherInbox), 0, &same));
    EXPECT_FALSE(same);
    ASSERT_EQ(S_OK, m_store->CompareEntryIDs(static_cast<ULONG>(mine.size()), Eid(mine), static_cast<ULONG>(mine.size()),
                                             Eid(mine), 0, &same));
    EXPECT_TRUE(same);
}

TEST_F(CMapiTest, DamagedStoreFileIsReportedAndOthersStayUsable)
{
    std::string brokenId;
    std::string path = m_dir + "/broken.store";
    ASSERT_EQ(S_OK, pollenta::mapi::CreateStore("Test", path, "Broken", false, &brokenId));
    std::filesystem::remove(path + "-wal");
    std::filesystem::remove(path + "-shm");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(8192, 'x');
    CComPtr<IMAPISession> session;
    ASSERT_EQ(S_OK, MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &session));
    CComPtr<IMsgStore> broken;
    EXPECT_EQ(MAPI_E_CORRUPT_STORE, session->OpenMsgStore(0, static_cast<ULONG>(brokenId.size()), Eid(brokenId), nullptr,
                                                          MAPI_BEST_ACCESS, &broken));
    EXPECT_FALSE(broken);
    LPMAPIERROR error = nullptr;
    ASSERT_EQ(S_OK, session->GetLastError(MAPI_E_CORRUPT_STORE, 0, &error));
    EXPECT_NE(std::string::npos, std::string(error->lpszError).find("damaged"));
    MAPIFreeBuffer(error);
    EXPECT_FALSE(SaveMessage(Inbox(m_store), "still works").empty());
}

TEST_F(CMapiTest, PropertyStreamsReadToTheEndAndReplaceOnlyOnCommit)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    CComPtr<IMessage> message;
    ASSERT_EQ(S_OK, inbox->CreateMessage(nullptr, 0, &message));
    CComPtr<IUnknown> unknown;
    EXPECT_EQ(MAPI_E_NOT_FOUND, message->OpenProperty(PR_BODY_A, &IID_IStream, 0, 0, &unknown));
    ASSERT_EQ(S_OK, message->OpenProperty(PR_BODY_A, &IID_IStream, 0, MAPI_CREATE | MAPI_MODIFY, &unknown));
    CComQIPtr<IStream> writer(unknown.p);
    ASSERT_EQ(S_OK, writer->Write("hello", 5, nullptr));
    EXPECT_EQ("<missing>", GetString(message, PR_BODY_A));
    ASSERT_EQ(S_OK, writer->Commit(STGC_OVERWRITE));
    EXPECT_EQ("hello", GetString(message, PR_BODY_A));

    CComPtr<IUnknown> readerUnknown;
    ASSERT_EQ(S_OK, message->OpenProperty(PR_BODY_A, &IID_IStream, 0, 0, &readerUnknown));
    CComQIPtr<IStream> reader(readerUnknown.p);
    char buffer[16] = {};
    ULONG read = 0;
    EXPECT_EQ(S_OK, reader->Read(buffer, sizeof buffer, &read));
    EXPECT_EQ(5u, read);
    EXPECT_EQ(S_FALSE, reader->Read(buffer, sizeof buffer, &read));
    EXPECT_EQ(0u, read);
    LARGE_INTEGER far{};
    far.QuadPart = 1000;
    ASSERT_EQ(S_OK, reader->Seek(far, STREAM_SEEK_SET, nullptr));
    EXPECT_EQ(S_FALSE, reader->Read(buffer, sizeof buffer, &read));
    EXPECT_EQ(0u, read);
    EXPECT_NE(S_OK, reader->Write("x", 1, nullptr));
}

TEST_F(CMapiTest, PropertyStreamsRefuseToGrowPastTheLargestValue)
{
    CComPtr<IMessage> message;
    ASSERT_EQ(S_OK, Inbox(m_store)->CreateMessage(nullptr, 0, &message));
    CComPtr<IUnknown> unknown;
    ASSERT_EQ(S_OK, message->OpenProperty(PR_BODY_A, &IID_IStream, 0, MAPI_CREATE | MAPI_MODIFY, &unknown));
    CComQIPtr<IStream> writer(unknown.p);
    LARGE_INTEGER far{};
    far.QuadPart = 1LL << 40;
    ASSERT_EQ(S_OK, writer->Seek(far, STREAM_SEEK_SET, nullptr));
    EXPECT_EQ(STG_E_MEDIUMFULL, writer->Write("x", 1, nullptr));
    LARGE_INTEGER farthest{};
    farthest.QuadPart = std::numeric_limits<LONGLONG>::max();
    EXPECT_EQ(STG_E_INVALIDFUNCTION, writer->Seek(farthest, STREAM_SEEK_CUR, nullptr));
    ASSERT_EQ(S_OK, writer->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
    ASSERT_EQ(S_OK, writer->Write("ok", 2, nullptr));
    ASSERT_EQ(S_OK, writer->Commit(STGC_OVERWRITE));
    EXPECT_EQ("ok", GetString(message, PR_BODY_A));
}

TEST_F(CMapiTest, UnsavedNewMessagesAreDiscarded)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    {
        CComPtr<IMessage> message;
        ASSERT_EQ(S_OK, inbox->CreateMessage(nullptr, 0, &message));
        SetString(message, PR_SUBJECT_A, "never saved");
    }
    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, inbox->GetContentsTable(0, &table));
    ULONG count = 99;
    ASSERT_EQ(S_OK, table->GetRowCount(0, &count));
    EXPECT_EQ(0u, count);
}

TEST_F(CMapiTest, CopyToCarriesPropertiesRecipientsAndAttachments)
{
    CComPtr<IMAPIFolder> drafts = SpecialFolder(m_store, PR_IPM_DRAFTS_ENTRYID);
    CComPtr<IMessage> source;
    ASSERT_EQ(S_OK, drafts->CreateMessage(nullptr, 0, &source));
    WriteEveryType(source);
    CComPtr<IMessage> target;
    ASSERT_EQ(S_OK, drafts->CreateMessage(nullptr, 0, &target));
    ASSERT_EQ(S_OK, source->CopyTo(0, nullptr, nullptr, 0, nullptr, &IID_IMessage, target.p, 0, nullptr));
    ASSERT_EQ(S_OK, target->SaveChanges(0));
    std::string eid = EntryIdProp(target);
    ULONG type = 0;
    CComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, m_store->OpenEntry(static_cast<ULONG>(eid.size()), Eid(eid), &IID_IMessage, 0, &type, &object));
    ExpectEveryType(CComQIPtr<IMessage>(object.p));
}

TEST_F(CMapiTest, StoreOpenedWithoutWriteAccessRefusesChanges)
{
    std::string eid = SaveMessage(Inbox(m_store), "read only");
    CComPtr<IMsgStore> readOnly = OpenStore(m_storeId, MDB_NO_MAIL | MDB_TEMPORARY);
    ULONG type = 0;
    CComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, readOnly->OpenEntry(static_cast<ULONG>(eid.size()), Eid(eid), &IID_IMessage, 0, &type, &object));
    CComQIPtr<IMessage> message(object.p);
    SPropValue subject{};
    subject.ulPropTag = PR_SUBJECT_A;
    subject.Value.lpszA = const_cast<char*>("changed");
    EXPECT_EQ(MAPI_E_NO_ACCESS, message->SetProps(1, &subject, nullptr));
    EXPECT_EQ(MAPI_E_NO_ACCESS, message->SaveChanges(0));
    EXPECT_EQ(PROP_TAG(PT_ERROR, 0), NamedTag(readOnly, kOurSet, 0x7777, PT_LONG, 0));
    EXPECT_EQ(PROP_TAG(PT_ERROR, 0), NamedTag(readOnly, kOurSet, 0x7777, PT_LONG, MAPI_CREATE));
    EXPECT_EQ("read only", GetString(message, PR_SUBJECT_A));

    LPSPropValue mask = nullptr;
    ASSERT_EQ(S_OK, HrGetOneProp(message, PR_STORE_SUPPORT_MASK, &mask));
    EXPECT_TRUE(mask->Value.l & STORE_READONLY);
    EXPECT_TRUE(mask->Value.l & STORE_UNCOMPRESSED_RTF);
    // Submitting is bit 0x80; 0x800 would claim RTF support instead.
    EXPECT_EQ(0x80, mask->Value.l & 0x880);
    MAPIFreeBuffer(mask);
}

TEST_F(CMapiTest, RecipientsAreReplacedChangedAndRemovedByRowId)
{
    CComPtr<IMAPIFolder> drafts = SpecialFolder(m_store, PR_IPM_DRAFTS_ENTRYID);
    CComPtr<IMessage> message;
    ASSERT_EQ(S_OK, drafts->CreateMessage(nullptr, 0, &message));
    AddRecipient(message, "Ann", "ann@example.com");
    AddRecipient(message, "Ben", "ben@example.com");
    AddRecipient(message, "Cat", "cat@example.com");

    SPropValue change[3] = {};
    change[0].ulPropTag = PR_ROWID;
    change[0].Value.l = 1;
    change[1].ulPropTag = PR_DISPLAY_NAME_A;
    change[1].Value.lpszA = const_cast<char*>("Benjamin");
    change[2].ulPropTag = PROP_TAG(PT_ERROR, PROP_ID(PR_EMAIL_ADDRESS_A));
    change[2].Value.err = MAPI_E_NOT_FOUND;
    SizedADRLIST(1, modify) = {1, {{0, 3, change}}};
    ASSERT_EQ(S_OK, message->ModifyRecipients(MODRECIP_MODIFY, reinterpret_cast<LPADRLIST>(&modify)));
    SPropValue remove[1] = {};
    remove[0].ulPropTag = PR_ROWID;
    remove[0].Value.l = 0;
    ADRLIST removal{1, {{0, 1, remove}}};
    ASSERT_EQ(S_OK, message->ModifyRecipients(MODRECIP_REMOVE, &removal));
    remove[0].Value.l = 42;
    EXPECT_EQ(MAPI_E_NOT_FOUND, message->ModifyRecipients(MODRECIP_REMOVE, &removal));
    ASSERT_EQ(S_OK, message->SaveChanges(KEEP_OPEN_READWRITE));

    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, message->GetRecipientTable(0, &table));
    SizedSPropTagArray(3, columns) = {3, {PR_ROWID, PR_DISPLAY_NAME_A, PR_EMAIL_ADDRESS_A}};
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    ASSERT_EQ(2u, rows->cRows);
    EXPECT_EQ(1, rows->aRow[0].lpProps[0].Value.l);
    EXPECT_STREQ("Benjamin", rows->aRow[0].lpProps[1].Value.lpszA);
    EXPECT_EQ(PT_ERROR, PROP_TYPE(rows->aRow[0].lpProps[2].ulPropTag));
    EXPECT_STREQ("Cat", rows->aRow[1].lpProps[1].Value.lpszA);
    FreeProws(rows);
    // A changed row holds only what was given: Benjamin has no recipient
    // type any more, so only Cat is listed as "To".
    EXPECT_EQ("Cat", GetString(message, PR_DISPLAY_TO_A));

    // Flags 0 replace them all.
    SPropValue only[1] = {};
    only[0].ulPropTag = PR_DISPLAY_NAME_A;
    only[0].Value.lpszA = const_cast<char*>("Dan");
    ADRLIST replace{1, {{0, 1, only}}};
    ASSERT_EQ(S_OK, message->ModifyRecipients(0, &replace));
    CComPtr<IMAPITable> after;
    ASSERT_EQ(S_OK, message->GetRecipientTable(0, &after));
    ULONG count = 0;
    ASSERT_EQ(S_OK, after->GetRowCount(0, &count));
    EXPECT_EQ(1u, count);
}

TEST_F(CMapiTest, RtfBodyWrittenThroughTheCompressedStreamReadsBack)
{
    CComPtr<IMAPIFolder> drafts = SpecialFolder(m_store, PR_IPM_DRAFTS_ENTRYID);
    CComPtr<IMessage> message;
    ASSERT_EQ(S_OK, drafts->CreateMessage(nullptr, 0, &message));
    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1252 Hello {\\b bold} world\\par}";
    for (ULONG mode : {0u, STORE_UNCOMPRESSED_RTF}) {
        CComPtr<IUnknown> unknown;
        ASSERT_EQ(S_OK, message->OpenProperty(PR_RTF_COMPRESSED, &IID_IStream, 0, MAPI_CREATE | MAPI_MODIFY, &unknown));
        CComQIPtr<IStream> compressed(unknown.p);
        CComPtr<IStream> text;
        ASSERT_EQ(S_OK, WrapCompressedRTFStream(compressed, MAPI_MODIFY | mode, &text));
        ASSERT_EQ(S_OK, text->Write(rtf.data(), static_cast<ULONG>(rtf.size()), nullptr));
        ASSERT_EQ(S_OK, text->Commit(STGC_OVERWRITE));
        BOOL updated = FALSE;
        ASSERT_EQ(S_OK, RTFSync(message, RTF_SYNC_RTF_CHANGED, &updated));
        ASSERT_EQ(S_OK, message->SaveChanges(KEEP_OPEN_READWRITE));

        CComPtr<IUnknown> readUnknown;
        ASSERT_EQ(S_OK, message->OpenProperty(PR_RTF_COMPRESSED, &IID_IStream, 0, 0, &readUnknown));
        CComQIPtr<IStream> stored(readUnknown.p);
        CComPtr<IStream> reader;
        ASSERT_EQ(S_OK, WrapCompressedRTFStream(stored, 0, &reader));
        char buffer[256] = {};
        ULONG read = 0;
        reader->Read(buffer, sizeof buffer, &read);
        EXPECT_EQ(rtf, std::string(buffer, read));
    }
    LPSPropValue inSync = nullptr;
    ASSERT_EQ(S_OK, HrGetOneProp(message, PR_RTF_IN_SYNC, &inSync));
    EXPECT_TRUE(inSync->Value.b);
    MAPIFreeBuffer(inSync);

    SPropValue damaged{};
    damaged.ulPropTag = PR_RTF_COMPRESSED;
    damaged.Value.bin = {4, reinterpret_cast<LPBYTE>(const_cast<char*>("junk"))};
    ASSERT_EQ(S_OK, HrSetOneProp(message, &damaged));
    EXPECT_EQ(MAPI_E_CORRUPT_DATA, RTFSync(message, RTF_SYNC_RTF_CHANGED, nullptr));
}

TEST_F(CMapiTest, MessagesMoveBetweenStoresWhole)
{
    CComPtr<IMsgStore> other = OtherStore();
    ASSERT_TRUE(other);
    CComPtr<IMAPIFolder> source = Inbox(m_store);
    std::string eid = SaveMessage(source, "travels");
    CComPtr<IMAPIFolder> target = Inbox(other);
    SBinary bin = {static_cast<ULONG>(eid.size()), reinterpret_cast<LPBYTE>(eid.data())};
    ENTRYLIST list = {1, &bin};
    ASSERT_EQ(S_OK, source->CopyMessages(&list, nullptr, target.p, 0, nullptr, MESSAGE_MOVE));

    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, target->GetContentsTable(0, &table));
    SizedSPropTagArray(2, columns) = {2, {PR_SUBJECT_A, PR_DISPLAY_TO_A}};
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    ASSERT_EQ(1u, rows->cRows);
    EXPECT_STREQ("travels", rows->aRow[0].lpProps[0].Value.lpszA);
    EXPECT_STREQ("Bob", rows->aRow[0].lpProps[1].Value.lpszA);
    FreeProws(rows);
    ULONG type = 0;
    CComPtr<IUnknown> gone;
    EXPECT_EQ(MAPI_E_NOT_FOUND, m_store->OpenEntry(static_cast<ULONG>(eid.size()), Eid(eid), nullptr, 0, &type, &gone));
    // Moving it again from where it no longer is changes nothing.
    EXPECT_EQ(MAPI_W_PARTIAL_COMPLETION, source->CopyMessages(&list, nullptr, target.p, 0, nullptr, MESSAGE_MOVE));
}

TEST_F(CMapiTest, SavingAMessageDeletedMeanwhileFailsWithoutLeavingRemains)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    std::string eid = SaveMessage(inbox, "doomed");
    ULONG type = 0;
    CComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, m_store->OpenEntry(static_cast<ULONG>(eid.size()), Eid(eid), &IID_IMessage, MAPI_BEST_ACCESS, &type,
                                       &object));
    CComQIPtr<IMessage> message(object.p);
    SBinary bin = {static_cast<ULONG>(eid.size()), reinterpret_cast<LPBYTE>(eid.data())};
    ENTRYLIST list = {1, &bin};
    ASSERT_EQ(S_OK, inbox->DeleteMessages(&list, 0, nullptr, 0));
    SetString(message, PR_SUBJECT_A, "revived?");
    EXPECT_EQ(MAPI_E_OBJECT_DELETED, message->SaveChanges(KEEP_OPEN_READWRITE));
    CComPtr<IUnknown> gone;
    EXPECT_EQ(MAPI_E_NOT_FOUND, m_store->OpenEntry(static_cast<ULONG>(eid.size()), Eid(eid), nullptr, 0, &type, &gone));
    EXPECT_EQ(MAPI_W_PARTIAL_COMPLETION, inbox->DeleteMessages(&list, 0, nullptr, 0));
}

// Two openings of one message, as a client and a component have: each save
// writes what that opening changed and leaves the other's changes alone.
TEST_F(CMapiTest, SavingWritesWhatThisOpeningChangedAndKeepsWhatAnotherSaved)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    std::string eid = SaveMessage(inbox, "first");
    auto open = [&] {
        ULONG type = 0;
        CComPtr<IUnknown> object;
        EXPECT_EQ(S_OK, m_store->OpenEntry(static_cast<ULONG>(eid.size()), Eid(eid), &IID_IMessage, MAPI_BEST_ACCESS,
                                           &type, &object));
        return CComQIPtr<IMessage>(object.p);
    };
    CComQIPtr<IMessage> one = open();
    CComQIPtr<IMessage> other = open();
    SetString(one, PR_BODY_A, "body");
    AddRecipient(one, "Cid", "cid@example.com");
    ASSERT_EQ(S_OK, one->SaveChanges(KEEP_OPEN_READWRITE));
    // The other opening never saw the body or Cid.
    SizedSPropTagArray(1, subjectTag) = {1, {PR_SUBJECT_A}};
    ASSERT_EQ(S_OK, other->DeleteProps(reinterpret_cast<LPSPropTagArray>(&subjectTag), nullptr));
    ASSERT_EQ(S_OK, other->SaveChanges(KEEP_OPEN_READWRITE));

    CComQIPtr<IMessage> saved = open();
    EXPECT_EQ("body", GetString(saved, PR_BODY_A));
    LPSPropValue subject = nullptr;
    EXPECT_EQ(MAPI_E_NOT_FOUND, HrGetOneProp(saved, PR_SUBJECT_A, &subject));
    MAPIFreeBuffer(subject);
    CComPtr<IMAPITable> recipients;
    ASSERT_EQ(S_OK, saved->GetRecipientTable(0, &recipients));
    ULONG count = 0;
    ASSERT_EQ(S_OK, recipients->GetRowCount(0, &count));
    EXPECT_EQ(2u, count);
}

TEST_F(CMapiTest, EntryListsWithoutTheirIdsAreRefused)
{
    CComPtr<IMAPIFolder> inbox = Inbox(m_store);
    CComPtr<IMAPIFolder> drafts = SpecialFolder(m_store, PR_IPM_DRAFTS_ENTRYID);
    ENTRYLIST list = {3, nullptr};
    EXPECT_EQ(MAPI_E_INVALID_PARAMETER, inbox->CopyMessages(&list, nullptr, drafts.p, 0, nullptr, MESSAGE_MOVE));
    EXPECT_EQ(MAPI_E_INVALID_PARAMETER, inbox->DeleteMessages(&list, 0, nullptr, 0));
    ENTRYLIST empty = {0, nullptr};
    EXPECT_EQ(S_OK, inbox->DeleteMessages(&empty, 0, nullptr, 0));
}

namespace {

// Creates names kOurSet/first..first+count-1 in the default store; the
// tags, in order, or nothing when a call fails.
std::vector<ULONG> CreateNames(IMsgStore* store, LONG first, int count)
{
    std::vector<ULONG> tags;
    for (LONG id = first; id < first + count; ++id) {
        ULONG tag = NamedTag(store, kOurSet, id, PT_LONG, MAPI_CREATE);
        if (PROP_TYPE(tag) == PT_ERROR) return {};
        tags.push_back(tag);
    }
    return tags;
}

constexpr int kNamesPerProcess = 150;

}  // namespace

TEST_F(CMapiTest, NamedPropertiesCreatedByProcessesAtOnceGetTheirOwnIds)
{
    // Asked for before another process names it: not known yet, and found
    // once named there.
    EXPECT_EQ(static_cast<ULONG>(PT_ERROR), PROP_TYPE(NamedTag(m_store, kOurSet, 1000, PT_LONG, 0)));
    setenv("POLLENTA_MAPI_CHILD", m_dir.c_str(), 1);
    std::vector<pid_t> children;
    for (const char* filter : {"--gtest_filter=MapiChildProcess.DISABLED_CreatesNamesFrom1000",
                               "--gtest_filter=MapiChildProcess.DISABLED_CreatesNamesFrom2000"}) {
        char* args[] = {const_cast<char*>("/proc/self/exe"), const_cast<char*>(filter),
                        const_cast<char*>("--gtest_also_run_disabled_tests"), nullptr};
        pid_t child = 0;
        ASSERT_EQ(0, posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, args, environ));
        children.push_back(child);
    }
    unsetenv("POLLENTA_MAPI_CHILD");
    std::vector<ULONG> mine = CreateNames(m_store, 3000, kNamesPerProcess);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(child, waitpid(child, &status, 0));
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ASSERT_EQ(static_cast<std::size_t>(kNamesPerProcess), mine.size());
    std::set<ULONG> ids;
    for (LONG first : {1000, 2000, 3000}) {
        for (LONG id = first; id < first + kNamesPerProcess; ++id) {
            ULONG tag = NamedTag(m_store, kOurSet, id, PT_LONG, 0);
            ASSERT_NE(PT_ERROR, PROP_TYPE(tag)) << id;
            EXPECT_GE(PROP_ID(tag), 0x8000u);
            ids.insert(PROP_ID(tag));
        }
    }
    EXPECT_EQ(static_cast<std::size_t>(3 * kNamesPerProcess), ids.size());
    EXPECT_EQ(mine, CreateNames(m_store, 3000, kNamesPerProcess));
}

// The other writers of the test above, each run in a process of its own.
void CreateNamesInChild(LONG first)
{
    const char* dir = getenv("POLLENTA_MAPI_CHILD");
    if (!dir) GTEST_SKIP() << "run by NamedPropertiesCreatedByProcessesAtOnceGetTheirOwnIds";
    ASSERT_EQ(S_OK, MAPIInitialize(nullptr));
    {
        CComPtr<IMAPISession> session;
        ASSERT_EQ(S_OK, MAPILogonEx(0, const_cast<char*>("Test"), nullptr, MAPI_EXTENDED, &session));
        CComPtr<IMAPITable> table;
        ASSERT_EQ(S_OK, session->GetMsgStoresTable(0, &table));
        LPSRowSet rows = nullptr;
        SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
        ASSERT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
        ASSERT_LE(1u, rows->cRows);
        CComPtr<IMsgStore> store;
        const SBinary& eid = rows->aRow[0].lpProps[0].Value.bin;
        ASSERT_EQ(S_OK, session->OpenMsgStore(0, eid.cb, reinterpret_cast<LPENTRYID>(eid.lpb), &IID_IMsgStore,
                                              MAPI_BEST_ACCESS, &store));
        FreeProws(rows);
        EXPECT_EQ(static_cast<std::size_t>(kNamesPerProcess), CreateNames(store, first, kNamesPerProcess).size());
    }
    MAPIUninitialize();
}

// Disabled, so that they run only when the test above asks for them.
TEST(MapiChildProcess, DISABLED_CreatesNamesFrom1000) { CreateNamesInChild(1000); }
TEST(MapiChildProcess, DISABLED_CreatesNamesFrom2000) { CreateNamesInChild(2000); }
