// Registry rules within one process: names, order, buffer sizes, deletion,
// access, the merged classes root and damaged files.

#include "TempFolder.h"
#include "win/CodePage.h"
#include "win/Registry.h"
#include "win/RegistryGroup.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

HKEY CreateKey(HKEY parent, const char* path, DWORD* disposition = nullptr)
{
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyEx(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, disposition));
    return key;
}

void SetText(HKEY key, const char* name, const std::string& text)
{
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                           static_cast<DWORD>(text.size() + 1)));
}

std::string QueryText(HKEY key, const char* name)
{
    char buffer[512] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return "<missing>";
    return buffer;
}

// The names that enumerate(index, buffer, size) gives, in their order.
template <class Enumerate>
std::vector<std::string> EnumeratedNames(Enumerate enumerate)
{
    std::vector<std::string> names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        if (enumerate(index, name, &size) != ERROR_SUCCESS)
            return names;
        names.push_back(name);
    }
}

std::vector<std::string> SubkeyNames(HKEY key)
{
    return EnumeratedNames([key](DWORD index, char* name, DWORD* size) {
        return RegEnumKeyEx(key, index, name, size, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::string> ValueNames(HKEY key)
{
    return EnumeratedNames([key](DWORD index, char* name, DWORD* size) {
        return RegEnumValue(key, index, name, size, nullptr, nullptr, nullptr, nullptr);
    });
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

} // namespace

TEST(RegistryTest, NamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    TempFolder folder;
    DWORD disposition = 0;
    HKEY key = CreateKey(HKEY_CURRENT_USER, "SOFTWARE\\Velquin Ltd\\Pollenta", &disposition);
    EXPECT_EQ(REG_CREATED_NEW_KEY, disposition);
    RegCloseKey(CreateKey(HKEY_CURRENT_USER, "Software\\velquin ltd\\POLLENTA", &disposition));
    EXPECT_EQ(REG_OPENED_EXISTING_KEY, disposition);

    SetText(key, "DataDir", "/old");
    SetText(key, "DATADIR", "/new");
    SetText(key, "Имя", "первое");
    EXPECT_EQ("/new", QueryText(key, "datadir"));
    EXPECT_EQ("первое", QueryText(key, "ИМЯ"));

    char name[32];
    DWORD size = sizeof name;
    ASSERT_EQ(ERROR_SUCCESS, RegEnumValue(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr));
    EXPECT_STREQ("DataDir", name);
    EXPECT_EQ(7u, size);
    RegCloseKey(key);

    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "software", 0, KEY_READ, &key));
    EXPECT_EQ(std::vector<std::string>{"Velquin Ltd"}, SubkeyNames(key));
    RegCloseKey(key);
}

TEST(RegistryTest, EnumerationFollowsTheOrderOfWriting)
{
    TempFolder folder;
    HKEY key = CreateKey(HKEY_CURRENT_USER, "Projects");
    for (const char* id : {"4096", "12288", "alpha", "Zeta"})
        RegCloseKey(CreateKey(key, id));
    RegCloseKey(CreateKey(key, "ALPHA"));
    EXPECT_EQ((std::vector<std::string>{"4096", "12288", "alpha", "Zeta"}), SubkeyNames(key));

    char name[256];
    DWORD size = sizeof name;
    EXPECT_EQ(static_cast<LONG>(ERROR_NO_MORE_ITEMS), RegEnumKeyEx(key, 4, name, &size, nullptr, nullptr, nullptr, nullptr));
    size = 5; // "12288" needs six characters with its NUL
    EXPECT_EQ(static_cast<LONG>(ERROR_MORE_DATA), RegEnumKeyEx(key, 1, name, &size, nullptr, nullptr, nullptr, nullptr));
    size = 6;
    EXPECT_EQ(ERROR_SUCCESS, RegEnumKeyEx(key, 1, name, &size, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(5u, size);

    DWORD subkeys = 0, longest = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryInfoKey(key, nullptr, nullptr, nullptr, &subkeys, &longest, nullptr, nullptr, nullptr,
                                             nullptr, nullptr, nullptr));
    EXPECT_EQ(4u, subkeys);
    EXPECT_EQ(5u, longest);
    RegCloseKey(key);
}

TEST(RegistryTest, BufferSizesFollowWindows)
{
    TempFolder folder;
    HKEY key = CreateKey(HKEY_CURRENT_USER, "Sizes");
    SetText(key, "Path", "C:\\Pics"); // seven characters

    DWORD type = 0, size = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, "Path", nullptr, &type, nullptr, &size));
    EXPECT_EQ(REG_SZ, type);
    EXPECT_EQ(8u, size);

    char buffer[16] = "untouched";
    size = 7;
    EXPECT_EQ(static_cast<LONG>(ERROR_MORE_DATA),
              RegQueryValueEx(key, "Path", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size));
    EXPECT_EQ(8u, size);
    size = 8;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, "Path", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size));
    EXPECT_STREQ("C:\\Pics", buffer);

    // A string written without its NUL still reads back terminated.
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3));
    size = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, "Bare", nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(4u, size);

    EXPECT_EQ(static_cast<LONG>(ERROR_FILE_NOT_FOUND), RegQueryValueEx(key, "Nothing", nullptr, &type, nullptr, &size));
    EXPECT_EQ(static_cast<LONG>(ERROR_INVALID_PARAMETER),
              RegQueryValueEx(key, "Path", nullptr, &type, reinterpret_cast<BYTE*>(buffer), nullptr));

    char name[4];
    DWORD nameSize = sizeof name;
    EXPECT_EQ(static_cast<LONG>(ERROR_MORE_DATA), RegEnumValue(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr));
    char data[4];
    DWORD dataSize = sizeof data;
    nameSize = 5;
    EXPECT_EQ(static_cast<LONG>(ERROR_MORE_DATA),
              RegEnumValue(key, 0, buffer, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize));
    EXPECT_EQ(8u, dataSize);
    RegCloseKey(key);
}

