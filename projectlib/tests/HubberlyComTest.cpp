// Gastrel as its clients meet it: registered by regsvr, created by ProgID
// through the COM layer, driven through its interface and by name. This
// program does not link the library.

#include "HubberlyTestSupport.h"
#include "ProjectlibTestFolder.h"

#include "com/Activation.h"
#include "com/ComPtr.h"
#include "testsupport/RegistryFileText.h"
#include "ui/MessageBox.h"

#include <dlfcn.h>

#include <fstream>
#include <functional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const std::string kBinDir = POLLENTA_BIN_DIR;
const std::string kModulePath = fs::weakly_canonical(kBinDir + "/Gastrel.so").string();
const std::string kMenuAddins = "SOFTWARE\\Microsoft\\Office\\11.0\\Access\\Menu Add-Ins";

int Regsvr(const std::string& arguments)
{
    std::string command = "'" + kBinDir + "/regsvr' " + arguments + " '" + kBinDir + "/Gastrel.so'";
    return std::system(command.c_str());
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string ClassKey() { return "CLSID\\" + pollenta::com::GuidToString(CLSID_Hubberly); }

class HubberlyComTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.SeedDataDir();
        // Access is "installed": its menu add-in key exists.
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_LOCAL_MACHINE, kMenuAddins.c_str(), 0, nullptr, 0,
                                                KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegCloseKey(key);
        ASSERT_EQ(0, Regsvr("/s"));
        ASSERT_EQ(S_OK, CoInitialize(nullptr));
    }
    void TearDown() override { CoUninitialize(); }

    CComPtr<IHubberly> Create()
    {
        CLSID clsid = GUID_NULL;
        EXPECT_EQ(S_OK, CLSIDFromProgID(kHubberlyProgIDW, &clsid));
        EXPECT_EQ(CLSID_Hubberly, clsid);
        CComPtr<IHubberly> hubberly;
        EXPECT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IHubberly,
                                         reinterpret_cast<void**>(&hubberly)));
        return hubberly;
    }

    ProjectlibTestFolder folder;
};

TEST_F(HubberlyComTest, RegistrationWritesTheClassAndTheMenuAddin)
{
    const std::string addin = kMenuAddins + "\\Pollenta Wizard";
    EXPECT_EQ(kBinDir + "/kqWizard.mde", folder.Text(HKEY_LOCAL_MACHINE, addin, "Library").value_or(""));
    EXPECT_EQ("=qxv_Wizard()", folder.Text(HKEY_LOCAL_MACHINE, addin, "Expression"));

    EXPECT_EQ("Hubberly Class", folder.Text(HKEY_CLASSES_ROOT, "Gastrel.Hubberly", ""));
    EXPECT_EQ("Gastrel.Hubberly.1", folder.Text(HKEY_CLASSES_ROOT, "Gastrel.Hubberly\\CurVer", ""));
    EXPECT_EQ(pollenta::com::GuidToString(CLSID_Hubberly),
              folder.Text(HKEY_CLASSES_ROOT, "Gastrel.Hubberly.1\\CLSID", ""));
    EXPECT_EQ(kModulePath, folder.Text(HKEY_CLASSES_ROOT, ClassKey() + "\\InprocServer32", ""));
    EXPECT_EQ("Apartment", folder.Text(HKEY_CLASSES_ROOT, ClassKey() + "\\InprocServer32", "ThreadingModel"));
    EXPECT_EQ("Quellary.Hubberly.1", folder.Text(HKEY_CLASSES_ROOT, ClassKey() + "\\ProgID", ""));
    EXPECT_TRUE(folder.KeyExists(HKEY_CLASSES_ROOT, ClassKey() + "\\Programmable"));
    EXPECT_EQ(pollenta::com::GuidToString(APPID_Gastrel), folder.Text(HKEY_CLASSES_ROOT, ClassKey(), "AppID"));
    EXPECT_EQ(pollenta::com::GuidToString(APPID_Gastrel),
              folder.Text(HKEY_CLASSES_ROOT, "AppID\\Gastrel.DLL", "AppID"));
    EXPECT_EQ("Velquin Ltd Hubberly 1.0 Type Library",
              folder.Text(HKEY_CLASSES_ROOT, "TypeLib\\" + pollenta::com::GuidToString(LIBID_GastrelLib) + "\\1.0", ""));
    // The data folder that was already set is kept.
    EXPECT_EQ(folder.DataDir().string(), folder.Text(HKEY_CURRENT_USER, folder.kProductKey, "DataDir"));

    ASSERT_EQ(0, Regsvr("/u /s"));
    EXPECT_FALSE(folder.KeyExists(HKEY_CLASSES_ROOT, "Gastrel.Hubberly"));
    EXPECT_FALSE(folder.KeyExists(HKEY_CLASSES_ROOT, ClassKey()));
    EXPECT_FALSE(folder.KeyExists(HKEY_CLASSES_ROOT, "AppID\\Gastrel.DLL"));
    EXPECT_FALSE(folder.KeyExists(HKEY_LOCAL_MACHINE, addin));
    EXPECT_TRUE(folder.KeyExists(HKEY_LOCAL_MACHINE, kMenuAddins));
    CLSID clsid = GUID_NULL;
    EXPECT_EQ(CO_E_CLASSSTRING, CLSIDFromProgID(kHubberlyProgIDW, &clsid));
}

