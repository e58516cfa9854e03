// The settings store in the registry file: log settings, per-profile folder
// settings with their binary records, and the project store beside them.

#include "AddinTestFolder.h"

#include "settings/CWESettings.h"
#include "settings/FolderRecordFormat.h"
#include "testsupport/RegistryFileText.h"

#include "mapi/MapiUtil.h"

namespace {

const std::string kRoot = CWESettings::kRootKey;

CWEWatchedFolder Folder(const char* storeHex, const char* folderHex, DWORD flags)
{
    CWEWatchedFolder folder;
    folder.m_StoreId.SetHex(storeHex);
    folder.m_FolderId.SetHex(folderHex);
    folder.m_dwFlags = flags;
    return folder;
}

std::string Hex(const CZrEntryID& id)
{
    std::string text;
    char pair[3];
    for (ULONG i = 0; i < id.Size(); ++i) {
        std::snprintf(pair, sizeof pair, "%02X", id.Bytes()[i]);
        text += pair;
    }
    return text;
}

std::string Describe(const std::vector<CWEWatchedFolder>& folders)
{
    std::string text;
    for (const CWEWatchedFolder& folder : folders)
        text += Hex(folder.m_StoreId) + "/" + Hex(folder.m_FolderId) + "/" + std::to_string(folder.m_dwFlags) + ";";
    return text;
}

// The project store's own entries, as the project library keeps them.
void SeedProjectStore()
{
    AddinTestFolder::SetText(HKEY_CURRENT_USER, kRoot, "DataDir", "/srv/pollenta");
    AddinTestFolder::SetNumber(kRoot, "ProjectsCounter", 2);
    AddinTestFolder::SetText(HKEY_CURRENT_USER, kRoot + "\\Projects\\4097", "ProjectName", "Staff survey");
    AddinTestFolder::SetText(HKEY_CURRENT_USER, kRoot + "\\Projects\\8193", "ProjectName", "Customer survey");
    AddinTestFolder::SetNumber(kRoot + "\\PickerPosition", "DialogPlacement", 1);
}

void ExpectProjectStoreIntact()
{
    EXPECT_EQ("/srv/pollenta", AddinTestFolder::Text(HKEY_CURRENT_USER, kRoot, "DataDir"));
    EXPECT_EQ(2u, AddinTestFolder::Number(kRoot, "ProjectsCounter"));
    EXPECT_EQ("Staff survey", AddinTestFolder::Text(HKEY_CURRENT_USER, kRoot + "\\Projects\\4097", "ProjectName"));
    EXPECT_EQ("Customer survey", AddinTestFolder::Text(HKEY_CURRENT_USER, kRoot + "\\Projects\\8193", "ProjectName"));
    EXPECT_EQ(std::vector<std::string>{"ProjectName"}, AddinTestFolder::ValueNames(kRoot + "\\Projects\\4097"));
    EXPECT_FALSE(AddinTestFolder::KeyExists(HKEY_CURRENT_USER, kRoot + "\\Projects\\Folders2"));
    EXPECT_EQ(1u, AddinTestFolder::Number(kRoot + "\\PickerPosition", "DialogPlacement"));
}

class SettingsTest : public ::testing::Test {
protected:
    AddinTestFolder folder;
};

}  // namespace

TEST(FolderRecordFormatTest, RecordIsFlagsThenEachIdWithItsLength)
{
    const std::vector<BYTE> expected = {3, 0, 0, 0, 2, 0, 0, 0, 0xAB, 0xCD, 1, 0, 0, 0, 0xEF};
    EXPECT_EQ(expected, EncodeFolderRecord(Folder("ABCD", "EF", 3)));
    const std::vector<BYTE> empty = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(empty, EncodeFolderRecord(Folder("", "", 1)));

    CWEWatchedFolder decoded;
    ASSERT_TRUE(DecodeFolderRecord(expected, decoded));
    EXPECT_EQ("ABCD", Hex(decoded.m_StoreId));
    EXPECT_EQ("EF", Hex(decoded.m_FolderId));
    EXPECT_EQ(3u, decoded.m_dwFlags);
}

