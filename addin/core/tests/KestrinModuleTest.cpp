// Kestrin as its callers meet it: registered by regsvr, loaded with dlopen
// and called by name, as the project library's uninstaller calls
// ClearAllLogs. This program does not link the add-in.

#include "AddinTestFolder.h"
#include "Regsvr.h"

#include "AddInDesigner.h"
#include "IWEConnect.h"
#include "KestrinGuids.h"

#include "com/Activation.h"
#include "win/Shell.h"

#include <dlfcn.h>

namespace fs = std::filesystem;

namespace {

const std::string kModule = kBinDir + "/Kestrin.so";
const std::string kProductKey = "Software\\Velquin Ltd\\Pollenta";

class KestrinModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module = dlopen(kModule.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(nullptr, m_module) << dlerror();
    }
    void TearDown() override
    {
        if (m_module)
            dlclose(m_module);
    }

    template <class Function>
    Function* Export(const char* name)
    {
        return reinterpret_cast<Function*>(dlsym(m_module, name));
    }

    AddinTestFolder folder;
    void* m_module = nullptr;
};

}  // namespace

TEST_F(KestrinModuleTest, RegistrationWritesTheAppIdTypeLibraryAndConnectionClassAndRemovesThemAgain)
{
    const std::string appId = pollenta::com::GuidToString(APPID_Kestrin);
    const std::string libKey = "TypeLib\\" + pollenta::com::GuidToString(LIBID_KestrinLib);
    const std::string classKey = "CLSID\\" + pollenta::com::GuidToString(CLSID_WEConnect);
    ASSERT_EQ(0, Regsvr("/s", "Kestrin.so"));
    EXPECT_EQ("WEConnect Class", AddinTestFolder::Text(HKEY_CLASSES_ROOT, classKey, ""));
    EXPECT_EQ("Kestrin.WEConnect.1", AddinTestFolder::Text(HKEY_CLASSES_ROOT, classKey + "\\ProgID", ""));
    EXPECT_EQ("Kestrin.WEConnect.1", AddinTestFolder::Text(HKEY_CLASSES_ROOT, "Kestrin.WEConnect\\CurVer", ""));
    EXPECT_EQ(appId, AddinTestFolder::Text(HKEY_CLASSES_ROOT, classKey, "AppID"));
    EXPECT_TRUE(AddinTestFolder::KeyExists(HKEY_CLASSES_ROOT, classKey + "\\Programmable"));
    EXPECT_EQ("Apartment", AddinTestFolder::Text(HKEY_CLASSES_ROOT, classKey + "\\InprocServer32", "ThreadingModel"));
    EXPECT_EQ("Kestrin", AddinTestFolder::Text(HKEY_CLASSES_ROOT, "AppID\\" + appId, ""));
    EXPECT_EQ(appId, AddinTestFolder::Text(HKEY_CLASSES_ROOT, "AppID\\Kestrin.DLL", "AppID"));
    EXPECT_EQ("Kestrin 1.0 Type Library", AddinTestFolder::Text(HKEY_CLASSES_ROOT, libKey + "\\1.0", ""));
    EXPECT_EQ(fs::weakly_canonical(kModule).string(),
              AddinTestFolder::Text(HKEY_CLASSES_ROOT, libKey + "\\1.0\\0\\win32", ""));

    ASSERT_EQ(0, Regsvr("/u /s", "Kestrin.so"));
    EXPECT_FALSE(AddinTestFolder::KeyExists(HKEY_CLASSES_ROOT, "AppID\\Kestrin.DLL"));
    EXPECT_FALSE(AddinTestFolder::KeyExists(HKEY_CLASSES_ROOT, "AppID\\" + appId));
    EXPECT_FALSE(AddinTestFolder::KeyExists(HKEY_CLASSES_ROOT, libKey));
    EXPECT_FALSE(AddinTestFolder::KeyExists(HKEY_CLASSES_ROOT, classKey));
    EXPECT_FALSE(AddinTestFolder::KeyExists(HKEY_CLASSES_ROOT, "Kestrin.WEConnect"));
    EXPECT_FALSE(AddinTestFolder::KeyExists(HKEY_CLASSES_ROOT, "Kestrin.WEConnect.1"));
}