TEST(RegistryTest, DefaultValueOfASubkey)
{
    TempFolder folder;
    HKEY key = CreateKey(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command");
    SetText(key, nullptr, "viewer \"%1\"");
    RegCloseKey(key);

    char command[64];
    LONG size = sizeof command;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValue(HKEY_CLASSES_ROOT, "HTMLFILE\\shell\\open\\command", command, &size));
    EXPECT_STREQ("viewer \"%1\"", command);
    EXPECT_EQ(12, size);
    size = sizeof command;
    EXPECT_EQ(static_cast<LONG>(ERROR_FILE_NOT_FOUND), RegQueryValue(HKEY_CLASSES_ROOT, "nofile", command, &size));
}

TEST(RegistryTest, DeletingKeysAndValues)
{
    TempFolder folder;
    HKEY key = CreateKey(HKEY_CURRENT_USER, "Tree\\Branch\\Leaf");
    SetText(key, "v", "x");
    EXPECT_EQ(static_cast<LONG>(ERROR_ACCESS_DENIED), RegDeleteKey(HKEY_CURRENT_USER, "Tree\\Branch"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValue(key, "V"));
    EXPECT_EQ(static_cast<LONG>(ERROR_FILE_NOT_FOUND), RegDeleteValue(key, "v"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, "tree\\branch\\leaf"));
    // The open handle now names a key that is gone.
    EXPECT_EQ(static_cast<LONG>(ERROR_KEY_DELETED), RegQueryValueEx(key, "v", nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(key);

    RegCloseKey(CreateKey(HKEY_CURRENT_USER, "Tree\\Branch\\Other\\Deeper"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteTree(HKEY_CURRENT_USER, "Tree"));
    EXPECT_EQ(static_cast<LONG>(ERROR_FILE_NOT_FOUND), RegOpenKeyEx(HKEY_CURRENT_USER, "Tree", 0, KEY_READ, &key));
    EXPECT_EQ(static_cast<LONG>(ERROR_FILE_NOT_FOUND), RegDeleteTree(HKEY_CURRENT_USER, "Tree"));
}

TEST(RegistryTest, HandlesKeepTheirAccess)
{
    TempFolder folder;
    RegCloseKey(CreateKey(HKEY_CURRENT_USER, "Locked"));
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "Locked", 0, KEY_READ, &key));
    DWORD one = 1;
    EXPECT_EQ(static_cast<LONG>(ERROR_ACCESS_DENIED),
              RegSetValueEx(key, "x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one));
    RegCloseKey(key);
    EXPECT_EQ(static_cast<LONG>(ERROR_INVALID_HANDLE), RegCloseKey(key));

    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "Locked", 0, KEY_READ | KEY_WRITE, &key));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueEx(key, "x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one));
    RegCloseKey(key);
}

TEST(RegistryTest, ClassesRootLaysTheUsersClassesOverTheMachines)
{
    TempFolder folder;
    HKEY machine = CreateKey(HKEY_LOCAL_MACHINE, "Software\\Classes\\.htm");
    SetText(machine, nullptr, "htmlfile");
    SetText(machine, "Content Type", "text/html");
    RegCloseKey(CreateKey(HKEY_LOCAL_MACHINE, "Software\\Classes\\Machine.Only"));
    HKEY user = CreateKey(HKEY_CURRENT_USER, "Software\\Classes\\.htm");
    SetText(user, nullptr, "userhtml");
    RegCloseKey(CreateKey(HKEY_CURRENT_USER, "Software\\Classes\\User.Only"));

    HKEY classes;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CLASSES_ROOT, ".HTM", 0, KEY_READ, &classes));
    EXPECT_EQ("userhtml", QueryText(classes, ""));
    EXPECT_EQ("text/html", QueryText(classes, "Content Type"));
    RegCloseKey(classes);
    EXPECT_EQ((std::vector<std::string>{".htm", "User.Only", "Machine.Only"}), SubkeyNames(HKEY_CLASSES_ROOT));

    // A key held only by the machine is written there; a removal reaches both sides.
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CLASSES_ROOT, "Machine.Only", 0, KEY_ALL_ACCESS, &classes));
    SetText(classes, "Where", "machine");
    RegCloseKey(classes);
    HKEY check;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Classes\\Machine.Only", 0, KEY_READ, &check));
    EXPECT_EQ("machine", QueryText(check, "Where"));
    RegCloseKey(check);

    EXPECT_EQ(ERROR_SUCCESS, RegDeleteTree(HKEY_CLASSES_ROOT, ".htm"));
    EXPECT_EQ(static_cast<LONG>(ERROR_KEY_DELETED), RegQueryValueEx(user, "", nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(static_cast<LONG>(ERROR_KEY_DELETED), RegQueryValueEx(machine, "", nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(user);
    RegCloseKey(machine);
}

TEST(RegistryTest, DamagedFileIsReportedAndKept)
{
    TempFolder folder;
    RegCloseKey(CreateKey(HKEY_CURRENT_USER, "Fine"));
    const auto file = folder.Registry() / "HKEY_CURRENT_USER.reg";
    const std::string damaged = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Fine]\n\"n\"=dword:12\n";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << damaged;

    HKEY key = nullptr;
    EXPECT_EQ(static_cast<LONG>(ERROR_REGISTRY_CORRUPT), RegOpenKeyEx(HKEY_CURRENT_USER, "Fine", 0, KEY_READ, &key));
    EXPECT_EQ(static_cast<LONG>(ERROR_REGISTRY_CORRUPT),
              RegCreateKeyEx(HKEY_CURRENT_USER, "Other", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    EXPECT_EQ(damaged, ReadFile(file));

    // The machine root lives in its own file and still works.
    RegCloseKey(CreateKey(HKEY_LOCAL_MACHINE, "Software"));

    std::ofstream(file, std::ios::binary | std::ios::trunc) << "garbage";
    EXPECT_EQ(static_cast<LONG>(ERROR_REGISTRY_CORRUPT), RegOpenKeyEx(HKEY_CURRENT_USER, "", 0, KEY_READ, &key));
    EXPECT_EQ("garbage", ReadFile(file));
}

TEST(RegistryTest, FilesChangedBehindItsBackAreReadAgain)
{
    TempFolder folder;
    const auto file = folder.Registry() / "HKEY_CURRENT_USER.reg";
    auto fileWith = [](const char* value) {
        return std::string("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Edited]\n\"v\"=\"") + value +
               "\"\n";
    };
    const struct {
        const char* edit;
        std::function<void()> apply;
        const char* expected;
    } edits[] = {
        {"written in place, same size", [&] { std::ofstream(file, std::ios::binary | std::ios::trunc) << fileWith("two"); },
         "two"},
        {"replaced by a rename",
         [&] {
             std::ofstream(folder.Registry() / "new.reg", std::ios::binary) << fileWith("three");
             std::filesystem::rename(folder.Registry() / "new.reg", file);
         },
         "three"},
        {"removed", [&] { std::filesystem::remove(file); }, "<missing>"},
        {"folder made anew",
         [&] {
             std::filesystem::remove_all(folder.Registry());
             std::filesystem::create_directory(folder.Registry());
             std::ofstream(file, std::ios::binary) << fileWith("four");
         },
         "four"},
        {"folder made anew again", [&] { std::ofstream(file, std::ios::binary | std::ios::trunc) << fileWith("five"); },
         "five"},
    };
    std::filesystem::create_directories(folder.Registry());
    std::ofstream(file, std::ios::binary) << fileWith("one");
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "Edited", 0, KEY_READ, &key));
    EXPECT_EQ("one", QueryText(key, "v"));
    RegCloseKey(key);
    for (const auto& edit : edits) {
        SCOPED_TRACE(edit.edit);
        edit.apply();
        key = nullptr;
        RegOpenKeyEx(HKEY_CURRENT_USER, "Edited", 0, KEY_READ, &key);
        EXPECT_EQ(edit.expected, key ? QueryText(key, "v") : "<missing>");
        if (key)
            RegCloseKey(key);
    }
}

TEST(RegistryTest, ValueTypesInHexFormAreHexadecimal)
{
    TempFolder folder;
    RegCloseKey(CreateKey(HKEY_CURRENT_USER, "Typed"));
    const auto file = folder.Registry() / "HKEY_CURRENT_USER.reg";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        << "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Typed]\n"
           "\"Big\"=hex(b):2a,00,00,00,00,00,00,00\n";

    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "Typed", 0, KEY_ALL_ACCESS, &key));
    DWORD type = 0;
    BYTE data[8] = {};
    DWORD size = sizeof data;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, "Big", nullptr, &type, data, &size));
    EXPECT_EQ(11u, type);
    EXPECT_EQ(8u, size);
    EXPECT_EQ(0x2a, data[0]);

    const BYTE link[] = {1, 2};
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, "Link", 0, 6, link, sizeof link));
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, RegFlushKey(HKEY_CURRENT_USER));
    const std::string text = ReadFile(file);
    EXPECT_NE(std::string::npos, text.find("\"Big\"=hex(b):2a,00,00,00,00,00,00,00\n"));
    EXPECT_NE(std::string::npos, text.find("\"Link\"=hex(6):01,02\n"));
}

