#include "FailingAllocations.h"
#include "FakeMailItem.h"
#include "classes/TMMacros.h"
#include "classes/TMMailItem.h"
#include "classes/TMPersonData.h"
#include "errors/SystemErrorText.h"
#include "errors/ZrThrow.h"
#include "lang/CWELanguages.h"

#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/DispatchClient.h"
#include "com/EventSink.h"
#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"
#include "ui/MessageBox.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using pollenta::com::DispatchCall;

namespace {

class ComClassesTest : public testing::Test {
protected:
    void SetUp() override
    {
        Languages().SelectLanguage(m_folder.Path(), "English");
        ASSERT_EQ(TMMailItem::CreateInstance(IID_ITMMailItem3, reinterpret_cast<void**>(&m_item)), S_OK);
        SetMessageBoxHook([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request);
            return IDOK;
        });
    }
    void TearDown() override
    {
        SetMessageBoxHook({});
        Languages().SetLanguageId(CWELanguages::EnglishId);
    }

    std::string ErrorDescription()
    {
        CComPtr<IErrorInfo> info;
        if (GetErrorInfo(0, &info) != S_OK)
            return "";
        CComBSTR description;
        info->GetDescription(&description);
        return description.ToString();
    }

    pollenta::testsupport::TempFolder m_folder;
    pollenta::testsupport::TempRegistry m_registry{m_folder.Path()};
    CComPtr<ITMMailItem3> m_item;
    std::vector<MessageBoxRequest> m_boxes;
};

TMMailItem& Object(ITMMailItem3* item)
{
    return static_cast<TMMailItem&>(*item);
}

}  // namespace

TEST_F(ComClassesTest, AddMacrosKeepsDynamicAndStaticMacros)
{
    EXPECT_EQ(m_item->AddMacros(CComBSTR("%RECIPIENT%"), CComVariant(LONG{0}), VARIANT_TRUE), S_OK);
    EXPECT_EQ(m_item->AddMacros(CComBSTR("Owner"), CComVariant("99"), VARIANT_TRUE), S_OK);
    EXPECT_EQ(m_item->AddMacros(CComBSTR("Count"), CComVariant(LONG{5}), 1), S_OK);

    const std::vector<MacroRecord>& macros = Object(m_item).Macros();
    ASSERT_EQ(macros.size(), 3u);
    EXPECT_EQ(macros[0].key, "%%RECIPIENT%%");
    EXPECT_EQ(macros[0].name, "%RECIPIENT%");
    EXPECT_TRUE(macros[0].dynamic);
    EXPECT_EQ(macros[0].dynamicCode, dfRecipientEmail);
    EXPECT_EQ(macros[1].dynamicCode, dfOwnerEvaluate);
    EXPECT_FALSE(macros[2].dynamic);
    EXPECT_EQ(macros[2].value, "5");
}

TEST_F(ComClassesTest, AddMacrosRefusesUnknownCodesAndLeavesTheListAlone)
{
    m_item->AddMacros(CComBSTR("A"), CComVariant("a"), VARIANT_FALSE);
    EXPECT_EQ(m_item->AddMacros(CComBSTR("B"), CComVariant(LONG{5}), VARIANT_TRUE), E_INVALIDARG);
    EXPECT_EQ(ErrorDescription(), SystemErrorText(E_INVALIDARG) + " (Value)");
    EXPECT_EQ(m_item->AddMacros(CComBSTR("C"), CComVariant("abc"), VARIANT_TRUE), E_INVALIDARG);
    LONG count = 0;
    EXPECT_EQ(m_item->get_MacrosesCount(&count), S_OK);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(m_item->RemoveAllMacroses(), S_OK);
    m_item->get_MacrosesCount(&count);
    EXPECT_EQ(count, 0);
}

