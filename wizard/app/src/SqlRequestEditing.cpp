#include "SqlRequestEditing.h"

#include "CWEWizardDialogs.h"

bool EditSqlRequest(CWnd* owner, CWEProjectSettings& settings)
{
    const auto& editor = CWEWizardDialogs::Instance().m_editSql;
    if (!editor)
        return false;
    CWESqlEdit edit{settings.m_strSqlRequest, settings.m_lSqlCheck, settings.m_strSqlDefault};
    if (!editor(owner, edit))
        return false;
    if (edit.m_strText == settings.m_strSqlRequest && edit.m_lCheck == settings.m_lSqlCheck)
        return false;
    settings.m_strSqlRequest = edit.m_strText;
    settings.m_lSqlEdited = 1;
    settings.m_lSqlCheck = edit.m_lCheck;
    return true;
}
