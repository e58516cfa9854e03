// The registry as several processes share it: values written here are read
// by another process, changes made there are seen here, and two processes
// writing at once lose nothing.

#include "ChildProcess.h"
#include "TempFolder.h"
#include "win/Registry.h"
#include "win/RegistryGroup.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string kProbe = POLLENTA_TEST_DIR "/RegistryProbe";

HKEY CreateKey(HKEY parent, const char* path)
{
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyEx(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    return key;
}

void Set(HKEY key, const char* name, DWORD type, const std::string& bytes)
{
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                           static_cast<DWORD>(bytes.size())));
}

// What another process reads under the key: name|type|hex bytes per value.
std::string ReadInAnotherProcess(const std::string& path)
{
    ChildProcess child({kProbe, "read", path});
    std::string output;
    const int status = child.Finish(&output);
    return status == 0 ? output : "exit " + std::to_string(status) + ": " + output;
}

DWORD CountSubkeys(const char* path)
{
    HKEY key;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_READ, &key));
    DWORD count = 0;
    EXPECT_EQ(ERROR_SUCCESS,
              RegQueryInfoKey(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(key);
    return count;
}

} // namespace

TEST(RegistryProcessTest, EveryValueTypeSurvivesTheFileAndAnotherProcess)
{
    TempFolder folder;
    HKEY key = CreateKey(HKEY_CURRENT_USER, "Software\\Velquin Ltd\\Types");
    Set(key, "", REG_SZ, std::string("default", 8));
    Set(key, "Text", REG_SZ, std::string("Quote \" back\\slash Привет", 32));
    Set(key, "Lines", REG_SZ, std::string("one\r\ntwo", 9));
    Set(key, "Expand", REG_EXPAND_SZ, std::string("%HOME%\\x", 9));
    Set(key, "Multi", REG_MULTI_SZ, std::string("a\0bc\0\0", 6));
    Set(key, "Count", REG_DWORD, std::string("\x2a\0\0\x80", 4));
    Set(key, "Blob", REG_BINARY, std::string("\0\x01\xff", 3));
    Set(key, "Empty", REG_BINARY, std::string());
    Set(key, "Unix", REG_SZ, std::string("one\ntwo\n", 9));
    Set(key, "Return", REG_SZ, std::string("\r", 2));
    Set(key, "ExpandLines", REG_EXPAND_SZ, std::string("%HOME%\r\n", 9));
    Set(key, "MultiLines", REG_MULTI_SZ, std::string("a\nb\0\r\n\0\0", 8));
    RegCloseKey(key);
    // A later change starts from the file as written and must find it whole.
    RegCloseKey(CreateKey(HKEY_CURRENT_USER, "Software\\Velquin Ltd\\Types\\After"));

    EXPECT_EQ("|1|64656661756c7400\n"
              "Text|1|51756f74652022206261636b5c736c61736820d09fd180d0b8d0b2d0b5d18200\n"
              "Lines|1|6f6e650d0a74776f00\n"
              "Expand|2|25484f4d45255c7800\n"
              "Multi|7|610062630000\n"
              "Count|4|2a000080\n"
              "Blob|3|0001ff\n"
              "Empty|3|\n"
              "Unix|1|6f6e650a74776f0a00\n"
              "Return|1|0d00\n"
              "ExpandLines|2|25484f4d45250d0a00\n"
              "MultiLines|7|610a62000d0a0000\n",
              ReadInAnotherProcess("SOFTWARE\\velquin ltd\\TYPES"));
}

TEST(RegistryProcessTest, FileIsReadableRegistryEditorText)
{
    TempFolder folder;
    HKEY key = CreateKey(HKEY_CURRENT_USER, "Software\\Velquin Ltd");
    Set(key, "Name", REG_SZ, std::string("Pollenta", 9));
    Set(key, "Count", REG_DWORD, std::string("\x0a\0\0\0", 4));
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, RegFlushKey(HKEY_CURRENT_USER));

    std::ifstream file(folder.Registry() / "HKEY_CURRENT_USER.reg");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER]\n\n[HKEY_CURRENT_USER\\Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Velquin Ltd]\n\"Name\"=\"Pollenta\"\n\"Count\"=dword:0000000a\n",
              text);
}