TEST_F(ComClassesTest, ItemAcceptsOnlyMailItems)
{
    CComPtr<IDispatch> held;
    EXPECT_EQ(m_item->get_Item(&held), E_FAIL);
    EXPECT_EQ(m_item->Solvenda(0, VARIANT_TRUE, nullptr, nullptr), E_FAIL);
    EXPECT_TRUE(m_boxes.empty());

    CComPtr<IFakeItem> appointment;
    FakeMailItem::CreateInstance(IID_IFakeItem, reinterpret_cast<void**>(&appointment), false);
    EXPECT_EQ(m_item->putref_Item(appointment), E_INVALIDARG);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, "E_INVALIDARG");
    EXPECT_EQ(m_boxes[0].caption, "QZD");
    EXPECT_EQ(m_boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(m_item->get_Item(&held), E_FAIL);

    CComPtr<IFakeItem> mail;
    FakeMailItem::CreateInstance(IID_IFakeItem, reinterpret_cast<void**>(&mail), true);
    EXPECT_EQ(m_item->putref_Item(mail), S_OK);
    ASSERT_EQ(m_item->get_Item(&held), S_OK);
    EXPECT_TRUE(held.IsEqualObject(mail));
    // An item that names no application cannot be sent, and the run says so.
    EXPECT_EQ(m_item->Solvenda(0, VARIANT_FALSE, nullptr, nullptr), E_FAIL);
    EXPECT_EQ(ErrorDescription(), "Unknown sending error.");
    EXPECT_EQ(m_item->putref_Item(nullptr), S_OK);
    EXPECT_EQ(m_item->get_Item(&held), E_FAIL);
}

TEST_F(ComClassesTest, LanguageFollowsTheAvailableTables)
{
    ULONG language = 0;
    m_item->get_Language(&language);
    EXPECT_EQ(language, 4318u);
    m_item->put_Language(4326);
    m_item->get_Language(&language);
    EXPECT_EQ(language, 4326u);
    m_item->put_Language(4324);
    m_item->get_Language(&language);
    EXPECT_EQ(language, 4326u);
}

