// Access.Application as its clients meet it: registered by regsvr, created
// by ProgID through the COM layer, read by name. This program does not link
// the module.

#include "FormTextWriter.h"
#include "SqliteTestFile.h"
#include "TempFolder.h"

#include "AccessGuids.h"
#include "ado/Connection.h"
#include "com/Activation.h"
#include "com/ComPtr.h"
#include "com/DispatchClient.h"
#include "com/ErrorInfo.h"
#include "com/Text.h"
#include "win/Registry.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;
using pollenta::com::GetProperty;
using pollenta::com::InvokeByName;

namespace {

const std::string kBinDir = POLLENTA_BIN_DIR;

CComVariant Call(IDispatch* object, const char* name, std::vector<CComVariant> args, HRESULT expected = S_OK)
{
    CComVariant result;
    EXPECT_EQ(expected, InvokeByName(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, &result)) << name;
    return result;
}

CComPtr<IDispatch> Object(const CComVariant& value)
{
    EXPECT_EQ(VT_DISPATCH, value.vt);
    return value.vt == VT_DISPATCH ? CComPtr<IDispatch>(value.pdispVal) : CComPtr<IDispatch>();
}

std::string Text(IDispatch* object, const char* name)
{
    CComVariant value;
    EXPECT_EQ(S_OK, GetProperty(object, name, &value)) << name;
    return value.vt == VT_BSTR ? pollenta::com::AnsiFromBstr(value.bstrVal) : "<not text>";
}

class AccessApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string command = "'" + kBinDir + "/regsvr' /s '" + kBinDir + "/Access.so'";
        ASSERT_EQ(0, std::system(command.c_str()));
        ASSERT_EQ(S_OK, CoInitialize(nullptr));
        database.SetPath((folder.Path() / "survey.db").string());
        database.Sql("CREATE TABLE Answers (Town VARCHAR(50), Age INTEGER)");
        fs::create_directories(folder.Path() / "forms");
    }
    void TearDown() override
    {
        application = nullptr;
        CoUninitialize();
    }

    void WriteForm(const std::string& file, const std::string& bytes)
    {
        std::ofstream(folder.Path() / "forms" / file, std::ios::binary) << bytes;
    }

    void Start()
    {
        CLSID clsid = GUID_NULL;
        ASSERT_EQ(S_OK, CLSIDFromProgID(u"Access.Application", &clsid));
        ASSERT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                         reinterpret_cast<void**>(&application)));
        Call(application, "OpenCurrentDatabase", {CComVariant(database.Path())});
    }

    TempFolder folder;
    SqliteTestFile database;
    CComPtr<IDispatch> application;
};

FormTextWriter SurveyForm()
{
    FormTextWriter form;
    form.Begin("Form").Text("RecordSource", "Answers").Begin();
    form.Begin("Section").Number("Height", 2835).Number("BackColor", 16777215).Begin();
    form.Begin("TextBox").Text("Name", "Town").Text("ControlSource", "Town").Number("Left", 567).End();
    form.Begin("CommandButton").Text("Name", "Submit").Text("Caption", "Send").End();
    form.End().End().End().End();
    return form;
}

TEST_F(AccessApplicationTest, RegistrationMakesTheMenuAddInKeyThatTheProjectLibraryNeeds)
{
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\11.0\\Access\\Menu Add-Ins", 0,
                                          KEY_READ, &key));
    RegCloseKey(key);
}

