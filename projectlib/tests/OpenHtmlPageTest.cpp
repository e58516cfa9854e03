// Opening a project's page in the viewer the user chose, with every launch
// and box recorded instead of shown.

#include "CHubberly.h"
#include "HubberlyTestSupport.h"
#include "ProjectlibTestFolder.h"

#include "com/ComPtr.h"
#include "ui/MessageBox.h"
#include "win/Shell.h"

#include <cstdlib>
#include <filesystem>

namespace {

constexpr const char* kBrowserClass = "{0002DF01-0000-0000-C000-000000000046}";

class OpenHtmlPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.SeedDataDir();
        SetShellLaunchHook([this](const ShellLaunch& launch) {
            launches.push_back(launch);
            return launchError;
        });
        SetMessageBoxHook([this](const MessageBoxRequest& request) {
            boxes.push_back(request);
            return IDOK;
        });
        ASSERT_EQ(S_OK, CHubberly::CreateInstance(IID_IHubberly, reinterpret_cast<void**>(&hubberly),
                                                  CWEProjectStore(folder.ModuleDir().string())));
    }
    void TearDown() override
    {
        SetShellLaunchHook({});
        SetMessageBoxHook({});
    }

    void RegisterBrowser(const std::string& server)
    {
        folder.SetText(HKEY_CURRENT_USER, "Software\\Classes\\InternetExplorer.Application\\CLSID", "",
                       kBrowserClass);
        folder.SetText(HKEY_CURRENT_USER, std::string("Software\\Classes\\CLSID\\") + kBrowserClass + "\\LocalServer32",
                       "", server);
    }
    std::string Folder(LONG id) const { return (folder.DataDir() / std::to_string(id)).string(); }

    ProjectlibTestFolder folder;
    CComPtr<IHubberly> hubberly;
    std::vector<ShellLaunch> launches;
    std::vector<MessageBoxRequest> boxes;
    DWORD launchError = ERROR_SUCCESS;
};

TEST_F(OpenHtmlPageTest, OpensThePageOrFolderTheWayEachMethodSays)
{
    const LONG id = Create(hubberly, "Survey");
    const std::string page = Folder(id) + "/index.html";
    const struct {
        LONG method;
        ShellLaunch::Kind kind;
        const char* verb;
        std::string file;
        std::vector<std::string> arguments;
    } cases[] = {
        {0, ShellLaunch::Kind::ShellExecute, "open", page, {}},
        {1, ShellLaunch::Kind::ShellExecute, "open", page, {}},
        {6, ShellLaunch::Kind::ShellExecute, "open", page, {}},
        {3, ShellLaunch::Kind::CreateProcess, "", "notepad.exe", {page}},
        {4, ShellLaunch::Kind::ShellExecute, "edit", page, {}},
        {5, ShellLaunch::Kind::ShellExecute, "", Folder(id) + "/", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method);
        launches.clear();
        EXPECT_EQ(S_OK, hubberly->OpenHtmlPage(c.method));
        ASSERT_EQ(1u, launches.size());
        EXPECT_EQ(c.kind, launches[0].kind);
        EXPECT_EQ(c.verb, launches[0].verb);
        EXPECT_EQ(c.file, launches[0].file);
        EXPECT_EQ(c.arguments, launches[0].arguments);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(OpenHtmlPageTest, StartsTheBrowserRegisteredAsTheLocalServerOfInternetExplorer)
{
    const LONG id = Create(hubberly, "Survey");
    const std::string page = Folder(id) + "/index.html";
    const struct {
        const char* server;
        std::string parameters;
        std::string file;
    } cases[] = {
        {"/opt/Web Browser/browser", "\"" + page + "\"", "/opt/Web Browser/browser"},
        {"\"/usr/bin/firefox\" -new-window", "-new-window \"" + page + "\"", "/usr/bin/firefox"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.server);
        RegisterBrowser(c.server);
        launches.clear();
        EXPECT_EQ(S_OK, hubberly->OpenHtmlPage(2));
        ASSERT_EQ(1u, launches.size());
        EXPECT_EQ(ShellLaunch::Kind::CreateProcess, launches[0].kind);
        EXPECT_EQ(c.file, launches[0].file);
        EXPECT_EQ(c.parameters, launches[0].parameters);
    }
}

TEST_F(OpenHtmlPageTest, TheRegistrationScriptEntersTheDesktopsBrowserAsThatServer)
{
    const std::string script = std::string(POLLENTA_SOURCE_DIR) + "/scripts/register '" + POLLENTA_BIN_DIR + "'";
    ASSERT_EQ(0, std::system(script.c_str()));
    const LONG id = Create(hubberly, "Survey");
    EXPECT_EQ(S_OK, hubberly->OpenHtmlPage(2));
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ(ShellLaunch::Kind::CreateProcess, launches[0].kind);
    EXPECT_EQ("xdg-open", std::filesystem::path(launches[0].file).filename());
    EXPECT_EQ("\"" + Folder(id) + "/index.html\"", launches[0].parameters);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(OpenHtmlPageTest, TellsTheUserWhenTheViewerCannotBeFoundOrStarted)
{
    Create(hubberly, "Survey");
    EXPECT_EQ(S_OK, hubberly->OpenHtmlPage(2));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Program launching error", boxes[0].caption);
    EXPECT_EQ("Unable to find executable file of Microsoft Internet Explorer.", boxes[0].text);
    EXPECT_EQ(MB_OK | MB_ICONERROR, boxes[0].type);
    EXPECT_TRUE(launches.empty());

    launchError = ERROR_FILE_NOT_FOUND;
    EXPECT_EQ(S_OK, hubberly->OpenHtmlPage(3));
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("Error code 2 (CreateProcess).", boxes[1].text);
}

TEST_F(OpenHtmlPageTest, NeedsACurrentProject)
{
    EXPECT_EQ(E_FAIL, hubberly->OpenHtmlPage(0));
    const LONG id = Create(hubberly, "Survey");
    ASSERT_EQ(S_OK, hubberly->FinalizeProject(id));
    EXPECT_EQ(E_FAIL, hubberly->OpenHtmlPage(1));
    EXPECT_TRUE(launches.empty());
}

}  // namespace