TEST_F(ComClassesTest, EvaluateMacrosReachesEveryAdvisedSink)
{
    std::vector<std::string> seen;
    auto handler = [&](DISPID id, DispatchCall& call) -> HRESULT {
        if (id != DISPID_TMMAILITEMEVENTS_EVALUATEMACROS)
            return DISP_E_MEMBERNOTFOUND;
        CComVariant person;
        CComVariant macros;
        call.Arg(0, VT_DISPATCH, &person);
        call.Arg(1, VT_DISPATCH, &macros);
        CComVariant name;
        pollenta::com::GetProperty(person.pdispVal, "DisplayName", &name);
        seen.push_back(CComBSTR(name.bstrVal).ToString());
        return pollenta::com::PutProperty(macros.pdispVal, "Value", CComVariant("Dear " + seen.back()));
    };
    CComPtr<IDispatch> sink;
    ASSERT_EQ(pollenta::com::CreateEventSink(DIID__ITMMailItemEvents, handler, &sink), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(pollenta::com::AtlAdvise(m_item, sink, DIID__ITMMailItemEvents, &cookie), S_OK);

    PersonFields fields;
    fields.displayName = "Anna Berg";
    CComPtr<ITMPersonData> person;
    TMPersonData::CreateInstance(IID_ITMPersonData, reinterpret_cast<void**>(&person), fields);
    CComPtr<ITMMacros> macros;
    TMMacros::CreateInstance(IID_ITMMacros, reinterpret_cast<void**>(&macros), std::string("Greeting"), std::string());
    EXPECT_EQ(Object(m_item).FireEvaluateMacros(person, macros), S_OK);
    EXPECT_EQ(seen, std::vector<std::string>{"Anna Berg"});
    EXPECT_EQ(static_cast<TMMacros&>(*macros).Value(), "Dear Anna Berg");

    EXPECT_EQ(pollenta::com::AtlUnadvise(m_item, DIID__ITMMailItemEvents, cookie), S_OK);
    Object(m_item).FireEvaluateMacros(person, macros);
    EXPECT_EQ(seen.size(), 1u);
}

TEST(TMMacros, ValueIsAlwaysText)
{
    CComPtr<ITMMacros> macros;
    TMMacros::CreateInstance(IID_ITMMacros, reinterpret_cast<void**>(&macros), std::string("N"), std::string("v"));
    EXPECT_EQ(macros->put_Value(CComVariant(LONG{42})), S_OK);
    CComVariant value;
    ASSERT_EQ(macros->get_Value(&value), S_OK);
    EXPECT_EQ(value.vt, VT_BSTR);
    EXPECT_EQ(CComBSTR(value.bstrVal).ToString(), "42");

    CComPtr<IDispatch> object(macros);
    EXPECT_TRUE(FAILED(macros->put_Value(CComVariant(object.p))));
    EXPECT_EQ(static_cast<TMMacros&>(*macros).Value(), "42");
    CComBSTR name;
    macros->get_Name(&name);
    EXPECT_EQ(name.ToString(), "N");
}

TEST(TMPersonData, ReadOnlyTexts)
{
    PersonFields fields{"SMTP", "a@example.com", "00AB", "a@example.com", "Anna", "Team"};
    CComPtr<ITMPersonData> person;
    TMPersonData::CreateInstance(IID_ITMPersonData, reinterpret_cast<void**>(&person), fields);
    CComBSTR text;
    person->get_AddressEntryID(&text);
    EXPECT_EQ(text.ToString(), "00AB");
    EXPECT_EQ(person->get_DistListName(nullptr), E_POINTER);
    CComVariant value;
    EXPECT_EQ(pollenta::com::GetProperty(person, "DistListName", &value), S_OK);
    EXPECT_EQ(CComBSTR(value.bstrVal).ToString(), "Team");
    EXPECT_NE(pollenta::com::PutProperty(person, "DistListName", CComVariant("x")), S_OK);
}

TEST_F(ComClassesTest, ComObjectErrorsCarryTheObjectsDescription)
{
    EXPECT_EQ(m_item->AddMacros(CComBSTR("B"), CComVariant(LONG{5}), VARIANT_TRUE), E_INVALIDARG);
    try {
        ThrowComObject(0xC00022FC, E_INVALIDARG, IID_ITMMailItem, m_item, "AddMacros", ZR_HERE);
    } catch (const CZrException& error) {
        const std::string invalid = SystemErrorText(E_INVALIDARG);
        EXPECT_EQ(error.Description(),
                  "Error of creating object-receiver for macro value (" + invalid + " (Value) " + invalid + ")");
        EXPECT_EQ(error.ErrorKind(), CZrException::KindCom);
    }
}

TEST_F(ComClassesTest, OutOfMemoryIsAResultNotAnException)
{
    PersonFields fields{"SMTP", "anna.berg@example.com", "00AB", "anna.berg@example.com", "Anna Berg", "Team"};
    CComPtr<ITMPersonData> person;
    TMPersonData::CreateInstance(IID_ITMPersonData, reinterpret_cast<void**>(&person), fields);
    CComPtr<ITMMacros> macros;
    TMMacros::CreateInstance(IID_ITMMacros, reinterpret_cast<void**>(&macros), std::string("A rather long macro name"),
                             std::string("a rather long macro value"));
    CComPtr<IFakeItem> mail;
    FakeMailItem::CreateInstance(IID_IFakeItem, reinterpret_cast<void**>(&mail), true);
    ASSERT_EQ(m_item->putref_Item(mail), S_OK);

    HRESULT results[5] = {};
    BSTR text = nullptr;
    VARIANT value;
    VariantInit(&value);
    {
        FailingAllocations failing;
        try {
            results[0] = person->get_SMTPAddress(&text);
            results[1] = macros->get_Name(&text);
            results[2] = macros->get_Value(&value);
            results[3] = m_item->Solvenda(0, VARIANT_FALSE, nullptr, nullptr);
            results[4] = m_item->Solvenda3(0, VARIANT_FALSE, nullptr, nullptr);
        } catch (...) {
            results[0] = S_FALSE;
        }
    }
    EXPECT_EQ(results[0], E_OUTOFMEMORY);
    EXPECT_EQ(results[1], E_OUTOFMEMORY);
    EXPECT_EQ(results[2], E_OUTOFMEMORY);
    EXPECT_EQ(results[3], E_OUTOFMEMORY);
    EXPECT_EQ(results[4], E_OUTOFMEMORY);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(value.vt, VT_EMPTY);
}
