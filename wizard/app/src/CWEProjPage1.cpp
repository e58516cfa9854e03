#include "CWEProjPage1.h"

#include "CWEProjWizard.h"
#include "PlandrelIds.h"
#include "PlandrelStrings.h"

#include "wizard/CWEException.h"
#include "wizard/CWEHTMLChecker.h"
#include "wizard/WEUtils.h"
#include "wizard/WizardIds.h"

#include "ui/FileDialog.h"

#include <algorithm>
#include <vector>

namespace {
constexpr DWORD OFN_LONGNAMES = 0x00200000;
constexpr size_t kFileBuffer = 560;
}  // namespace

CWEProjPage1::CWEProjPage1() : CWEProjPropPage(IDD_PAGE_SOURCE) {}

BOOL CWEProjPage1::OnInitDialog()
{
    CWEProjPropPage::OnInitDialog();
    SetWizardButtons(false);
    return TRUE;
}

bool CWEProjPage1::IsValid()
{
    GetWizard().m_strSourcePath = TrimmedText(IDC_SOURCE_PATH);
    return !GetWizard().m_strSourcePath.empty();
}

BOOL CWEProjPage1::OnSetActive()
{
    RunReported([&] { SetWizardButtons(IsValid()); });
    return TRUE;
}

BOOL CWEProjPage1::OnCommand(int id, UINT code, HWND control)
{
    if (id == IDC_SOURCE_PATH && code == EN_CHANGE) {
        RunReported([&] { SetWizardButtons(IsValid()); });
        return TRUE;
    }
    if (id == IDC_BROWSE && code == BN_CLICKED) {
        RunReported([&] { Browse(); });
        return TRUE;
    }
    return CWEProjPropPage::OnCommand(id, code, control);
}

void CWEProjPage1::Browse()
{
    std::string filter = PlandrelString(IDS_HTML_FILTER);
    const std::string title = PlandrelString(IDS_WIZARD_CAPTION);
    if (filter.empty() || title.empty())
        WE_THROW_UNEXPECTED();
    std::replace(filter.begin(), filter.end(), '#', '\0');
    std::vector<char> file(kFileBuffer, '\0');
    OPENFILENAME request;
    request.hwndOwner = m_hWnd;
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrTitle = title.c_str();
    request.Flags = OFN_HIDEREADONLY | OFN_LONGNAMES;
    request.lpstrDefExt = "";
    if (GetOpenFileName(&request))
        SetDlgItemText(m_hWnd, IDC_SOURCE_PATH, file.data());
}

LRESULT CWEProjPage1::OnWizardNext()
{
    LRESULT answer = -1;
    RunReported([&] {
        if (!IsValid())
            return;
        GetCheckErrors().RemoveAll();
        CWEProjectSettings& settings = GetWizard();
        const std::string path = AbsolutePagePath(settings.m_strSourcePath);
        settings.Reset();
        settings.m_strSourcePath = path;
        GetHTMLDocument().Create();
        CWEHTMLChecker().Check(GetHTMLDocument(), path, GetCheckErrors(), settings);
        answer = 0;
    });
    return answer;
}
