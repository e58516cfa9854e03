// WEConnect's start-up and shut-down in the stand-in client, complete and
// stopped part way, and what the user can ask of it.

#include "ConnectTestSupport.h"
#include "RefusingEventsApplication.h"
#include "testsupport/RegistryFileText.h"

#include "settings/FolderRecordFormat.h"

#include "win/Shell.h"

namespace {

std::vector<std::string> Joined(std::vector<std::string> first, const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

}  // namespace

using ConnectTest = CConnectTest;

TEST_F(ConnectTest, ACompleteStartUpLogsEveryStageAndShutDownSavesTheInboxItWatched)
{
    ASSERT_EQ(S_OK, Connect(m_application));
    EXPECT_EQ(kStartUpTexts, LogTexts());
    EXPECT_TRUE(g_pAddin->m_bConnected);
    ASSERT_EQ(1u, g_pAddin->m_arrWatchedFolders.size());
    EXPECT_EQ(EntryIdProp(Inbox(m_store)),
              std::string(reinterpret_cast<const char*>(g_pAddin->m_arrWatchedFolders[0].m_FolderId.Bytes()),
                          g_pAddin->m_arrWatchedFolders[0].m_FolderId.Size()));
    EXPECT_EQ(3u, g_pAddin->m_arrServiceFolderIds.size());
    const std::string folders = std::string(kRoot) + "\\Test\\Folders2";
    EXPECT_TRUE(AddinTestFolder::ValueNames(folders).empty()) << "saved before shut-down";

    ASSERT_EQ(S_OK, Disconnect());
    EXPECT_EQ(Joined(kStartUpTexts, kShutDownTexts), LogTexts());
    EXPECT_EQ((std::vector<std::string>{"000000000"}), AddinTestFolder::ValueNames(folders));
    EXPECT_EQ(0u, g_pAddin->GetStages());
    EXPECT_TRUE(g_pAddin->m_arrWatchedFolders.empty());
}

TEST_F(ConnectTest, ADamagedFolderRecordIsNamedInTheLogAndTheAddInStartsWithTheOthersAndWritesItBackUnchanged)
{
    const std::string profile = std::string(kRoot) + "\\Test";
    const std::vector<BYTE> damaged = {1, 0, 0, 0, 0x40, 0, 0, 0, 0xAB};
    AddinTestFolder::SetBinary(profile + "\\Folders2", "000000000", damaged);
    const std::string before = pollenta::testsupport::RegistryFileText(m_registry.Path());
    ASSERT_EQ(S_OK, Connect(m_application));
    const std::vector<std::string> texts = LogTexts();
    ASSERT_EQ(kStartUpTexts.size() + 1, texts.size());
    EXPECT_EQ("The folder record \"Folders2\\000000000\" under \"HKEY_CURRENT_USER\\Software\\Velquin "
              "Ltd\\Pollenta\\Test\" is damaged and was skipped; it stays in the registry as it is until a new folder "
              "list is applied in the add-in's options",
              texts[1]);
    EXPECT_EQ(kStartUpTexts.back(), texts.back());
    EXPECT_NE(0u, g_pAddin->GetStages() & WEConnect::kExplorerMenus);
    EXPECT_EQ(1u, g_pAddin->m_arrWatchedFolders.size()) << "the Inbox, as on a first start";
    EXPECT_EQ(before, pollenta::testsupport::RegistryFileText(m_registry.Path()));

    ASSERT_EQ(S_OK, Disconnect());
    const auto kept = AddinTestFolder::Binary(profile + "\\Folders2", "000000000");
    ASSERT_TRUE(kept);
    EXPECT_EQ(damaged, *kept);
    EXPECT_EQ(2u, AddinTestFolder::ValueNames(profile + "\\Folders2").size()) << "the Inbox beside it";
}

TEST_F(ConnectTest, AFailedSubscriptionIsLoggedAndDisconnectionTakesDownWhatWasUpWithoutShutDownLines)
{
    CComPtr<_Application> refusing;
    ASSERT_EQ(S_OK, RefusingEventsApplication::CreateInstance(IID__Application, reinterpret_cast<void**>(&refusing),
                                                              m_application.p));
    ASSERT_EQ(S_OK, Connect(refusing));
    std::vector<std::string> expected(kStartUpTexts.begin(), kStartUpTexts.end() - 1);
    expected.push_back("Error while subscribing to Microsoft Outlook event");
    EXPECT_EQ(expected, LogTexts());
    EXPECT_FALSE(g_pAddin->m_bConnected);
    EXPECT_EQ(nullptr, GetOptionsHost()) << "the page never reaches a half-started add-in";
    EXPECT_EQ(WEConnect::kSettingsLoaded | WEConnect::kExplorerMenus | WEConnect::kInspectorHooks |
                  WEConnect::kInboxProcessor,
              g_pAddin->GetStages());

    ASSERT_EQ(S_OK, Disconnect());
    EXPECT_EQ(expected, LogTexts());
    EXPECT_EQ(0u, g_pAddin->GetStages());
    EXPECT_FALSE(g_pAddin->m_spApplication);
    EXPECT_EQ((std::vector<std::string>{"000000000"}),
              AddinTestFolder::ValueNames(std::string(kRoot) + "\\Test\\Folders2"));
}

TEST_F(ConnectTest, WithoutTheClientsApplicationTheStartUpStopsAtOnce)
{
    ASSERT_EQ(S_OK, Connect(nullptr));
    EXPECT_EQ((std::vector<std::string>{"COM Add-In launch...", "Fatal error while connecting to Microsoft Outlook"}),
              LogTexts());
    EXPECT_EQ(0u, g_pAddin->GetStages());
}

TEST_F(ConnectTest, TheOptionsDialogGetsTheSettingsPageOnlyWhileConnected)
{
    ASSERT_EQ(S_OK, Connect(m_application));
    std::vector<pollenta::outlook::OptionsPage> pages;
    ASSERT_EQ(S_OK, m_host->CollectOptionsPages(pages));
    ASSERT_EQ(1u, pages.size());
    EXPECT_EQ("Kestrin.WESettingsPage", pages[0].progId);
    EXPECT_EQ("Pollenta", pages[0].title);
    ASSERT_EQ(S_OK, Disconnect());
    ASSERT_EQ(S_OK, m_host->CollectOptionsPages(pages));
    EXPECT_TRUE(pages.empty());
}

TEST_F(ConnectTest, MenuCommandsOfOtherTypesDoNothingAndTheHomePageOpens)
{
    std::vector<ShellLaunch> launches;
    ShellLaunchHook previous = SetShellLaunchHook([&](const ShellLaunch& launch) {
        launches.push_back(launch);
        return static_cast<DWORD>(ERROR_SUCCESS);
    });
    CComQIPtr<IWEOLMenuSink> sink(m_addIn.p);
    ASSERT_TRUE(sink);
    EXPECT_EQ(S_OK, sink->OnClickButon(wemitDynamic, 1));
    EXPECT_EQ(S_OK, sink->OnClickButon(wemitDynamic, 3));
    EXPECT_TRUE(launches.empty());
    EXPECT_EQ(S_OK, sink->OnClickButon(wemitStatic, 3));
    SetShellLaunchHook(previous);
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ("open", launches[0].verb);
    EXPECT_EQ("http://www.velquin.com/pollenta/", launches[0].file);
}

TEST_F(ConnectTest, ANewMessageForAProjectThatCannotBeReadIsLoggedAndForgetsTheProject)
{
    ASSERT_EQ(S_OK, Connect(m_application));
    EXPECT_EQ(E_FAIL, g_pAddin->CreateNewMessage(4097));
    EXPECT_EQ(0, g_pAddin->m_lCurrentProjectId) << "the next inspector would take it";
    const std::vector<std::string> texts = LogTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ("Fatal error while loading the Pollenta project properties", texts.back());
}