TEST(RegistryTest, TextInAnotherAnsiCodePageIsKeptAsUtf8)
{
    TempFolder folder;
    const std::string name1251 = "\xC8\xEC\xFF";        // "Имя"
    const std::string text1251 = "\xC2\xEA\xEB \xB9" "5"; // "Вкл №5"
    ASSERT_TRUE(SetAnsiCodePage(1251));
    HKEY key = CreateKey(HKEY_CURRENT_USER, "\xCA\xEB\xFE\xF7"); // "Ключ"
    SetText(key, name1251.c_str(), text1251);
    DWORD size = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, name1251.c_str(), nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(text1251.size() + 1, size);
    EXPECT_EQ(text1251, QueryText(key, name1251.c_str()));
    RegCloseKey(key);
    ASSERT_TRUE(SetAnsiCodePage(CP_UTF8));

    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "ключ", 0, KEY_READ, &key));
    EXPECT_EQ("Вкл №5", QueryText(key, "ИМЯ"));
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, RegFlushKey(HKEY_CURRENT_USER));
    EXPECT_NE(std::string::npos, ReadFile(folder.Registry() / "HKEY_CURRENT_USER.reg").find("\"Имя\"=\"Вкл №5\""));
}

TEST(RegistryTest, KeyNamesKeepToWindowsLimits)
{
    TempFolder folder;
    HKEY key = nullptr;
    const std::string longest(255, 'k');
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, longest.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                            &key, nullptr));
    RegCloseKey(key);
    const std::string tooLong(256, 'k');
    EXPECT_EQ(static_cast<LONG>(ERROR_INVALID_PARAMETER),
              RegCreateKeyEx(HKEY_CURRENT_USER, tooLong.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    std::string deep;
    for (int level = 0; level < 513; ++level)
        deep += "d\\";
    EXPECT_EQ(static_cast<LONG>(ERROR_INVALID_PARAMETER),
              RegCreateKeyEx(HKEY_CURRENT_USER, deep.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
}

TEST(RegistryTest, RemovalsKeepTheOtherEntriesFoundAndInOrder)
{
    TempFolder folder;
    HKEY key = CreateKey(HKEY_CURRENT_USER, "Order");
    for (const char* name : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"}) {
        SetText(key, name, name);
        RegCloseKey(CreateKey(key, name));
    }
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValue(key, "BETA"));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKey(key, "beta"));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValue(key, "alpha"));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKey(key, "ALPHA"));
    const std::pair<const char*, const char*> kept[] = {{"gamma", "Gamma"}, {"DELTA", "Delta"}, {"Epsilon", "Epsilon"}};
    for (const auto& [asked, written] : kept) {
        SCOPED_TRACE(asked);
        EXPECT_EQ(written, QueryText(key, asked));
        HKEY subkey = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyEx(key, asked, 0, KEY_READ, &subkey));
        RegCloseKey(subkey);
    }
    EXPECT_EQ("<missing>", QueryText(key, "Beta"));

    SetText(key, "BETA", "again");
    SetText(key, "Gamma", "changed");
    RegCloseKey(CreateKey(key, "BETA"));
    EXPECT_EQ((std::vector<std::string>{"Gamma", "Delta", "Epsilon", "BETA"}), ValueNames(key));
    EXPECT_EQ((std::vector<std::string>{"Gamma", "Delta", "Epsilon", "BETA"}), SubkeyNames(key));
    EXPECT_EQ("again", QueryText(key, "beta"));
    EXPECT_EQ("changed", QueryText(key, "GAMMA"));
    RegCloseKey(key);
}

