// The journal beside each registry file: a change is one record appended to
// it, a record cut short is the journal's end, damage before the end is
// refused, and the file is written whole when the journal grows, when
// RegFlushKey asks and when the last writer exits. Other processes read
// file and journal together.

#include "ChildProcess.h"
#include "TempFolder.h"
#include "win/Registry.h"
#include "win/RegistryGroup.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string kProbe = POLLENTA_TEST_DIR "/RegistryProbe";

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Writes bytes over the file in place, so that it stays the same file.
void WriteInPlace(const std::filesystem::path& path, const std::string& bytes)
{
    std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    std::filesystem::resize_file(path, bytes.size());
}

uintmax_t SizeOf(const std::filesystem::path& path)
{
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

HKEY CreateKey(const char* path)
{
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    return key;
}

LONG SetNumber(HKEY key, const std::string& name, DWORD number)
{
    return RegSetValueEx(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

// The values of a key as another process reads them: name|type|hex bytes.
std::string ReadInAnotherProcess(const std::string& path)
{
    ChildProcess child({kProbe, "read", path});
    std::string output;
    const int status = child.Finish(&output);
    return status == 0 ? output : "exit " + std::to_string(status) + ": " + output;
}

std::string NumberLine(int index)
{
    char line[64];
    std::snprintf(line, sizeof line, "v%d|4|%02x000000\n", index, index);
    return line;
}

std::string NumberLines(int count)
{
    std::string lines;
    for (int i = 0; i < count; ++i)
        lines += NumberLine(i);
    return lines;
}

// A registry whose file holds the key "Cut" and whose journal holds `count`
// more values, one record each; `ends` learns where each record ends.
struct JournalOfValues {
    explicit JournalOfValues(int count)
    {
        HKEY key = CreateKey("Cut");
        EXPECT_EQ(ERROR_SUCCESS, RegFlushKey(HKEY_CURRENT_USER));
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(ERROR_SUCCESS, SetNumber(key, "v" + std::to_string(i), static_cast<DWORD>(i)));
            ends.push_back(SizeOf(journal));
        }
        RegCloseKey(key);
        bytes = ReadFile(journal);
    }

    std::filesystem::path journal = std::filesystem::path(getenv("POLLENTA_REGISTRY")) / "HKEY_CURRENT_USER.reg.journal";
    std::vector<uintmax_t> ends;
    std::string bytes;
};

} // namespace

TEST(RegistryJournalTest, AChangeAppendsToTheJournalAndLeavesTheFileAsItWas)
{
    TempFolder folder;
    HKEY key = CreateKey("Software\\Velquin Ltd");
    ASSERT_EQ(ERROR_SUCCESS, RegFlushKey(HKEY_CURRENT_USER));
    const auto file = folder.Registry() / "HKEY_CURRENT_USER.reg";
    const std::string text = ReadFile(file);
    struct stat before {};
    ASSERT_EQ(0, stat(file.c_str(), &before));

    ASSERT_EQ(ERROR_SUCCESS, SetNumber(key, "Count", 10));
    struct stat after {};
    ASSERT_EQ(0, stat(file.c_str(), &after));
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(text, ReadFile(file));
    EXPECT_GT(SizeOf(folder.Registry() / "HKEY_CURRENT_USER.reg.journal"), 0u);
    EXPECT_EQ("Count|4|0a000000\n", ReadInAnotherProcess("Software\\Velquin Ltd"));

    // Flushed, the file alone holds everything and the journal is gone.
    ASSERT_EQ(ERROR_SUCCESS, RegFlushKey(key));
    EXPECT_NE(std::string::npos, ReadFile(file).find("\"Count\"=dword:0000000a"));
    EXPECT_FALSE(std::filesystem::exists(folder.Registry() / "HKEY_CURRENT_USER.reg.journal"));
    RegCloseKey(key);
}

TEST(RegistryJournalTest, AJournalCutAtEveryByteIsReadToItsLastWholeChange)
{
    TempFolder folder;
    JournalOfValues made(4);
    ASSERT_EQ(4u, made.ends.size());
    for (size_t cut = 0; cut <= made.bytes.size(); ++cut) {
        SCOPED_TRACE("journal cut at byte " + std::to_string(cut));
        WriteInPlace(made.journal, made.bytes.substr(0, cut));
        int whole = 0;
        while (whole < 4 && made.ends[static_cast<size_t>(whole)] <= cut)
            ++whole;
        ASSERT_EQ(NumberLines(whole), ReadInAnotherProcess("Cut"));
    }
}

TEST(RegistryJournalTest, ANextChangeCutsOffARecordLeftHalfWritten)
{
    TempFolder folder;
    JournalOfValues made(3);
    // The last record lost its end, as when its writer was killed.
    WriteInPlace(made.journal, made.bytes.substr(0, made.bytes.size() - 3));
    HKEY key = CreateKey("Cut");
    ASSERT_EQ(ERROR_SUCCESS, SetNumber(key, "v2", 2));
    ASSERT_EQ(ERROR_SUCCESS, SetNumber(key, "v3", 3));
    RegCloseKey(key);
    EXPECT_EQ(NumberLines(4), ReadInAnotherProcess("Cut"));
}

TEST(RegistryJournalTest, DamageBeforeTheLastRecordIsRefusedAndKept)
{
    TempFolder folder;
    JournalOfValues made(3);
    const size_t inFirstRecord = static_cast<size_t>(made.ends[0]) - 2;
    const size_t inLastRecord = made.bytes.size() - 2;

    std::string lastDamaged = made.bytes;
    lastDamaged[inLastRecord] ^= 0x55;
    WriteInPlace(made.journal, lastDamaged);
    EXPECT_EQ(NumberLines(2), ReadInAnotherProcess("Cut"));

    std::string firstDamaged = made.bytes;
    firstDamaged[inFirstRecord] ^= 0x55;
    WriteInPlace(made.journal, firstDamaged);
    EXPECT_EQ("exit 1: error 1015\n", ReadInAnotherProcess("Cut"));
    // A change is refused as well, and the journal is left for a person.
    ChildProcess writer({kProbe, "write", "Cut", "1"});
    EXPECT_EQ(1, writer.Finish());
    EXPECT_EQ(firstDamaged, ReadFile(made.journal));
}

TEST(RegistryJournalTest, AJournalLeftFromBeforeTheFileWasWrittenWholeIsNotAppliedAgain)
{
    TempFolder folder;
    JournalOfValues made(2);
    ASSERT_EQ(ERROR_SUCCESS, RegFlushKey(HKEY_CURRENT_USER));
    // A writer that died between writing the file whole and removing the
    // journal; the values changed since must not be set back.
    HKEY key = CreateKey("Cut");
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValue(key, "v0"));
    ASSERT_EQ(ERROR_SUCCESS, RegFlushKey(key));
    RegCloseKey(key);
    std::ofstream(made.journal, std::ios::binary) << made.bytes;
    EXPECT_EQ(NumberLine(1), ReadInAnotherProcess("Cut"));
}

