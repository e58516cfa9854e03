// End to end: a server module built beside the tests is registered with
// regsvr, found by ProgID, loaded by CoCreateInstance (this program does not
// link it), called, and unregistered again.

#include "TestCalc.h"
#include "com/Activation.h"
#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/DispatchClient.h"
#include "com/ErrorInfo.h"
#include "com/Registration.h"
#include "testsupport/TempRegistry.h"
#include "win/Registry.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <csignal>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

const std::string kServer = POLLENTA_TEST_DIR "/ComTestServer.so";
const std::string kBrokenServer = POLLENTA_TEST_DIR "/ComBrokenServer.so";
const std::string kRegsvrLibrary = POLLENTA_TEST_DIR "/RegsvrLibrary.so";
const std::string kRegsvrDependent = POLLENTA_TEST_DIR "/RegsvrDependent.so";
const std::string kThrowingStart = POLLENTA_TEST_DIR "/RegsvrThrowingStart.so";
const std::string kSignallingStart = POLLENTA_TEST_DIR "/RegsvrSignallingStart.so";

// Runs regsvr; what it writes to stderr goes to errorFile when one is given.
int RunRegsvr(std::vector<std::string> args, const std::string& errorFile = {})
{
    args.insert(args.begin(), POLLENTA_BIN_DIR "/regsvr");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!errorFile.empty())
        posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string FileText(const std::string& path)
{
    std::ifstream file(path);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void WriteString(const std::string& key, const std::string& value)
{
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueEx(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                  static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
}

class Activation : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CoInitialize(nullptr), S_OK); }
    void TearDown() override { CoUninitialize(); }

    pollenta::testsupport::TempRegistry m_registry;
};

}  // namespace

TEST_F(Activation, RegisteredServerIsCreatedByProgIdAndCalled)
{
    ASSERT_EQ(RunRegsvr({"/s", kServer}), 0);

    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(CComBSTR(kTestCalcIndependentProgId), &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_TestCalc);
    LPOLESTR progId = nullptr;
    ASSERT_EQ(ProgIDFromCLSID(clsid, &progId), S_OK);
    EXPECT_EQ(pollenta::com::AnsiFromOleString(progId), kTestCalcProgId);
    CoTaskMemFree(progId);

    CComPtr<ITestCalc> calc;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_ITestCalc, reinterpret_cast<void**>(&calc)), S_OK);
    LONG sum = 0;
    ASSERT_EQ(calc->Add(40, 2, &sum), S_OK);
    EXPECT_EQ(sum, 42);

    // The same object through IDispatch, arguments turned round in DISPPARAMS.
    CComQIPtr<IDispatch> dispatch(static_cast<IUnknown*>(calc.p));
    ASSERT_TRUE(dispatch);
    CComVariant args[2] = {CComVariant("label"), CComVariant(LONG(7))};
    DISPPARAMS params{args, nullptr, 2, 0};
    CComVariant result;
    ASSERT_EQ(dispatch->Invoke(DISPID_TestCalc_Describe, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr,
                               nullptr),
              S_OK);
    EXPECT_EQ(pollenta::com::AnsiFromBstr(result.bstrVal), "label:7");

    ASSERT_EQ(pollenta::com::PutProperty(dispatch, "name", CComVariant("renamed")), S_OK);
    CComBSTR name;
    ASSERT_EQ(calc->get_Name(&name), S_OK);
    EXPECT_EQ(name.ToString(), "renamed");

    BSTR text = nullptr;
    EXPECT_EQ(calc->Describe(-1, CComBSTR("x"), &text), E_INVALIDARG);
    EXPECT_EQ(pollenta::com::TakeErrorDescription(calc, IID_ITestCalc), "count is negative");
}

