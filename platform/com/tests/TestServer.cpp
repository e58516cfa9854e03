// A COM server module for the activation tests: one class, registered by
// DllRegisterServer and reached only through the registry.

#include "TestCalc.h"
#include "com/ClassFactoryImpl.h"
#include "com/ComBstr.h"
#include "com/DispatchImpl.h"
#include "com/ErrorInfo.h"
#include "com/Export.h"
#include "com/Registration.h"

#include <dlfcn.h>

namespace {

using pollenta::com::CDispatchImpl;
using pollenta::com::CUnknownImpl;
using pollenta::com::DispatchCall;
using pollenta::com::DispatchMember;

class CTestCalc : public CUnknownImpl<CTestCalc, CDispatchImpl<CTestCalc, ITestCalc>, ISupportErrorInfo> {
public:
    static std::span<const DispatchMember<CTestCalc>> DispatchMembers();

    STDMETHODIMP Add(LONG a, LONG b, LONG* sum) override
    {
        if (!sum) return E_POINTER;
        *sum = a + b;
        return S_OK;
    }
    STDMETHODIMP get_Name(BSTR* name) override { return m_name.CopyTo(name); }
    STDMETHODIMP put_Name(BSTR name) override
    {
        m_name = name;
        return S_OK;
    }
    STDMETHODIMP Describe(LONG count, BSTR label, BSTR* text) override
    {
        if (!text) return E_POINTER;
        if (count < 0) return pollenta::com::ReportError(E_INVALIDARG, "count is negative", "TestCalc", IID_ITestCalc);
        CComBSTR result(label);
        result.Append(":" + std::to_string(count));
        *text = result.Detach();
        return S_OK;
    }
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override { return iid == IID_ITestCalc ? S_OK : S_FALSE; }

private:
    CComBSTR m_name{"calc"};
};

const DispatchMember<CTestCalc> kMembers[] = {
    {"Add", DISPID_TestCalc_Add,
     [](CTestCalc& self, DispatchCall& call) {
         LONG a = 0, b = 0, sum = 0;
         HRESULT hr = call.Arg(0, &a);
         if (SUCCEEDED(hr)) hr = call.Arg(1, &b);
         if (SUCCEEDED(hr)) hr = self.Add(a, b, &sum);
         return SUCCEEDED(hr) ? call.ReturnLong(sum) : hr;
     }},
    {"Name", DISPID_TestCalc_Name,
     [](CTestCalc& self, DispatchCall& call) {
         if (call.IsPropertyPut()) {
             VARIANT value;
             const HRESULT hr = call.PutValue(VT_BSTR, &value);
             if (FAILED(hr)) return hr;
             self.put_Name(value.bstrVal);
             return VariantClear(&value);
         }
         BSTR name = nullptr;
         const HRESULT hr = self.get_Name(&name);
         return SUCCEEDED(hr) ? call.ReturnBstr(name) : hr;
     }},
    {"Describe", DISPID_TestCalc_Describe,
     [](CTestCalc& self, DispatchCall& call) {
         LONG count = 0;
         CComBSTR label;
         HRESULT hr = call.Arg(0, &count);
         if (SUCCEEDED(hr)) hr = call.Arg(1, &label);
         BSTR text = nullptr;
         if (SUCCEEDED(hr)) hr = self.Describe(count, label, &text);
         return SUCCEEDED(hr) ? call.ReturnBstr(text) : hr;
     }},
};

std::span<const DispatchMember<CTestCalc>> CTestCalc::DispatchMembers() { return kMembers; }

const pollenta::com::ClassEntry kClasses[] = {
    {&CLSID_TestCalc, pollenta::com::MakeClassFactory<CTestCalc>},
};

pollenta::com::ClassRegistration Registration()
{
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&Registration), &info);
    pollenta::com::ClassRegistration r;
    r.clsid = CLSID_TestCalc;
    r.progId = kTestCalcProgId;
    r.versionIndependentProgId = kTestCalcIndependentProgId;
    r.description = "TestCalc Class";
    r.modulePath = info.dli_fname ? info.dli_fname : "";
    return r;
}

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    return pollenta::com::GetClassObject(kClasses, clsid, iid, out);
}

STDAPI DllCanUnloadNow() { return pollenta::com::ModuleLock::CanUnloadNow(); }

STDAPI DllRegisterServer() { return pollenta::com::RegisterServerClass(Registration()); }

STDAPI DllUnregisterServer() { return pollenta::com::UnregisterServerClass(Registration()); }