TEST_F(AccessApplicationTest, OpensAFormSavedBesideTheDatabaseAndAnswersItsSettingsByName)
{
    WriteForm("Survey.bas", SurveyForm().Utf16LeWithBom());
    Start();
    CComPtr<IDispatch> doCmd = Object(Call(application, "DoCmd", {}));
    Call(doCmd, "OpenForm", {CComVariant("Survey"), CComVariant(LONG{0}), CComVariant(), CComVariant(),
                             CComVariant(LONG{-1}), CComVariant(LONG{1})});
    CComPtr<IDispatch> forms = Object(Call(application, "Forms", {}));
    EXPECT_EQ(1, Call(forms, "Count", {}).lVal);
    CComPtr<IDispatch> form = Object(Call(forms, "Item", {CComVariant("survey")}));
    EXPECT_EQ("Answers", Text(form, "RecordSource"));
    EXPECT_EQ("Survey", Text(form, "Name"));

    CComPtr<IDispatch> detail = Object(Call(form, "Section", {CComVariant(LONG{0})}));
    EXPECT_EQ(2835, Call(detail, "Height", {}).lVal);
    CComPtr<IDispatch> controls = Object(Call(detail, "Controls", {}));
    EXPECT_EQ(2, Call(controls, "Count", {}).lVal);
    CComPtr<IDispatch> town = Object(Call(controls, "Item", {CComVariant(LONG{0})}));
    EXPECT_EQ(567, Call(town, "Left", {}).lVal);
    EXPECT_EQ(109, Call(town, "ControlType", {}).lVal);
    CComPtr<IUnknown> textbox;
    EXPECT_EQ(S_OK, town->QueryInterface(IID__Textbox, reinterpret_cast<void**>(&textbox)));
    CComPtr<IUnknown> label;
    EXPECT_EQ(E_NOINTERFACE, town->QueryInterface(IID__Label, reinterpret_cast<void**>(&label)));
    DISPID id = 0;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, pollenta::com::GetDispId(town, "RowSource", &id));

    Call(form, "Section", {CComVariant(LONG{1})}, DISP_E_BADINDEX);
    Call(doCmd, "Close", {CComVariant(LONG{2}), CComVariant("Survey"), CComVariant(LONG{1})});
    EXPECT_EQ(0, Call(forms, "Count", {}).lVal);
    Call(application, "Quit", {CComVariant(LONG{2})});
}

TEST_F(AccessApplicationTest, FindsFormsSavedUnderEveryNameExportToolsUse)
{
    WriteForm("One.form", SurveyForm().Utf8WithLf());
    WriteForm("Two.txt", SurveyForm().Utf8WithBom());
    Start();
    CComPtr<IDispatch> doCmd = Object(Call(application, "DoCmd", {}));
    Call(doCmd, "OpenForm", {CComVariant("One")});
    Call(doCmd, "OpenForm", {CComVariant("Two")});
    Call(doCmd, "OpenForm", {CComVariant("Three")}, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    Call(doCmd, "OpenForm", {CComVariant("../forms/One")}, E_INVALIDARG);
    EXPECT_EQ(2, Call(Object(Call(application, "Forms", {})), "Count", {}).lVal);
}

TEST_F(AccessApplicationTest, FindsAFormWhateverTheCaseOfItsNameAsTheProgramDoes)
{
    WriteForm("frmArmorMatch.bas", SurveyForm().Utf16LeWithBom());
    WriteForm("\u0410\u043D\u043A\u0435\u0442\u0430.bas", SurveyForm().Utf8WithBom());  // Анкета
    Start();
    CComPtr<IDispatch> doCmd = Object(Call(application, "DoCmd", {}));
    Call(doCmd, "OpenForm", {CComVariant("FRMARMORMATCH")});
    Call(doCmd, "OpenForm", {CComVariant(u"\u0430\u043D\u043A\u0435\u0442\u0430")});  // анкета
    CComPtr<IDispatch> forms = Object(Call(application, "Forms", {}));
    EXPECT_EQ("frmArmorMatch", Text(Object(Call(forms, "Item", {CComVariant("frmarmormatch")})), "Name"));
    EXPECT_EQ(2, Call(forms, "Count", {}).lVal);
    Call(doCmd, "Close", {CComVariant(LONG{2}), CComVariant("FrmArmorMatch")});
    EXPECT_EQ(1, Call(forms, "Count", {}).lVal);
}

TEST_F(AccessApplicationTest, ReportsTheLineOfADamagedForm)
{
    WriteForm("Broken.bas", "Version =20\r\nBegin Form\r\n    Caption =\"open\r\nEnd\r\n");
    Start();
    CComPtr<IDispatch> doCmd = Object(Call(application, "DoCmd", {}));
    Call(doCmd, "OpenForm", {CComVariant("Broken")}, E_FAIL);
    CComPtr<IErrorInfo> info;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &info));
    BSTR description = nullptr;
    info->GetDescription(&description);
    EXPECT_NE(std::string::npos, pollenta::com::AnsiFromBstr(description).find("line 3"));
    SysFreeString(description);
}

