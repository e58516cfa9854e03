#include "CWEProjPage3.h"

#include "CWEProjWizard.h"
#include "PlandrelIds.h"
#include "PlandrelStrings.h"
#include "WizardText.h"

#include "wizard/CWEEmailValidator.h"
#include "wizard/CWEException.h"
#include "wizard/WizardIds.h"

#include "IHubberly.h"
#include "com/Activation.h"
#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/SafeArray.h"
#include "ui/MessageBox.h"

namespace {

CComPtr<IHubberly> CreateHubberly()
{
    CLSID clsid = GUID_NULL;
    CComPtr<IUnknown> unknown;
    CComPtr<IHubberly> hubberly;
    if (FAILED(CLSIDFromProgID(kHubberlyProgIDW, &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, 0x17, IID_IUnknown, reinterpret_cast<void**>(&unknown))) ||
        FAILED(unknown->QueryInterface(IID_IHubberly, reinterpret_cast<void**>(&hubberly))))
        CWEException::ThrowFormatted(WE_E_CREATE_OBJECT, {"Gastrel.Hubberly"});
    return hubberly;
}

}  // namespace

CWEProjPage3::CWEProjPage3() : CWEProjPropPage(IDD_PAGE_IDENTITY) {}

bool CWEProjPage3::IsValid()
{
    CWEProjectSettings& settings = GetWizard();
    if (!m_nFilling) {
        settings.m_strProjectName = TrimmedText(IDC_PROJECT_NAME);
        settings.m_strEmail = TrimmedText(IDC_EMAIL);
        settings.m_strSubject = TrimmedText(IDC_SUBJECT);
    }
    return !settings.m_strProjectName.empty() && CWEEmailValidator(settings.m_strEmail).IsValid();
}

BOOL CWEProjPage3::OnSetActive()
{
    RunReported([&] {
        m_nFilling = 1;
        const CWEProjectSettings& settings = GetWizard();
        SetDlgItemText(m_hWnd, IDC_PROJECT_NAME, settings.m_strProjectName.c_str());
        SetDlgItemText(m_hWnd, IDC_EMAIL, settings.m_strEmail.c_str());
        SetDlgItemText(m_hWnd, IDC_SUBJECT, settings.m_strSubject.c_str());
        SetWizardButtons(IsValid());
    });
    m_nFilling = 0;
    return TRUE;
}

BOOL CWEProjPage3::OnCommand(int id, UINT code, HWND control)
{
    if ((id == IDC_PROJECT_NAME || id == IDC_EMAIL || id == IDC_SUBJECT) && code == EN_CHANGE) {
        RunReported([&] { SetWizardButtons(IsValid()); });
        return TRUE;
    }
    return CWEProjPropPage::OnCommand(id, code, control);
}

LRESULT CWEProjPage3::OnWizardNext()
{
    LRESULT answer = -1;
    RunReported([&] {
        if (!IsValid()) {
            SetWizardButtons(false);
            return;
        }
        if (!IsNameUnique(GetWizard().m_strProjectName)) {
            const std::string text = CWEException(WE_E_PROJECT_EXISTS, {}).GetText();
            const std::string caption = PlandrelString(IDS_WIZARD_CAPTION);
            MessageBox(GetForegroundWindow(), text.c_str(), caption.c_str(), MB_ICONERROR);
            return;
        }
        SetWizardButtons(true);
        answer = 0;
    });
    return answer;
}

bool CWEProjPage3::IsNameUnique(const std::string& name)
{
    CComPtr<IHubberly> hubberly = CreateHubberly();
    CComVariant projects;
    if (FAILED(hubberly->EnumProjects(0, &projects)))
        CWEException::ThrowFormatted(WE_E_PROJECT_LIST, {});
    if (!(projects.vt & VT_ARRAY) || !projects.parray)
        return true;
    const std::string wanted = TrimBlanks(name);
    LONG lower = 0;
    LONG upper = -1;
    SafeArrayGetLBound(projects.parray, 1, &lower);
    SafeArrayGetUBound(projects.parray, 1, &upper);
    for (LONG i = lower; i <= upper; ++i) {
        LONG id = 0;
        CComBSTR projectName;
        if (FAILED(SafeArrayGetElement(projects.parray, &i, &id)) ||
            FAILED(hubberly->GetProjectName(id, &projectName)) || !projectName)
            continue;
        if (TrimBlanks(projectName.ToString()) == wanted)
            return false;
    }
    return true;
}
