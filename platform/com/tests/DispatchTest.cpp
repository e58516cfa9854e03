#include "com/ClassFactory.h"
#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/DispatchClient.h"
#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

#include <gtest/gtest.h>

#include <vector>

using pollenta::com::DispatchCall;
using pollenta::com::DispatchMember;

namespace {

// Records how its members were called.
class CRecorder : public pollenta::com::CUnknownImpl<CRecorder, pollenta::com::CDispatchImpl<CRecorder, IDispatch>> {
public:
    static std::span<const DispatchMember<CRecorder>> DispatchMembers()
    {
        static const DispatchMember<CRecorder> members[] = {
            {"Join", 4,
             [](CRecorder&, DispatchCall& call) {
                 std::string first, second;
                 HRESULT hr = call.Arg(0, &first);
                 if (SUCCEEDED(hr)) hr = call.Arg(1, &second);
                 return SUCCEEDED(hr) ? call.ReturnString(first + "|" + second) : hr;
             }},
            {"Count", 5,
             [](CRecorder& self, DispatchCall& call) {
                 if (!call.IsPropertyPut()) return call.ReturnLong(self.m_count);
                 VARIANT value;
                 const HRESULT hr = call.PutValue(VT_I4, &value);
                 if (SUCCEEDED(hr)) self.m_count = value.lVal;
                 return hr;
             }},
            {"Optional", 6,
             [](CRecorder&, DispatchCall& call) { return call.ReturnBool(call.IsMissing(0)); }},
            {"Double", 7,
             [](CRecorder&, DispatchCall& call) {
                 LONG* target = nullptr;
                 const HRESULT hr = call.ArgRef(0, VT_I4, reinterpret_cast<void**>(&target));
                 if (SUCCEEDED(hr)) *target *= 2;
                 return hr;
             }},
        };
        return members;
    }

    LONG m_count = 3;
};

CComPtr<IDispatch> MakeRecorder()
{
    CComPtr<IDispatch> object;
    EXPECT_EQ(CRecorder::CreateInstance(IID_IDispatch, reinterpret_cast<void**>(&object)), S_OK);
    return object;
}

}  // namespace