TEST(RegistryJournalTest, TheLastWriterToExitWritesTheFileWhole)
{
    TempFolder folder;
    ChildProcess writer({kProbe, "write", "Exit", "3"});
    ASSERT_EQ(0, writer.Finish());
    EXPECT_FALSE(std::filesystem::exists(folder.Registry() / "HKEY_CURRENT_USER.reg.journal"));
    const std::string text = ReadFile(folder.Registry() / "HKEY_CURRENT_USER.reg");
    EXPECT_NE(std::string::npos, text.find("[HKEY_CURRENT_USER\\Exit\\k2]\n\"n\"=dword:00000002\n")) << text;

    // While this process has written and goes on, an exiting writer leaves
    // the journal to it.
    RegCloseKey(CreateKey("Staying"));
    ChildProcess second({kProbe, "write", "Exit", "4"});
    ASSERT_EQ(0, second.Finish());
    EXPECT_TRUE(std::filesystem::exists(folder.Registry() / "HKEY_CURRENT_USER.reg.journal"));
}

TEST(RegistryJournalTest, AGrowingJournalIsFoldedIntoTheFileAndNothingIsLost)
{
    TempFolder folder;
    HKEY key = CreateKey("Grow");
    const std::string padding(200, 'x');
    const auto journal = folder.Registry() / "HKEY_CURRENT_USER.reg.journal";
    uintmax_t largest = 0;
    for (int i = 0; i < 1000; ++i) {
        const std::string text = padding + std::to_string(i);
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, ("v" + std::to_string(i % 300)).c_str(), 0, REG_SZ,
                                               reinterpret_cast<const BYTE*>(text.c_str()),
                                               static_cast<DWORD>(text.size() + 1)));
        largest = std::max(largest, SizeOf(journal));
    }
    RegCloseKey(key);
    EXPECT_LT(largest, 80u * 1024);
    const std::string values = ReadInAnotherProcess("Grow");
    EXPECT_EQ(300, std::count(values.begin(), values.end(), '\n'));
    EXPECT_NE(std::string::npos, values.find("v99|1|"));
}

