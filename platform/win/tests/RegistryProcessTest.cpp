// The registry as several processes share it: values written here are read
// by another process, changes made there are seen here, and two processes
// writing at once lose nothing.

#include "ChildProcess.h"
#include "TempFolder.h"
#include "win/Registry.h"

#include <fstream>
#include <gtest/gtest.h>

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
    RegCloseKey(key);

    ChildProcess child({kProbe, "read", "SOFTWARE\\velquin ltd\\TYPES"});
    std::string output;
    ASSERT_EQ(0, child.Finish(&output));
    EXPECT_EQ("|1|64656661756c7400\n"
              "Text|1|51756f74652022206261636b5c736c61736820d09fd180d0b8d0b2d0b5d18200\n"
              "Lines|1|6f6e650d0a74776f00\n"
              "Expand|2|25484f4d45255c7800\n"
              "Multi|7|610062630000\n"
              "Count|4|2a000080\n"
              "Blob|3|0001ff\n"
              "Empty|3|\n",
              output);
}

TEST(RegistryProcessTest, FileIsReadableRegistryEditorText)
{
    TempFolder folder;
    HKEY key = CreateKey(HKEY_CURRENT_USER, "Software\\Velquin Ltd");
    Set(key, "Name", REG_SZ, std::string("Pollenta", 9));
    Set(key, "Count", REG_DWORD, std::string("\x0a\0\0\0", 4));
    RegCloseKey(key);

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
