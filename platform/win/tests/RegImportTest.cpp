// reg import, as the registration scripts use it: a registry editor file
// merged into the registry.

#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"
#include "win/Registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

using pollenta::testsupport::TempFolder;
using pollenta::testsupport::TempRegistry;

namespace {

int RegImport(const std::string& file)
{
    const std::string command = std::string("'") + POLLENTA_BIN_DIR + "/reg' import '" + file + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Text(HKEY root, const char* key, const char* name)
{
    HKEY opened = nullptr;
    if (RegOpenKeyEx(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return "(no key)";
    char data[256] = {};
    DWORD type = 0;
    DWORD bytes = sizeof data - 1;
    const LONG read = RegQueryValueEx(opened, name, nullptr, &type, reinterpret_cast<LPBYTE>(data), &bytes);
    RegCloseKey(opened);
    return read == ERROR_SUCCESS ? std::string(data) : "(no value)";
}

}  // namespace

TEST(RegImport, MergesEveryKeyOfTheFileAndKeepsWhatTheRegistryHeldBefore)
{
    TempFolder folder("pollenta-reg-import");
    TempRegistry registry(folder.Path() / "registry");
    HKEY gif = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_LOCAL_MACHINE, "Software\\Classes\\.gif", 0, nullptr, 0,
                                            KEY_ALL_ACCESS, nullptr, &gif, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(gif, "PerceivedType", 0, REG_SZ, reinterpret_cast<const BYTE*>("image"), 6));
    RegCloseKey(gif);
    const auto file = folder.Write("types.reg", "Windows Registry Editor Version 5.00\r\n\r\n"
                                                "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.gif]\r\n"
                                                "\"Content Type\"=\"image/gif\"\r\n\r\n"
                                                "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.jpe]\r\n"
                                                "\"Content Type\"=\"image/jpeg\"\r\n");

    ASSERT_EQ(0, RegImport(file));

    EXPECT_EQ("image/gif", Text(HKEY_CLASSES_ROOT, ".gif", "Content Type"));
    EXPECT_EQ("image", Text(HKEY_CLASSES_ROOT, ".gif", "PerceivedType"));
    EXPECT_EQ("image/jpeg", Text(HKEY_LOCAL_MACHINE, "Software\\Classes\\.jpe", "Content Type"));
}

TEST(RegImport, ADamagedFileOrOneOfAnotherRootChangesNothing)
{
    TempFolder folder("pollenta-reg-import");
    TempRegistry registry(folder.Path() / "registry");
    const auto damaged = folder.Write("damaged.reg", "Windows Registry Editor Version 5.00\r\n\r\n"
                                                     "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.gif]\r\n"
                                                     "\"Content Type\"=\"image/gif\"\r\n"
                                                     "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.png\r\n");
    const auto users =
        folder.Write("users.reg", "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_USERS\\.DEFAULT]\r\n");
    EXPECT_EQ(2, RegImport(damaged));
    EXPECT_EQ(2, RegImport(users));
    EXPECT_EQ(2, RegImport((folder.Path() / "missing.reg").string()));
    EXPECT_EQ("(no key)", Text(HKEY_LOCAL_MACHINE, "Software\\Classes\\.gif", "Content Type"));
}
