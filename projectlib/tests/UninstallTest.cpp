// Uninstalling with the add-in beside the library: its logs are cleared
// before the product key that names their folder goes.

#include "CWEUninstall.h"
#include "ProjectlibTestFolder.h"

#include "ui/MessageBox.h"

namespace {

const std::string kAddinDir = POLLENTA_TEST_DIR "/fake-addin";

TEST(Uninstall, ClearsTheAddinsLogsBeforeTheProductKeyGoes)
{
    ProjectlibTestFolder folder;
    folder.SetText(HKEY_CURRENT_USER, ProjectlibTestFolder::kProductKey, "LogFolderPath", folder.Path().string());
    SetMessageBoxHook([](const MessageBoxRequest&) { return IDNO; });
    CWEUninstall::Uninstall(kAddinDir);
    SetMessageBoxHook({});
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "logs-cleared"));
    EXPECT_FALSE(folder.KeyExists(HKEY_CURRENT_USER, ProjectlibTestFolder::kProductKey));
}

TEST(Uninstall, WithoutTheAddinThereAreNoLogsToClear)
{
    ProjectlibTestFolder folder;
    folder.SetText(HKEY_CURRENT_USER, ProjectlibTestFolder::kProductKey, "LogFolderPath", folder.Path().string());
    SetMessageBoxHook([](const MessageBoxRequest&) { return IDNO; });
    CWEUninstall::Uninstall(folder.ModuleDir().string());
    SetMessageBoxHook({});
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "logs-cleared"));
    EXPECT_FALSE(folder.KeyExists(HKEY_CURRENT_USER, ProjectlibTestFolder::kProductKey));
}

}  // namespace
