#pragma once
// A test with its own answer world in a temporary folder, and helpers that
// read what became of the answers.

#include "AnswerEml.h"
#include "AnswerWorld.h"

#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

class AnswerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_THROW(world.Create()); }

    // Occurrences of `text` in the log.
    int LogCount(const std::string& text) const
    {
        const std::string log = world.LogText();
        int count = 0;
        for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
            ++count;
        return count;
    }

    std::vector<AnswerWorld::MessageState> Inbox() const { return world.Messages(world.InboxId()); }

    const AnswerWorld::MessageState* Find(const std::string& subjectStart) const
    {
        static std::vector<AnswerWorld::MessageState> messages;
        messages = Inbox();
        for (const auto& message : messages)
            if (message.subject.rfind(subjectStart, 0) == 0)
                return &message;
        return nullptr;
    }

    // Threads of this process whose names say they belong to the answer
    // collection.
    static int AnswerThreads()
    {
        int count = 0;
        DIR* tasks = opendir("/proc/self/task");
        while (dirent* entry = tasks ? readdir(tasks) : nullptr) {
            std::ifstream comm(std::string("/proc/self/task/") + entry->d_name + "/comm");
            std::string name;
            std::getline(comm, name);
            count += name.rfind("answers-", 0) == 0;
        }
        if (tasks)
            closedir(tasks);
        return count;
    }

    // Threads of the answer collection still listed. A joined thread can
    // stay listed for a moment while the kernel finishes its exit, so a
    // busy machine is given a little time before one counts as left over.
    static int AnswerThreadsLeft()
    {
        int count = AnswerThreads();
        for (int i = 0; i < 100 && count > 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            count = AnswerThreads();
        }
        return count;
    }

    std::string Answer(const std::string& subject, AnswerEml::Fields fields,
                       AnswerEml::Style style = AnswerEml::Style::IeBase64) const
    {
        fields.insert(fields.begin(), {"kqProjectID", std::to_string(world.ProjectId())});
        return AnswerEml::Message(subject, AnswerEml::FormData(fields), style);
    }

    pollenta::testsupport::TempFolder folder{"pollenta-answers"};
    AnswerWorld world{folder.Path()};
};
