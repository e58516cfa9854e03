// One answer message processed on the calling thread: the processed mark,
// the subject marks and the five message actions, on messages of a real
// store.

#include "AnswerMessageFixture.h"
#include "MessageWithFailingSetProps.h"

#include "message/AttachmentData.h"
#include "message/CWEAnswerMessage.h"
#include "message/ProcessedMark.h"

#include "util/CZrMapiBufferPtr.h"

#include "mapi/MapiAdmin.h"
#include "win/Time.h"

namespace {

class AnswerMessageTest : public AnswerMessageFixture {
protected:
    // Delivers an answer and processes it with the given settings.
    CComPtr<IMessage> ProcessAnswer(const std::string& subject, const CWEWatchSnapshot& settings)
    {
        return DeliverAndProcess(Answer(subject, {{"Seq", "1"}}), settings);
    }

    std::vector<std::string> Subjects(ULONG folderTag)
    {
        std::vector<std::string> subjects;
        for (const auto& message : world.Messages(world.SpecialFolderId(folderTag)))
            subjects.push_back(message.subject);
        return subjects;
    }
};

}  // namespace

TEST_F(AnswerMessageTest, TheProcessedMarkDecidesWhetherAMessageIsTakenAgain)
{
    const struct {
        LONG mark;
        bool taken;
    } cases[] = {{1, false}, {0, true}, {-3, true}};
    long long records = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mark);
        CComPtr<IMessage> message = OpenMessage(world.Deliver(Answer("Marked", {{"Seq", "1"}})));
        ULONG tag = 0;
        ASSERT_EQ(S_OK, GetProcessedPropTag(message, tag));
        SPropValue value{};
        value.ulPropTag = tag;
        value.Value.l = c.mark;
        ASSERT_EQ(S_OK, HrSetOneProp(message, &value));
        ASSERT_EQ(S_OK, message->SaveChanges(KEEP_OPEN_READWRITE));
        CWEAnswerMessage answer(world.Log(), defaults, cache);
        EXPECT_EQ(S_OK, answer.Process(world.Session(), world.Store(), message, hubberly));
        records += c.taken;
        EXPECT_EQ(records, world.Count());
        EXPECT_TRUE(IsMessageProcessed(message));
    }
}