TEST(RegistryProcessTest, ChangesOfAnotherProcessAreSeen)
{
    TempFolder folder;
    RegCloseKey(CreateKey(HKEY_CURRENT_USER, "Shared"));
    EXPECT_EQ(0u, CountSubkeys("Shared"));
    ChildProcess child({kProbe, "write", "Shared", "3"});
    ASSERT_EQ(0, child.Finish());
    EXPECT_EQ(3u, CountSubkeys("Shared"));

    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "Shared\\k2", 0, KEY_READ, &key));
    DWORD number = 0, size = sizeof number, type = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, "N", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size));
    EXPECT_EQ(REG_DWORD, type);
    EXPECT_EQ(2u, number);
    RegCloseKey(key);
}

// A key held open is read again through its handle, without a new open:
// what another process wrote before is seen all the same, whether this
// process has written the file before or has only read it.
TEST(RegistryProcessTest, AKeyHeldOpenSeesEachChangeOfAnotherProcessAtItsNextRead)
{
    const auto subkeysOf = [](HKEY key) {
        DWORD count = 0;
        EXPECT_EQ(ERROR_SUCCESS, RegQueryInfoKey(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                                                 nullptr, nullptr, nullptr, nullptr));
        return count;
    };
    for (const bool writtenHere : {true, false}) {
        SCOPED_TRACE(writtenHere ? "written here before" : "only read here");
        TempFolder folder;
        if (writtenHere) {
            RegCloseKey(CreateKey(HKEY_CURRENT_USER, "Shared"));
        } else {
            std::filesystem::create_directories(folder.Registry());
            std::ofstream(folder.Registry() / "HKEY_CURRENT_USER.reg")
                << "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Shared]\n";
        }
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "Shared", 0, KEY_READ, &key));
        EXPECT_EQ(0u, subkeysOf(key));
        for (int count = 1; count <= 8; ++count) {
            ChildProcess child({kProbe, "write", "Shared", std::to_string(count)});
            ASSERT_EQ(0, child.Finish());
            EXPECT_EQ(static_cast<DWORD>(count), subkeysOf(key));
        }
        RegCloseKey(key);
    }
}

TEST(RegistryProcessTest, TwoWritersAtOnceLoseNothing)
{
    TempFolder folder;
    ChildProcess first({kProbe, "write", "One", "60"});
    ChildProcess second({kProbe, "write", "Two", "60"});
    ASSERT_EQ(0, first.Finish());
    ASSERT_EQ(0, second.Finish());
    EXPECT_EQ(60u, CountSubkeys("One"));
    EXPECT_EQ(60u, CountSubkeys("Two"));
}

TEST(RegistryProcessTest, NamesWithLineBreaksAreRefusedBeforeAnythingIsWritten)
{
    TempFolder folder;
    HKEY key = CreateKey(HKEY_CURRENT_USER, "Software\\Names");
    Set(key, "Kept", REG_SZ, std::string("yes", 4));
    const auto file = folder.Registry() / "HKEY_CURRENT_USER.reg";
    std::ifstream before(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(before)), std::istreambuf_iterator<char>());

    for (const char* name : {"Two\nLines", "Carriage\rReturn", "\r\n", "Ends\n", "\nStarts"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(name)));
        HKEY made = nullptr;
        EXPECT_EQ(static_cast<LONG>(ERROR_INVALID_PARAMETER),
                  RegCreateKeyEx(key, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made, nullptr));
        EXPECT_EQ(nullptr, made);
        const std::string path = std::string("Outer\\") + name + "\\Inner";
        EXPECT_EQ(static_cast<LONG>(ERROR_INVALID_PARAMETER),
                  RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made, nullptr));
        EXPECT_EQ(static_cast<LONG>(ERROR_INVALID_PARAMETER),
                  RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2));
        std::ifstream after(file, std::ios::binary);
        EXPECT_EQ(text, std::string((std::istreambuf_iterator<char>(after)), std::istreambuf_iterator<char>()));
    }
    RegCloseKey(key);

    EXPECT_EQ("Kept|1|79657300\n", ReadInAnotherProcess("Software\\Names"));
}

