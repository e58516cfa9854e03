// Modules loaded with dlopen: handles, exports, paths, and the string and
// message tables they bring.

#include "win/Memory.h"
#include "win/Message.h"
#include "win/Module.h"
#include "win/Resources.h"
#include "win/Version.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::string kModulePath = POLLENTA_TEST_DIR "/ResourceModule.so";

const StringResource kProgramStrings[] = {{7, "In the program"}};
const ResourceTables kProgramTables(kProgramStrings);

DWORD Format(DWORD flags, LPCVOID source, DWORD id, DWORD language, char* buffer, DWORD size, ...)
{
    va_list arguments;
    va_start(arguments, size);
    DWORD length = FormatMessage(flags, source, id, language, buffer, size, &arguments);
    va_end(arguments);
    return length;
}

class ModuleTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibrary(kModulePath.c_str());
        ASSERT_NE(nullptr, m_module);
    }
    void TearDown() override
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    HMODULE m_module = nullptr;
};

} // namespace

TEST_F(ModuleTest, ExportsComeFromTheModuleItself)
{
    auto answer = reinterpret_cast<int (*)()>(GetProcAddress(m_module, "ModuleAnswer"));
    ASSERT_NE(nullptr, answer);
    EXPECT_EQ(42, answer());
    auto own = reinterpret_cast<HMODULE (*)()>(GetProcAddress(m_module, "OwnModule"));
    ASSERT_NE(nullptr, own);
    EXPECT_EQ(m_module, own());

    EXPECT_EQ(nullptr, GetProcAddress(m_module, "Missing"));
    EXPECT_EQ(ERROR_PROC_NOT_FOUND, GetLastError());
    // LoadString is visible through the module's dependencies but is not its export.
    EXPECT_EQ(nullptr, GetProcAddress(m_module, "_Z10LoadStringPviPci"));
}

TEST_F(ModuleTest, FileNameIsTheModulesAbsolutePath)
{
    char path[512];
    const std::string expected = std::filesystem::canonical(kModulePath).string();
    ASSERT_EQ(expected.size(), GetModuleFileName(m_module, path, sizeof path));
    EXPECT_EQ(expected, path);

    char small[8];
    EXPECT_EQ(8u, GetModuleFileName(m_module, small, sizeof small));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(expected.substr(0, 7), small);

    ASSERT_GT(GetModuleFileName(nullptr, path, sizeof path), 0u);
    EXPECT_EQ(std::filesystem::canonical("/proc/self/exe").string(), path);
}

TEST_F(ModuleTest, StringTablesBelongToTheirModule)
{
    char text[64];
    EXPECT_EQ(8, LoadString(m_module, 101, text, sizeof text));
    EXPECT_STREQ("Pollenta", text);
    EXPECT_EQ(4, LoadString(m_module, 138, text, 5));
    EXPECT_STREQ("Poll", text);
    EXPECT_EQ(4, LoadString(m_module, 140, text, 6)) << "UTF-8 is cut between characters";
    EXPECT_EQ(0, LoadString(m_module, 7, text, sizeof text));
    EXPECT_EQ(ERROR_RESOURCE_NAME_NOT_FOUND, GetLastError());

    EXPECT_EQ(14, LoadString(nullptr, 7, text, sizeof text));
    EXPECT_EQ(0, LoadString(nullptr, 101, text, sizeof text));
}

TEST_F(ModuleTest, MessageTablesChooseTheLanguage)
{
    char text[128];
    EXPECT_EQ(29u, Format(FORMAT_MESSAGE_FROM_HMODULE, m_module, 0xE00022CA, 1033, text, sizeof text, "/tmp/a.lng", 5));
    EXPECT_STREQ("Cannot open /tmp/a.lng (5).\r\n", text);
    Format(FORMAT_MESSAGE_FROM_HMODULE, m_module, 0xE00022CA, 1049, text, sizeof text, "x", -2);
    EXPECT_STREQ("Не удалось открыть x (-2).\r\n", text);
    EXPECT_EQ(0u, Format(FORMAT_MESSAGE_FROM_HMODULE, m_module, 0xE00022CA, 1031, text, sizeof text, "x", 1));
    EXPECT_EQ(ERROR_RESOURCE_LANG_NOT_FOUND, GetLastError());
    EXPECT_GT(Format(FORMAT_MESSAGE_FROM_HMODULE, m_module, 0xE00022CA, 0, text, sizeof text, "x", 1), 0u);
    EXPECT_EQ(4u, Format(FORMAT_MESSAGE_FROM_HMODULE, m_module, 0x400022CB, 1031, text, sizeof text));
    EXPECT_STREQ("Done", text);
    EXPECT_EQ(0u, Format(FORMAT_MESSAGE_FROM_HMODULE, m_module, 0x1234, 1033, text, sizeof text));
    EXPECT_EQ(ERROR_MR_MID_NOT_FOUND, GetLastError());
    EXPECT_EQ(0u, Format(FORMAT_MESSAGE_FROM_HMODULE, m_module, 0xE00022CA, 1033, text, 10, "x", 1));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
}