TEST_F(HubberlyComTest, ProjectLifeThroughTheInterface)
{
    CComPtr<IHubberly> hubberly = Create();
    ASSERT_TRUE(hubberly);
    LONG id = ::Create(hubberly, "Customer survey");
    ASSERT_GT(id, 0);
    EXPECT_EQ(std::vector<LONG>{id}, Projects(hubberly, 2));
    EXPECT_TRUE(Projects(hubberly, 1).empty());

    BSTR text = nullptr;
    ASSERT_EQ(S_OK, hubberly->GetProjectName(id, &text));
    EXPECT_EQ("Customer survey", TextOf(text));
    ASSERT_EQ(S_OK, hubberly->GetProjectDir(id, &text));
    const fs::path projectFolder = TextOf(text);
    EXPECT_EQ(folder.DataDir() / std::to_string(id), projectFolder);
    EXPECT_TRUE(fs::is_directory(projectFolder));

    EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("Subject"), CComVariant("Customer answers")));
    EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("CollectSenders"), CComVariant(true)));
    EXPECT_EQ("Customer answers", TextProperty(hubberly, "subject"));
    ASSERT_EQ(S_OK, hubberly->FinalizeProject(id));
    EXPECT_EQ(std::vector<LONG>{id}, Projects(hubberly, 1));

    const std::string registryText = pollenta::testsupport::RegistryFileText(folder.Registry());
    EXPECT_NE(std::string::npos, registryText.find("Pollenta\\Projects\\" + std::to_string(id) + "]"));
    EXPECT_NE(std::string::npos, registryText.find("\"Subject\"=\"Customer answers\""));
    EXPECT_NE(std::string::npos, registryText.find("\"CollectSenders\"=dword:ffffffff"));
    EXPECT_NE(std::string::npos, registryText.find("\"LastProjectID\"=dword:"));

    // A later object, even of another process's making, starts from the
    // project finalized last.
    CComPtr<IHubberly> next = Create();
    EXPECT_EQ("Customer answers", TextProperty(next, "Subject"));
    EXPECT_EQ(-1, NumberProperty(next, "CollectSenders"));
    CComVariant value;
    ASSERT_EQ(S_OK, next->GetProjectProperty(id, CComVariant("Subject"), &value));
    EXPECT_EQ("Customer answers", pollenta::com::AnsiFromBstr(value.bstrVal));

    EXPECT_EQ(S_OK, next->DeleteProject(id));
    EXPECT_TRUE(Projects(next, 0).empty());
    EXPECT_FALSE(fs::exists(projectFolder));
    EXPECT_EQ(std::string::npos,
              pollenta::testsupport::RegistryFileText(folder.Registry()).find("Projects\\" + std::to_string(id)));
}

TEST_F(HubberlyComTest, LateBoundCallsByName)
{
    CComPtr<IHubberly> hubberly = Create();
    CComQIPtr<IDispatch> dispatch(hubberly);
    ASSERT_TRUE(dispatch);

    auto idOf = [&](const char16_t* name) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        DISPID id = DISPID_UNKNOWN;
        EXPECT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id));
        return id;
    };
    EXPECT_EQ(9, idOf(u"createproject"));
    EXPECT_EQ(19, idOf(u"GetProjectProperty"));
    EXPECT_EQ(4, idOf(u"WarningsCount"));

    CComVariant name("Dispatched");
    DISPPARAMS create = {&name, nullptr, 1, 0};
    CComVariant result;
    ASSERT_EQ(S_OK, dispatch->Invoke(9, IID_NULL, 0, DISPATCH_METHOD, &create, &result, nullptr, nullptr));
    ASSERT_EQ(VT_I4, result.vt);
    const LONG id = result.lVal;
    EXPECT_GT(id, 0);

    // Arguments come in reverse order: the name of the property last.
    CComVariant arguments[] = {CComVariant("Subject"), CComVariant(id)};
    DISPPARAMS get = {arguments, nullptr, 2, 0};
    CComVariant subject;
    ASSERT_EQ(S_OK, dispatch->Invoke(19, IID_NULL, 0, DISPATCH_METHOD, &get, &subject, nullptr, nullptr));
    EXPECT_EQ("Survey results", pollenta::com::AnsiFromBstr(subject.bstrVal));

    CComVariant count;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    ASSERT_EQ(S_OK, dispatch->Invoke(4, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &count, nullptr, nullptr));
    EXPECT_EQ(0, count.lVal);

    CComVariant badIndex(LONG{0});
    DISPPARAMS warning = {&badIndex, nullptr, 1, 0};
    EXPECT_EQ(E_INVALIDARG, dispatch->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &warning, &result, nullptr, nullptr));
}