TEST(FolderRecordFormatTest, RecordsWhoseCountsDoNotFitTheirLengthAreRefused)
{
    const struct {
        const char* name;
        std::vector<BYTE> bytes;
    } cases[] = {
        {"store id runs past the end", {1, 0, 0, 0, 9, 0, 0, 0, 0xAB, 0, 0, 0, 0}},
        {"folder id runs past the end", {1, 0, 0, 0, 1, 0, 0, 0, 0xAB, 5, 0, 0, 0, 0xEF}},
        {"huge count", {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}},
        {"folder length missing", {1, 0, 0, 0, 1, 0, 0, 0, 0xAB}},
        {"bytes left over", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x77}},
        {"shorter than the fixed part", {1, 0, 0}},
        {"empty", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CWEWatchedFolder decoded = Folder("01", "02", 1);
        EXPECT_FALSE(DecodeFolderRecord(c.bytes, decoded));
        EXPECT_EQ("01", Hex(decoded.m_StoreId));
    }
}

TEST_F(SettingsTest, FirstStartWithoutProductKeyKeepsTheDefaults)
{
    CWESettings settings;
    EXPECT_EQ(E_FAIL, settings.LoadJournal());
    EXPECT_EQ(1, settings.m_nMakeJounral);
    EXPECT_EQ(1, settings.m_nAutoClear);
    EXPECT_EQ(15, settings.m_nKeepDays);
    EXPECT_EQ(0, settings.m_nAddJournService);
    EXPECT_EQ("", settings.m_strLogFolderPath);
    EXPECT_EQ(1, settings.m_nIgnoreServFolders);
}

TEST_F(SettingsTest, JournalValuesAreTakenOnlyFromNumbersAndAnEmptyFolderBecomesTheModulesLogs)
{
    AddinTestFolder::SetNumber(kRoot, "KeepDays", 30);
    AddinTestFolder::SetNumber(kRoot, "MakeJounral", 0);
    AddinTestFolder::SetText(HKEY_CURRENT_USER, kRoot, "AutoClear", "0");
    CWESettings settings;
    EXPECT_EQ(S_OK, settings.LoadJournal());
    EXPECT_EQ(30, settings.m_nKeepDays);
    EXPECT_EQ(0, settings.m_nMakeJounral);
    EXPECT_EQ(1, settings.m_nAutoClear);
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
    EXPECT_EQ(program + "/Logs", settings.m_strLogFolderPath);
}