TEST_F(KestrinModuleTest, OffersTheConnectionClassAndUnloadsOnlyWhenNoObjectIsLeft)
{
    auto* getClassObject = Export<HRESULT(REFCLSID, REFIID, void**)>("DllGetClassObject");
    auto* canUnloadNow = Export<HRESULT()>("DllCanUnloadNow");
    ASSERT_NE(nullptr, getClassObject);
    ASSERT_NE(nullptr, canUnloadNow);
    void* factory = reinterpret_cast<void*>(0xdeadbeef);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(APPID_Kestrin, IID_IClassFactory, &factory));
    EXPECT_EQ(nullptr, factory);
    ASSERT_EQ(S_OK, getClassObject(CLSID_WEConnect, IID_IClassFactory, &factory));
    auto* classFactory = static_cast<IClassFactory*>(factory);
    IUnknown* addIn = nullptr;
    ASSERT_EQ(S_OK, classFactory->CreateInstance(nullptr, IID_IDTExtensibility2, reinterpret_cast<void**>(&addIn)));
    classFactory->Release();
    EXPECT_EQ(S_FALSE, canUnloadNow());
    addIn->Release();
    EXPECT_EQ(S_OK, canUnloadNow());
}

TEST_F(KestrinModuleTest, TheMenusHelpOpensTheAddinsTopicInTheHelpBesideTheModule)
{
    auto* getClassObject = Export<HRESULT(REFCLSID, REFIID, void**)>("DllGetClassObject");
    ASSERT_NE(nullptr, getClassObject);
    IClassFactory* factory = nullptr;
    ASSERT_EQ(S_OK, getClassObject(CLSID_WEConnect, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
    IWEOLMenuSink* addIn = nullptr;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IWEOLMenuSink, reinterpret_cast<void**>(&addIn)));
    factory->Release();
    std::vector<ShellLaunch> launches;
    const ShellLaunchHook previous = SetShellLaunchHook([&](const ShellLaunch& launch) {
        launches.push_back(launch);
        return static_cast<DWORD>(ERROR_SUCCESS);
    });
    EXPECT_EQ(S_OK, addIn->OnClickButon(wemitStatic, 2));
    SetShellLaunchHook(previous);
    addIn->Release();
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ("open", launches[0].verb);
    EXPECT_EQ(kBinDir + "/Pollenta.chm/1.html", launches[0].file);
}

TEST_F(KestrinModuleTest, ClearAllLogsWithoutProductKeyDeletesNothing)
{
    auto* clearAllLogs = Export<int()>("ClearAllLogs");
    ASSERT_NE(nullptr, clearAllLogs);
    const fs::path log = folder.WriteFile("Logs/kq061110.log", "x");
    EXPECT_EQ(0, clearAllLogs());
    EXPECT_TRUE(fs::exists(log));
    AddinTestFolder::SetNumber(kProductKey, "KeepDays", 15);
    EXPECT_EQ(0, clearAllLogs());
    EXPECT_TRUE(fs::exists(log));
}

TEST_F(KestrinModuleTest, ClearAllLogsDeletesOnlyTheLogsOfAFolderTheUserShares)
{
    auto* clearAllLogs = Export<int()>("ClearAllLogs");
    ASSERT_NE(nullptr, clearAllLogs);
    const fs::path chosen = folder.Path() / "Documents";
    folder.WriteFile("Documents/kq061110.log", "x");
    folder.WriteFile("Documents/kq061111.log", "x");
    const fs::path letter = folder.WriteFile("Documents/letter.txt", "mine");
    const fs::path theirs = folder.WriteFile("Photos/kq061109.log", "not a log of ours");
    fs::create_directory_symlink(folder.Path() / "Photos", chosen / "Photos");
    AddinTestFolder::SetText(HKEY_CURRENT_USER, kProductKey, "LogFolderPath", chosen.string());

    EXPECT_EQ(0, clearAllLogs());
    EXPECT_FALSE(fs::exists(chosen / "kq061110.log"));
    EXPECT_FALSE(fs::exists(chosen / "kq061111.log"));
    EXPECT_TRUE(fs::exists(letter));
    EXPECT_TRUE(fs::is_symlink(chosen / "Photos"));
    EXPECT_TRUE(fs::exists(theirs));

    // A folder of the add-in's own goes once its logs are gone.
    const fs::path own = folder.Path() / "Logs";
    folder.WriteFile("Logs/kq061110.log", "x");
    AddinTestFolder::SetText(HKEY_CURRENT_USER, kProductKey, "LogFolderPath", own.string());
    EXPECT_EQ(0, clearAllLogs());
    EXPECT_FALSE(fs::exists(own));
}