// Registration without an Access whose menu can take the wizard.
class GastrelRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.SeedDataDir();
        module = dlopen(kModulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(nullptr, module) << dlerror();
        previousHook = SetMessageBoxHook([this](const MessageBoxRequest& request) {
            boxes.push_back(request);
            return 1;
        });
    }
    void TearDown() override
    {
        SetMessageBoxHook(previousHook);
        if (module)
            dlclose(module);
    }
    HRESULT Call(const char* name)
    {
        auto entry = reinterpret_cast<HRESULT (*)()>(dlsym(module, name));
        return entry ? entry() : E_NOTIMPL;
    }

    ProjectlibTestFolder folder;
    void* module = nullptr;
    MessageBoxHook previousHook;
    std::vector<MessageBoxRequest> boxes;
};

TEST_F(GastrelRegistrationTest, NoAccessMeansNoRegistrationAndATellingBox)
{
    EXPECT_EQ(E_FAIL, Call("DllRegisterServer"));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Registration error of Pollenta Wizard for Access", boxes[0].caption);
    EXPECT_EQ(0u, boxes[0].text.find("Microsoft Access 2000/XP/2003 registry section not found."));
    EXPECT_EQ(MB_ICONERROR, boxes[0].type & MB_ICONMASK);
    EXPECT_FALSE(folder.KeyExists(HKEY_CLASSES_ROOT, ClassKey()));
}

TEST_F(GastrelRegistrationTest, OneAccessVersionIsEnough)
{
    folder.SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\10.0\\Access\\Menu Add-Ins\\Pollenta Wizard",
                   "Library", "stale");
    EXPECT_EQ(S_OK, Call("DllRegisterServer"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(kBinDir + "/kqWizard.mde",
              folder.Text(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\10.0\\Access\\Menu Add-Ins\\Pollenta Wizard",
                          "Library"));
    EXPECT_FALSE(folder.KeyExists(HKEY_LOCAL_MACHINE, kMenuAddins));
    EXPECT_TRUE(folder.KeyExists(HKEY_CLASSES_ROOT, ClassKey()));
}

TEST_F(GastrelRegistrationTest, FirstRegistrationGivesTheDataFolderAHome)
{
    // "Projects" beside the library, or the library's folder when that
    // cannot be made anew. A copy of the library in a folder of the test
    // makes "beside the library" a place the test controls.
    struct Case {
        const char* what;
        std::function<void(const fs::path& moduleDir)> prepare;
        bool expectProjects;
    };
    const Case cases[] = {
        {"nothing there yet", [](const fs::path&) {}, true},
        {"a folder left from before", [](const fs::path& dir) { fs::create_directory(dir / "Projects"); }, false},
        {"a file in the way", [](const fs::path& dir) { std::ofstream(dir / "Projects") << "x"; }, false},
    };
    folder.SetNumber(HKEY_LOCAL_MACHINE, kMenuAddins, "Probe", 1);
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path moduleDir = folder.Path() / ("copy" + std::to_string(++index));
        fs::create_directories(moduleDir);
        c.prepare(moduleDir);
        fs::copy_file(kModulePath, moduleDir / "Gastrel.so");
        dlclose(module);
        module = dlopen((moduleDir / "Gastrel.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(nullptr, module) << dlerror();
        folder.SetText(HKEY_CURRENT_USER, folder.kProductKey, "DataDir", "");

        ASSERT_EQ(S_OK, Call("DllRegisterServer"));
        const fs::path expected = c.expectProjects ? moduleDir / "Projects" : moduleDir;
        EXPECT_EQ(expected.string(), folder.Text(HKEY_CURRENT_USER, folder.kProductKey, "DataDir"));
        EXPECT_TRUE(fs::is_directory(expected));
    }
}

TEST_F(GastrelRegistrationTest, ModuleUnloadsOnlyWithoutObjects)
{
    folder.SetNumber(HKEY_LOCAL_MACHINE, kMenuAddins, "Probe", 1);
    auto getClassObject = reinterpret_cast<LPFNGETCLASSOBJECT>(dlsym(module, "DllGetClassObject"));
    ASSERT_NE(nullptr, getClassObject);
    CComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, getClassObject(CLSID_Hubberly, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
    CComPtr<IClassFactory> none;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(IID_IHubberly, IID_IClassFactory, reinterpret_cast<void**>(&none)));
    CComPtr<IHubberly> hubberly;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IHubberly, reinterpret_cast<void**>(&hubberly)));
    CComPtr<IUnknown> outer(hubberly);
    CComPtr<IUnknown> inner;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&inner)));
    factory.Release();
    EXPECT_EQ(S_FALSE, Call("DllCanUnloadNow"));
    hubberly.Release();
    outer.Release();
    EXPECT_EQ(S_OK, Call("DllCanUnloadNow"));
}

}  // namespace
