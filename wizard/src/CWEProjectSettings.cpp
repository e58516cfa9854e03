#include "wizard/CWEProjectSettings.h"

int CWEProjectSettings::Reset()
{
    m_strProjectDir.clear();
    m_lProjectId = 0;
    m_lReserved1 = 0;
    m_strEmail.clear();
    m_strSubject = "Survey results";
    m_strConnectionString.clear();
    m_strRecordSource = "SurveyResults";
    m_strProjectName.clear();
    m_strFailedMark = "[FAIL]";
    m_strSuccessMark = "[OK]";
    m_lReserved2 = 0;
    m_strTextBlock.clear();
    m_lCollectRecipients = 0;
    m_lCollectSenders = 0;
    m_strStartPage = "index.html";
    m_strSourcePath.clear();
    m_CodePage = MIMECPINFO{};
    m_strSqlRequest.clear();
    m_lSqlEdited = 0;
    m_lSqlCheck = 1;
    m_strSqlDefault.clear();
    return 1;
}

void CWEProjectSettings::CopyFrom(const CWEProjectSettings& other)
{
    if (&other == this)
        return;
    m_strProjectDir = other.m_strProjectDir;
    m_lReserved1 = other.m_lReserved1;
    m_strEmail = other.m_strEmail;
    m_strSubject = other.m_strSubject;
    m_strConnectionString = other.m_strConnectionString;
    m_strRecordSource = other.m_strRecordSource;
    m_strProjectName = other.m_strProjectName;
    m_strFailedMark = other.m_strFailedMark;
    m_strSuccessMark = other.m_strSuccessMark;
    m_lReserved2 = other.m_lReserved2;
    m_strTextBlock = other.m_strTextBlock;
    m_lCollectRecipients = other.m_lCollectRecipients;
    m_lCollectSenders = other.m_lCollectSenders;
    m_strStartPage = other.m_strStartPage;
    m_strSourcePath = other.m_strSourcePath;
    m_CodePage = other.m_CodePage;
}
