// Late binding of IHubberly: each invoker reads the call's arguments and
// calls the member through the interface.

#include "CHubberly.h"

#include "com/ComVariant.h"

namespace {

using pollenta::com::DispatchCall;
using Member = pollenta::com::DispatchMember<CHubberly>;

HRESULT ReturnVariant(DispatchCall& call, HRESULT hr, VARIANT& value)
{
    if (FAILED(hr)) {
        VariantClear(&value);
        return hr;
    }
    return call.Return(&value);
}

// The out values are read through pointers, after the member has run.
HRESULT ReturnText(DispatchCall& call, HRESULT hr, const BSTR* text)
{
    return FAILED(hr) ? hr : call.ReturnBstr(*text);
}

HRESULT ReturnNumber(DispatchCall& call, HRESULT hr, const LONG* number)
{
    return FAILED(hr) ? hr : call.ReturnLong(*number);
}

HRESULT InvokeGenHTMLbyForm(CHubberly& self, DispatchCall& call)
{
    CComVariant application, form;
    HRESULT hr = call.Arg(0, VT_VARIANT, &application);
    if (SUCCEEDED(hr))
        hr = call.Arg(1, VT_VARIANT, &form);
    if (FAILED(hr))
        return hr;
    VARIANT result;
    VariantInit(&result);
    return ReturnVariant(call, self.GenHTMLbyForm(application, form, &result), result);
}

HRESULT InvokeWarningsCount(CHubberly& self, DispatchCall& call)
{
    LONG count = 0;
    return ReturnNumber(call, self.get_WarningsCount(&count), &count);
}

HRESULT InvokeWarningObjectName(CHubberly& self, DispatchCall& call)
{
    LONG index = 0;
    BSTR name = nullptr;
    HRESULT hr = call.Arg(0, &index);
    return FAILED(hr) ? hr : ReturnText(call, self.WarningObjectName(index, &name), &name);
}

HRESULT InvokeWarningId(CHubberly& self, DispatchCall& call)
{
    LONG index = 0, id = 0;
    HRESULT hr = call.Arg(0, &index);
    return FAILED(hr) ? hr : ReturnNumber(call, self.WarningId(index, &id), &id);
}

HRESULT InvokeGetProperty(CHubberly& self, DispatchCall& call)
{
    CComVariant name;
    HRESULT hr = call.Arg(0, VT_VARIANT, &name);
    if (FAILED(hr))
        return hr;
    VARIANT value;
    VariantInit(&value);
    return ReturnVariant(call, self.GetProperty(name, &value), value);
}

HRESULT InvokeSetProperty(CHubberly& self, DispatchCall& call)
{
    CComVariant name, value;
    HRESULT hr = call.Arg(0, VT_VARIANT, &name);
    if (SUCCEEDED(hr))
        hr = call.Arg(1, VT_VARIANT, &value);
    return FAILED(hr) ? hr : self.SetProperty(name, value);
}

HRESULT InvokeCreateProject(CHubberly& self, DispatchCall& call)
{
    CComVariant name;
    LONG id = 0;
    HRESULT hr = call.Arg(0, VT_VARIANT, &name);
    return FAILED(hr) ? hr : ReturnNumber(call, self.CreateProject(name, &id), &id);
}

// Members that take one number and give nothing back.
template <HRESULT (CHubberly::*Method)(LONG)>
HRESULT InvokeWithId(CHubberly& self, DispatchCall& call)
{
    LONG id = 0;
    HRESULT hr = call.Arg(0, &id);
    return FAILED(hr) ? hr : (self.*Method)(id);
}

HRESULT InvokeInsertData(CHubberly& self, DispatchCall& call)
{
    LONG id = 0, result = 0;
    CComVariant data;
    void* errorsTarget = nullptr;
    HRESULT hr = call.Arg(0, &id);
    if (SUCCEEDED(hr))
        hr = call.Arg(1, VT_VARIANT, &data);
    if (SUCCEEDED(hr))
        hr = call.ArgRef(2, VT_VARIANT, &errorsTarget);
    if (FAILED(hr))
        return hr;
    // The error list is written only when a record was added; otherwise the
    // caller's variable keeps what it held.
    return ReturnNumber(call, self.InsertData(id, data, static_cast<VARIANT*>(errorsTarget), &result), &result);
}

// Members that take one number and give a VARIANT back.
template <HRESULT (CHubberly::*Method)(LONG, VARIANT*)>
HRESULT InvokeIdToVariant(CHubberly& self, DispatchCall& call)
{
    LONG id = 0;
    HRESULT hr = call.Arg(0, &id);
    if (FAILED(hr))
        return hr;
    VARIANT value;
    VariantInit(&value);
    return ReturnVariant(call, (self.*Method)(id, &value), value);
}

// Members that take one number and give a text back.
template <HRESULT (CHubberly::*Method)(LONG, BSTR*)>
HRESULT InvokeIdToText(CHubberly& self, DispatchCall& call)
{
    LONG id = 0;
    BSTR text = nullptr;
    HRESULT hr = call.Arg(0, &id);
    return FAILED(hr) ? hr : ReturnText(call, (self.*Method)(id, &text), &text);
}

HRESULT InvokeGetProjectProperty(CHubberly& self, DispatchCall& call)
{
    LONG id = 0;
    CComVariant name;
    HRESULT hr = call.Arg(0, &id);
    if (SUCCEEDED(hr))
        hr = call.Arg(1, VT_VARIANT, &name);
    if (FAILED(hr))
        return hr;
    VARIANT value;
    VariantInit(&value);
    return ReturnVariant(call, self.GetProjectProperty(id, name, &value), value);
}

constexpr Member kMembers[] = {
    {"GenHTMLbyForm", DISPID_HUBBERLY_GENHTMLBYFORM, InvokeGenHTMLbyForm},
    {"WarningsCount", DISPID_HUBBERLY_WARNINGSCOUNT, InvokeWarningsCount},
    {"WarningObjectName", DISPID_HUBBERLY_WARNINGOBJECTNAME, InvokeWarningObjectName},
    {"WarningId", DISPID_HUBBERLY_WARNINGID, InvokeWarningId},
    {"GetProperty", DISPID_HUBBERLY_GETPROPERTY, InvokeGetProperty},
    {"SetProperty", DISPID_HUBBERLY_SETPROPERTY, InvokeSetProperty},
    {"CreateProject", DISPID_HUBBERLY_CREATEPROJECT, InvokeCreateProject},
    {"FinalizeProject", DISPID_HUBBERLY_FINALIZEPROJECT, InvokeWithId<&CHubberly::FinalizeProject>},
    {"DeleteProject", DISPID_HUBBERLY_DELETEPROJECT, InvokeWithId<&CHubberly::DeleteProject>},
    {"OpenHtmlPage", DISPID_HUBBERLY_OPENHTMLPAGE, InvokeWithId<&CHubberly::OpenHtmlPage>},
    {"InsertData", DISPID_HUBBERLY_INSERTDATA, InvokeInsertData},
    {"EnumProjects", DISPID_HUBBERLY_ENUMPROJECTS, InvokeIdToVariant<&CHubberly::EnumProjects>},
    {"EnumProjectDatafields", DISPID_HUBBERLY_ENUMPROJECTDATAFIELDS, InvokeIdToVariant<&CHubberly::EnumProjectDatafields>},
    {"GetProjectName", DISPID_HUBBERLY_GETPROJECTNAME, InvokeIdToText<&CHubberly::GetProjectName>},
    {"GetErrorString", DISPID_HUBBERLY_GETERRORSTRING, InvokeIdToText<&CHubberly::GetErrorString>},
    {"GetProjectDir", DISPID_HUBBERLY_GETPROJECTDIR, InvokeIdToText<&CHubberly::GetProjectDir>},
    {"GetProjectProperty", DISPID_HUBBERLY_GETPROJECTPROPERTY, InvokeGetProjectProperty},
};

}  // namespace

std::span<const Member> CHubberly::DispatchMembers() { return kMembers; }