TEST(RegistryJournalTest, AGroupIsSeenHereAtOnceAndElsewhereWholeAtItsEnd)
{
    TempFolder folder;
    RegistryChangeGroup group;
    HKEY key = CreateKey("Group\\Inner");
    ASSERT_EQ(ERROR_SUCCESS, SetNumber(key, "v0", 0));
    ASSERT_EQ(ERROR_SUCCESS, SetNumber(key, "v1", 1));
    DWORD number = 0, size = sizeof number;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, "v1", nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size));
    EXPECT_EQ(1u, number);
    EXPECT_EQ("exit 1: error 2\n", ReadInAnotherProcess("Group\\Inner"));
    {
        RegistryChangeGroup inner;
        ASSERT_EQ(ERROR_SUCCESS, SetNumber(key, "v2", 2));
        EXPECT_EQ(ERROR_SUCCESS, inner.End());
    }
    EXPECT_EQ("exit 1: error 2\n", ReadInAnotherProcess("Group\\Inner"));
    uintmax_t before = SizeOf(folder.Registry() / "HKEY_CURRENT_USER.reg.journal");
    ASSERT_EQ(ERROR_SUCCESS, group.End());
    RegCloseKey(key);
    EXPECT_EQ(NumberLines(3), ReadInAnotherProcess("Group\\Inner"));
    // One record, one durable write: its mark, length and checksum, then
    // its changes up to the journal's end.
    const std::string journal = ReadFile(folder.Registry() / "HKEY_CURRENT_USER.reg.journal");
    // The group's record may be the journal's first, after its header line.
    if (before == 0)
        before = journal.find('\n') + 1;
    ASSERT_GT(journal.size(), before + 9);
    EXPECT_EQ('R', journal[before]);
    uint32_t length = 0;
    std::memcpy(&length, journal.data() + before + 1, 4);
    EXPECT_EQ(journal.size(), before + 9 + length);
}

TEST(RegistryJournalTest, AReaderInAnotherProcessSeesEachChangeAtItsNextRead)
{
    TempFolder folder;
    HKEY key = CreateKey("Seen");
    RegCloseKey(key);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ChildProcess writer({kProbe, "write", "Seen", std::to_string(round + 1)});
        ASSERT_EQ(0, writer.Finish());
        HKEY read = nullptr;
        const std::string path = "Seen\\k" + std::to_string(round);
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &read));
        DWORD number = 99, size = sizeof number;
        EXPECT_EQ(ERROR_SUCCESS, RegQueryValueEx(read, "n", nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size));
        EXPECT_EQ(static_cast<DWORD>(round), number);
        RegCloseKey(read);
    }
}
