// Torvane as its clients meet it: registered by regsvr, created by ProgID in
// a process that does not link it, and driven through IDispatch.

#include "ITMMailItem.h"
#include "ITMMailItemEvents.h"

#include "com/Activation.h"
#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/ConnectionPoint.h"
#include "com/DispatchClient.h"
#include "com/ErrorInfo.h"
#include "com/EventSink.h"
#include "testsupport/TempRegistry.h"
#include "win/Registry.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

namespace {

const std::string BinDir = POLLENTA_BIN_DIR;

int RunRegsvr(const std::string& arguments)
{
    std::string command = "'" + BinDir + "/regsvr' " + arguments + " > /dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadText(const std::string& keyPath, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<missing>";
    char text[1024] = {};
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    LONG result = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? text : "<missing>";
}

bool KeyExists(const std::string& keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

class TorvaneModuleTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RunRegsvr("'" + BinDir + "/Torvane.so'"), 0);
        CoInitialize(nullptr);
    }
    void TearDown() override { CoUninitialize(); }

    CComPtr<IDispatch> CreateMailItem()
    {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(kTMMailItemProgIDW, &clsid), S_OK);
        EXPECT_EQ(clsid, CLSID_TMMailItem);
        CComPtr<IDispatch> item;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&item)),
                  S_OK);
        return item;
    }

    HRESULT AddMacros(IDispatch* item, const char* name, const CComVariant& value, bool dynamic)
    {
        CComVariant args[] = {CComVariant(name), value, CComVariant(dynamic)};
        return pollenta::com::InvokeByName(item, "AddMacros", DISPATCH_METHOD, args, nullptr);
    }

    LONG MacrosesCount(IDispatch* item)
    {
        CComVariant count;
        EXPECT_EQ(pollenta::com::GetProperty(item, "MacrosesCount", &count), S_OK);
        return count.lVal;
    }

    pollenta::testsupport::TempRegistry m_registry;
};

}  // namespace