TEST_F(AnswerMessageTest, EachMessageActionEndsWhereTheSettingsSay)
{
    CWEWatchSnapshot settings;
    const struct {
        LONG action;
        const char* subject;
    } cases[] = {{0, "Leave"}, {1, "Move"}, {2, "Flag"}, {3, "Expire"}, {4, "Delete"}, {9, "Unknown action"}};
    CZrEntryID sent;
    const std::string sentId = world.SpecialFolderId(PR_IPM_SENTMAIL_ENTRYID);
    settings.m_DstFolder.m_FolderId.Set(static_cast<ULONG>(sentId.size()), reinterpret_cast<const BYTE*>(sentId.data()));
    settings.m_DstFolder.m_StoreId.Set(static_cast<ULONG>(world.StoreId().size()),
                                       reinterpret_cast<const BYTE*>(world.StoreId().data()));
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG nowTicks = (ULONGLONG(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.subject);
        settings.m_nMessageAction = c.action;
        CComPtr<IMessage> message = ProcessAnswer(c.subject, settings);
        if (c.action == 2) {
            CZrMapiBufferPtr<SPropValue> flag;
            ASSERT_EQ(S_OK, HrGetOneProp(message, PR_FLAG_STATUS, &flag));
            EXPECT_EQ(2, flag->Value.l);
        }
        if (c.action == 3) {
            CZrMapiBufferPtr<SPropValue> expiry;
            ASSERT_EQ(S_OK, HrGetOneProp(message, PR_EXPIRY_TIME, &expiry));
            const ULONGLONG ticks = (ULONGLONG(expiry->Value.ft.dwHighDateTime) << 32) | expiry->Value.ft.dwLowDateTime;
            EXPECT_NEAR(double(nowTicks - 6'000'000'000ULL), double(ticks), 600'000'000.0);
        }
    }
    std::vector<std::string> inbox;
    for (const auto& message : Inbox())
        inbox.push_back(message.subject);
    EXPECT_EQ((std::vector<std::string>{"Leave [stored]", "Flag [stored]", "Expire [stored]",
                                        "Unknown action [stored]"}),
              inbox);
    EXPECT_EQ(std::vector<std::string>{"Move [stored]"}, Subjects(PR_IPM_SENTMAIL_ENTRYID));
    EXPECT_EQ(std::vector<std::string>{"Delete [stored]"}, Subjects(PR_IPM_WASTEBASKET_ENTRYID));
}

TEST_F(AnswerMessageTest, MoveWithoutADestinationLeavesTheMessageAndSaysSo)
{
    CWEWatchSnapshot settings;
    settings.m_nMessageAction = CWEAnswerMessage::kMove;
    CComPtr<IMessage> message = ProcessAnswer("Nowhere to go", settings);
    CWEAnswerMessage answer(world.Log(), settings, cache);
    EXPECT_EQ(E_FAIL, answer.ApplyMessageAction());
    ASSERT_EQ(1u, Inbox().size());
    EXPECT_EQ("Nowhere to go [stored]", Inbox()[0].subject);
}

TEST_F(AnswerMessageTest, AnAttachmentAboveTheBoundIsRefusedNeverCut)
{
    CComPtr<IMessage> message = OpenMessage(world.Deliver(Answer("Big", {{"Notes", std::string(5000, 'n')}})));
    CComPtr<IAttachment> attachment;
    ASSERT_EQ(S_OK, message->OpenAttach(0, &IID_IAttachment, 0, &attachment));
    std::string data;
    EXPECT_EQ(AttachmentRead::Whole, ReadAttachmentData(attachment, data));
    EXPECT_LT(5000u, data.size());
    const std::size_t whole = data.size();
    EXPECT_EQ(AttachmentRead::Whole, ReadAttachmentData(attachment, data, whole));
    EXPECT_EQ(AttachmentRead::TooLarge, ReadAttachmentData(attachment, data, whole - 1));
    EXPECT_EQ(whole - 1, data.size());
}

namespace {

// Passes everything on, but refuses to write the properties of one action.
class ActionFailingMessage : public MessageWithFailingSetProps {
public:
    ActionFailingMessage(IMessage* inner, ULONG refusedTag)
        : MessageWithFailingSetProps(inner, MAPI_E_NO_ACCESS), m_real(inner), m_refused(refusedTag)
    {
    }
    STDMETHODIMP SetProps(ULONG count, LPSPropValue values, LPSPropProblemArray* problems) override
    {
        for (ULONG i = 0; i < count; ++i)
            if (values[i].ulPropTag == m_refused)
                return MAPI_E_NO_ACCESS;
        return m_real->SetProps(count, values, problems);
    }

private:
    CComPtr<IMessage> m_real;
    ULONG m_refused;
};

}  // namespace

TEST_F(AnswerMessageTest, AFlagOrExpiryThatCannotBeWrittenIsLoggedAndReportedAsFailure)
{
    const struct {
        LONG action;
        ULONG refused;
        const char* call;
    } cases[] = {{CWEAnswerMessage::kFlag, PR_FLAG_STATUS, "\"m_spMessage->SetProps\""},
                 {CWEAnswerMessage::kExpire, PR_EXPIRY_TIME, "\"HrSetOneProp\""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        CWEWatchSnapshot settings;
        settings.m_nMessageAction = c.action;
        CComPtr<IMessage> real = OpenMessage(world.Deliver(Answer("Refused", {{"Seq", "1"}})));
        CComPtr<IMessage> message = new ActionFailingMessage(real, c.refused);
        CWEAnswerMessage answer(world.Log(), settings, cache);
        ASSERT_EQ(S_OK, answer.Process(world.Session(), world.Store(), message, hubberly));
        EXPECT_TRUE(FAILED(answer.ApplyMessageAction()));
        EXPECT_LE(1, LogCount(std::string("MAPI error: The ") + c.call + " function has returned the error code"));
        CZrMapiBufferPtr<SPropValue> value;
        EXPECT_TRUE(FAILED(HrGetOneProp(real, c.refused, &value)));
    }
}

TEST_F(AnswerMessageTest, AProcessedMarkThatCannotBeWrittenStopsTheMessageBeforeItsAttachments)
{
    CComPtr<IMessage> real = OpenMessage(world.Deliver(Answer("Unwritable", {{"Seq", "1"}})));
    CComPtr<IMessage> message;
    ASSERT_EQ(S_OK, MessageWithFailingSetProps::CreateInstance(IID_IMessage, reinterpret_cast<void**>(&message),
                                                               real.p, MAPI_E_NO_ACCESS));
    CWEAnswerMessage answer(world.Log(), defaults, cache);
    EXPECT_EQ(MAPI_E_NO_ACCESS, answer.Process(world.Session(), world.Store(), message, hubberly));
    EXPECT_EQ(0, world.Count());
    EXPECT_EQ(1, LogCount("\tE\tError while modifying message.\r\n"));
}

TEST_F(AnswerMessageTest, ALongValueInALogLineIsCutAndTheLineStaysWhole)
{
    const std::string value(5000, 'w');
    CComPtr<IMessage> message = OpenMessage(world.Deliver(Answer("Long warning", {{"Colour", value}})));
    CWEAnswerMessage answer(world.Log(), defaults, cache);
    ASSERT_EQ(S_OK, answer.Process(world.Session(), world.Store(), message, hubberly));
    EXPECT_EQ(1, world.Count());
    const std::string log = world.LogText();
    const std::size_t at = log.find("Field: Colour; Value: ");
    ASSERT_NE(std::string::npos, at);
    const std::string line = log.substr(at, log.find("\r\n", at) - at);
    EXPECT_NE(std::string::npos, line.find(std::string(CWELog::kInsertLimit - 3, 'w') + "...; Error: "));
    EXPECT_GT(value.size(), line.size());
}