TEST(ModuleLoadTest, UnloadingRemovesTablesAndMissingModulesFail)
{
    HMODULE module = LoadLibrary(kModulePath.c_str());
    ASSERT_NE(nullptr, module);
    HMODULE again = LoadLibrary(kModulePath.c_str());
    EXPECT_EQ(module, again);
    char text[16];
    EXPECT_TRUE(FreeLibrary(again));
    EXPECT_EQ(8, LoadString(module, 101, text, sizeof text)) << "one load is still held";
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());
    EXPECT_EQ(0, LoadString(module, 101, text, sizeof text));

    EXPECT_EQ(nullptr, LoadLibrary("/nonexistent/Kestrin.dll"));
    EXPECT_EQ(ERROR_MOD_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, LoadLibrary("uxtheme.dll"));
}

TEST(MessageTest, SystemTextsAndAllocatedBuffers)
{
    char* text = nullptr;
    DWORD length = FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
                                 ERROR_FILE_NOT_FOUND, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(std::string("The file cannot be found.\r\n"), text);
    EXPECT_EQ(27u, length);
    LocalFree(text);

    char buffer[128];
    FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_MAX_WIDTH_MASK, nullptr,
                  static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)), 0, buffer, sizeof buffer, nullptr);
    EXPECT_STREQ("Access is denied.", buffer);
    EXPECT_GT(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, static_cast<DWORD>(E_INVALIDARG), 0, buffer,
                            sizeof buffer, nullptr),
              0u);
    EXPECT_EQ(0u, FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 0x0BADC0DE, 0, buffer, sizeof buffer, nullptr));
    EXPECT_EQ(ERROR_MR_MID_NOT_FOUND, GetLastError());
}

TEST(MessageTest, InsertsAndEscapes)
{
    char text[128];
    const DWORD_PTR array[] = {reinterpret_cast<DWORD_PTR>("one"), 255, reinterpret_cast<DWORD_PTR>(u"три")};
    FormatMessage(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, "%3!ls! %1 %2!04X! %%1 100%% a%tb%nc%0 gone",
                  0, 0, text, sizeof text, reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(array)));
    EXPECT_STREQ("три one 00FF %1 100% a\tb\r\nc", text);

    Format(FORMAT_MESSAGE_FROM_STRING, "%2 before %1!5s!|%3!I64d!", 0, 0, text, sizeof text, "first", "second",
           static_cast<long long>(-1) << 40);
    EXPECT_STREQ("second before first|-1099511627776", text);
    FormatMessage(FORMAT_MESSAGE_FROM_STRING, "recipient %s not found%.", 0, 0, text, sizeof text, nullptr);
    EXPECT_STREQ("recipient %s not found.", text);

    FormatMessage(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_IGNORE_INSERTS, "keep %1 as is", 0, 0, text, sizeof text,
                  nullptr);
    EXPECT_STREQ("keep %1 as is", text);
    EXPECT_EQ(0u, FormatMessage(FORMAT_MESSAGE_FROM_STRING, "needs %1", 0, 0, text, sizeof text, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_EQ(0u, Format(FORMAT_MESSAGE_FROM_STRING, "bad %1!*d!", 0, 0, text, sizeof text, 1));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
}

TEST_F(ModuleTest, VersionResourceIsFoundByModulePath)
{
    DWORD handle = 1;
    const DWORD size = GetFileVersionInfoSize(kModulePath.c_str(), &handle);
    ASSERT_GT(size, 0u);
    EXPECT_EQ(0u, handle);
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfo(kModulePath.c_str(), 0, size, data.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValue(data.data(), "\\", &value, &length));
    const auto* fixed = static_cast<VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(0xFEEF04BDu, fixed->dwSignature);
    EXPECT_EQ(1, HIWORD(fixed->dwFileVersionMS));
    EXPECT_EQ(4, LOWORD(fixed->dwFileVersionMS));
    ASSERT_TRUE(VerQueryValue(data.data(), "\\StringFileInfo\\040904b0\\FileVersion", &value, &length));
    EXPECT_STREQ("1.4.0, released on November 10, 2006", static_cast<char*>(value));
    EXPECT_EQ(37u, length);
    ASSERT_TRUE(VerQueryValue(data.data(), "\\VarFileInfo\\Translation", &value, &length));
    EXPECT_EQ(0x04B00409u, *static_cast<DWORD*>(value));
    EXPECT_FALSE(VerQueryValue(data.data(), "\\StringFileInfo\\040904E4\\ProductName", &value, &length));
    EXPECT_FALSE(VerQueryValue(data.data(), "\\StringFileInfo\\040904B0\\CompanyName", &value, &length));

    EXPECT_FALSE(GetFileVersionInfo(kModulePath.c_str(), 0, size - 1, data.data()));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(0u, GetFileVersionInfoSize("/proc/self/exe", &handle));
    EXPECT_EQ(ERROR_RESOURCE_TYPE_NOT_FOUND, GetLastError());
    EXPECT_EQ(0u, GetFileVersionInfoSize("/nonexistent/Outlook.exe", &handle));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
}
