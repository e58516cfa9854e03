#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ErrorInfo.h"
#include "com/UnknownImpl.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

std::string DescriptionOf(IErrorInfo* info)
{
    CComBSTR text;
    info->GetDescription(&text);
    return text.ToString();
}

}  // namespace

TEST(ErrorInfo, CreatedObjectReportsWhatWasSet)
{
    CComPtr<ICreateErrorInfo> create;
    ASSERT_EQ(CreateErrorInfo(&create), S_OK);
    create->SetDescription(CComBSTR("broken"));
    create->SetSource(CComBSTR("Here"));
    create->SetGUID(IID_IUnknown);
    CComQIPtr<IErrorInfo> info(static_cast<IUnknown*>(create));
    ASSERT_TRUE(info);
    EXPECT_EQ(DescriptionOf(info), "broken");
    CComBSTR source;
    info->GetSource(&source);
    EXPECT_EQ(source.ToString(), "Here");
    GUID guid{};
    info->GetGUID(&guid);
    EXPECT_EQ(guid, IID_IUnknown);
}

TEST(ErrorInfo, GetTakesTheThreadsObjectOnce)
{
    pollenta::com::ReportError(E_FAIL, "first");
    pollenta::com::ReportError(E_FAIL, "second");
    CComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    EXPECT_EQ(DescriptionOf(info), "second");
    CComPtr<IErrorInfo> again;
    EXPECT_EQ(GetErrorInfo(0, &again), S_FALSE);
    EXPECT_EQ(again.p, nullptr);
    EXPECT_EQ(GetErrorInfo(1, &again), E_INVALIDARG);
}

TEST(ErrorInfo, EachThreadHasItsOwn)
{
    pollenta::com::ReportError(E_FAIL, "main thread");
    std::string seenByOther = "unset";
    std::thread other([&] {
        CComPtr<IErrorInfo> info;
        seenByOther = GetErrorInfo(0, &info) == S_FALSE ? "none" : DescriptionOf(info);
        pollenta::com::ReportError(E_FAIL, "other thread");
    });
    other.join();
    EXPECT_EQ(seenByOther, "none");
    CComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    EXPECT_EQ(DescriptionOf(info), "main thread");
}

namespace {

struct ISample : IUnknown {};
// {0E3C5B1A-2222-4A4A-9999-000000000001}
constexpr IID IID_ISample = {0x0E3C5B1A, 0x2222, 0x4A4A, {0x99, 0x99, 0, 0, 0, 0, 0, 1}};

}  // namespace

POLLENTA_INTERFACE_IID(ISample, IID_ISample);

namespace {

class CSample : public pollenta::com::CUnknownImpl<CSample, ISample, ISupportErrorInfo> {
public:
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override { return iid == IID_ISample ? S_OK : S_FALSE; }
};

}  // namespace

TEST(ErrorInfo, DescriptionIsTakenOnlyWhenTheObjectSetsOne)
{
    CComPtr<IUnknown> object;
    ASSERT_EQ(CSample::CreateInstance(IID_IUnknown, reinterpret_cast<void**>(&object)), S_OK);
    pollenta::com::ReportError(E_FAIL, "from sample");
    EXPECT_EQ(pollenta::com::TakeErrorDescription(object, IID_IUnknown), "");
    EXPECT_EQ(pollenta::com::TakeErrorDescription(object, IID_ISample), "from sample");
    EXPECT_EQ(pollenta::com::TakeErrorDescription(object, IID_ISample), "");
}