TEST(RegistryTest, ClassesRootListsTheMachinesValuesTheUserDoesNotHide)
{
    TempFolder folder;
    HKEY machine = CreateKey(HKEY_LOCAL_MACHINE, "Software\\Classes\\Both");
    for (const char* name : {"Shared", "MachineOnly", "Last"})
        SetText(machine, name, "machine");
    RegCloseKey(machine);
    HKEY user = CreateKey(HKEY_CURRENT_USER, "Software\\Classes\\Both");
    for (const char* name : {"UserOnly", "SHARED"})
        SetText(user, name, "user");
    RegCloseKey(user);

    HKEY classes = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CLASSES_ROOT, "Both", 0, KEY_READ, &classes));
    EXPECT_EQ((std::vector<std::string>{"UserOnly", "SHARED", "MachineOnly", "Last"}), ValueNames(classes));
    EXPECT_EQ("user", QueryText(classes, "shared"));
    EXPECT_EQ("machine", QueryText(classes, "last"));
    RegCloseKey(classes);
}

TEST(RegistryTest, NamesMatchByCaseFoldingOfEveryCharacter)
{
    TempFolder folder;
    struct Case {
        const char* written;
        const char* asked;
        bool found;
    };
    const Case cases[] = {
        {"Ключ", "КЛЮЧ", true},       {"éclair", "ÉCLAIR", true}, {"ωμέγα", "ΩΜΈΓΑ", true},
        {"Ключ", "Ключ1", false},     {"a", "á", false},          {"\xC0x", "\xC0X", true},
        {"\xC0x", "\xC1x", false},    {"\xC0", "\xFF\xC0", false}, {"Mixed Ключ", "mIXED кЛЮЧ", true},
        // Folding by Unicode's table, not by a locale's upper case: the final
        // sigma, the Kelvin sign and "K", but not "ß" and "SS".
        {"ΟΔΟΣ", "οδος", true},       {"\u212A1", "k1", true},    {"Straße", "STRASSE", false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.written) + " / " + test.asked);
        HKEY key = CreateKey(HKEY_CURRENT_USER, "Folding");
        SetText(key, test.written, "here");
        EXPECT_EQ(test.found ? "here" : "<missing>", QueryText(key, test.asked));
        RegCloseKey(CreateKey(key, test.written));
        HKEY subkey = nullptr;
        EXPECT_EQ(test.found ? ERROR_SUCCESS : static_cast<LONG>(ERROR_FILE_NOT_FOUND),
                  RegOpenKeyEx(key, test.asked, 0, KEY_READ, &subkey));
        RegCloseKey(subkey);
        RegCloseKey(key);
        ASSERT_EQ(ERROR_SUCCESS, RegDeleteTree(HKEY_CURRENT_USER, "Folding"));
    }
}

