#include "CHubberly.h"

#include "CWEAnswerInserter.h"
#include "CWEPageGenerator.h"
#include "CWEPageOpener.h"
#include "GastrelStrings.h"
#include "ModuleDir.h"

#include "com/ComBoundary.h"
#include "AccessGuids.h"
#include "com/ComPtr.h"
#include "com/SafeArray.h"
#include "com/Text.h"
#include "win/RegistryGroup.h"

#include <cstdio>
#include <cstdlib>

using pollenta::com::AnsiFromBstr;
using pollenta::com::BstrFromAnsi;
using pollenta::com::GuardedCall;

namespace {

// Longest project name that the store can read back (its buffer is 300
// bytes with the NUL).
constexpr size_t kMaxProjectNameBytes = 299;

HRESULT ValueOut(const CWEPropertyList::Value& stored, VARIANT* value)
{
    if (const LONG* number = std::get_if<LONG>(&stored)) {
        value->vt = VT_I4;
        value->lVal = *number;
        return S_OK;
    }
    BSTR text = BstrFromAnsi(std::get<std::string>(stored));
    if (!text)
        return E_OUTOFMEMORY;
    value->vt = VT_BSTR;
    value->bstrVal = text;
    return S_OK;
}

HRESULT LookUpOut(const CWEPropertyList& list, BSTR name, VARIANT* value)
{
    const CWEPropertyList::projectProperties* entry = list.Find(AnsiFromBstr(name));
    return entry ? ValueOut(entry->value, value) : S_OK;
}

HRESULT TextOut(const std::optional<std::string>& text, BSTR* out)
{
    if (!text)
        return E_FAIL;
    *out = BstrFromAnsi(*text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

CHubberly::CHubberly() : CHubberly(CWEProjectStore(GastrelModuleDir())) {}

CHubberly::CHubberly(CWEProjectStore store) : m_store(std::move(store)) { Reset(); }

void CHubberly::Reset()
{
    m_currentProject = 0;
    m_properties.Clear();
    m_warnings.clear();
    m_store.LoadProjectProperties(0, m_properties);
}

bool CHubberly::SetPropertyValue(const std::string& name, CWEPropertyList::Value value)
{
    const CWEPropertyList::projectProperties& entry = m_properties.Set(name, std::move(value));
    return !m_currentProject || m_store.WriteProperty(m_currentProject, entry);
}

void CHubberly::RemoveProject(LONG id)
{
    if (id && id == m_currentProject)
        Reset();
    m_store.DeleteProject(id);
}

STDMETHODIMP CHubberly::GenHTMLbyForm(VARIANT accessApplication, VARIANT accessForm, VARIANT* result)
{
    if (!result)
        return E_INVALIDARG;
    VariantInit(result);
    return GuardedCall([&] {
        m_warnings.clear();
        const std::optional<std::string> folder = m_store.GetProjectDir(m_currentProject);
        if (!m_currentProject || !folder)
            return E_FAIL;
        CComPtr<IDispatch> form, application;
        if (accessApplication.vt != VT_DISPATCH || accessForm.vt != VT_DISPATCH || !accessApplication.pdispVal ||
            !accessForm.pdispVal ||
            FAILED(accessForm.pdispVal->QueryInterface(IID__Form, reinterpret_cast<void**>(&form))) ||
            FAILED(accessApplication.pdispVal->QueryInterface(IID__Application,
                                                              reinterpret_cast<void**>(&application))))
            return E_INVALIDARG;
        CWEPageGenerator generator(m_properties, m_currentProject, *folder);
        LONG generation = 0;
        const HRESULT hr = generator.Generate(application, form, ++m_generationCounter, generation);
        if (generator.RecordSource())
            SetPropertyValue("RecordSource", *generator.RecordSource());
        m_warnings = generator.Warnings();
        if (FAILED(hr))
            return hr;
        result->vt = VT_I4;
        result->lVal = generation;
        return S_OK;
    });
}

STDMETHODIMP CHubberly::get_WarningsCount(LONG* pVal)
{
    if (!pVal)
        return E_INVALIDARG;
    *pVal = static_cast<LONG>(m_warnings.size());
    return S_OK;
}

STDMETHODIMP CHubberly::WarningObjectName(LONG idx, BSTR* name)
{
    if (!name)
        return E_INVALIDARG;
    *name = nullptr;
    if (idx < 0 || static_cast<size_t>(idx) >= m_warnings.size())
        return E_INVALIDARG;
    return GuardedCall([&] { return TextOut(m_warnings[idx].objectName, name); });
}

STDMETHODIMP CHubberly::WarningId(LONG idx, LONG* id)
{
    if (!id || idx < 0 || static_cast<size_t>(idx) >= m_warnings.size())
        return E_INVALIDARG;
    *id = m_warnings[idx].warningId;
    return S_OK;
}

STDMETHODIMP CHubberly::GetProperty(VARIANT parameter, VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    VariantInit(value);
    if (parameter.vt != VT_BSTR)
        return E_INVALIDARG;
    return GuardedCall([&] { return LookUpOut(m_properties, parameter.bstrVal, value); });
}

STDMETHODIMP CHubberly::SetProperty(VARIANT parameter, VARIANT value)
{
    if (parameter.vt != VT_BSTR)
        return E_INVALIDARG;
    return GuardedCall([&] {
        CWEPropertyList::Value stored;
        switch (value.vt) {
        case VT_I4:
            stored = value.lVal;
            break;
        case VT_I2:
            stored = static_cast<LONG>(value.iVal);
            break;
        case VT_BOOL:
            stored = static_cast<LONG>(value.boolVal);
            break;
        case VT_BSTR:
            stored = AnsiFromBstr(value.bstrVal);
            break;
        default:
            return E_INVALIDARG;
        }
        // A failed write into the project key is not the caller's concern:
        // the object keeps the value either way.
        SetPropertyValue(AnsiFromBstr(parameter.bstrVal), std::move(stored));
        return S_OK;
    });
}

STDMETHODIMP CHubberly::CreateProject(VARIANT projectName, LONG* projectID)
{
    if (!projectID || projectName.vt != VT_BSTR)
        return E_INVALIDARG;
    *projectID = 0;
    return GuardedCall([&] {
        std::string name = AnsiFromBstr(projectName.bstrVal);
        if (name.size() > kMaxProjectNameBytes)
            return E_INVALIDARG;
        // A completed project keeps its name; unfinished ones of that name
        // make room for the new one.
        for (const auto& [id, completed] : m_store.ProjectsNamed(name)) {
            if (completed)
                return S_OK;
            RemoveProject(id);
        }
        if (m_currentProject)
            RemoveProject(m_currentProject);
        LONG id = m_store.CreateProject(name);
        if (!id)
            return E_FAIL;
        m_currentProject = id;
        *projectID = id;
        return S_OK;
    });
}

STDMETHODIMP CHubberly::FinalizeProject(LONG projectID)
{
    if (!m_currentProject || projectID != m_currentProject)
        return E_FAIL;
    return GuardedCall([&] {
        // A project deleted behind this object's back cannot be completed.
        if (!m_store.ProjectExists(projectID))
            return E_FAIL;
        // Completed with its last properties in one write.
        RegistryChangeGroup group;
        // Writing the text block makes the default text part of the project.
        SetPropertyValue("TextBlock", m_properties.GetText("TextBlock"));
        if (!SetPropertyValue("Completed", LONG{1}))
            return E_FAIL;
        m_store.SetLastProjectID(projectID);
        if (group.End() != ERROR_SUCCESS)
            return E_FAIL;
        Reset();
        return S_OK;
    });
}

STDMETHODIMP CHubberly::DeleteProject(LONG projectID)
{
    return GuardedCall([&] {
        RemoveProject(projectID);
        return S_OK;
    });
}

STDMETHODIMP CHubberly::OpenHtmlPage(LONG method)
{
    return GuardedCall([&] {
        const std::optional<std::string> folder = m_store.GetProjectDir(m_currentProject);
        if (!m_currentProject || !folder)
            return E_FAIL;
        CWEPageOpener::Open(method, *folder);
        return S_OK;
    });
}

STDMETHODIMP CHubberly::InsertData(LONG projectID, VARIANT data, VARIANT* errors, LONG* result)
{
    return GuardedCall([&] { return CWEAnswerInserter().InsertData(projectID, data, errors, result); });
}

STDMETHODIMP CHubberly::EnumProjects(LONG prjType, VARIANT* projects)
{
    if (!projects)
        return E_INVALIDARG;
    VariantInit(projects);
    return GuardedCall([&] {
        std::vector<LONG> ids = m_store.EnumProjects(prjType);
        SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, static_cast<ULONG>(ids.size()));
        if (!array)
            return E_FAIL;
        for (LONG i = 0; i < static_cast<LONG>(ids.size()); ++i)
            SafeArrayPutElement(array, &i, &ids[i]);
        projects->vt = VT_ARRAY | VT_I4;
        projects->parray = array;
        return S_OK;
    });
}

STDMETHODIMP CHubberly::EnumProjectDatafields(LONG project, VARIANT* fields)
{
    if (!fields)
        return E_INVALIDARG;
    VariantInit(fields);
    return GuardedCall([&] {
        std::optional<std::vector<std::string>> names = m_store.EnumProjectDatafields(project);
        if (!names)
            return E_FAIL;
        SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(names->size()));
        if (!array)
            return E_FAIL;
        for (LONG i = 0; i < static_cast<LONG>(names->size()); ++i) {
            BSTR name = BstrFromAnsi((*names)[i]);
            HRESULT hr = name ? SafeArrayPutElement(array, &i, name) : E_OUTOFMEMORY;
            SysFreeString(name);
            if (FAILED(hr)) {
                SafeArrayDestroy(array);
                return hr;
            }
        }
        fields->vt = VT_ARRAY | VT_BSTR;
        fields->parray = array;
        return S_OK;
    });
}

STDMETHODIMP CHubberly::GetProjectName(LONG projectID, BSTR* projectName)
{
    if (!projectName)
        return E_INVALIDARG;
    *projectName = nullptr;
    return GuardedCall([&] { return TextOut(m_store.GetProjectName(projectID), projectName); });
}

STDMETHODIMP CHubberly::GetErrorString(LONG error, BSTR* errstring)
{
    if (!errstring)
        return E_INVALIDARG;
    *errstring = nullptr;
    if (error < 2)
        return E_INVALIDARG;
    return GuardedCall([&] {
        LONG count = std::atol(gastrel::LoadGastrelString(gastrel::IDS_ERROR_TEXT_COUNT).c_str());
        std::string text;
        if (error - 2 < count) {
            text = gastrel::LoadGastrelString(gastrel::IDS_UNKNOWN_ERROR + static_cast<UINT>(error));
        } else {
            char buffer[300];
            std::snprintf(buffer, sizeof buffer, gastrel::LoadGastrelString(gastrel::IDS_UNKNOWN_ERROR).c_str(),
                          static_cast<int>(error));
            text = buffer;
        }
        return TextOut(text, errstring);
    });
}

STDMETHODIMP CHubberly::GetProjectDir(LONG projectID, BSTR* dir)
{
    if (!dir)
        return E_INVALIDARG;
    *dir = nullptr;
    return GuardedCall([&] { return TextOut(m_store.GetProjectDir(projectID), dir); });
}

STDMETHODIMP CHubberly::GetProjectProperty(LONG projectID, VARIANT parameter, VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    VariantInit(value);
    if (projectID <= 0 || parameter.vt != VT_BSTR)
        return E_INVALIDARG;
    return GuardedCall([&] {
        CWEPropertyList properties;
        const std::string name = AnsiFromBstr(parameter.bstrVal);
        m_store.LoadProjectProperties(projectID, properties, &name);
        return LookUpOut(properties, parameter.bstrVal, value);
    });
}