TEST(Dispatch, NamesAreFoundWithoutRegardToCase)
{
    CComPtr<IDispatch> object = MakeRecorder();
    DISPID id = 0;
    EXPECT_EQ(pollenta::com::GetDispId(object, "jOIN", &id), S_OK);
    EXPECT_EQ(id, 4);
    EXPECT_EQ(pollenta::com::GetDispId(object, "Nothing", &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    UINT count = 9;
    EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
}

TEST(Dispatch, ArgumentsArriveInReverseOrder)
{
    CComPtr<IDispatch> object = MakeRecorder();
    // rgvarg[0] is the last argument.
    CComVariant args[2] = {CComVariant("second"), CComVariant("first")};
    DISPPARAMS params{args, nullptr, 2, 0};
    CComVariant result;
    ASSERT_EQ(object->Invoke(4, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(pollenta::com::AnsiFromBstr(result.bstrVal), "first|second");

    // The helper takes them in their natural order and frees the old result.
    CComVariant natural[2] = {CComVariant("a"), CComVariant(LONG(5))};
    ASSERT_EQ(pollenta::com::InvokeByName(object, "Join", DISPATCH_METHOD, natural, &result), S_OK);
    EXPECT_EQ(pollenta::com::AnsiFromBstr(result.bstrVal), "a|5");
}

TEST(Dispatch, PropertiesAreReadAndWritten)
{
    CComPtr<IDispatch> object = MakeRecorder();
    CComVariant value;
    ASSERT_EQ(pollenta::com::GetProperty(object, "Count", &value), S_OK);
    EXPECT_EQ(value.lVal, 3);
    ASSERT_EQ(pollenta::com::PutProperty(object, "Count", CComVariant("12")), S_OK);
    ASSERT_EQ(pollenta::com::GetProperty(object, "Count", &value), S_OK);
    EXPECT_EQ(value.lVal, 12);
    EXPECT_EQ(pollenta::com::PutProperty(object, "Count", CComVariant("twelve")), DISP_E_TYPEMISMATCH);
}

TEST(Dispatch, MissingAndBadArgumentsAreReported)
{
    CComPtr<IDispatch> object = MakeRecorder();
    CComVariant result;
    CComVariant one[1] = {CComVariant("only")};
    EXPECT_EQ(pollenta::com::InvokeByName(object, "Join", DISPATCH_METHOD, one, &result), DISP_E_PARAMNOTFOUND);

    CComVariant missing(DISP_E_PARAMNOTFOUND, VT_ERROR);
    ASSERT_EQ(pollenta::com::InvokeByName(object, "Optional", DISPATCH_METHOD, {&missing, 1}, &result), S_OK);
    EXPECT_EQ(result.boolVal, VARIANT_TRUE);

    CComVariant unknownObject(static_cast<IUnknown*>(object.p));
    CComVariant args[2] = {CComVariant("x"), unknownObject};
    DISPPARAMS params{args, nullptr, 2, 0};
    UINT argErr = 99;
    EXPECT_EQ(object->Invoke(4, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, &argErr), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 1u);
    EXPECT_EQ(object->Invoke(99, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(object->Invoke(4, IID_IUnknown, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
    DISPID named = 0;
    DISPPARAMS namedParams{args, &named, 2, 1};
    EXPECT_EQ(object->Invoke(4, IID_NULL, 0, DISPATCH_METHOD, &namedParams, &result, nullptr, nullptr),
              DISP_E_NONAMEDARGS);
}

TEST(Dispatch, APropertyPutWithoutItsNamedArgumentListFailsCleanly)
{
    CComPtr<IDispatch> object = MakeRecorder();
    CComVariant value(7);
    DISPPARAMS noNames{&value, nullptr, 1, 1};
    EXPECT_EQ(object->Invoke(5, IID_NULL, 0, DISPATCH_PROPERTYPUT, &noNames, nullptr, nullptr, nullptr),
              DISP_E_PARAMNOTFOUND);
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS noValue{nullptr, &put, 0, 1};
    EXPECT_NE(object->Invoke(5, IID_NULL, 0, DISPATCH_PROPERTYPUT, &noValue, nullptr, nullptr, nullptr), S_OK);
    CComVariant count;
    ASSERT_EQ(pollenta::com::GetProperty(object, "Count", &count), S_OK);
    EXPECT_EQ(count.lVal, 3);
}

TEST(Dispatch, ByReferenceArgumentsCarryResultsBack)
{
    CComPtr<IDispatch> object = MakeRecorder();
    LONG value = 21;
    CComVariant ref;
    ref.vt = VT_BYREF | VT_I4;
    ref.plVal = &value;
    ASSERT_EQ(pollenta::com::InvokeById(object, 7, DISPATCH_METHOD, {&ref, 1}, nullptr), S_OK);
    EXPECT_EQ(value, 42);
    CComVariant byValue(LONG(1));
    EXPECT_EQ(pollenta::com::InvokeById(object, 7, DISPATCH_METHOD, {&byValue, 1}, nullptr), DISP_E_TYPEMISMATCH);
}

TEST(UnknownImpl, AnswersListedInterfacesAndKeepsTheModuleLocked)
{
    const LONG before = pollenta::com::ModuleLock::Count();
    {
        CComPtr<IDispatch> object = MakeRecorder();
        EXPECT_EQ(pollenta::com::ModuleLock::Count(), before + 1);
        CComPtr<IUnknown> unknown;
        EXPECT_EQ(object.QueryInterface(&unknown), S_OK);
        EXPECT_TRUE(object.IsEqualObject(unknown));
        CComPtr<IClassFactory> none;
        EXPECT_EQ(object->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&none)), E_NOINTERFACE);
        EXPECT_EQ(none.p, nullptr);
    }
    EXPECT_EQ(pollenta::com::ModuleLock::Count(), before);
}

namespace {

// A class whose constructor fails the way a real one can: out of memory, or
// a setting that could not be read.
template <class Failure>
class CFailsToConstruct : public pollenta::com::CUnknownImpl<CFailsToConstruct<Failure>, IUnknown> {
public:
    CFailsToConstruct() { throw Failure(); }
};

struct SettingUnreadable {};

}  // namespace

TEST(UnknownImpl, AConstructorThatThrowsIsAResultAndReleasesTheModule)
{
    const LONG before = pollenta::com::ModuleLock::Count();
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(CFailsToConstruct<std::bad_alloc>::CreateInstance(IID_IUnknown, &out), E_OUTOFMEMORY);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(CFailsToConstruct<SettingUnreadable>::CreateInstance(IID_IUnknown, &out), E_FAIL);
    EXPECT_EQ(pollenta::com::ModuleLock::Count(), before);
}