TEST_F(SettingsTest, SettingsRoundTripForTwoProfilesWithFolderRecords)
{
    SeedProjectStore();
    CWESettings work;
    work.SetProfileName("Work");
    work.m_arrFolders = {Folder("AA01", "BB01", 1), Folder("AA01", "BB02", 3), Folder("", "", 2)};
    work.m_nIgnoreServFolders = 0;
    work.m_nMessageAction = 1;
    work.m_DstFolder = Folder("AA01", "CC01", 0);
    work.m_nKeepDays = 7;
    work.m_strLogFolderPath = (folder.Path() / "logs").string();
    ASSERT_EQ(S_OK, work.Save());

    CWESettings home;
    home.SetProfileName("Home");
    home.m_arrFolders = {Folder("DD01", "EE01", 1)};
    home.m_nMessageAction = 2;
    home.m_strLogFolderPath = work.m_strLogFolderPath;
    home.m_nKeepDays = 7;
    ASSERT_EQ(S_OK, home.Save());

    EXPECT_EQ((std::vector<std::string>{"000000000", "000000001", "000000002"}),
              AddinTestFolder::ValueNames(kRoot + "\\Work\\Folders2"));
    EXPECT_EQ(std::vector<BYTE>({2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
              AddinTestFolder::Binary(kRoot + "\\Work\\Folders2", "000000002"));
    EXPECT_NE(std::string::npos, pollenta::testsupport::RegistryFileText(folder.Registry()).find("\"LogFolderPath\"=\"" + work.m_strLogFolderPath));

    CWESettings loadedWork;
    loadedWork.SetProfileName("Work");
    EXPECT_EQ(S_OK, loadedWork.LoadJournal());
    EXPECT_EQ(S_OK, loadedWork.LoadFolders());
    EXPECT_EQ(Describe(work.m_arrFolders), Describe(loadedWork.m_arrFolders));
    EXPECT_EQ(0, loadedWork.m_nIgnoreServFolders);
    EXPECT_EQ(1, loadedWork.m_nMessageAction);
    EXPECT_EQ("CC01", Hex(loadedWork.m_DstFolder.m_FolderId));
    EXPECT_EQ(7, loadedWork.m_nKeepDays);
    EXPECT_EQ(work.m_strLogFolderPath, loadedWork.m_strLogFolderPath);

    CWESettings loadedHome;
    loadedHome.SetProfileName("Home");
    EXPECT_EQ(S_OK, loadedHome.LoadFolders());
    EXPECT_EQ(Describe(home.m_arrFolders), Describe(loadedHome.m_arrFolders));
    // Without a destination folder no message is moved.
    EXPECT_EQ(0, loadedHome.m_nMessageAction);
    ExpectProjectStoreIntact();
}

TEST_F(SettingsTest, FolderValuesLoadInNameOrderAndSaveRenumbersThem)
{
    const std::string folders = kRoot + "\\Work\\Folders2";
    AddinTestFolder::SetBinary(folders, "000000010", EncodeFolderRecord(Folder("01", "10", 1)));
    AddinTestFolder::SetBinary(folders, "000000002", EncodeFolderRecord(Folder("01", "02", 1)));
    AddinTestFolder::SetText(HKEY_CURRENT_USER, folders, "000000005", "not a record");
    // A name longer than any the add-in writes.
    AddinTestFolder::SetBinary(folders, "000000011-moved-by-hand", EncodeFolderRecord(Folder("01", "11", 1)));
    AddinTestFolder::SetBinary(folders, "000000003", EncodeFolderRecord(Folder("01", "03", 1)));
    AddinTestFolder::SetBinary(folders, "000000004", EncodeFolderRecord(Folder("01", "04", 1)));

    CWESettings settings;
    settings.SetProfileName("Work");
    EXPECT_EQ(S_OK, settings.LoadFolders());
    EXPECT_EQ("01/02/1;01/03/1;01/04/1;01/10/1;01/11/1;", Describe(settings.m_arrFolders));

    settings.m_arrFolders.pop_back();
    settings.m_arrFolders.pop_back();
    ASSERT_EQ(S_OK, settings.Save());
    EXPECT_EQ((std::vector<std::string>{"000000000", "000000001", "000000002"}),
              AddinTestFolder::ValueNames(folders));
}

TEST_F(SettingsTest, DamagedFolderRecordsArePassedOverAndGoBackUnchangedUntilANewListReplacesThem)
{
    SeedProjectStore();
    const std::string profile = kRoot + "\\Work";
    const std::vector<BYTE> damaged = {1, 0, 0, 0, 0x40, 0, 0, 0, 0xAB};
    const std::vector<BYTE> damagedTarget = {9, 9};
    AddinTestFolder::SetBinary(profile + "\\Folders2", "000000000", EncodeFolderRecord(Folder("01", "02", 1)));
    AddinTestFolder::SetBinary(profile + "\\Folders2", "000000001", damaged);
    AddinTestFolder::SetBinary(profile + "\\Folders2", "000000002", EncodeFolderRecord(Folder("01", "03", 3)));
    AddinTestFolder::SetNumber(profile, "IgnoreServFolders", 0);
    AddinTestFolder::SetNumber(profile, "MessageAction", 1);
    AddinTestFolder::SetBinary(profile, "DstFolder2", damagedTarget);
    const std::string before = pollenta::testsupport::RegistryFileText(folder.Registry());

    CWESettings settings;
    settings.SetProfileName("Work");
    EXPECT_EQ(S_OK, settings.LoadFolders());
    EXPECT_EQ("01/02/1;01/03/3;", Describe(settings.m_arrFolders));
    EXPECT_EQ(0, settings.m_nIgnoreServFolders);
    EXPECT_EQ(0, settings.m_nMessageAction) << "no move to a folder that cannot be read";
    ASSERT_EQ(2u, settings.GetDamagedRecords().size());
    EXPECT_EQ("Folders2\\000000001", settings.GetDamagedRecords()[0].name);
    EXPECT_EQ("DstFolder2", settings.GetDamagedRecords()[1].name);
    EXPECT_EQ(before, pollenta::testsupport::RegistryFileText(folder.Registry()));

    ASSERT_EQ(S_OK, settings.Save());
    const auto profileText = [](const std::string& text) { return text.substr(text.find("Pollenta\\Work]")); };
    EXPECT_EQ(profileText(before), profileText(pollenta::testsupport::RegistryFileText(folder.Registry()))) << "written back as found, in its place";
    ExpectProjectStoreIntact();

    settings.m_arrFolders = {Folder("01", "04", 1)};
    settings.ForgetDamagedRecords();
    ASSERT_EQ(S_OK, settings.Save());
    EXPECT_EQ((std::vector<std::string>{"000000000"}), AddinTestFolder::ValueNames(profile + "\\Folders2"));
    EXPECT_EQ(0u, AddinTestFolder::Number(profile, "MessageAction"));
    EXPECT_NE(damagedTarget, AddinTestFolder::Binary(profile, "DstFolder2").value_or(damagedTarget));
}

TEST_F(SettingsTest, SavingForAnEmptyOrReservedProfileNameLeavesTheProjectStoreInPlace)
{
    for (const char* name : {"", "Projects", "PROJECTS", "PickerPosition", "Projects\\4097"}) {
        SCOPED_TRACE(name);
        AddinTestFolder each;
        SeedProjectStore();
        CWESettings settings;
        settings.SetProfileName(name);
        settings.m_arrFolders = {Folder("01", "02", 1)};
        settings.m_nKeepDays = 3;
        EXPECT_EQ(S_OK, settings.Save());
        ExpectProjectStoreIntact();
        EXPECT_EQ(3u, AddinTestFolder::Number(kRoot, "KeepDays"));

        CWESettings loaded;
        loaded.SetProfileName(name);
        loaded.LoadFolders();
        EXPECT_EQ(*name ? "01/02/1;" : "", Describe(loaded.m_arrFolders));
    }
}

TEST_F(SettingsTest, ReservedProfileNamesGetAKeyApartFromTheStoresOwn)
{
    const struct {
        const char* name;
        std::string key;
    } cases[] = {
        {"Outlook", kRoot + "\\Outlook"},
        {"Projects", kRoot + "\\Profile Projects"},
        {"pickerposition", kRoot + "\\Profile pickerposition"},
        {"Sales\\North", kRoot + "\\Profile Sales/North"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CWESettings settings;
        settings.SetProfileName(c.name);
        EXPECT_EQ(c.key, settings.GetProfileKey());
    }
}

TEST_F(SettingsTest, AssignmentTakesTheValuesButNotTheProfile)
{
    CWESettings live;
    live.SetProfileName("Work");
    CWESettings edited;
    edited.SetProfileName("Other");
    edited.m_arrFolders = {Folder("01", "02", 1)};
    edited.m_nMessageAction = 3;
    edited.m_nKeepDays = 99;
    edited.m_strLogFolderPath = "/tmp/x";
    live = edited;
    EXPECT_EQ("Work", live.GetProfileName());
    EXPECT_EQ("01/02/1;", Describe(live.m_arrFolders));
    EXPECT_NE(live.m_arrFolders[0].m_StoreId.Bytes(), edited.m_arrFolders[0].m_StoreId.Bytes());
    EXPECT_EQ(3, live.m_nMessageAction);
    EXPECT_EQ(99, live.m_nKeepDays);
    EXPECT_EQ("/tmp/x", live.m_strLogFolderPath);
}