TEST_F(AccessApplicationTest, HandsOutTheDatabaseConnectionOfTheCurrentProject)
{
    Start();
    CComPtr<IDispatch> project = Object(Call(application, "CurrentProject", {}));
    EXPECT_EQ(database.Path(), Text(project, "FullName"));
    CComVariant connection = Call(project, "AccessConnection", {});
    ASSERT_EQ(VT_UNKNOWN, connection.vt);
    CComPtr<_Connection> ado;
    ASSERT_EQ(S_OK, connection.punkVal->QueryInterface(IID__Connection, reinterpret_cast<void**>(&ado)));
    BSTR text = nullptr;
    ASSERT_EQ(S_OK, ado->get_ConnectionString(&text));
    EXPECT_NE(std::string::npos, pollenta::com::AnsiFromBstr(text).find("survey.db"));
    SysFreeString(text);
}

TEST_F(AccessApplicationTest, RefusesADatabaseThatIsNotThere)
{
    CLSID clsid = GUID_NULL;
    ASSERT_EQ(S_OK, CLSIDFromProgID(u"Access.Application", &clsid));
    ASSERT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                     reinterpret_cast<void**>(&application)));
    Call(application, "OpenCurrentDatabase", {CComVariant((folder.Path() / "missing.db").string())},
         HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
}

}  // namespace

TEST_F(AccessApplicationTest, AnObjectAsksAfterAMemberItLacksByNumberIsTurnedAwayAndSettingsAreReadOnly)
{
    WriteForm("Survey.bas", SurveyForm().Utf8());
    Start();
    Call(Object(Call(application, "DoCmd", {})), "OpenForm", {CComVariant("Survey")});
    CComPtr<IDispatch> form = Object(Call(Object(Call(application, "Forms", {})), "Item", {CComVariant("Survey")}));
    CComPtr<IDispatch> detail = Object(Call(form, "Section", {CComVariant(LONG{0})}));
    CComPtr<IDispatch> town =
        Object(Call(Object(Call(detail, "Controls", {})), "Item", {CComVariant(LONG{0})}));
    // Numbers of members are shared by every object, so a client may hold the
    // form's number for a member that a text box does not have.
    for (const char* name : {"Section", "Controls", "RecordSource"}) {
        SCOPED_TRACE(name);
        DISPID id = DISPID_UNKNOWN;
        ASSERT_EQ(S_OK, pollenta::com::GetDispId(form, name, &id));
        CComVariant result;
        const CComVariant index(LONG{0});
        EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
                  pollenta::com::InvokeById(town, id, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {&index, 1}, &result));
        EXPECT_EQ(VT_EMPTY, result.vt);
    }
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, pollenta::com::PutProperty(town, "Left", CComVariant(LONG{1})));
    CComPtr<IErrorInfo> error;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &error));
    BSTR description = nullptr;
    ASSERT_EQ(S_OK, error->GetDescription(&description));
    EXPECT_EQ("The setting \"Left\" is read-only here.", pollenta::com::AnsiFromBstr(description));
    SysFreeString(description);
    DISPID recordSource = DISPID_UNKNOWN;
    ASSERT_EQ(S_OK, pollenta::com::GetDispId(form, "RecordSource", &recordSource));
    const CComVariant other("Other");
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
              pollenta::com::InvokeById(town, recordSource, DISPATCH_PROPERTYPUT, {&other, 1}, nullptr));
    EXPECT_EQ(567, Call(town, "Left", {}).lVal);
}
