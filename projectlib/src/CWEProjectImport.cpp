#include "CWEProjectImport.h"

#include "AccessGuids.h"
#include "com/Activation.h"
#include "com/DispatchClient.h"
#include "win/CodePage.h"

using pollenta::com::InvokeByName;

namespace {

constexpr LONG acForm = 2;
constexpr LONG acDesign = 0;
constexpr LONG acFormPropertySettings = -1;
constexpr LONG acHidden = 1;
constexpr LONG acSaveYes = 1;
constexpr LONG acQuitSaveNone = 2;

CComVariant Missing()
{
    CComVariant missing;
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    return missing;
}

HRESULT Call(IDispatch* object, const char* name, std::initializer_list<CComVariant> args, VARIANT* result = nullptr)
{
    CComVariant ignored;
    const std::vector<CComVariant> list(args);
    return InvokeByName(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, list, result ? result : &ignored);
}

HRESULT Object(IDispatch* object, const char* name, std::initializer_list<CComVariant> args,
               CComPtr<IDispatch>& out)
{
    CComVariant value;
    HRESULT hr = Call(object, name, args, &value);
    if (SUCCEEDED(hr) && (value.vt != VT_DISPATCH || !value.pdispVal))
        hr = E_NOINTERFACE;
    if (SUCCEEDED(hr))
        out = value.pdispVal;
    return hr;
}

// A path as the file system spells it, whatever the ANSI code page.
CComVariant PathVariant(const std::string& ansi)
{
    const std::u16string wide = ToWide(ansi);
    CComVariant value;
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return value;
}

}  // namespace

CWEProjectImport::Outcome CWEProjectImport::Run(const CWEImportCommand& command)
{
    if (!command.valid)
        return {kInvalidCommandLine, S_OK, 0};
    CWEProjectImport import(command);
    Outcome outcome = import.Import();
    if (import.m_access)
        Call(import.m_access, "Quit", {CComVariant(acQuitSaveNone)});
    return outcome;
}

CWEProjectImport::Outcome CWEProjectImport::Fail(LONG result, HRESULT hr)
{
    if (m_projectId)
        m_hubberly->DeleteProject(m_projectId);
    m_projectId = 0;
    return {result, FAILED(hr) ? hr : E_FAIL, m_warnings};
}

CWEProjectImport::Outcome CWEProjectImport::Import()
{
    HRESULT hr = CoCreateInstance(CLSID_Hubberly, nullptr, CLSCTX_INPROC_SERVER, IID_IHubberly,
                                  reinterpret_cast<void**>(&m_hubberly));
    if (FAILED(hr))
        return Fail(kNoLibrary, hr);
    CLSID clsid = GUID_NULL;
    hr = CLSIDFromProgID(u"Access.Application", &clsid);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID__Application, reinterpret_cast<void**>(&m_access));
    if (FAILED(hr))
        return Fail(kNoAccess, hr);
    hr = Call(m_access, "OpenCurrentDatabase", {PathVariant(m_command.database), CComVariant(false)});
    if (FAILED(hr))
        return Fail(kNoDatabase, hr);
    hr = m_hubberly->CreateProject(CComVariant(m_command.projectName), &m_projectId);
    if (FAILED(hr))
        return Fail(kNoProject, hr);
    if (m_projectId == 0)
        return {kProjectExists, S_OK, m_warnings};
    for (const CWEImportCommand::Parameter& parameter : m_command.parameters)
        if (FAILED(m_hubberly->SetProperty(CComVariant(parameter.name), parameter.value)))
            ++m_warnings;
    return WithAccess();
}

CWEProjectImport::Outcome CWEProjectImport::WithAccess()
{
    CComPtr<IDispatch> doCmd, forms, form;
    HRESULT hr = Object(m_access, "DoCmd", {}, doCmd);
    if (FAILED(hr))
        return Fail(kNoDoCmd, hr);
    const CComVariant formName(m_command.form);
    hr = Call(doCmd, "OpenForm",
              {formName, CComVariant(acDesign), Missing(), Missing(), CComVariant(acFormPropertySettings),
               CComVariant(acHidden)});
    if (FAILED(hr))
        return Fail(kNoForm, hr);
    hr = Object(m_access, "Forms", {}, forms);
    if (FAILED(hr))
        return Fail(kNoForms, hr);
    hr = Object(forms, "Item", {formName}, form);
    Outcome outcome = FAILED(hr) ? Fail(kFormUnreachable, hr) : GenerateAndFinalize(form);
    Call(doCmd, "Close", {CComVariant(acForm), formName, CComVariant(acSaveYes)});
    return outcome;
}

CWEProjectImport::Outcome CWEProjectImport::GenerateAndFinalize(IDispatch* form)
{
    CComVariant generation;
    HRESULT hr = m_hubberly->GenHTMLbyForm(CComVariant(m_access.p), CComVariant(form), &generation);
    if (FAILED(hr))
        return Fail(kGenerationFailed, hr);
    const LONG severity = generation.vt == VT_I4 ? generation.lVal : 2;
    if (severity >= 1) {
        LONG count = 0;
        m_hubberly->get_WarningsCount(&count);
        m_warnings += count;
    }
    if (severity >= 2)
        return Fail(kSevereWarnings, E_FAIL);
    hr = m_hubberly->FinalizeProject(m_projectId);
    if (FAILED(hr))
        return Fail(kNotFinalized, hr);
    m_projectId = 0;
    return {kDone, S_OK, m_warnings};
}
