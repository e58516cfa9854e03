// Project properties kept by the running processor: a mark changed in the
// registry, by another process or this one, is used by the next answer, and
// each project keeps its own marks.

#include "AnswerProject.h"
#include "AnswerTest.h"
#include "ChildProgram.h"

#include "processor/CWEInboxProcessor.h"

#include "win/Registry.h"

namespace {

std::string ProjectKey(LONG id)
{
    return "SOFTWARE\\Velquin Ltd\\Pollenta\\Projects\\" + std::to_string(id);
}

void SetMarkInAnotherProcess(LONG id, const std::string& mark, const std::filesystem::path& folder)
{
    EXPECT_EQ(0, ChildProgram::RunToEnd(
                     {POLLENTA_BIN_DIR "/reg", "add", "HKCU\\" + ProjectKey(id), "/v", "SuccessMark", "/d", mark, "/f"},
                     folder));
}

void SetMark(LONG id, const std::string& mark)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, ProjectKey(id).c_str(), 0, KEY_SET_VALUE, &key));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueEx(key, "SuccessMark", 0, REG_SZ, reinterpret_cast<const BYTE*>(mark.c_str()),
                                           static_cast<DWORD>(mark.size() + 1)));
    RegCloseKey(key);
}

class ProjectPropsCacheTest : public AnswerTest {
protected:
    void SetUp() override
    {
        AnswerTest::SetUp();
        ASSERT_EQ(S_OK, processor.Start(world.Snapshot(), world.Log(), world.Session()));
    }
    void TearDown() override { processor.Stop(); }

    // Delivers an answer for the project and returns the subject it ends
    // with once processed (the subject is marked after the record is added).
    std::string SubjectAfterProcessing(LONG projectId, const std::string& subject)
    {
        AnswerEml::Fields fields{{"kqProjectID", std::to_string(projectId)}, {"Seq", std::to_string(++m_seq)}};
        world.Deliver(AnswerEml::Message(subject, AnswerEml::FormData(fields)));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            const AnswerWorld::MessageState* message = Find(subject);
            if (message && message->subject != subject)
                return message->subject;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return "<not processed: " + subject + ">";
    }

    CWEInboxProcessor processor;
    int m_seq = 0;
};

}  // namespace

TEST_F(ProjectPropsCacheTest, AnAnswerAfterTheMarkWasChangedGetsTheNewMark)
{
    const LONG id = world.ProjectId();
    EXPECT_EQ("First [stored]", SubjectAfterProcessing(id, "First"));
    EXPECT_EQ("Again [stored]", SubjectAfterProcessing(id, "Again"));

    SetMarkInAnotherProcess(id, "[kept by reg]", folder.Path());
    EXPECT_EQ("Second [kept by reg]", SubjectAfterProcessing(id, "Second"));

    SetMark(id, "[kept here]");
    EXPECT_EQ("Third [kept here]", SubjectAfterProcessing(id, "Third"));
    EXPECT_EQ(4, world.Count());
}

TEST_F(ProjectPropsCacheTest, AnswersForTwoProjectsEachGetTheirOwnMarks)
{
    const LONG first = world.ProjectId();
    const LONG second = AnswerProject::Create((folder.Path() / "second.db").string(), "Second survey");
    SetMark(second, "[second]");

    EXPECT_EQ("One [stored]", SubjectAfterProcessing(first, "One"));
    EXPECT_EQ("Two [second]", SubjectAfterProcessing(second, "Two"));
    EXPECT_EQ("Three [stored]", SubjectAfterProcessing(first, "Three"));
    EXPECT_EQ("Four [second]", SubjectAfterProcessing(second, "Four"));
    EXPECT_EQ(2, world.Count());
    EXPECT_EQ(2, AnswerProject::Count((folder.Path() / "second.db").string()));
}
