#include "CWEProjPage5.h"

#include "CWEProjWizard.h"
#include "CWEWizardDialogs.h"
#include "PlandrelIds.h"
#include "PlandrelStrings.h"

#include "wizard/CWEException.h"
#include "wizard/WEUtils.h"
#include "wizard/WizardIds.h"

#include "ui/MessageBox.h"
#include "win/CodePage.h"
#include "wizardui/WEAnswerDatabase.h"
#include "zr/FormatHResult.h"

#include <cstdio>

namespace {

bool IsPlainName(const std::string& name)
{
    for (unsigned char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

int Ask(const std::string& text, UINT type)
{
    return MessageBox(GetForegroundWindow(), text.c_str(), PlandrelString(IDS_WIZARD_CAPTION).c_str(), type);
}

}  // namespace

CWEProjPage5::CWEProjPage5() : CWEProjPropPage(IDD_PAGE_DATABASE) {}

bool CWEProjPage5::IsValid()
{
    CWEProjectSettings& settings = GetWizard();
    if (!m_nFilling) {
        settings.m_strConnectionString = TrimmedText(IDC_CONNECTION);
        settings.m_strRecordSource = TrimmedText(IDC_TABLE_NAME);
    }
    const bool valid = !settings.m_strConnectionString.empty() && !settings.m_strRecordSource.empty();
    EnableWindow(GetDlgItem(IDC_CHECK_TABLE), valid);
    return valid;
}

BOOL CWEProjPage5::OnSetActive()
{
    RunReported([&] {
        m_nFilling = 1;
        SetDlgItemText(m_hWnd, IDC_CONNECTION, GetWizard().m_strConnectionString.c_str());
        SetDlgItemText(m_hWnd, IDC_TABLE_NAME, GetWizard().m_strRecordSource.c_str());
        SetWizardButtons(IsValid());
    });
    m_nFilling = 0;
    return TRUE;
}

BOOL CWEProjPage5::OnCommand(int id, UINT code, HWND control)
{
    if ((id == IDC_CONNECTION || id == IDC_TABLE_NAME) && code == EN_CHANGE) {
        RunReported([&] { SetWizardButtons(IsValid()); });
        return TRUE;
    }
    if (id == IDC_CHOOSE_SOURCE && code == BN_CLICKED) {
        RunReported([&] { ChooseDataSource(); });
        return TRUE;
    }
    if (id == IDC_CHECK_TABLE && code == BN_CLICKED) {
        RunReported([&] { CheckTableName(); });
        return TRUE;
    }
    return CWEProjPropPage::OnCommand(id, code, control);
}

void CWEProjPage5::ChooseDataSource()
{
    const auto& choose = CWEWizardDialogs::Instance().m_chooseDataSource;
    std::string connection;
    if (!choose || !choose(this, connection))
        return;
    SetDlgItemText(m_hWnd, IDC_CONNECTION, connection.c_str());
    SetWizardButtons(IsValid());
}

void CWEProjPage5::OfferTableList(const std::string& connection, const std::string& table)
{
    char text[1024] = {};
    std::snprintf(text, sizeof text, PlandrelString(IDS_TABLE_EXISTS).c_str(), table.c_str());
    const auto& showTables = CWEWizardDialogs::Instance().m_showTables;
    if (Ask(text, MB_ICONERROR | MB_YESNO) == IDYES && showTables)
        showTables(this, connection);
}

void CWEProjPage5::CheckTableName()
{
    const std::string connection = TrimmedText(IDC_CONNECTION);
    const std::string table = TrimmedText(IDC_TABLE_NAME);
    if (connection.empty() || table.empty())
        return;
    if (TableTaken(connection, table))
        OfferTableList(connection, table);
    else
        Ask(PlandrelString(IDS_CHECK_OK), MB_ICONINFORMATION);
}

LRESULT CWEProjPage5::OnWizardNext()
{
    LRESULT answer = -1;
    RunReported([&] {
        if (!IsValid())
            return;
        const CWEProjectSettings& settings = GetWizard();
        if (!IsPlainName(settings.m_strRecordSource)) {
            std::string question = CWEException(WE_W_TABLE_NAME, {}).GetText();
            while (!question.empty() && (question.back() == '\n' || question.back() == '\r'))
                question.pop_back();
            if (Ask(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
                return;
        }
        if (TableTaken(settings.m_strConnectionString, settings.m_strRecordSource)) {
            OfferTableList(settings.m_strConnectionString, settings.m_strRecordSource);
            return;
        }
        GetFieldsDataSet().RemoveAll();
        GetFieldsDataSet().BuildInCodePage(GetHTMLDocument(), ToNarrow(settings.m_CodePage.wszWebCharset, CP_UTF8));
        answer = 0;
    });
    return answer;
}

bool CWEProjPage5::TableTaken(const std::string& connection, const std::string& table)
{
    if (connection.empty() || table.empty())
        WE_THROW_UNEXPECTED();
    try {
        return TableExists(connection, table);
    } catch (const WEDatabaseError& failure) {
        CWEException::ThrowFormatted(WE_E_DB_CONNECT, {FormatHResult(failure.Code()), failure.what()});
    }
}
