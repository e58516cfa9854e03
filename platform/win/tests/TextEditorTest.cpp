// The text editor that stands for Notepad: from the environment, else from
// the desktop's default for plain text.

#include "TempFolder.h"
#include "TextEditor.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using Words = std::vector<std::string>;

class TextEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : kVariables) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
        setenv("XDG_CONFIG_HOME", (folder.Path() / "config").c_str(), 1);
        setenv("XDG_CONFIG_DIRS", (folder.Path() / "none").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder.Path() / "data").c_str(), 1);
        setenv("XDG_DATA_DIRS", (folder.Path() / "none").c_str(), 1);
    }
    void TearDown() override
    {
        for (const auto& [name, value] : saved)
            value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    void Write(const std::filesystem::path& path, const std::string& text)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }

    static constexpr const char* kVariables[] = {"VISUAL", "EDITOR", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS",
                                                 "XDG_DATA_HOME", "XDG_DATA_DIRS"};
    TempFolder folder;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
};

TEST_F(TextEditorTest, TakesVisualBeforeEditorWithItsOwnWords)
{
    setenv("EDITOR", "vim -n", 1);
    EXPECT_EQ((Words{"vim", "-n", "/p/index.html"}), TextEditorCommand({"/p/index.html"}));
    setenv("VISUAL", "gedit", 1);
    EXPECT_EQ((Words{"gedit", "/p/index.html"}), TextEditorCommand({"/p/index.html"}));
}

TEST_F(TextEditorTest, FallsBackToTheDesktopDefaultForPlainText)
{
    Write(folder.Path() / "config" / "mimeapps.list",
          "[Added Associations]\ntext/plain=other.desktop;\n[Default Applications]\ntext/html=web.desktop\n"
          "text/plain=my-editor.desktop;other.desktop;\n");
    Write(folder.Path() / "data" / "applications" / "my-editor.desktop",
          "[Desktop Entry]\nName=Editor\nExec=myedit --new %F %i\n[Desktop Action Window]\nExec=myedit --window\n");
    EXPECT_EQ((Words{"myedit", "--new", "/p/a b.html"}), TextEditorCommand({"/p/a b.html"}));
}

TEST_F(TextEditorTest, KnowsNoEditorWhenNothingNamesOne)
{
    EXPECT_TRUE(TextEditorCommand({"/p/index.html"}).empty());
}

TEST_F(TextEditorTest, RecognisesNotepadByItsFileName)
{
    for (const char* name : {"notepad.exe", "NOTEPAD.EXE", "notepad", "C:\\Windows\\notepad.exe"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(IsNotepad(name));
    }
    EXPECT_FALSE(IsNotepad("notepad++.exe"));
}

}  // namespace