TEST(RegistryTest, ChangesThatChangeNothingLeaveTheFileUnwritten)
{
    TempFolder folder;
    HKEY key = CreateKey(HKEY_CURRENT_USER, "Software\\Pollenta");
    SetText(key, "Name", "first");
    const DWORD number = 7;
    auto setNumber = [&] { RegSetValueEx(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4); };
    setNumber();
    // Every change appends to the journal: its length tells whether one was
    // written.
    const auto journal = folder.Registry() / "HKEY_CURRENT_USER.reg.journal";
    struct Case {
        const char* what;
        std::function<void()> change;
        bool writes;
    };
    const Case cases[] = {
        {"the same text again", [&] { SetText(key, "Name", "first"); }, false},
        {"the same text under the name in other case", [&] { SetText(key, "NAME", "first"); }, false},
        {"the same number again", setNumber, false},
        {"an existing key created again", [&] { RegCloseKey(CreateKey(HKEY_CURRENT_USER, "Software\\Pollenta")); },
         false},
        {"a missing value deleted", [&] { RegDeleteValue(key, "Nothing"); }, false},
        {"a new subkey", [&] { RegCloseKey(CreateKey(key, "Empty")); }, true},
        {"other text", [&] { SetText(key, "Name", "second"); }, true},
        {"the same bytes as another type",
         [&] { RegSetValueEx(key, "Name", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>("second"), 7); }, true},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        const auto before = std::filesystem::file_size(journal);
        each.change();
        EXPECT_EQ(each.writes, std::filesystem::file_size(journal) != before);
    }
    EXPECT_EQ("second", QueryText(key, "Name"));
    RegCloseKey(key);
}