TEST_F(Activation, ServerModuleStaysLoadedWhileItsObjectsLive)
{
    ASSERT_EQ(RunRegsvr({"/s", kServer}), 0);
    auto isLoaded = [] {
        void* handle = dlopen(kServer.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (handle) dlclose(handle);
        return handle != nullptr;
    };
    CComPtr<ITestCalc> calc;
    ASSERT_EQ(CoCreateInstance(CLSID_TestCalc, nullptr, CLSCTX_INPROC_SERVER, IID_ITestCalc,
                               reinterpret_cast<void**>(&calc)),
              S_OK);
    CoFreeUnusedLibraries();
    ASSERT_TRUE(isLoaded());
    LONG sum = 0;
    EXPECT_EQ(calc->Add(1, 1, &sum), S_OK);
    calc.Release();
    CoFreeUnusedLibraries();
    EXPECT_FALSE(isLoaded());

    // Asked for as a local server, the class is still served by its module.
    ASSERT_EQ(CoCreateInstance(CLSID_TestCalc, nullptr, CLSCTX_LOCAL_SERVER, IID_ITestCalc,
                               reinterpret_cast<void**>(&calc)),
              S_OK);
    EXPECT_TRUE(isLoaded());
}

TEST_F(Activation, UnregisteredServerCanNoLongerBeFound)
{
    ASSERT_EQ(RunRegsvr({"/s", kServer}), 0);
    ASSERT_EQ(RunRegsvr({"/u", "/s", kServer}), 0);
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(CComBSTR(kTestCalcProgId), &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID(CComBSTR(kTestCalcIndependentProgId), &clsid), CO_E_CLASSSTRING);
    CComPtr<IUnknown> object;
    EXPECT_EQ(CoCreateInstance(CLSID_TestCalc, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
    LPOLESTR progId = nullptr;
    EXPECT_EQ(ProgIDFromCLSID(CLSID_TestCalc, &progId), REGDB_E_CLASSNOTREG);
}

TEST_F(Activation, RegsvrReportsEachKindOfFailure)
{
    EXPECT_EQ(RunRegsvr({}), 1);
    EXPECT_EQ(RunRegsvr({"/s", (m_registry.Path() / "missing.so").string()}), 3);
    EXPECT_EQ(RunRegsvr({"/u", kBrokenServer}), 4);
    EXPECT_EQ(RunRegsvr({kBrokenServer}), 5);
}

TEST_F(Activation, RegsvrTakesOnlyTheModulesOwnEntryPoint)
{
    const std::string errors = (m_registry.Path() / "errors.txt").string();
    for (const char* flag : {"/s", "/u"}) {
        SCOPED_TRACE(flag);
        EXPECT_EQ(4, RunRegsvr({flag, kRegsvrDependent}, errors));
        const std::string entry = std::string(flag) == "/u" ? "DllUnregisterServer" : "DllRegisterServer";
        EXPECT_EQ("regsvr: the module \"" + kRegsvrDependent + "\" was loaded, but the entry point " + entry +
                      " was not found.\n",
                  FileText(errors));
    }
}

TEST_F(Activation, RegsvrReportsAThrowingEntryPointAsItsFailure)
{
    const std::string errors = (m_registry.Path() / "errors.txt").string();
    EXPECT_EQ(6, RunRegsvr({"/s", kRegsvrLibrary}, errors));
    EXPECT_EQ("regsvr: DllRegisterServer in \"" + kRegsvrLibrary +
                  "\" threw an exception: the registry key cannot be written\n",
              FileText(errors));
    EXPECT_EQ(6, RunRegsvr({"/u", kRegsvrLibrary}, errors));
    EXPECT_EQ("regsvr: DllUnregisterServer in \"" + kRegsvrLibrary + "\" threw an exception of an unknown kind.\n",
              FileText(errors));
}

TEST_F(Activation, RegsvrNamesAModuleWhoseStartEndsItsProcessAndTheReason)
{
    const std::string errors = (m_registry.Path() / "errors.txt").string();
    EXPECT_EQ(3, RunRegsvr({"/s", kThrowingStart}, errors));
    EXPECT_EQ("regsvr: the module \"" + kThrowingStart +
                  "\" failed to load: it threw an exception \"the licence file is missing\"\n",
              FileText(errors));
    EXPECT_EQ(7, RunRegsvr({"/s", kSignallingStart}, errors));
    EXPECT_EQ("regsvr: the module \"" + kSignallingStart + "\" ended its process with signal " +
                  std::to_string(SIGABRT) + " (" + strsignal(SIGABRT) + ").\n",
              FileText(errors));
}

TEST_F(Activation, RegsvrRegistersEveryModuleInTurnAndExitsWithTheFirstFailure)
{
    const std::string errors = (m_registry.Path() / "errors.txt").string();
    EXPECT_EQ(7, RunRegsvr({"/s", kSignallingStart, kServer, kBrokenServer, kThrowingStart}, errors));
    const std::string text = FileText(errors);
    EXPECT_NE(std::string::npos, text.find(kSignallingStart)) << text;
    EXPECT_NE(std::string::npos, text.find("DllRegisterServer in \"" + kBrokenServer + "\" failed")) << text;
    EXPECT_NE(std::string::npos, text.find(kThrowingStart)) << text;
    CLSID clsid{};
    EXPECT_EQ(S_OK, CLSIDFromProgID(CComBSTR(kTestCalcIndependentProgId), &clsid));
    EXPECT_EQ(0, RunRegsvr({"/s", kServer, kServer}));
}

TEST_F(Activation, BadRegistrationsGiveTheExpectedCodes)
{
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"Nobody.Here", &clsid), CO_E_CLASSSTRING);
    WriteString("Damaged.Class\\CLSID", "{not-a-guid}");
    EXPECT_EQ(CLSIDFromProgID(u"Damaged.Class", &clsid), CO_E_CLASSSTRING);

    const std::string classKey = "CLSID\\" + pollenta::com::GuidToString(CLSID_TestCalc) + "\\InprocServer32";
    CComPtr<IUnknown> object;
    WriteString(classKey, (m_registry.Path() / "missing.so").string());
    EXPECT_EQ(CoCreateInstance(CLSID_TestCalc, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&object)),
              CO_E_DLLNOTFOUND);
    WriteString(classKey, kBrokenServer);
    EXPECT_EQ(CoCreateInstance(CLSID_TestCalc, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&object)),
              CO_E_ERRORINDLL);
    EXPECT_EQ(object.p, nullptr);
}