TEST(RegistryProcessTest, NamesWithTheTextFormsOwnMarksSurviveTheFile)
{
    TempFolder folder;
    for (const char* keyName : {"[Brackets]", "-Dash", " Spaced ", "Semi;colon", "Ends]"}) {
        SCOPED_TRACE(keyName);
        const std::string path = std::string("Marks\\") + keyName;
        HKEY key = CreateKey(HKEY_CURRENT_USER, path.c_str());
        for (const char* valueName : {"Quote \" mark", "back\\slash\\", "name=hex:00\\", "@", "; comment"})
            Set(key, valueName, REG_BINARY, std::string());
        RegCloseKey(key);

        EXPECT_EQ("Quote \" mark|3|\nback\\slash\\|3|\nname=hex:00\\|3|\n@|3|\n; comment|3|\n",
                  ReadInAnotherProcess(path));
    }
}

namespace {

std::vector<std::string> TemporaryFiles(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().find(".tmp") != std::string::npos)
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

uintmax_t SizeOf(const std::filesystem::path& path)
{
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

pid_t FinishedProcess()
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}

} // namespace

TEST(RegistryProcessTest, WriterRemovesTemporaryFilesOfDeadWritersOnly)
{
    TempFolder folder;
    RegCloseKey(CreateKey(HKEY_CURRENT_USER, "Start"));
    const pid_t dead = FinishedProcess();
    const pid_t living = fork();
    if (living == 0) {
        pause();
        _exit(0);
    }
    const std::string deadFile = "HKEY_CURRENT_USER.reg.tmp" + std::to_string(dead);
    const std::string livingFile = "HKEY_CURRENT_USER.reg.tmp" + std::to_string(living);
    // The machine root has a lock of its own; its files wait for its writers.
    const std::string otherRoot = "HKEY_LOCAL_MACHINE.reg.tmp" + std::to_string(dead);
    for (const std::string& name : {deadFile, livingFile, otherRoot, std::string("HKEY_CURRENT_USER.reg.tmpx1")})
        std::ofstream(folder.Registry() / name) << "Windows Registry Editor Version 5.00\n\n[HKEY_CURR";

    // The next writer to write the file whole tidies up.
    RegCloseKey(CreateKey(HKEY_CURRENT_USER, "Next"));
    ASSERT_EQ(ERROR_SUCCESS, RegFlushKey(HKEY_CURRENT_USER));
    kill(living, SIGKILL);
    waitpid(living, nullptr, 0);

    std::vector<std::string> left{livingFile, otherRoot, "HKEY_CURRENT_USER.reg.tmpx1"};
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, TemporaryFiles(folder.Registry()));
}

TEST(RegistryProcessTest, WritersKilledMidWriteLoseNoAcknowledgedChangeAndLeaveNoFilesBehind)
{
    TempFolder folder;
    // A large file makes each writing of it whole long enough to be killed
    // in the middle of it.
    std::string text = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER]\n";
    for (int key = 0; key < 2000; ++key) {
        text += "\n[HKEY_CURRENT_USER\\Bulk" + std::to_string(key) + "]\n";
        for (int value = 0; value < 10; ++value)
            text += "\"v" + std::to_string(value) + "\"=\"" + std::string(40, 'x') + "\"\n";
    }
    std::filesystem::create_directories(folder.Registry());
    std::ofstream(folder.Registry() / "HKEY_CURRENT_USER.reg", std::ios::binary) << text;

    std::vector<std::string> acknowledged;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        const std::string parent = "Busy" + std::to_string(round);
        const auto journal = folder.Registry() / "HKEY_CURRENT_USER.reg.journal";
        const uintmax_t before = SizeOf(journal);
        ChildProcess writer({kProbe, "write", parent, "100000"});
        // Once its first change is in, the writer goes from one change to
        // the next; the kill falls somewhere in one of them.
        for (int wait = 0; wait < 10000 && SizeOf(journal) == before; ++wait)
            usleep(1000);
        usleep(static_cast<useconds_t>(1000 * round));
        writer.Kill(SIGKILL);
        std::string output;
        EXPECT_EQ(-1, writer.Finish(&output));
        std::istringstream lines(output);
        for (std::string line; std::getline(lines, line);)
            acknowledged.push_back(parent + "\\" + line);
    }
    RegCloseKey(CreateKey(HKEY_CURRENT_USER, "After"));
    EXPECT_EQ(std::vector<std::string>{}, TemporaryFiles(folder.Registry()));
    EXPECT_FALSE(acknowledged.empty());
    for (const std::string& path : acknowledged) {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key)) << path;
        RegCloseKey(key);
    }
}
