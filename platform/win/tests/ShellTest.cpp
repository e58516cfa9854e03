// Launching programs and documents: what the hook records, how command
// lines split into words, and real processes started with posix_spawn.

#include "TempFolder.h"
#include "win/Shell.h"
#include "win/Thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sys/stat.h>
#include <thread>

namespace {

class RecordedLaunches {
public:
    explicit RecordedLaunches(DWORD answer = ERROR_SUCCESS)
    {
        SetShellLaunchHook([this, answer](const ShellLaunch& launch) {
            m_launches.push_back(launch);
            return answer;
        });
    }
    ~RecordedLaunches() { SetShellLaunchHook({}); }
    const std::vector<ShellLaunch>& Launches() const { return m_launches; }

private:
    std::vector<ShellLaunch> m_launches;
};

std::vector<std::string> ArgumentsOf(const char* commandLine)
{
    RecordedLaunches recorded;
    std::string line = commandLine;
    PROCESS_INFORMATION info{};
    EXPECT_TRUE(CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &info));
    CloseHandle(info.hProcess);
    std::vector<std::string> words{recorded.Launches().at(0).file};
    for (const auto& argument : recorded.Launches()[0].arguments)
        words.push_back(argument);
    return words;
}

} // namespace

TEST(ShellTest, ShellExecuteIsRecordedWithVerbFileAndParameters)
{
    RecordedLaunches recorded;
    HINSTANCE result = ShellExecute(nullptr, "open", "notepad.exe", "\"/logs/kq061110.log\" -x", "/logs", SW_SHOW);
    EXPECT_GT(reinterpret_cast<std::uintptr_t>(result), 32u);
    ShellExecute(nullptr, nullptr, "http://example.com/a b", nullptr, nullptr, SW_SHOWNORMAL);
    ASSERT_EQ(2u, recorded.Launches().size());
    const ShellLaunch& first = recorded.Launches()[0];
    EXPECT_EQ(ShellLaunch::Kind::ShellExecute, first.kind);
    EXPECT_EQ("open", first.verb);
    EXPECT_EQ("notepad.exe", first.file);
    EXPECT_EQ("\"/logs/kq061110.log\" -x", first.parameters);
    EXPECT_EQ((std::vector<std::string>{"/logs/kq061110.log", "-x"}), first.arguments);
    EXPECT_EQ("/logs", first.directory);
    EXPECT_EQ(SW_SHOW, first.showCommand);
    EXPECT_EQ("", recorded.Launches()[1].verb);
    EXPECT_EQ("http://example.com/a b", recorded.Launches()[1].file);
    EXPECT_TRUE(recorded.Launches()[1].arguments.empty());
}

TEST(ShellTest, FailuresComeBackAsWindowsCodes)
{
    {
        RecordedLaunches refusing(ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(reinterpret_cast<HINSTANCE>(2), ShellExecute(nullptr, "edit", "/x.htm", nullptr, nullptr, SW_SHOW));
        std::string line = "missing.exe /a";
        EXPECT_FALSE(CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
        EXPECT_EQ(2u, WinExec("missing.exe", SW_SHOW));
    }
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(2),
              ShellExecute(nullptr, "open", "/nonexistent/file.txt", nullptr, nullptr, SW_SHOW));
    std::string line = "/nonexistent/program arg";
    EXPECT_FALSE(CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
}

TEST(ShellTest, CommandLinesSplitLikeTheWindowsRuntime)
{
    EXPECT_EQ((std::vector<std::string>{"/opt/x y/prog", "-a", "b c", "d\"e"}),
              ArgumentsOf("\"/opt/x y/prog\" -a \"b c\" d\\\"e"));
    EXPECT_EQ((std::vector<std::string>{"p", "a\\\\b", "c\\", "d e", "say \"hi\""}),
              ArgumentsOf("p  a\\\\b \"c\\\\\" \"d e\"\t\"say \"\"hi\"\"\""));
    EXPECT_EQ((std::vector<std::string>{"p", "", "x"}), ArgumentsOf("p \"\" x"));

    RecordedLaunches recorded;
    EXPECT_EQ(33u, WinExec("viewer.exe \"C:\\Help\\index.htm\"", SW_SHOWNORMAL));
    ASSERT_EQ(1u, recorded.Launches().size());
    EXPECT_EQ(ShellLaunch::Kind::WinExec, recorded.Launches()[0].kind);
    EXPECT_EQ("viewer.exe", recorded.Launches()[0].file);
    EXPECT_EQ("\"C:\\Help\\index.htm\"", recorded.Launches()[0].parameters);
    EXPECT_EQ(std::vector<std::string>{"C:\\Help\\index.htm"}, recorded.Launches()[0].arguments);
}

TEST(ShellTest, CreateProcessRunsARealProgramWithAWaitableHandle)
{
    std::string line = "/bin/sh -c \"exit 3\"";
    STARTUPINFO startup;
    GetStartupInfo(&startup);
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    EXPECT_NE(0u, info.dwProcessId);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(info.hProcess, 10000));
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeProcess(info.hProcess, &code));
    EXPECT_EQ(3u, code);
    EXPECT_TRUE(CloseHandle(info.hProcess));
}

TEST(ShellTest, ProgramsGetTheirArgumentsAsSeparateWords)
{
    TempFolder folder;
    const std::string script = (folder.Path() / "args.sh").string();
    const std::string output = (folder.Path() / "out.txt").string();
    std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done > \"$PWD/out.tmp\"\nmv \"$PWD/out.tmp\" \"$PWD/out.txt\"\n";
    chmod(script.c_str(), 0755);

    HINSTANCE result = ShellExecute(nullptr, "open", script.c_str(), "\"two words\" ;rm $HOME", folder.Path().c_str(),
                                    SW_SHOW);
    ASSERT_GT(reinterpret_cast<std::uintptr_t>(result), 32u);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (access(output.c_str(), F_OK) != 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream file(output);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ("[two words]\n[;rm]\n[$HOME]\n", text);
}
