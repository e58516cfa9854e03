#include "UiTestEnvironment.h"
#include "controls/WEHelp.h"
#include "win/Resources.h"
#include "win/Shell.h"

#include <fstream>
#include <unistd.h>

namespace {

const StringResource kStrings[] = {{138, "Pollenta.chm"}};
const ResourceTables kTables(kStrings);

// The test program is the module that carries the help functions here.
std::string TestProgramFolder()
{
    char path[4096] = {};
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    std::string file(path, length > 0 ? static_cast<size_t>(length) : 0);
    return file.substr(0, file.rfind('/') + 1);
}

// Written whole or not at all: the tests of both builds share the folder.
void WritePage(const std::string& folder, const std::string& name, const std::string& text)
{
    std::filesystem::create_directories(folder);
    std::string temporary = folder + "/." + name + "." + std::to_string(getpid());
    std::ofstream(temporary) << text;
    std::filesystem::rename(temporary, folder + "/" + name);
}

class HelpTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        m_previousHook = SetShellLaunchHook([this](const ShellLaunch& launch) {
            m_launches.push_back(launch);
            return ERROR_SUCCESS;
        });
    }
    void TearDown() override
    {
        SetShellLaunchHook(m_previousHook);
        UiTest::TearDown();
    }
    ShellLaunchHook m_previousHook;
    std::vector<ShellLaunch> m_launches;
};

} // namespace

TEST_F(HelpTest, TheHelpLiesBesideTheModule)
{
    EXPECT_EQ(GetHelpFilePath(), TestProgramFolder() + "Pollenta.chm");
    EXPECT_EQ(GetHelpFilePathFor("/Kestrin.so", "Pollenta.chm"), "/Pollenta.chm");
    EXPECT_EQ(GetHelpFilePathFor("/opt/pollenta/bin/plandrel", "Pollenta.chm"), "/opt/pollenta/bin/Pollenta.chm");
    EXPECT_EQ(GetHelpFilePathFor("plandrel", "Pollenta.chm"), "");
    EXPECT_EQ(GetHelpFilePathFor("", "Pollenta.chm"), "");
    // A module without the help file's name still has a folder to look in.
    EXPECT_EQ(GetHelpFilePathFor("/opt/pollenta/bin/plandrel", ""), "/opt/pollenta/bin/");
}

TEST_F(HelpTest, ATopicOpensItsPage)
{
    std::string help = TestProgramFolder() + "Pollenta.chm";
    WritePage(help, "5.html", "<html><body>Creating a project</body></html>");
    EXPECT_TRUE(ShowHelpTopic(nullptr, WE_HELP_TOPIC_WIZARD));
    ASSERT_EQ(m_launches.size(), 1u);
    EXPECT_EQ(m_launches[0].verb, "open");
    EXPECT_EQ(m_launches[0].file, help + "/5.html");

    // A topic without a page still counts as shown.
    EXPECT_TRUE(ShowHelpTopic(nullptr, 999));
    EXPECT_EQ(m_launches.size(), 1u);
}