TEST_F(Activation, DamagedRegistryIsReportedAsSuch)
{
    std::ofstream(m_registry.Path() / "HKEY_LOCAL_MACHINE.reg") << "this is not a registry file\n";
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"Any.Thing", &clsid), REGDB_E_READREGDB);
    CComPtr<IUnknown> object;
    EXPECT_EQ(CoCreateInstance(CLSID_TestCalc, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&object)),
              REGDB_E_READREGDB);
    LPOLESTR progId = nullptr;
    EXPECT_EQ(ProgIDFromCLSID(CLSID_TestCalc, &progId), REGDB_E_READREGDB);
}

TEST_F(Activation, CurVerLeadsToTheVersionedProgId)
{
    WriteString("Versioned.Thing.2\\CLSID", pollenta::com::GuidToString(CLSID_TestCalc));
    WriteString("Versioned.Thing\\CurVer", "Versioned.Thing.2");
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"Versioned.Thing", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_TestCalc);
    // A CurVer that points at itself ends without a class.
    WriteString("Looping\\CurVer", "Looping");
    EXPECT_EQ(CLSIDFromProgID(u"Looping", &clsid), CO_E_CLASSSTRING);
}

namespace {

// A class object offered by the process itself, the way a local server
// offers its application object.
class CLocalFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
        *out = this;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID iid, void** out) override
    {
        ++m_created;
        return QueryInterface(iid, out);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

    int m_created = 0;
};

}  // namespace

TEST_F(Activation, ClassObjectsRegisteredInTheProcessComeFirst)
{
    CLocalFactory factory;
    DWORD cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(CLSID_TestCalc, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie), S_OK);
    CComPtr<IUnknown> object;
    EXPECT_EQ(CoCreateInstance(CLSID_TestCalc, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
    ASSERT_EQ(CoCreateInstance(CLSID_TestCalc, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&object)),
              S_OK);
    EXPECT_EQ(factory.m_created, 1);
    ASSERT_EQ(CoRevokeClassObject(cookie), S_OK);
    EXPECT_EQ(CoRevokeClassObject(cookie), E_INVALIDARG);
}

TEST(ActivationWithoutApartment, CreationNeedsCoInitialize)
{
    pollenta::testsupport::TempRegistry registry;
    CComPtr<IUnknown> object;
    EXPECT_EQ(CoCreateInstance(CLSID_TestCalc, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&object)),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    CoUninitialize();
    CoUninitialize();
}