TEST_F(TorvaneModuleTest, RegistrationWritesTheClassKeys)
{
    const std::string clsid = pollenta::com::GuidToString(CLSID_TMMailItem);
    const std::string appId = pollenta::com::GuidToString(APPID_Torvane);
    EXPECT_EQ(ReadText("Torvane.TMMailItem", nullptr), "TMMailItem Class");
    EXPECT_EQ(ReadText("Torvane.TMMailItem\\CurVer", nullptr), "Torvane.TMMailItem.1");
    EXPECT_EQ(ReadText("Torvane.TMMailItem.1\\CLSID", nullptr), clsid);
    EXPECT_EQ(ReadText("CLSID\\" + clsid + "\\ProgID", nullptr), "Torvane.TMMailItem.1");
    EXPECT_EQ(ReadText("CLSID\\" + clsid + "\\VersionIndependentProgID", nullptr), "Torvane.TMMailItem");
    EXPECT_EQ(ReadText("CLSID\\" + clsid + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_NE(ReadText("CLSID\\" + clsid + "\\InprocServer32", nullptr).find("Torvane.so"), std::string::npos);
    EXPECT_EQ(ReadText("CLSID\\" + clsid, "AppID"), appId);
    // A key with no value: only its presence says anything.
    EXPECT_TRUE(KeyExists("CLSID\\" + clsid + "\\Programmable"));
    EXPECT_EQ(ReadText("CLSID\\" + clsid + "\\TypeLib", nullptr), pollenta::com::GuidToString(LIBID_TorvaneLib));
    EXPECT_EQ(ReadText("AppID\\" + appId, nullptr), "Torvane");
    EXPECT_EQ(ReadText("AppID\\Torvane.DLL", "AppID"), appId);
    EXPECT_EQ(ReadText("TypeLib\\" + pollenta::com::GuidToString(LIBID_TorvaneLib) + "\\3.0", nullptr),
              "Torvane 3.0 Type Library");
    EXPECT_EQ(ReadText("Interface\\" + pollenta::com::GuidToString(IID_ITMMailItem3), nullptr), "ITMMailItem3");

    ASSERT_EQ(RunRegsvr("/u '" + BinDir + "/Torvane.so'"), 0);
    EXPECT_FALSE(KeyExists("Torvane.TMMailItem"));
    EXPECT_FALSE(KeyExists("CLSID\\" + clsid));
    EXPECT_FALSE(KeyExists("AppID\\" + appId));
    CLSID unused{};
    EXPECT_NE(CLSIDFromProgID(kTMMailItemProgIDW, &unused), S_OK);
}

TEST_F(TorvaneModuleTest, MacrosRegisteredThroughIDispatch)
{
    CComPtr<IDispatch> item = CreateMailItem();
    ASSERT_TRUE(item);
    DISPID id = 0;
    EXPECT_EQ(pollenta::com::GetDispId(item, "AddMacros", &id), S_OK);
    EXPECT_EQ(id, DISPID_TMMAILITEM_ADDMACROS);

    EXPECT_EQ(AddMacros(item, "%RECIPIENT%", CComVariant(LONG{0}), true), S_OK);
    EXPECT_EQ(AddMacros(item, "Owner", CComVariant("99"), true), S_OK);
    EXPECT_EQ(AddMacros(item, "Static", CComVariant(LONG{5}), false), S_OK);
    EXPECT_EQ(MacrosesCount(item), 3);

    EXPECT_EQ(AddMacros(item, "Bad", CComVariant(LONG{5}), true), E_INVALIDARG);
    CComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    CComBSTR source;
    info->GetSource(&source);
    EXPECT_EQ(source.ToString(), "Torvane.TMMailItem.1");
    EXPECT_EQ(MacrosesCount(item), 3);

    EXPECT_EQ(pollenta::com::InvokeByName(item, "RemoveAllMacroses", DISPATCH_METHOD, {}, nullptr), S_OK);
    EXPECT_EQ(MacrosesCount(item), 0);
}

TEST_F(TorvaneModuleTest, LanguageAndSendingWithoutItem)
{
    CComPtr<IDispatch> item = CreateMailItem();
    ASSERT_TRUE(item);
    CComVariant language;
    EXPECT_EQ(pollenta::com::GetProperty(item, "Language", &language), S_OK);
    EXPECT_EQ(language.ulVal, 4318u);
    EXPECT_EQ(pollenta::com::PutProperty(item, "Language", CComVariant(ULONG{4326})), S_OK);
    pollenta::com::GetProperty(item, "Language", &language);
    EXPECT_EQ(language.ulVal, 4326u);

    CComVariant args[] = {CComVariant(LONG{0}), CComVariant(true), CComVariant("Caption"), CComVariant("Text")};
    EXPECT_EQ(pollenta::com::InvokeByName(item, "Solvenda", DISPATCH_METHOD, args, nullptr), E_FAIL);
    EXPECT_EQ(pollenta::com::InvokeByName(item, "Solvenda3", DISPATCH_METHOD, args, nullptr), E_FAIL);

    CComPtr<ITMMailItem3> third;
    EXPECT_EQ(item->QueryInterface(IID_ITMMailItem3, reinterpret_cast<void**>(&third)), S_OK);
    CComPtr<ITMMailItem> first;
    EXPECT_EQ(item->QueryInterface(IID_ITMMailItem, reinterpret_cast<void**>(&first)), S_OK);
    LONG count = -1;
    EXPECT_EQ(first->get_MacrosesCount(&count), S_OK);
    EXPECT_EQ(count, 0);
}

TEST_F(TorvaneModuleTest, EventSinkIsAdvisedOnTheConnectionPoint)
{
    CComPtr<IDispatch> item = CreateMailItem();
    ASSERT_TRUE(item);
    auto handler = [](DISPID, pollenta::com::DispatchCall&) -> HRESULT { return S_OK; };
    CComPtr<IDispatch> sink;
    ASSERT_EQ(pollenta::com::CreateEventSink(DIID__ITMMailItemEvents, handler, &sink), S_OK);

    CComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(item->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)), S_OK);
    CComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(DIID__ITMMailItemEvents, &point), S_OK);
    IID iid{};
    point->GetConnectionInterface(&iid);
    EXPECT_EQ(iid, DIID__ITMMailItemEvents);
    DWORD cookie = 0;
    EXPECT_EQ(point->Advise(sink, &cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
}
