// Files and folders: searches with wildcards, creation times, folder
// creation and removal, copy, move, delete, and file handles.

#include "TempFolder.h"
#include "win/File.h"
#include "win/Time.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>

namespace {

std::vector<std::string> FindAll(const std::string& pattern, std::vector<DWORD>* attributes = nullptr)
{
    std::vector<std::string> names;
    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFile(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.push_back(data.cFileName);
        if (attributes)
            attributes->push_back(data.dwFileAttributes);
    } while (FindNextFile(find, &data));
    EXPECT_EQ(ERROR_NO_MORE_FILES, GetLastError());
    EXPECT_TRUE(FindClose(find));
    return names;
}

void Touch(const std::filesystem::path& path, const std::string& text = "x") { std::ofstream(path) << text; }

std::string Contents(const std::filesystem::path& path)
{
    std::ifstream file(path);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

} // namespace

TEST(FileTest, WildcardsMatchWithoutRegardToCase)
{
    TempFolder folder;
    const std::string dir = folder.Path().string();
    for (const char* name : {"b.LOG", "a.log", "c.txt", "noext", "a.logs"})
        Touch(folder.Path() / name);
    std::filesystem::create_directory(folder.Path() / "sub");

    EXPECT_EQ((std::vector<std::string>{"a.log", "b.LOG"}), FindAll(dir + "/*.log"));
    EXPECT_EQ((std::vector<std::string>{"a.log", "a.logs"}), FindAll(dir + "/A.LO?*"));
    std::vector<DWORD> attributes;
    EXPECT_EQ((std::vector<std::string>{".", "..", "a.log", "a.logs", "b.LOG", "c.txt", "noext", "sub"}),
              FindAll(dir + "/*.*", &attributes));
    EXPECT_TRUE(attributes[7] & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(attributes[2] & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(std::vector<std::string>{"sub"}, FindAll(dir + "/sub")) << "a folder is found by its own path";
    EXPECT_EQ(std::vector<std::string>{}, FindAll(dir + "/SUB")) << "a plain name keeps its case";
    EXPECT_EQ(std::vector<std::string>{"b.LOG"}, FindAll(dir + "/b.LOG"));
    EXPECT_EQ(std::vector<std::string>{}, FindAll(dir + "/B.log"));

    WIN32_FIND_DATA data;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFile((dir + "/*.htm").c_str(), &data));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFile((dir + "/missing/*.*").c_str(), &data));
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());
}

TEST(FileTest, CreationTimeFollowsAnAgedModificationTime)
{
    TempFolder folder;
    const auto path = folder.Path() / "old.log";
    Touch(path);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG twentyDays = 20ULL * 86400 * 10000000;
    const time_t aged = time(nullptr) - 20 * 86400;
    const timespec times[2] = {{aged, 0}, {aged, 0}};
    ASSERT_EQ(0, utimensat(AT_FDCWD, path.c_str(), times, 0));

    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFile(path.c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    FindClose(find);
    const long long age = static_cast<long long>(FileTimeTicks(now) - FileTimeTicks(data.ftCreationTime));
    EXPECT_NEAR(static_cast<double>(twentyDays), static_cast<double>(age), 2e7);
    EXPECT_EQ(FileTimeTicks(data.ftLastWriteTime), FileTimeTicks(data.ftCreationTime));

    WIN32_FILE_ATTRIBUTE_DATA info;
    ASSERT_TRUE(GetFileAttributesEx(path.c_str(), GetFileExInfoStandard, &info));
    EXPECT_EQ(FileTimeTicks(data.ftCreationTime), FileTimeTicks(info.ftCreationTime));
    EXPECT_EQ(1u, info.nFileSizeLow);
}

TEST(FileTest, FoldersAreMadeAndRemovedAsOnWindows)
{
    TempFolder folder;
    const std::string dir = folder.Path().string();
    EXPECT_TRUE(CreateDirectory((dir + "/one").c_str(), nullptr));
    EXPECT_FALSE(CreateDirectory((dir + "/one").c_str(), nullptr));
    EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());
    EXPECT_FALSE(CreateDirectory((dir + "/two/three").c_str(), nullptr));
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());

    EXPECT_EQ(static_cast<int>(ERROR_SUCCESS), SHCreateDirectoryEx(nullptr, (dir + "/two/three/four").c_str(), nullptr));
    EXPECT_EQ(static_cast<int>(ERROR_ALREADY_EXISTS), SHCreateDirectoryEx(nullptr, (dir + "/two/three").c_str(), nullptr));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributes((dir + "/two/three/four").c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    EXPECT_FALSE(RemoveDirectory((dir + "/two").c_str()));
    EXPECT_EQ(ERROR_DIR_NOT_EMPTY, GetLastError());
    Touch(folder.Path() / "file");
    EXPECT_FALSE(RemoveDirectory((dir + "/file").c_str()));
    EXPECT_EQ(ERROR_DIRECTORY, GetLastError());
    EXPECT_TRUE(RemoveDirectory((dir + "/two/three/four").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributes((dir + "/two/three/four").c_str()));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributes((dir + "/none/x").c_str()));
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());
}

TEST(FileTest, CopyMoveAndDelete)
{
    TempFolder folder;
    const auto source = folder.Path() / "Logo.GIF";
    const auto copy = folder.Path() / "copy.gif";
    Touch(source, "GIF89a");
    Touch(copy, "old");
    EXPECT_FALSE(CopyFile(source.c_str(), copy.c_str(), TRUE));
    EXPECT_EQ(ERROR_FILE_EXISTS, GetLastError());
    EXPECT_EQ("old", Contents(copy));
    EXPECT_TRUE(CopyFile(source.c_str(), copy.c_str(), FALSE));
    EXPECT_EQ("GIF89a", Contents(copy));
    EXPECT_FALSE(CopyFile((folder.Path() / "none").c_str(), copy.c_str(), FALSE));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());

    EXPECT_FALSE(MoveFile(source.c_str(), copy.c_str()));
    EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());
    const auto moved = folder.Path() / "moved.gif";
    EXPECT_TRUE(MoveFile(source.c_str(), moved.c_str()));
    EXPECT_EQ("GIF89a", Contents(moved));

    EXPECT_TRUE(DeleteFile(moved.c_str()));
    EXPECT_FALSE(DeleteFile(moved.c_str()));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_FALSE(DeleteFile(folder.Path().c_str()));
    EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
}

TEST(FileTest, FileHandlesWriteAndRead)
{
    TempFolder folder;
    const auto path = (folder.Path() / "index.html").string();
    HANDLE file = CreateFile(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "<HTML>\r\n", 8, &written, nullptr));
    EXPECT_EQ(8u, written);
    EXPECT_EQ(8u, GetFileSize(file, nullptr));
    EXPECT_TRUE(CloseHandle(file));

    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFile(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    EXPECT_EQ(ERROR_FILE_EXISTS, GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE,
              CreateFile((folder.Path() / "none").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());

    file = CreateFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    char buffer[32] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(8u, read);
    EXPECT_STREQ("<HTML>\r\n", buffer);
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(0u, read);
    EXPECT_FALSE(WriteFile(file, "x", 1, &written, nullptr));
    CloseHandle(file);
}
