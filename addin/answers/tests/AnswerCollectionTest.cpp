// The door through which the add-in's start-up, options page and shut-down
// reach answer collection.

#include "AnswerTest.h"

#include "answers/AnswerCollection.h"
#include "message/CWEAnswerMessage.h"

#include <cstdlib>

namespace {

class AnswerCollectionTest : public AnswerTest {
protected:
    void TearDown() override { StopAnswerCollection(); }

    HRESULT StartCollection()
    {
        const auto snapshot = world.Snapshot();
        return StartAnswerCollection(world.Settings(), snapshot->m_arrWatchedFolders, snapshot->m_arrServiceFolderIds,
                                     world.Log(), world.Session());
    }
};

}  // namespace

TEST_F(AnswerCollectionTest, StartAndStopWriteTheLaunchAndShutdownLinesAndLeaveNoThread)
{
    ASSERT_EQ(S_OK, StartCollection());
    world.Deliver(Answer("Through the door", {{"Seq", "1"}}));
    ASSERT_TRUE(world.WaitForRecords(1));
    EXPECT_EQ(S_OK, StopAnswerCollection());
    EXPECT_EQ(0, AnswerThreadsLeft());

    const std::string lines[] = {
        "\tI\tNew message processing process launch...\r\n",
        "\tI\tAll the new message processing proceses have been launched\r\n",
        "\tI\tNew message processing process shutdown...\r\n",
        "\tI\tAll the new message processing proceses have been successfully shutdowned\r\n",
    };
    const std::string log = world.LogText();
    std::size_t last = 0;
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        const std::size_t at = log.find(line);
        ASSERT_NE(std::string::npos, at);
        EXPECT_LE(last, at);
        last = at;
    }
}

TEST_F(AnswerCollectionTest, PauseAndResumeTakeTheNewSettings)
{
    ASSERT_EQ(S_OK, StartCollection());
    ASSERT_EQ(S_OK, PauseAnswerCollection());
    world.Deliver(Answer("During the pause", {{"Seq", "1"}}));
    HrDispatchNotifications(0);
    EXPECT_EQ(0, world.Count());

    world.Settings().m_nMessageAction = CWEAnswerMessage::kDelete;
    const auto snapshot = world.Snapshot();
    ASSERT_EQ(S_OK, ResumeAnswerCollection(world.Settings(), snapshot->m_arrWatchedFolders,
                                           snapshot->m_arrServiceFolderIds));
    ASSERT_TRUE(world.WaitForRecords(1));
    EXPECT_EQ(S_OK, StopAnswerCollection());
    EXPECT_EQ(1u, world.Messages(world.SpecialFolderId(PR_IPM_WASTEBASKET_ENTRYID)).size());
}

TEST_F(AnswerCollectionTest, PauseWithoutAStartAnswersAtOnce)
{
    EXPECT_EQ(S_FALSE, PauseAnswerCollection());
    EXPECT_EQ(S_OK, StopAnswerCollection());
}

TEST_F(AnswerCollectionTest, AStartWithoutTheProjectLibrarySaysThatNoAnswersAreCollectedAndWhy)
{
    const std::string command =
        std::string("'") + POLLENTA_BIN_DIR + "/regsvr' /u /s '" + POLLENTA_BIN_DIR + "/Gastrel.so'";
    ASSERT_EQ(0, std::system(command.c_str()));
    EXPECT_EQ(E_FAIL, StartCollection());
    EXPECT_EQ(0, AnswerThreadsLeft());
    EXPECT_EQ(1, LogCount("\tE\tSurvey answers are not being collected: the project library object "
                          "\"Gastrel.Hubberly\" cannot be created (0x"));
    EXPECT_EQ(0, LogCount("All the new message processing proceses have been launched"));
}
