#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using pollenta::testsupport::TempFolder;

namespace {

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(TempFolder, IsMadeForTheTestAndRemovedWithEverythingInIt)
{
    fs::path kept;
    {
        TempFolder folder("pollenta-support");
        TempFolder other("pollenta-support");
        kept = folder.Path();
        EXPECT_TRUE(fs::is_directory(kept));
        EXPECT_NE(other.Path(), kept);
        EXPECT_EQ(0u, kept.filename().string().find("pollenta-support-"));
        folder.Write("deep/inside/file.txt", "text");
    }
    EXPECT_FALSE(fs::exists(kept));
}

TEST(TempFolder, WritesFilesAsBytesBelowItself)
{
    TempFolder folder;
    const std::vector<unsigned char> bytes = {'L', 'N', 'G', 0x01, 0x00, 0xFF};
    const fs::path binary = folder.Write("sub/table", bytes);
    EXPECT_EQ(folder.Path() / "sub/table", binary);
    EXPECT_EQ(std::string("LNG\x01\x00\xFF", 6), ReadFile(binary));
    EXPECT_EQ("a\r\nb", ReadFile(folder.Write("text.eml", "a\r\nb")));
}

TEST(TempFolder, SaysWhichFolderCouldNotBeMadeAndWhy)
{
    try {
        TempFolder folder("no-such-parent/pollenta");
        FAIL() << "made " << folder.Path();
    } catch (const std::runtime_error& error) {
        const std::string message = error.what();
        EXPECT_NE(std::string::npos, message.find("no-such-parent/pollenta-XXXXXX")) << message;
        EXPECT_NE(std::string::npos, message.find(std::strerror(ENOENT))) << message;
    }
}

TEST(TempFolder, AFolderTheTestRemovedItselfIsNoError)
{
    auto folder = std::make_unique<TempFolder>();
    fs::remove_all(folder->Path());
    EXPECT_NO_THROW(folder.reset());
}
